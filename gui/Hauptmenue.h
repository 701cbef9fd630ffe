// The main window: input folder and source kinds, conversion options, output folder, the tool
// bar and the menu from which every command is reached. It owns the program's project model
// and shows its values; the user's edits go straight into it.
#pragma once

#include "base/Warnings.h"
#include "engine/Templates.h"
#include "project/ProjectJob.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QToolBar;

namespace qm {
class DirectoryPickerDialog;
class ProjectModel;
class TFormStorage;
class THtmlHelpGateway;
} // namespace qm

namespace qm::ui {

class ConversionRun;
class ElidedLabel;
class SettingsView;
class SourceKindBoxes;
class TLex_Info;
class TLex_WorkshopProj;

class TLex_Hauptmenue : public QMainWindow {
  Q_OBJECT

public:
  /// programFolder (ending in "/") holds the tables, with the templates in "../Templates/"
  /// beside it. arguments are the command-line arguments after the program name, Qt's own
  /// options removed: exactly one names a project file opened when the window is first shown.
  TLex_Hauptmenue(const std::string& programFolder, const QStringList& arguments,
                  QWidget* parent = nullptr);
  ~TLex_Hauptmenue() override;

  /// The documentation job the window shows: its settings, project file and runs.
  ProjectModel& Model() { return *model_; }
  const ProjectModel& Model() const { return *model_; }
  /// The Help Workshop dialog, created with the window and reused.
  TLex_WorkshopProj* WorkshopDialog() const { return workshop_; }

  /// The status line at the bottom: what the last conversion or help-project run gave, until
  /// the next run or an edit.
  QString StatusText() const;

  /// How long the progress window stays after a run's loop (1000 ms unless set).
  void SetProgressPause(int milliseconds) { progressPauseMs_ = milliseconds; }
  /// The progress window of the run going on, or nullptr.
  QWidget* ProgressWindow() const;

  // Commands of the menu and the tool bar.
  /// "&Beenden": ends the program; the windows save their state as they are destroyed.
  void OnExit();
  /// "Info": shows the about box.
  void OnAbout();
  void OnShowWelcome();
  void OnShowHelp();
  /// "    Konvertieren    ", "HTML-&Ausgabe generieren", Ctrl+K: converts the model's
  /// settings as they are now, while the window stays usable.
  void OnConvert();
  void OnOpenProject();
  /// "&Speichern": into the current project file, or as "Speichern &unter..." without one.
  void OnSaveProject();
  /// "Speichern &unter...": asks for a name, and before replacing a file, then saves.
  void OnSaveProjectAs();
  /// Asks before a save into path, an existing file that holds no project; true to save.
  bool ConfirmSaveInto(const std::string& path);
  /// A command of the menu "&HTML-Vorlagen": edits the template id in the template editor,
  /// shown modally.
  void OnEditTemplate(TemplateId id);
  /// "Zusätzliche Dateien...": sets the folder of additional files in its dialog.
  void OnEditExtraFilesFolder();
  /// "Help &Workshop Projekt generieren...": shows the Help Workshop dialog modally.
  void OnGenerateHelpProject();

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
    /// It works on the generator: off when reading the installation failed.
    kNeedsGenerator = 1U << 0,
    /// It would start a second run or replace what the window shows: off while a run goes on.
    kNotDuringRun = 1U << 1,
  };
  struct Command {
    QAction* action;
    unsigned needs;
  };

  void StartModel();
  void OpenProjectOfCommandLine();
  void BuildControls();
  void BindControls();
  void BuildToolBar();
  void BuildStatusLine();
  void ClearStatusOnEdits();
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
  void OnPickInputFolder();
  void OnPickOutputFolder();
  /// Warns whenever "Jeden Kommentar in eigene Datei schreiben " becomes ticked.
  void OnOneFilePerBlockToggled(bool ticked);
  void ShowOneFilePerBlockWarning();
  /// The window stands on the screen after its first showing.
  void WindowPlaced();
  void OnConversionEnded();
  /// Shows text in the status line; a text too long for it is shortened in the middle and
  /// shown whole as its tooltip.
  void SetStatus(const QString& text);
  /// The status line after a conversion that ended with outcome (failure: its message).
  QString ConversionStatus(JobOutcome outcome, const QString& failure, int warnings) const;

  std::unique_ptr<ProjectModel> model_;
  std::unique_ptr<SettingsView> view_;
  QStringList arguments_;
  bool shown_ = false;
  bool placed_ = false;
  bool oneFileWarningPending_ = false;
  bool closeWhenRunEnds_ = false;
  int progressPauseMs_ = 1000;
  ConversionRun* run_ = nullptr;
  std::vector<Command> commands_;
  QAction* convertCommand_ = nullptr; ///< the menu's "HTML-&Ausgabe generieren", Ctrl+K

  THtmlHelpGateway* help_;
  TFormStorage* formStorage_;
  DirectoryPickerDialog* inputPicker_;
  DirectoryPickerDialog* outputPicker_;
  TLex_Info* info_;
  TLex_WorkshopProj* workshop_ = nullptr;

  QToolBar* toolBar_;
  QLineEdit* inputPathEdit_;
  QLineEdit* outputPathEdit_;
  QCheckBox* subfoldersBox_;
  std::unique_ptr<SourceKindBoxes> kindBoxes_;
  QCheckBox* autoLineBreakBox_;
  QCheckBox* oemToAnsiBox_;
  QCheckBox* oneFilePerBlockBox_;
  QComboBox* sourceEncodingBox_;
  ElidedLabel* statusLabel_;
};

} // namespace qm::ui
