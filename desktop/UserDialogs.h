// One seam for everything that asks the user in a dialog of its own: message boxes, file
// dialogs and the folder picker. Windows call Dialogs(); the program shows Qt dialogs, tests
// install scripted answers, so no test waits in a modal loop.
#pragma once

#include <QFlags>
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace qm {

/// The kinds of message box, each with its icon and title.
enum class MessageKind { Warning, Confirmation, Information, Error };

/// Buttons of a message box; a box shows those of its set in this order.
enum class MessageButton : unsigned {
  Ok = 1U << 0,
  Yes = 1U << 1,
  No = 1U << 2,
  Cancel = 1U << 3,
  Help = 1U << 4,
};
Q_DECLARE_FLAGS(MessageButtons, MessageButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(MessageButtons)

struct MessageRequest {
  MessageKind Kind = MessageKind::Information;
  QString Text;
  MessageButtons Buttons = MessageButton::Ok;
  int HelpContext = 0; ///< for "&Hilfe" and F1
  QString Title;       ///< empty: the title of the kind
};

/// "Warnung", "Bestätigung", "Information" or "Fehler".
QString TitleOf(MessageKind kind);
/// The title request shows: its own, else that of its kind.
QString TitleOf(const MessageRequest& request);
/// The answer of Escape and the close box: Cancel when the box has it, else No, else Ok.
MessageButton EscapeAnswer(MessageButtons buttons);

struct FileRequest {
  QString Title; ///< empty: the platform's default title
  /// Entries "Caption (pattern;pattern)", the first one selected. The caption is shown as
  /// written; "*.*" matches every file, also one without a dot in its name.
  QStringList Filters;
  QString DefaultSuffix; ///< without the dot
  QString FileName;      ///< the file proposed; empty: none
  QString Directory;     ///< where the dialog opens when no file is proposed; empty: anywhere
};

/// The Qt name filter of a filter entry "Caption (patterns)": the caption, then the patterns
/// in Qt's spelling (separated by blanks, "*.*" as "*"). Shown with
/// QFileDialog::HideNameFilterDetails, which drops the last group, the entry reads as written.
QString QtNameFilter(const QString& entry);

class UserDialogs {
public:
  virtual ~UserDialogs() = default;
  /// Shows a message box and returns the button that closed it. "&Hilfe" never closes it: it
  /// hands the box's help context to the help handler.
  virtual MessageButton Message(QWidget* parent, const MessageRequest& request) = 0;
  /// An open-file dialog; nothing when cancelled.
  virtual std::optional<QString> OpenFile(QWidget* parent, const FileRequest& request) = 0;
  /// A save-file dialog that does not ask before replacing a file; nothing when cancelled.
  virtual std::optional<QString> SaveFile(QWidget* parent, const FileRequest& request) = 0;
  /// A folder picker that starts at root and preselects nothing; nothing when cancelled.
  virtual std::optional<QString> PickFolder(QWidget* parent, const QString& title,
                                            const QString& root) = 0;
};

/// The dialogs every window uses: the Qt ones, unless others were installed.
UserDialogs& Dialogs();
/// Makes dialogs (not owned) the process-wide dialogs; nullptr brings back the Qt ones.
/// Returns those installed before.
UserDialogs* InstallDialogs(UserDialogs* dialogs);

} // namespace qm
