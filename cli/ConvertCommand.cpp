#include "cli/ConvertCommand.h"

#include "base/AnsiText.h"
#include "base/Console.h"
#include "base/Error.h"
#include "base/Paths.h"
#include "base/RunLock.h"
#include "base/Warnings.h"
#include "cli/CliTexts.h"
#include "cli/CompileStep.h"
#include "cli/ExistingProject.h"
#include "cli/ExitStatus.h"
#include "cli/Terminal.h"
#include "cli/TerminalProgress.h"
#include "helpproject/HelpCompiler.h"
#include "helpproject/HelpTexts.h"
#include "project/ProjectModel.h"
#include "project/RunSummary.h"
#include "project/StalePages.h"

#include <cstdio>
#include <optional>
#include <unordered_set>

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
      return AskYesNo(Format(kQuestionReplace, PathToText(target).c_str()));
    }
    PrintAnsi(stderr, Format(kMsgKeptExisting, PathToText(target).c_str()));
    return false;
  }

  void CopiedFile(const std::string& target) override { copied_.insert(target); }

  void CopyFailed(const std::string& message) override {
    PrintAnsi(stderr, message);
    errorReported_ = true;
  }

  /// True when an error was printed that did not end the command (a failed copy).
  bool ErrorReported() const { return errorReported_; }
  /// The additional files in the output folder: copied, or kept as they were.
  const std::unordered_set<std::string>& Copied() const { return copied_; }

private:
  bool yes_;
  bool mayAsk_;
  bool verbose_;
  bool errorReported_ = false;
  std::unordered_set<std::string> copied_;
};

void PrintWarnings(const WarningList& warnings) {
  // Written in pieces of many lines: a large tree gives hundreds, and a write per line costs
  // a system call each. (A console takes a piece of this size in one call.)
  constexpr size_t kPiece = size_t{16} << 10;
  std::string text;
  for (const Warning& warning : warnings) {
    text += WarningLine(warning);
    if (text.empty() || text.back() != '\n') {
      text += '\n';
    }
    if (text.size() >= kPiece) {
      PrintUtf8(stderr, text);
      text.clear();
    }
  }
  if (!text.empty()) {
    PrintUtf8(stderr, text);
  }
}

// Removes the stale pages of run (or with dryRun only names them) on stdout, each failure on
// stderr; returns how many there were. ok is false when one could not be removed. The caller
// holds the lock of the folder since the conversion, so no other run writes pages meanwhile.
int PruneStale(const RunResult& run, const ProjectSettings& settings,
               const std::unordered_set<std::string>& keep, bool dryRun, bool& ok) {
  const PruneResult pruned =
      PruneStalePages(run, PathFromText(AddTrailingBackslash(settings.InputPath)), keep, dryRun);
  for (const std::string& page : pruned.Pages) {
    PrintUtf8(stdout, dryRun ? WordMessage(kMsgPageToRemove, ErrorArg::Path(page))
                             : WordMessage(kMsgPageRemoved, ErrorArg::Path(page)));
  }
  for (const Error& failure : pruned.Failures) {
    PrintError(stderr, failure);
  }
  ok = pruned.Failures.empty();
  return static_cast<int>(pruned.Pages.size());
}

// What the last line of a conversion says besides the run's counts.
struct Summary {
  int warnings = 0;
  bool strict = false;
  std::optional<int> pruned; ///< with --prune: the stale pages removed, or to be removed
  bool dryRun = false;
};

// The last line of a conversion: the summary, with what --prune did before its warnings, and
// whether its warnings fail the command.
std::string SummaryLine(const RunCounts& counts, const Summary& summary) {
  std::string pruned;
  if (summary.pruned) {
    pruned = Format(summary.dryRun ? kSummaryToRemove : kSummaryRemoved, *summary.pruned);
  }
  std::string line = RunSummaryLine(counts, summary.warnings, pruned);
  if (summary.strict && summary.warnings > 0) {
    line += kSummaryWarningsFail;
  }
  return line;
}

} // namespace

int RunConvertCommand(const Options& options) {
  const bool projectMode = !options.ProjectFile.empty();
  ProjectModel model(ProgramFolderOf(options));
  if (projectMode) {
    // The project's templates take the place of those read from the Templates folder, also
    // when the project holds none.
    OpenExistingProject(model, options.ProjectFile);
  }
  // A missing help compiler stops the command before anything is written.
  SystemProgramRunner runner;
  const std::string compiler = options.Compile ? FindHelpCompiler(runner) : std::string();
  model.ReadInstallation();
  if (!projectMode) {
    model.StartFresh();
    ApplySettingFlags(options.Settings, model.Edit());
  }
  const bool strict = options.Strict.value_or(model.Settings().WarningsAsErrors);
  if (options.WebHelp) {
    model.Edit().Help.WebHelp = *options.WebHelp;
  }
  // Among the sources, pruning could remove what is no page.
  if (options.Prune && !HasOwnOutputFolder(model.Settings())) {
    throw MakeError(FileOperation::Precondition, {}, 0, kErrPruneNeedsOutputFolder);
  }

  // Only a project run asks at the terminal; a run from flags is answered by its flags alone.
  const bool mayAsk =
      projectMode && IsTerminal(StandardStream::Input) && IsTerminal(StandardStream::Error);
  const bool verbose = !options.Quiet && IsTerminal(StandardStream::Error);
  CliInteraction interaction(options.Yes, mayAsk, verbose);
  TerminalProgress progress(stderr, verbose);
  InstallInterruptHandler();

  // The folder stays locked from the conversion through the pruning, the help project and its
  // compile, so that no other run writes pages between them.
  RunLock folderLock;
  const JobOutcome outcome = model.Convert(interaction, &progress, &folderLock);
  if (outcome == JobOutcome::Declined) {
    return kExitFailure;
  }
  const RunResult& run = model.LastRun();
  WarningList warnings = run.Warnings;
  PrintWarnings(warnings);
  bool cancelled = outcome == JobOutcome::Cancelled;
  bool helpOk = true;
  bool pruneOk = true;
  Summary summary;
  summary.strict = strict;
  summary.dryRun = options.DryRun;
  if (!cancelled && options.Prune) {
    summary.pruned =
        PruneStale(run, model.Settings(), interaction.Copied(), options.DryRun, pruneOk);
  }
  if (!cancelled && options.HelpProject) {
    HelpProjectResult help;
    try {
      model.BuildHelpProject(help, &folderLock);
    } catch (const Error& e) {
      // Without a conversion into a folder there is nothing to build from: said, and the
      // command goes on to its summary. Other failures end the command.
      if (e.Parts().operation != FileOperation::Precondition) {
        throw;
      }
      PrintError(stderr, e);
      helpOk = false;
    }
    if (helpOk) {
      if (!options.Quiet) {
        PrintAnsi(stderr, kMsgProjectsWritten);
      }
      PrintWarnings(help.Warnings);
      warnings.insert(warnings.end(), help.Warnings.begin(), help.Warnings.end());
      if (options.Compile && !run.OutsideTargets.empty()) {
        // The compiler would pack the files they name into the help file.
        const OutsideTarget& first = run.OutsideTargets.front();
        PrintUtf8(stderr,
                  MakeError(FileOperation::Source, first.where.file, first.where.line,
                            kMsgTargetOutside, ErrorArg::Path(first.where.file),
                            ErrorArg::Number(first.where.line), ErrorArg::Text(first.target))
                      .Text());
        helpOk = false;
      } else if (options.Compile) {
        helpOk = CompileHelpProjects(model.Settings(), runner, compiler, options.Quiet);
        cancelled = InterruptRequested();
      }
    }
  }
  const int warned = static_cast<int>(warnings.size());
  summary.warnings = warned;
  const bool warningsFail = strict && warned > 0;
  if (!options.Quiet) {
    PrintUtf8(stderr, SummaryLine(run.Counts, summary));
  } else if (warningsFail) {
    PrintUtf8(stderr, Format(kMsgWarningsFailQuiet, warned));
  }
  if (cancelled) {
    PrintUtf8(stderr, kMsgCancelled);
    return kExitInterrupted;
  }
  // An error the run went past (a file not copied) still fails the command, so that a build
  // script notices it; warnings only with --strict.
  return helpOk && pruneOk && !interaction.ErrorReported() && !warningsFail ? kExitSuccess
                                                                            : kExitFailure;
}

} // namespace qm::cli
