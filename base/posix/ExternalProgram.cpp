#include "base/ExternalProgram.h"

#include "base/Error.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace qm {

namespace {

/// Windows-1252: "%s" is the program, the second "%s" the system's reason.
constexpr const char* kMsgCannotStart = "Das Programm %s kann nicht gestartet werden: %s";

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

[[noreturn]] void CannotStart(const std::string& program, int err) {
  throw Error::File(FileOperation::Run, kMsgCannotStart, program, err);
}

/// Closes the descriptors it holds when it goes.
class Fds {
public:
  ~Fds() {
    for (int fd : fds_) {
      if (fd >= 0) {
        ::close(fd);
      }
    }
  }
  /// A pipe whose two ends close on exec; false when it cannot be made.
  bool Pipe(int (&ends)[2]) {
    if (::pipe2(ends, O_CLOEXEC) != 0) {
      return false;
    }
    fds_.push_back(ends[0]);
    fds_.push_back(ends[1]);
    return true;
  }
  void Close(int fd) {
    for (int& held : fds_) {
      if (held == fd) {
        ::close(held);
        held = -1;
      }
    }
  }

private:
  std::vector<int> fds_;
};

/// In the started process, between fork and exec: only calls that are safe there. On a
/// failure the errno goes back through errorPipe.
[[noreturn]] void StartChild(const char* program, char* const* argv, const char* folder,
                             int outputPipe, int errorPipe) {
  int err = 0;
  const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  if (devNull < 0 || ::dup2(devNull, STDIN_FILENO) < 0 || ::dup2(outputPipe, STDOUT_FILENO) < 0 ||
      ::dup2(outputPipe, STDERR_FILENO) < 0 || (folder[0] != '\0' && ::chdir(folder) != 0)) {
    err = errno;
  } else {
    struct sigaction deflt {};
    deflt.sa_handler = SIG_DFL;
    for (int sig = 1; sig < NSIG; ++sig) {
      ::sigaction(sig, &deflt, nullptr); // fails harmlessly for SIGKILL, SIGSTOP and gaps
    }
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::execv(program, argv);
    err = errno;
  }
  [[maybe_unused]] const ssize_t n = ::write(errorPipe, &err, sizeof err);
  ::_exit(127);
}

} // namespace

std::vector<std::string> ProgramFilesFolders() {
  return {};
}

std::string FindInSearchPath(std::string_view name, std::string_view searchPath) {
  if (name.empty()) {
    return {};
  }
  if (name.find('/') != std::string_view::npos) {
    return IsExecutableFile(std::string(name)) ? std::string(name) : std::string();
  }
  size_t start = 0;
  while (start <= searchPath.size()) {
    size_t end = searchPath.find(':', start);
    if (end == std::string_view::npos) {
      end = searchPath.size();
    }
    // An empty entry is the current folder.
    std::string candidate(end > start ? searchPath.substr(start, end - start) : ".");
    candidate += '/';
    candidate += name;
    if (IsExecutableFile(candidate)) {
      return candidate;
    }
    start = end + 1;
  }
  return {};
}

std::string SystemProgramRunner::Find(std::string_view name) {
  const char* path = std::getenv("PATH");
  return FindInSearchPath(name, path != nullptr ? path : "");
}

ProgramRun SystemProgramRunner::Run(const std::string& program,
                                    const std::vector<std::string>& args,
                                    const std::string& folder) {
  // Everything the started process needs is made before it is started.
  std::vector<std::string> store{program};
  store.insert(store.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : store) {
    argv.push_back(arg.data());
  }
  argv.push_back(nullptr);

  Fds fds;
  int output[2];
  int errors[2];
  if (!fds.Pipe(output) || !fds.Pipe(errors)) {
    CannotStart(program, errno);
  }
  const pid_t pid = ::fork();
  if (pid < 0) {
    CannotStart(program, errno);
  }
  if (pid == 0) {
    StartChild(program.c_str(), argv.data(), folder.c_str(), output[1], errors[1]);
  }
  fds.Close(output[1]);
  fds.Close(errors[1]);

  ProgramRun run;
  char buf[4096];
  for (;;) {
    const ssize_t n = ::read(output[0], buf, sizeof buf);
    if (n > 0) {
      run.Output.append(buf, static_cast<size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      break;
    }
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  int startError = 0;
  ssize_t got = 0;
  do {
    got = ::read(errors[0], &startError, sizeof startError);
  } while (got < 0 && errno == EINTR);
  if (got == static_cast<ssize_t>(sizeof startError)) {
    CannotStart(program, startError);
  }
  if (WIFSIGNALED(status)) {
    run.Signal = WTERMSIG(status);
  } else {
    run.ExitStatus = WEXITSTATUS(status);
  }
  return run;
}

} // namespace qm
