// Starting quillmark-cli.exe on Windows, where the tests have no fork or posix_spawn.
#ifdef _WIN32
#include "CliFixture.h"

#include <cwchar>
#include <windows.h>

namespace qmtest {

namespace {

/// FixedEnvironment as the block CreateProcessW takes: each entry ends with a zero, the block
/// with one more.
std::wstring FixedEnvironmentBlock() {
  std::wstring block;
  wchar_t* strings = GetEnvironmentStringsW();
  for (const wchar_t* var = strings; *var != L'\0'; var += std::wcslen(var) + 1) {
    const std::wstring_view entry(var);
    const std::string ascii(entry.begin(), entry.end());
    if (KeptInFixedEnvironment(ascii)) {
      block.append(entry).push_back(L'\0');
    }
  }
  FreeEnvironmentStringsW(strings);
  for (const wchar_t* fixed : {L"LC_ALL=C", L"TZ=UTC", L"SOURCE_DATE_EPOCH=1764151200"}) {
    block.append(fixed).push_back(L'\0');
  }
  block.push_back(L'\0');
  return block;
}

/// text (UTF-8) as UTF-16.
std::wstring WideOf(std::string_view text) {
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
  return wide;
}

/// arg quoted so that the started program's run-time library reads it back unchanged.
std::wstring QuotedArgument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) {
    return arg;
  }
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out.push_back(c);
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

// The C run-time of Windows ends every line of a text stream with CR LF; the tests compare the
// lines as the program made them.
std::string WithLf(std::string text) {
  size_t out = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) {
      text[out++] = text[i];
    }
  }
  text.resize(out);
  return text;
}

} // namespace

CliResult RunCli(const std::vector<std::string>& args) {
  TempDir io;
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const auto open = [&](const std::string& path, bool write) {
    return CreateFileW(WideOf(path).c_str(), write ? GENERIC_WRITE : GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       write ? CREATE_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  const HANDLE in = open("NUL", false);
  const HANDLE out = open(io / "stdout", true);
  const HANDLE err = open(io / "stderr", true);
  std::wstring line = QuotedArgument(WideOf(kCliPath));
  for (const std::string& arg : args) {
    line += L" " + QuotedArgument(WideOf(arg));
  }
  std::wstring env = FixedEnvironmentBlock();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  CliResult result;
  if (CreateProcessW(WideOf(kCliPath).c_str(), line.data(), nullptr, nullptr, TRUE,
                     CREATE_UNICODE_ENVIRONMENT, env.data(), nullptr, &startup, &process)) {
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    result.Status = static_cast<int>(code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  } else {
    ADD_FAILURE() << "cannot start " << kCliPath;
  }
  for (const HANDLE h : {in, out, err}) {
    CloseHandle(h);
  }
  result.Out = WithLf(ReadFile(io / "stdout"));
  result.Err = WithLf(ReadFile(io / "stderr"));
  return result;
}

} // namespace qmtest
#endif
