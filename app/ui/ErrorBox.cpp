#include "app/ui/ErrorBox.h"

#include "app/ui/UiTexts.h"
#include "support/UserDialogs.h"

#include <QWidget>

namespace qm::ui {

void ShowErrorBox(QWidget* parent, const QString& message) {
  MessageRequest request;
  request.Kind = MessageKind::Error;
  request.Title = UiText(kApplicationTitle);
  request.Text = message;
  request.Buttons = MessageButton::Ok;
  Dialogs().Message(parent != nullptr && parent->isVisible() ? parent : nullptr, request);
}

} // namespace qm::ui
