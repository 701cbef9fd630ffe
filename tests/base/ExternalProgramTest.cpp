#include "TestUtil.h"

#include "base/Error.h"
#include "base/ExternalProgram.h"

#include <filesystem>
#ifndef _WIN32
#include <csignal>
#endif

using namespace qm;
using namespace qmtest;

#ifndef _WIN32
namespace {

/// Writes a shell script named name into folder, executable unless told otherwise.
std::string WriteScript(const std::string& folder, const std::string& name, const std::string& body,
                        bool executable = true) {
  const std::string path = folder + name;
  WriteFile(path, "#!/bin/sh\n" + body);
  std::filesystem::permissions(path, executable ? std::filesystem::perms::owner_all
                                                : std::filesystem::perms::owner_read |
                                                      std::filesystem::perms::owner_write);
  return path;
}

} // namespace
#endif

#ifdef _WIN32
TEST(ExternalProgram, RunsInTheFolderWithTheArgumentsAndCollectsBothChannels) {
  GTEST_SKIP() << "runs a shell script; the Windows runner is tested with a program of its own";
}
#else
TEST(ExternalProgram, RunsInTheFolderWithTheArgumentsAndCollectsBothChannels) {
  // The program runs in the given folder, gets each argument whole (blanks and UTF-8 kept),
  // reads no input, and what it writes on stdout and stderr arrives in the order written.
  TempDir tmp;
  const std::string script =
      WriteScript(tmp.path(), "p",
                  "pwd\nfor a in \"$@\"; do echo \"[$a]\"; done\n"
                  "echo fehlt >&2\nread line || echo keine-Eingabe\nexit 3\n");
  std::filesystem::create_directories(tmp / "Arbeits ordner");
  SystemProgramRunner runner;
  const ProgramRun run =
      runner.Run(script, {"Hand buch.Doc.hhp", "\xC3\xBC"}, tmp / "Arbeits ordner/");
  EXPECT_EQ(run.Output, tmp / "Arbeits ordner\n"
                              "[Hand buch.Doc.hhp]\n[\xC3\xBC]\nfehlt\nkeine-Eingabe\n");
  EXPECT_EQ(run.ExitStatus, 3);
  EXPECT_EQ(run.Signal, 0);
  EXPECT_FALSE(run.Succeeded());
}
#endif

#ifdef _WIN32
TEST(ExternalProgram, StartsTheProgramWithDefaultSignals) {
  GTEST_SKIP() << "Windows has no signals";
}
#else
TEST(ExternalProgram, StartsTheProgramWithDefaultSignals) {
  // The command line ignores the file-size signal for itself; a program it starts must not
  // inherit that, or a compiler that outgrows the limit would go on writing a cut file.
  TempDir tmp;
  const std::string script = WriteScript(tmp.path(), "p", "kill -XFSZ $$\necho weiter\n");
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  SystemProgramRunner runner;
  const ProgramRun run = runner.Run(script, {}, tmp.path());
  std::signal(SIGXFSZ, previous);
  EXPECT_EQ(run.Signal, SIGXFSZ);
  EXPECT_EQ(run.ExitStatus, -1);
  EXPECT_EQ(run.Output, "");
}
#endif

#ifdef _WIN32
TEST(ExternalProgram, FindsProgramsAsTheShellDoes) {
  GTEST_SKIP() << "the POSIX search path; Windows has its own test";
}
#else
TEST(ExternalProgram, FindsProgramsAsTheShellDoes) {
  // The first executable file of that name along the search path; files that cannot run and
  // folders are passed over; a name with a "/" is taken as it is.
  TempDir tmp;
  WriteScript(tmp / "a/", "chmcmd", "", false);
  std::filesystem::create_directories(tmp / "b/chmcmd");
  const std::string found = WriteScript(tmp / "c/", "chmcmd", "");
  WriteScript(tmp / "d/", "chmcmd", "");
  std::string path;
  for (const char* folder : {"a", "b", "nirgends", "c", "d"}) {
    path.append(path.empty() ? "" : ":").append(tmp / folder);
  }
  EXPECT_EQ(FindInSearchPath("chmcmd", path), found);
  EXPECT_EQ(FindInSearchPath("chmcmd", (tmp / "a:").append(tmp / "b")), "");
  EXPECT_EQ(FindInSearchPath("chmcmd", ""), "");
  EXPECT_EQ(FindInSearchPath(found, ""), found);
  EXPECT_EQ(FindInSearchPath(tmp / "a/chmcmd", path), "");
}
#endif

#ifdef _WIN32
TEST(ExternalProgram, AProgramThatCannotStartIsAnErrorNamingIt) {
  GTEST_SKIP() << "runs shell scripts; Windows has its own test";
}
#else
TEST(ExternalProgram, AProgramThatCannotStartIsAnErrorNamingIt) {
  // A folder that cannot be entered and a file that cannot run both fail with the program
  // and the system's reason; neither is a run that printed nothing.
  TempDir tmp;
  const std::string script = WriteScript(tmp.path(), "p", "echo nie\n");
  SystemProgramRunner runner;
  try {
    runner.Run(script, {}, tmp / "fehlt/");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Text(),
              "Das Programm " + script + " kann nicht gestartet werden: Datei nicht gefunden");
    EXPECT_EQ(e.Parts().operation, FileOperation::Run);
    EXPECT_EQ(e.Parts().path, script);
  }
  const std::string text = WriteScript(tmp.path(), "t", "echo nie\n", false);
  try {
    runner.Run(text, {}, tmp.path());
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Text(),
              "Das Programm " + text + " kann nicht gestartet werden: Dateizugriff verweigert");
  }
}
#endif
