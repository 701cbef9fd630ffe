// The program's message box: icon and title by kind, German buttons with their mnemonics, and
// a "&Hilfe" button that asks for help and leaves the box open.
#pragma once

#include "desktop/UserDialogs.h"

#include <QDialog>

class QPushButton;

namespace qm {

class MessageDialog : public QDialog {
  Q_OBJECT

public:
  MessageDialog(QWidget* parent, const MessageRequest& request);

  /// The button that closed the box; EscapeAnswer of its buttons until then.
  MessageButton Answer() const { return answer_; }
  /// The push button of button, or nullptr when the box has none.
  QPushButton* Button(MessageButton button) const;

protected:
  /// Escape and the close box give the escape answer.
  void reject() override;

private:
  void Close(MessageButton answer);

  MessageButton escapeAnswer_;
  MessageButton answer_;
  int helpContext_;
};

} // namespace qm
