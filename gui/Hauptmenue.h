// The main window: input folder and source kinds, conversion options, output folder, the tool
// bar and the menu from which every command is reached. It owns the program's one generator.
#pragma once

#include "base/AnsiText.h"
#include "base/Warnings.h"
#include "engine/RunResult.h"
#include "engine/Templates.h"
#include "helpproject/HelpProjectSettings.h"
#include "project/ProjectSettings.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QCheckBox;
class QLineEdit;
class QMenu;
class QToolBar;
class QToolButton;

namespace qm {
class TGenerator;
}

namespace qm {
class DirectoryPickerDialog;
class TFormStorage;
class THtmlHelpGateway;
} // namespace qm

namespace qm::ui {

class ConversionRun;
class SourceKindBoxes;
class TLex_Info;
class TLex_WorkshopProj;

class TLex_Hauptmenue : public QMainWindow {
  Q_OBJECT

public:
  /// programFolder (ending in "/") holds the tables, with the templates in "../Templates/"
  /// beside it. arguments are the command-line arguments after the program name, Qt's own
  /// options removed: exactly one names a project file loaded when the window is first shown.
  TLex_Hauptmenue(const std::string& programFolder, const QStringList& arguments,
                  QWidget* parent = nullptr);
  ~TLex_Hauptmenue() override;

  /// The generator, or nullptr when creating it failed at start.
  const TGenerator* Generator() const { return generator_.get(); }
  /// The eight templates as the window holds them: those of the Templates folder until a
  /// project brings its own, with the template editor's changes.
  const TemplateSet& Templates() const { return templates_; }
  TemplateSet& Templates() { return templates_; }
  /// What the last conversion that started a run collected (Ran false before any).
  const RunResult& LastRun() const { return lastRun_; }
  /// The program folder (ending in "/"): tables and map templates, "Extra Files/".
  const std::string& ProgramFolder() const { return programFolder_; }
  /// The output folder as typed in its edit.
  QString OutputFolderText() const;
  /// The output folder as the core takes it (Windows-1252 text); a character that
  /// Windows-1252 lacks is refused (InputRefused).
  std::string OutputPath() const;
  /// The current project file, as the file system spells it; empty until one is opened or
  /// saved.
  const std::string& CurrentProjectFile() const { return currentProjectFile_; }
  /// The folder whose files every conversion copies into the output folder (Windows-1252 text,
  /// as a project file holds it).
  const std::string& ExtraFilesFolder() const { return extraFilesFolder_; }
  void SetExtraFilesFolder(const std::string& folder) { extraFilesFolder_ = folder; }
  /// The help-project values a project save writes and a load replaces: those of the Help
  /// Workshop dialog's controls, whether or not it was ever shown (see
  /// TLex_WorkshopProj::Values).
  HelpProjectSettings HelpValues() const;
  void SetHelpValues(const HelpProjectSettings& values);
  /// The Help Workshop dialog, created with the window and reused.
  TLex_WorkshopProj* WorkshopDialog() const { return Lex_WorkshopProj; }

  /// Everything a project file holds, gathered from where it lives: the controls, the
  /// generator's templates and the help-project values. A text field holding a character that
  /// Windows-1252 lacks is refused (InputRefused names the first such field).
  ProjectSettings Settings() const;
  /// Puts the values of settings into the controls in the order a project file lists them,
  /// with ExtraFilesFolder and the help-project values; the templates are not touched.
  void ShowSettings(const ProjectSettings& settings);

  /// How long the progress window stays after a run's loop (1000 ms unless set).
  void SetProgressPause(int milliseconds) { progressPauseMs_ = milliseconds; }
  /// The progress window of the run going on, or nullptr.
  QWidget* ProgressWindow() const;

  // Commands of the menu and the tool bar.
  /// "&Beenden": ends the program; the windows save their state as they are destroyed.
  void BeendenClick();
  void InfoClick();
  void Btn_EingabepfadClick();
  void Btn_AusgabepfadClick();
  void optEigeneDateienClick(bool checked);
  void Willkommen1Click();
  void Hilfe1Click();
  void KonvertierenClick();
  void OeffnenClick();
  void SpeichernClick();
  void SpeichernUnterClick();
  /// A command of the menu "&HTML-Vorlagen": edits the template id of the generator in the
  /// template editor, shown modally.
  void EditTemplate(TemplateId id);
  /// "Zusätzliche Dateien...": sets the folder of additional files in its dialog.
  void ZustzlicheDateien1Click();
  /// "Help &Workshop Projekt generieren...": shows the Help Workshop dialog modally.
  void HelpWorkshopProjektgenerieren1Click();
  /// Reads CurrentProjectFile into the controls, the templates and the help-project values.
  void LoadProjectFile();

signals:
  /// A conversion started from this window is over (its progress window gone, any failure
  /// shown).
  void ConversionEnded();

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  using Handler = void (TLex_Hauptmenue::*)();

  /// When a command may be used.
  enum Needs : unsigned {
    kAlways = 0,
    /// It works on the generator: off when creating the generator failed.
    kNeedsGenerator = 1U << 0,
    /// It would start a second run or change what a run reads: off while a run goes on.
    kNotDuringRun = 1U << 1,
  };
  struct Command {
    QAction* action;
    unsigned needs;
  };

  void FormCreate(const std::string& programFolder);
  /// Settings without the help-project values, which a conversion does not read: only the
  /// fields it uses are refused for a character that Windows-1252 lacks.
  ProjectSettings ConversionSettings() const;
  void FormShow();
  void BuildControls();
  void BuildToolBar();
  void BuildMenu();
  QAction* AddCommand(QWidget* host, const char* name, const char* text, Handler handler,
                      unsigned needs, const char* shortcut = nullptr);
  QAction* AddAction(QWidget* host, std::string_view name, const QString& text,
                     std::function<void()> command, unsigned needs, const char* shortcut = nullptr);
  void UpdateCommands();
  /// Runs a command; an error that leaves it is shown in one error box and the program goes on.
  template <typename F> void Guarded(F command);
  void ShowError(const QString& message);
  /// Lists the warnings of a run in one warning box.
  void ShowWarnings(const WarningList& warnings);
  void SaveAs();
  void ConversionRunEnded();

  const std::string programFolder_;
  std::unique_ptr<const TGenerator> generator_;
  TemplateSet templates_;
  RunResult lastRun_;
  std::string currentProjectFile_;
  std::string extraFilesFolder_;
  QStringList arguments_;
  bool shown_ = false;
  bool closeWhenRunEnds_ = false;
  int progressPauseMs_ = 1000;
  ConversionRun* run_ = nullptr;
  std::vector<Command> commands_;
  QAction* convertCommand_ = nullptr; ///< the menu's "HTML-&Ausgabe generieren", Ctrl+K

  THtmlHelpGateway* Help;
  TFormStorage* FormStorage1;
  DirectoryPickerDialog* Dlg_Eingabepfad;
  DirectoryPickerDialog* Dlg_Ausgabepfad;
  TLex_Info* info_;
  TLex_WorkshopProj* Lex_WorkshopProj = nullptr;

  QToolBar* ToolBar1;
  QLineEdit* Edt_Eingabepfad;
  QLineEdit* Edt_Ausgabepfad;
  QCheckBox* chkUnterordner;
  std::unique_ptr<SourceKindBoxes> kindBoxes_;
  QCheckBox* optAutoTrenn;
  QCheckBox* optOEM;
  QCheckBox* optEigeneDateien;
};

} // namespace qm::ui
