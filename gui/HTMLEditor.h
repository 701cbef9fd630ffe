// The template editor: one of the generator's eight HTML templates as editable text, with
// loading from and saving to a file. Closing it takes the text over into the template.
#pragma once

#include "base/AnsiText.h"
#include "engine/Templates.h"

#include <QDialog>

#include <optional>

class QPlainTextEdit;

namespace qm {
class FilePickerDialog;
class TFormStorage;
} // namespace qm

namespace qm::ui {

class TLex_Hauptmenue;

/// The Windows-1252 lines of a template as the editor's text: one line per line.
QString TemplateText(const Lines& lines);

class TLex_HTMLEditor : public QDialog {
  Q_OBJECT

public:
  /// An editor of the template id of templates (not owned; they must outlive the editor),
  /// shown over owner. While owner has no project file open, the editor keeps its text and the
  /// file names of its dialogs between program runs.
  TLex_HTMLEditor(TLex_Hauptmenue& owner, TemplateSet& templates, TemplateId id);
  ~TLex_HTMLEditor() override;

  /// "Schließen": closes the editor, as its close box and Escape do.
  void ToolButton1Click();
  /// "Laden": replaces the text by the lines of a file the user picks.
  void ToolButton3Click();
  /// "Speichern": writes the text into a file the user names, CR LF after every line.
  void ToolButton4Click();

  /// Every way of closing ends here: the text becomes the template first. A character the
  /// template cannot hold is shown to the user, and the editor stays open.
  void done(int result) override;

protected:
  void showEvent(QShowEvent* event) override;

private:
  void FormShow();
  /// Shows lines as the text, which then stands for exactly these lines until it is edited.
  void Show(const Lines& lines);
  /// Takes the text over into the template; false when the text was refused.
  bool FormHide();
  /// The text as Windows-1252 lines; nothing when it holds a character Windows-1252 lacks
  /// (the user was told, and the cursor stands on it).
  std::optional<Lines> ContentLines();

  TLex_Hauptmenue& owner_;
  Lines& template_;
  Lines shown_;
  TFormStorage* FormStorage1;
  QPlainTextEdit* Content;
  FilePickerDialog* OpenDialog1;
  FilePickerDialog* SaveDialog1;
};

} // namespace qm::ui
