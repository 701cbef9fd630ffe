// The documentation job that a front end works on: its settings, the project file they belong
// to, and the conversion and help-project runs made from them. The windows show it and write
// their edits into it; quillmark-cli fills it from a project file or its flags.
#pragma once

#include "base/RunLock.h"
#include "base/Warnings.h"
#include "engine/Progress.h"
#include "engine/RunResult.h"
#include "helpproject/HelpProjectRun.h"
#include "project/ConversionCommand.h"
#include "project/ProjectJob.h"
#include "project/ProjectSettings.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qm {

class TGenerator;

/// The text values a front end's edits may hold in a form the settings cannot take (a
/// character that Windows-1252 lacks), in the order a project file lists them.
enum class TextField {
  InputPath,
  OutputPath,
  HelpTitle,
  HelpLanguage,
  DocDefaultPage,
  TechDefaultPage,
};
inline constexpr size_t kTextFieldCount = 6;

/// One conversion of a model's settings as they stood when it was made
/// (ProjectModel::NewConversion). Nothing done to the model afterwards reaches it, so it may
/// run on another thread while the windows go on editing.
class ConversionJob {
public:
  /// The settings the run converts with, templates included.
  const ProjectSettings& Settings() const { return settings_; }

  /// Runs the conversion (ConvertProject) with interaction and progress; folderLock as there.
  /// Failures leave as Error.
  JobOutcome Run(ConversionInteraction& interaction, ProgressSink* progress,
                 RunLock* folderLock = nullptr);
  /// After Run: what the generator's run gave (Ran false when the job ended before it
  /// started), also after a failure or a stop.
  const RunResult& Result() const { return result_; }

private:
  friend class ProjectModel;
  ConversionJob(const TGenerator& generator, ProjectSettings settings)
      : generator_(generator), settings_(std::move(settings)) {}

  const TGenerator& generator_;
  const ProjectSettings settings_;
  RunResult result_;
};

class ProjectModel {
public:
  /// A model of the program installed in programFolder (ending in "/"), which holds the
  /// tables and map templates, with the templates in "../Templates/" beside it. It starts
  /// with the loading defaults, empty templates and no project file; nothing is read yet.
  explicit ProjectModel(std::string programFolder);
  ~ProjectModel();
  ProjectModel(const ProjectModel&) = delete;
  ProjectModel& operator=(const ProjectModel&) = delete;

  const std::string& ProgramFolder() const { return programFolder_; }

  /// Reads the installation: the eight templates and the tables, into the generator. Throws
  /// Error naming the first file that cannot be read; the model then has no generator, and
  /// converting or building a help project cannot be started. The settings stay as they are.
  void ReadInstallation();
  /// The generator, or nullptr before ReadInstallation succeeded.
  const TGenerator* Generator() const { return generator_.get(); }

  /// The settings of a freshly started program: the defaults, with the installed templates
  /// (empty ones without a generator), and no project file. Observers are told.
  void StartFresh();

  const ProjectSettings& Settings() const { return settings_; }
  /// The settings to change in place. Observers are not told: whoever edits shows the new
  /// value already. A conversion going on keeps the settings it started with.
  ProjectSettings& Edit() { return settings_; }

  /// The project file the settings were last opened from or saved to, as the file system
  /// spells it; empty until one is opened or saved.
  const std::string& CurrentProjectFile() const { return currentProjectFile_; }
  /// Reads the project file at path (LoadProjectFile): every value, the eight templates too
  /// (also those it does not hold), and makes path the current project file. Observers are
  /// told. A file that cannot be read throws Error and changes nothing.
  void Open(const std::string& path);
  /// Saves the settings into the current project file (SaveProjectFile), which must be set.
  void Save();
  /// Saves the settings into path and makes it the current project file. After a failure
  /// (Error, or a refusal of a field check) the current project file stays as it was.
  void SaveAs(const std::string& path);

  /// Sets the check of field, which refuses the uses of the settings that read the field
  /// while a front end's edit holds text the settings cannot take: it throws, and the use
  /// does nothing. Each use runs the checks of the fields it reads in the order it reads
  /// them: a conversion InputPath and OutputPath, a save all six, a help project the four
  /// help-project texts and then OutputPath. An empty check removes it.
  void SetFieldCheck(TextField field, std::function<void()> check);

  /// A conversion of the settings as they are now; later edits do not reach it. Runs the
  /// conversion's field checks first. Needs a generator.
  std::unique_ptr<ConversionJob> NewConversion();
  /// Takes note that job has run: a job that got as far as converting (also one that failed
  /// or was stopped) hands its result to the model, which builds the help project from it.
  void ConversionDone(ConversionJob& job);
  /// What the last conversion that got as far as converting collected (Ran false before any).
  const RunResult& LastRun() const { return lastRun_; }
  /// NewConversion, Run and ConversionDone in one, for a front end that waits for the run.
  /// With folderLock the caller holds the folder on after the run (RunConversion).
  JobOutcome Convert(ConversionInteraction& interaction, ProgressSink* progress,
                     RunLock* folderLock = nullptr);

  /// Writes the help project of the help-project values and the output folder as they are
  /// now, from what the last conversion collected (BuildHelpProject). Runs the help project's
  /// field checks first; result receives what is written and the warnings, and failures
  /// leave as Error. Needs a generator. The files go into the folder of the pages, one run at a
  /// time: it takes the folder's lock (Error kMsgFolderBusy while another run holds it) unless
  /// heldLock is the lock the conversion before it handed over (Convert's folderLock).
  void BuildHelpProject(HelpProjectResult& result, const RunLock* heldLock = nullptr);

  /// observer is called after the settings were replaced as a whole (StartFresh, Open), so
  /// that a window shows the new values. Returns the number that Unobserve takes.
  int Observe(std::function<void()> observer);
  void Unobserve(int id);

private:
  void RunChecks(std::initializer_list<TextField> fields) const;
  void Changed() const;

  const std::string programFolder_;
  std::unique_ptr<const TGenerator> generator_;
  ProjectSettings settings_;
  std::string currentProjectFile_;
  RunResult lastRun_;
  std::array<std::function<void()>, kTextFieldCount> checks_;
  std::vector<std::pair<int, std::function<void()>>> observers_;
  int nextObserver_ = 0;
};

} // namespace qm
