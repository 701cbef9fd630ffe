#include "cli/ConvertCommand.h"

#include "app/ConversionCommand.h"
#include "cli/CliTexts.h"
#include "cli/ExistingProject.h"
#include "cli/ExitStatus.h"
#include "cli/Terminal.h"
#include "cli/TerminalProgress.h"
#include "engine/AnsiText.h"
#include "engine/Generator.h"
#include "helpproject/HelpProjectRun.h"

#include <cstdio>
#include <unistd.h>

namespace qm::cli {

namespace {

// How questions of the conversion are answered: yes by --yes, at the terminal when asking is
// allowed, otherwise no, with a note on stderr.
class CliInteraction final : public ConversionInteraction {
public:
  CliInteraction(bool yes, bool mayAsk, bool verbose)
      : yes_(yes), mayAsk_(mayAsk), verbose_(verbose) {}

  bool ConfirmCreateFolder(const std::string& question) override {
    if (yes_) {
      return true;
    }
    if (mayAsk_) {
      return AskYesNo(question);
    }
    PrintAnsi(stderr, question);
    PrintUtf8(stderr, kHintAnswerYes);
    return false;
  }

  void BeginCopy(const std::string& title, int fileCount) override {
    if (verbose_ && fileCount > 0) {
      PrintAnsi(stderr, title);
    }
  }

  bool ConfirmReplace(const std::string& target) override {
    if (yes_) {
      return true;
    }
    if (mayAsk_) {
      return AskYesNo(Format(kQuestionReplace, target.c_str()));
    }
    PrintAnsi(stderr, Format(kMsgKeptExisting, target.c_str()));
    return false;
  }

  void CopyFailed(const std::string& message) override { PrintAnsi(stderr, message); }

private:
  bool yes_;
  bool mayAsk_;
  bool verbose_;
};

// The help project's message boxes as lines on stderr; --quiet leaves out the information.
class CliHelpMessages final : public HelpProjectMessages {
public:
  explicit CliHelpMessages(bool quiet) : quiet_(quiet) {}

  void ShowError(const std::string& text, int /*helpContext*/) override { PrintAnsi(stderr, text); }
  void ShowInformation(const std::string& text, int /*helpContext*/) override {
    if (!quiet_) {
      PrintAnsi(stderr, text);
    }
  }

private:
  bool quiet_;
};

} // namespace

int RunConvertCommand(const Options& options) {
  const bool projectMode = !options.ProjectFile.empty();
  ProjectSettings settings;
  if (projectMode) {
    settings = LoadExistingProject(options.ProjectFile);
  }
  const std::string programFolder = ProgramFolderOf(options);
  TGenerator generator(programFolder);
  if (projectMode) {
    // The project's templates replace those loaded from the Templates folder, also when the
    // project holds none.
    ApplyTemplates(settings.Templates, generator);
  } else {
    settings.Templates = TemplatesOf(generator);
    ApplySettingFlags(options.Settings, settings);
  }

  // Only a project run asks at the terminal; a run from flags is answered by its flags alone.
  const bool mayAsk = projectMode && IsTerminal(STDIN_FILENO) && IsTerminal(STDERR_FILENO);
  const bool verbose = !options.Quiet && IsTerminal(STDERR_FILENO);
  CliInteraction interaction(options.Yes, mayAsk, verbose);
  TerminalProgress progress(stderr, verbose);
  InstallInterruptHandler();

  if (RunConversion(settings, generator, interaction, &progress) == ConversionOutcome::Declined) {
    return kExitFailure;
  }
  if (progress.Cancelled()) {
    PrintUtf8(stderr, kMsgCancelled);
    return kExitFailure;
  }
  if (options.HelpProject) {
    CliHelpMessages messages(options.Quiet);
    if (!RunHelpProject(generator, settings.Help, settings.OutputPath, programFolder, messages)) {
      return kExitFailure;
    }
  }
  return kExitSuccess;
}

} // namespace qm::cli
