#include "base/Console.h"

#include <csignal>
#include <unistd.h>

namespace qm {

namespace {

volatile std::sig_atomic_t gInterrupted = 0;

extern "C" void OnInterrupt(int /*signal*/) {
  gInterrupted = 1;
}

int DescriptorOf(StandardStream stream) {
  switch (stream) {
  case StandardStream::Input:
    return STDIN_FILENO;
  case StandardStream::Output:
    return STDOUT_FILENO;
  case StandardStream::Error:
    break;
  }
  return STDERR_FILENO;
}

} // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

void WriteText(std::FILE* stream, std::string_view utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
}

bool IsTerminal(StandardStream stream) {
  return ::isatty(DescriptorOf(stream)) == 1;
}

void InstallInterruptHandler() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // The handler is reset after the first signal, so that a second Ctrl+C ends the program.
  action.sa_flags = SA_RESETHAND;
  sigaction(SIGINT, &action, nullptr);
}

bool InterruptRequested() {
  return gInterrupted != 0;
}

} // namespace qm
