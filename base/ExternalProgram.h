// Running another program (such as the help compiler) and collecting what it printed. The
// front ends and the help-project steps reach it through ProgramRunner, so tests can answer in
// its place and a window can run it on a worker thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// How one run of a program ended.
struct ProgramRun {
  int ExitStatus = -1; ///< the exit status; -1 when a signal ended the program
  int Signal = 0;      ///< the signal that ended it; 0 when it exited (always on Windows)
  /// Everything it printed on stdout and stderr, in the order it was written.
  std::string Output;

  bool Succeeded() const { return Signal == 0 && ExitStatus == 0; }
};

/// Runs programs. Implementations throw Error when the program cannot be started.
class ProgramRunner {
public:
  virtual ~ProgramRunner() = default;

  /// The full path of the program called name, found as the shell finds it: name itself when
  /// it holds a "/", else the first executable file of that name in the folders of PATH (see
  /// FindInSearchPath). Empty when there is none.
  virtual std::string Find(std::string_view name) = 0;

  /// Runs program (a path that Find returned) with args in folder, with no input, and waits
  /// for its end. Throws Error (operation Run, the program's path and the system's reason)
  /// when it cannot be started, also when folder cannot be entered.
  virtual ProgramRun Run(const std::string& program, const std::vector<std::string>& args,
                         const std::string& folder) = 0;
};

/// The runner of this platform. The program starts with the signals at their defaults, so
/// that one ignored here (the file-size limit) still ends it.
class SystemProgramRunner final : public ProgramRunner {
public:
  std::string Find(std::string_view name) override;
  ProgramRun Run(const std::string& program, const std::vector<std::string>& args,
                 const std::string& folder) override;
};

/// The folders that programs are installed into, where a program is looked for before PATH:
/// on Windows those of the variables ProgramFiles(x86) and ProgramFiles (each once, where
/// set); none elsewhere.
std::vector<std::string> ProgramFilesFolders();

/// The full path of the executable file name in the ":"-separated folder list searchPath; an
/// empty folder in the list is the current folder. Empty when there is none. On Windows the
/// list is ";"-separated, empty entries are passed over, a name with "\", "/" or ":" is taken
/// as it is, any existing file counts, and a name without an extension is also looked for with
/// ".exe" and ".com".
std::string FindInSearchPath(std::string_view name, std::string_view searchPath);

} // namespace qm
