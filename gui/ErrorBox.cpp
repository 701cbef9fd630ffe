#include "gui/ErrorBox.h"

#include "desktop/UserDialogs.h"
#include "gui/UiTexts.h"

#include <QWidget>

namespace qm::ui {

MessageRequest ErrorRequest(const QString& message, int helpContext) {
  MessageRequest request;
  request.Kind = MessageKind::Error;
  request.Title = UiText(kApplicationTitle);
  request.Text = message;
  request.Buttons = MessageButton::Ok | MessageButton::Help;
  request.HelpContext = helpContext;
  return request;
}

void ShowErrorBox(QWidget* parent, const QString& message) {
  Dialogs().Message(parent != nullptr && parent->isVisible() ? parent : nullptr,
                    ErrorRequest(message, kHelpErrorBox));
}

} // namespace qm::ui
