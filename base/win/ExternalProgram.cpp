#include "base/ExternalProgram.h"

#include "base/AnsiText.h"
#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Paths.h"
#include "base/System.h"
#include "base/win/Wide.h"

#include <algorithm>
#include <cerrno>
#include <windows.h>

namespace qm {

namespace {

/// Windows-1252: "%s" is the program, the second "%s" the system's reason.
constexpr const char* kMsgCannotStart = "Das Programm %s kann nicht gestartet werden: %s";

/// The variables naming the folders of installed programs: the 32-bit one first, where
/// 32-bit tools such as HTML Help Workshop go on a 64-bit system.
constexpr const char* kProgramFilesVariables[] = {"ProgramFiles(x86)", "ProgramFiles"};

/// What a name without an extension is looked for with, in this order.
constexpr const char* kProgramExtensions[] = {".exe", ".com"};

[[noreturn]] void CannotStart(const std::string& program, int err) {
  throw Error::File(FileOperation::Run, kMsgCannotStart, program, err);
}

bool IsProgramFile(const std::string& path) {
  const std::optional<PathInfo> info = LookUp(path);
  return info && info->kind == EntryKind::File;
}

// The candidate path itself when it is a program file, else with each program extension
// when it has none; empty when none is.
std::string ProgramAt(const std::string& candidate) {
  if (IsProgramFile(candidate)) {
    return candidate;
  }
  if (ExtractFileExt(candidate).empty()) {
    for (const char* ext : kProgramExtensions) {
      if (IsProgramFile(candidate + ext)) {
        return candidate + ext;
      }
    }
  }
  return {};
}

// arg as the command line carries it, so that the started program's C run-time
// (CommandLineToArgvW's rules) gives it back unchanged: quoted when it is empty or holds a
// blank, a tab or a quote; inside quotes a quote is escaped, and backslashes are doubled where
// a quote follows them.
void AppendArgument(std::wstring& line, const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
    line += arg;
    return;
  }
  line.push_back(L'"');
  for (size_t i = 0;; ++i) {
    size_t backslashes = 0;
    while (i < arg.size() && arg[i] == L'\\') {
      ++backslashes;
      ++i;
    }
    if (i == arg.size()) {
      line.append(backslashes * 2, L'\\');
      break;
    }
    if (arg[i] == L'"') {
      line.append(backslashes * 2 + 1, L'\\');
    } else {
      line.append(backslashes, L'\\');
    }
    line.push_back(arg[i]);
  }
  line.push_back(L'"');
}

// The started program's output, written in the ANSI code page as console programs write to a
// pipe, as UTF-8.
std::string OutputAsUtf8(const std::string& bytes) {
  if (bytes.empty()) {
    return bytes;
  }
  const int n =
      MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
  return win::Narrow(wide);
}

/// Closes the handles it holds when it goes.
class Handles {
public:
  ~Handles() {
    for (HANDLE h : held_) {
      if (h != nullptr && h != INVALID_HANDLE_VALUE) {
        CloseHandle(h);
      }
    }
  }
  HANDLE Keep(HANDLE h) {
    held_.push_back(h);
    return h;
  }
  void Close(HANDLE h) {
    for (HANDLE& held : held_) {
      if (held == h) {
        CloseHandle(held);
        held = nullptr;
      }
    }
  }

private:
  std::vector<HANDLE> held_;
};

} // namespace

std::vector<std::string> ProgramFilesFolders() {
  std::vector<std::string> folders;
  for (const char* variable : kProgramFilesVariables) {
    std::string folder;
    if (sys::Environment(variable, folder) && !folder.empty() &&
        std::find_if(folders.begin(), folders.end(), [&](const std::string& known) {
          return SameText(known, folder);
        }) == folders.end()) {
      folders.push_back(folder);
    }
  }
  return folders;
}

std::string FindInSearchPath(std::string_view name, std::string_view searchPath) {
  if (name.empty()) {
    return {};
  }
  if (name.find_first_of("\\/:") != std::string_view::npos) {
    return ProgramAt(std::string(name));
  }
  size_t start = 0;
  while (start <= searchPath.size()) {
    size_t end = searchPath.find(';', start);
    if (end == std::string_view::npos) {
      end = searchPath.size();
    }
    const std::string_view folder = searchPath.substr(start, end - start);
    if (!folder.empty()) {
      const std::string found = ProgramAt(AddTrailingBackslash(folder) + std::string(name));
      if (!found.empty()) {
        return found;
      }
    }
    start = end + 1;
  }
  return {};
}

std::string SystemProgramRunner::Find(std::string_view name) {
  std::string path;
  sys::Environment("PATH", path);
  return FindInSearchPath(name, path);
}

ProgramRun SystemProgramRunner::Run(const std::string& program,
                                    const std::vector<std::string>& args,
                                    const std::string& folder) {
  // The program runs in folder: one that is missing is a reason of its own, not "bad folder".
  if (!folder.empty() && !DirectoryExists(folder)) {
    CannotStart(program, PathExists(folder) ? ENOTDIR : ENOENT);
  }
  std::wstring line = L"\"" + win::WidePath(program) + L"\"";
  for (const std::string& arg : args) {
    line.push_back(L' ');
    AppendArgument(line, win::Widen(arg));
  }

  Handles handles;
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE outputRead = nullptr;
  HANDLE outputWrite = nullptr;
  if (!CreatePipe(&outputRead, &outputWrite, &inherit, 0)) {
    CannotStart(program, win::ErrnoOf(GetLastError()));
  }
  handles.Keep(outputRead);
  handles.Keep(outputWrite);
  SetHandleInformation(outputRead, HANDLE_FLAG_INHERIT, 0);
  const HANDLE input =
      handles.Keep(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                               OPEN_EXISTING, 0, nullptr));

  // Only the three standard handles are handed to the program, not every inheritable handle
  // that another thread of this process may hold at this moment.
  HANDLE inherited[] = {input, outputWrite};
  SIZE_T size = 0;
  InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
  std::vector<char> attributeStore(size);
  auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributeStore.data());
  const bool limited = InitializeProcThreadAttributeList(attributes, 1, 0, &size) &&
                       UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST,
                                                 inherited, sizeof inherited, nullptr, nullptr);
  STARTUPINFOEXW startup{};
  startup.StartupInfo.cb = sizeof startup;
  startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
  startup.StartupInfo.hStdInput = input;
  startup.StartupInfo.hStdOutput = outputWrite;
  startup.StartupInfo.hStdError = outputWrite;
  startup.lpAttributeList = limited ? attributes : nullptr;
  PROCESS_INFORMATION process{};
  const std::wstring wideFolder = win::WidePath(folder);
  const bool started =
      CreateProcessW(win::WidePath(program).c_str(), line.data(), nullptr, nullptr, TRUE,
                     CREATE_UNICODE_ENVIRONMENT | (limited ? EXTENDED_STARTUPINFO_PRESENT : 0),
                     nullptr, folder.empty() ? nullptr : wideFolder.c_str(), &startup.StartupInfo,
                     &process) != 0;
  const DWORD startError = GetLastError();
  if (limited) {
    DeleteProcThreadAttributeList(attributes);
  }
  if (!started) {
    CannotStart(program, win::ErrnoOf(startError));
  }
  handles.Keep(process.hProcess);
  handles.Keep(process.hThread);
  // The program now holds the writing end; once it ends, reading finds the end of the pipe.
  handles.Close(outputWrite);

  std::string output;
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(outputRead, buf, sizeof buf, &got, nullptr) && got > 0) {
    output.append(buf, got);
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  ProgramRun run;
  run.ExitStatus = static_cast<int>(code);
  run.Output = OutputAsUtf8(output);
  return run;
}

} // namespace qm
