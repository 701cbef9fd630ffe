#include "desktop/UserDialogs.h"

#include "desktop/MessageDialog.h"
#include "desktop/SupportTexts.h"

#include <QFileDialog>
#include <QRegularExpression>

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
    // Replacing a file is confirmed by the program itself. Qt's own dialog on every desktop:
    // the filters are shown as written only there, and its texts come with Qt's translations.
    dialog.setOptions(QFileDialog::DontConfirmOverwrite | QFileDialog::DontUseNativeDialog |
                      QFileDialog::HideNameFilterDetails);
    if (!request.Title.isEmpty()) {
      dialog.setWindowTitle(request.Title);
    }
    QStringList filters;
    for (const QString& entry : request.Filters) {
      filters.append(QtNameFilter(entry));
    }
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    if (!request.FileName.isEmpty()) {
      dialog.selectFile(request.FileName);
    } else if (!request.Directory.isEmpty()) {
      dialog.setDirectory(request.Directory);
    }
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

QString QtNameFilter(const QString& entry) {
  // Qt takes the patterns from the last group in parentheses and splits them at blanks only.
  static const QRegularExpression kEntry(QStringLiteral("^(.*)\\(([^()]*)\\)\\s*$"));
  const QRegularExpressionMatch match = kEntry.match(entry);
  if (!match.hasMatch()) {
    return entry;
  }
  QStringList patterns;
  for (const QString& pattern :
       match.captured(2).split(QRegularExpression(QStringLiteral("[;\\s]+")), Qt::SkipEmptyParts)) {
    patterns.append(pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
  }
  return entry.trimmed() + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
         QLatin1Char(')');
}

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
