// The template editor: one of the project's eight HTML templates as editable text, with
// loading from and saving to a file. Closing it takes the text over into the template.
#pragma once

#include "base/AnsiText.h"
#include "engine/Templates.h"

#include <QDialog>
#include <QStringList>

#include <optional>

class QLabel;
class QPlainTextEdit;

namespace qm {
class FilePickerDialog;
class ProjectModel;
class TFormStorage;
} // namespace qm

namespace qm::ui {

/// The Windows-1252 lines of a template as the editor's text: one line per line.
QString TemplateText(const Lines& lines);

class TLex_HTMLEditor : public QDialog {
  Q_OBJECT

public:
  /// An editor of the template id of model (which must outlive it), shown over owner. While
  /// the model has no project file, the editor keeps its text and the file names of its
  /// dialogs between program runs.
  TLex_HTMLEditor(QWidget* owner, ProjectModel& model, TemplateId id);
  ~TLex_HTMLEditor() override;

  /// "Schließen": closes the editor, as its close box and Escape do.
  void OnClose();
  /// "Laden": replaces the text by the lines of a file the user picks.
  void OnLoadFile();
  /// "Speichern": writes the text into a file the user names, CR LF after every line.
  void OnSaveFile();

  /// The filters of "Laden" and "Speichern", the first one selected.
  static QStringList FileFilters();

  /// Every way of closing ends here: the text becomes the template first. A character the
  /// template cannot hold is shown to the user, and the editor stays open.
  void done(int result) override;

protected:
  void showEvent(QShowEvent* event) override;

private:
  /// Shows the template, whatever the form storage restored, and centres the editor.
  void ShowTemplate();
  /// Shows lines as the text, which then stands for exactly these lines until it is edited.
  void Show(const Lines& lines);
  /// Takes the text over into the template; false when the text was refused.
  bool TakeOverText();
  /// The text as Windows-1252 lines; nothing when it holds a character Windows-1252 lacks
  /// (the user was told, and the cursor stands on it).
  std::optional<Lines> ContentLines();
  /// Shows the cursor's line and column.
  void ShowCursorPosition();

  ProjectModel& model_;
  const TemplateId id_;
  Lines shown_;
  TFormStorage* formStorage_;
  QPlainTextEdit* content_;
  QLabel* cursorLabel_;
  FilePickerDialog* openDialog_;
  FilePickerDialog* saveDialog_;
};

} // namespace qm::ui
