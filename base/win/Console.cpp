#include "base/Console.h"

#include "base/win/Wide.h"

#include <atomic>
#include <io.h>
#include <windows.h>

#include <shellapi.h> // after windows.h, whose types it uses

namespace qm {

namespace {

std::atomic<bool> gInterrupted{false};

// The status of a program that Ctrl+C ended, as POSIX shells report it (128 + SIGINT), so that
// scripts see the same on both systems.
constexpr UINT kInterruptedStatus = 130;

// Runs on a thread of its own when Ctrl+C or Ctrl+Break reaches the console. The first one
// is taken as a request; a second one ends the program at once.
BOOL WINAPI OnConsoleControl(DWORD type) {
  if (type != CTRL_C_EVENT && type != CTRL_BREAK_EVENT) {
    return FALSE;
  }
  if (gInterrupted.exchange(true)) {
    ExitProcess(kInterruptedStatus);
  }
  return TRUE;
}

DWORD StdHandleOf(StandardStream stream) {
  switch (stream) {
  case StandardStream::Input:
    return STD_INPUT_HANDLE;
  case StandardStream::Output:
    return STD_OUTPUT_HANDLE;
  case StandardStream::Error:
    break;
  }
  return STD_ERROR_HANDLE;
}

bool IsConsole(HANDLE h) {
  DWORD mode = 0;
  return h != nullptr && h != INVALID_HANDLE_VALUE && GetConsoleMode(h, &mode) != 0;
}

} // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
  }
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) {
    args.push_back(win::Narrow(wide[i]));
  }
  LocalFree(wide);
  return args;
}

void WriteText(std::FILE* stream, std::string_view utf8) {
  const HANDLE h = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(stream)));
  if (!IsConsole(h)) {
    std::fwrite(utf8.data(), 1, utf8.size(), stream);
    return;
  }
  std::fflush(stream);
  const std::wstring wide = win::Widen(utf8);
  DWORD written = 0;
  WriteConsoleW(h, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
}

bool IsTerminal(StandardStream stream) {
  return IsConsole(GetStdHandle(StdHandleOf(stream)));
}

void InstallInterruptHandler() {
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

bool InterruptRequested() {
  return gInterrupted.load();
}

} // namespace qm
