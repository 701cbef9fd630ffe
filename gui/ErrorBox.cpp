#include "gui/ErrorBox.h"

#include "desktop/UserDialogs.h"
#include "gui/UiTexts.h"

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
