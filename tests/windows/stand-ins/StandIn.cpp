// A stand-in for a help compiler, built as hhc.exe (QM_STAND_IN_HHC) or chmcmd.exe. It prints
// each argument it received as "[argument]" (in the ANSI code page, as console programs write
// to a pipe), writes the help file that the project file it was given names, and ends with the
// status of success of the program it stands for: 1 for hhc.exe, 0 for chmcmd.exe. With the
// environment variable QM_STAND_IN_FAIL set it writes nothing, prints an error line and ends
// with that program's status of failure.
#include <cstdio>
#include <cwchar>
#include <string>
#include <windows.h>

#ifdef QM_STAND_IN_HHC
constexpr int kSuccess = 1;
constexpr int kFailure = 0;
#else
constexpr int kSuccess = 0;
constexpr int kFailure = 1;
#endif

namespace {

std::string Ansi(const wchar_t* text) {
  const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, out.data(), n, nullptr, nullptr);
  out.resize(out.empty() ? 0 : out.size() - 1);
  return out;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
  for (int i = 1; i < argc; ++i) {
    std::printf("[%s]\n", Ansi(argv[i]).c_str());
  }
  if (GetEnvironmentVariableW(L"QM_STAND_IN_FAIL", nullptr, 0) != 0) {
    std::printf("Error: the project cannot be compiled\n");
    return kFailure;
  }
  // The help file is the one the project's "Compiled file=" line names, as the compilers do.
  std::string help;
  if (FILE* project = argc > 1 ? _wfopen(argv[1], L"rb") : nullptr) {
    char line[1024];
    while (std::fgets(line, sizeof line, project) != nullptr) {
      const std::string text = line;
      if (text.rfind("Compiled file=", 0) == 0) {
        help = text.substr(14, text.find_first_of("\r\n") - 14);
      }
    }
    std::fclose(project);
  }
  if (!help.empty()) {
    if (FILE* out = std::fopen(help.c_str(), "wb")) {
      std::fputs("ITSF", out);
      std::fclose(out);
    }
  }
  return kSuccess;
}
