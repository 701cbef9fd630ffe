// The dialog that sets the folder of additional files, whose content every conversion copies
// into the output folder.
#pragma once

#include <QDialog>

class QLineEdit;

namespace qm {
class DirectoryPickerDialog;
}

namespace qm::ui {

class TLex_ZusaetzlicheDateien : public QDialog {
  Q_OBJECT

public:
  explicit TLex_ZusaetzlicheDateien(QWidget* owner);

  /// The folder in the edit, as typed (any text, empty included).
  QString Folder() const;
  void SetFolder(const QString& folder);

  /// The picker button: a folder the user confirms becomes the edit's text.
  void OnPickFolder();

  /// "&Übernehmen": closes with OK, unless the folder holds a character that Windows-1252
  /// lacks (the error box says so and the dialog stays open).
  void accept() override;

protected:
  void showEvent(QShowEvent* event) override;

private:
  QLineEdit* folderEdit_;
  DirectoryPickerDialog* picker_;
};

} // namespace qm::ui
