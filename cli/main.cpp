// quillmark-cli: the command-line front end. Parses the command line, runs one command and
// turns its outcome into the exit status.
#include "base/AnsiText.h"
#include "base/Console.h"
#include "base/Error.h"
#include "base/Process.h"
#include "cli/CliTexts.h"
#include "cli/ConvertCommand.h"
#include "cli/ExitStatus.h"
#include "cli/HelpText.h"
#include "cli/Options.h"
#include "cli/SaveCommand.h"
#include "cli/Terminal.h"

#include <cstdio>
#include <exception>
#include <new>
#include <string>
#include <vector>

namespace {

using namespace qm::cli;

int Run(const Options& options) {
  switch (options.Cmd) {
  case Command::Help:
    qm::WriteText(stdout, HelpText(options.HelpTopic));
    return kExitSuccess;
  case Command::Version:
    std::printf("%s %s\n", kProgramName, QM_VERSION);
    return kExitSuccess;
  case Command::Convert:
    return RunConvertCommand(options);
  case Command::Save:
    return RunSaveCommand(options);
  }
  return kExitFailure;
}

} // namespace

int main(int argc, char** argv) {
  // Dates and times in pages and project files follow the user's LC_TIME.
  qm::UseUserLocale();
  // A file that reaches the size limit fails its write with a reason instead of ending the
  // program without a word.
  qm::IgnoreFileSizeLimitSignal();
  const std::vector<std::string> args = qm::ProgramArguments(argc, argv);
  try {
    return Run(ParseArguments(args));
  } catch (const UsageError& e) {
    qm::WriteText(stderr, std::string(kProgramName) + ": " + e.what() + "\n" + kUsageShort);
    return kExitUsage;
  } catch (const qm::Error& e) {
    PrintError(stderr, e);
    return kExitFailure;
  } catch (const std::bad_alloc&) {
    PrintUtf8(stderr, qm::OutOfMemoryError().Text());
    return kExitFailure;
  } catch (const std::exception& e) {
    PrintUtf8(stderr, e.what());
    return kExitFailure;
  }
}
