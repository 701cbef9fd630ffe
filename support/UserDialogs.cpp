#include "support/UserDialogs.h"

#include "support/MessageDialog.h"
#include "support/SupportTexts.h"

#include <QFileDialog>

namespace qm {

namespace {

// The dialogs of the desktop: the program's message box and Qt's file and folder dialogs.
class QtDialogs final : public UserDialogs {
public:
  MessageButton Message(QWidget* parent, const MessageRequest& request) override {
    MessageDialog box(parent, request);
    box.exec();
    return box.Answer();
  }

  std::optional<QString> OpenFile(QWidget* parent, const FileRequest& request) override {
    return RunFileDialog(parent, request, QFileDialog::AcceptOpen);
  }

  std::optional<QString> SaveFile(QWidget* parent, const FileRequest& request) override {
    return RunFileDialog(parent, request, QFileDialog::AcceptSave);
  }

  std::optional<QString> PickFolder(QWidget* parent, const QString& title,
                                    const QString& root) override {
    const QString folder =
        QFileDialog::getExistingDirectory(parent, title, root, QFileDialog::ShowDirsOnly);
    if (folder.isEmpty()) {
      return std::nullopt;
    }
    return folder;
  }

private:
  static std::optional<QString> RunFileDialog(QWidget* parent, const FileRequest& request,
                                              QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    // Opening does not insist that the file exists: a missing project loads as defaults.
    dialog.setFileMode(QFileDialog::AnyFile);
    // Replacing a file is confirmed by the program itself.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!request.Title.isEmpty()) {
      dialog.setWindowTitle(request.Title);
    }
    dialog.setNameFilters(request.Filters);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
      return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
  }
};

UserDialogs*& Installed() {
  static UserDialogs* installed = nullptr;
  return installed;
}

} // namespace

QString TitleOf(MessageKind kind) {
  switch (kind) {
  case MessageKind::Warning:
    return QString::fromUtf8(kTitleWarning);
  case MessageKind::Confirmation:
    return QString::fromUtf8(kTitleConfirmation);
  case MessageKind::Information:
    return QString::fromUtf8(kTitleInformation);
  case MessageKind::Error:
    return QString::fromUtf8(kTitleError);
  }
  return {};
}

QString TitleOf(const MessageRequest& request) {
  return request.Title.isEmpty() ? TitleOf(request.Kind) : request.Title;
}

MessageButton EscapeAnswer(MessageButtons buttons) {
  if (buttons.testFlag(MessageButton::Cancel)) {
    return MessageButton::Cancel;
  }
  if (buttons.testFlag(MessageButton::No)) {
    return MessageButton::No;
  }
  return MessageButton::Ok;
}

UserDialogs& Dialogs() {
  static QtDialogs qtDialogs;
  UserDialogs* installed = Installed();
  return installed != nullptr ? *installed : qtDialogs;
}

UserDialogs* InstallDialogs(UserDialogs* dialogs) {
  UserDialogs* before = Installed();
  Installed() = dialogs;
  return before;
}

} // namespace qm
