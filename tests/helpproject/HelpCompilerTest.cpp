#include "TestUtil.h"

#include "HelpTestUtil.h"
#include "base/Paths.h"
#include "helpproject/HelpCompiler.h"
#include "helpproject/HelpProjectRun.h"

#include <filesystem>
#include <unistd.h>

using namespace qm;
using namespace qmtest;

namespace {

/// Answers in the compiler's place and records how it was called. Like the compiler, it
/// writes Writes (when not empty) into the file that the project's "Compiled file=" names.
class ScriptedRunner final : public ProgramRunner {
public:
  std::string Found = "/usr/bin/chmcmd";
  ProgramRun Answer;
  std::string Writes;
  std::string Program;
  std::vector<std::string> Args;
  std::string Folder;

  std::string Find(std::string_view name) override { return name == "chmcmd" ? Found : ""; }
  ProgramRun Run(const std::string& program, const std::vector<std::string>& args,
                 const std::string& folder) override {
    Program = program;
    Args = args;
    Folder = folder;
    const std::string project = ReadFile(folder + "/" + args.at(0));
    const size_t at = project.find("Compiled file=");
    if (!Writes.empty() && at != std::string::npos) {
      const size_t start = at + 14;
      WriteFile(folder + "/" + project.substr(start, project.find('\r', start) - start), Writes);
    }
    return Answer;
  }
};

/// A project file for the compiled file name, as the help project writes it.
void WriteProject(const std::string& folder, const std::string& name, const std::string& chm) {
  WriteFile(folder + name, CrLf({"[OPTIONS]", "Compiled file=" + chm, "", "[FILES]", "A.htm"}));
}

ProgramRun Ended(int status, std::string output) {
  ProgramRun run;
  run.ExitStatus = status;
  run.Output = std::move(output);
  return run;
}

} // namespace

TEST(HelpCompiler, RunsInTheProjectFolderWithTheProjectsName) {
  // The compiler resolves "#include" against its working folder, so it runs in the output
  // folder and gets a bare file name, that of a copy of the project (a name no option can
  // start with) which has it write the help file in a temporary folder. The finished file
  // replaces the old one; no temporary file or folder stays.
  TempDir tmp;
  const std::string folder = tmp / "aus gabe/";
  std::filesystem::create_directories(folder);
  WriteProject(folder, "Hand buch.Doc.hhp", "Hand buch.Doc.chm");
  WriteFile(folder + "Hand buch.Doc.chm", "alt");
  ScriptedRunner runner;
  runner.Answer = Ended(0, "Writing CHM Hand buch.Doc.chm\n");
  runner.Writes = "neu";
  const HelpCompileResult result =
      CompileHelpProject(runner, FindHelpCompiler(runner), folder + "Hand buch.Doc.hhp");
  EXPECT_EQ(runner.Program, "/usr/bin/chmcmd");
  ASSERT_EQ(runner.Args.size(), 1u);
  EXPECT_TRUE(runner.Args[0].starts_with(".Hand buch.Doc.hhp.qmtmp")) << runner.Args[0];
  EXPECT_TRUE(runner.Args[0].ends_with(".hhp")) << runner.Args[0];
  EXPECT_EQ(runner.Folder, folder);
  EXPECT_EQ(result.CompiledFile, folder + "Hand buch.Doc.chm");
  EXPECT_EQ(ReadFile(folder + "Hand buch.Doc.chm"), "neu");
  EXPECT_EQ(FileNames(folder), (Lines{"Hand buch.Doc.chm", "Hand buch.Doc.hhp"}));
  EXPECT_TRUE(result.Ok());
  EXPECT_EQ(CompileReport(result, true),
            std::vector<std::string>{folder + "Hand buch.Doc.hhp: Hilfedatei " + folder +
                                     "Hand buch.Doc.chm geschrieben"});
  EXPECT_TRUE(CompileReport(result, false).empty());
}

TEST(HelpCompiler, PassesOnErrorsWarningsAndTheExceptionThatEndedIt) {
  // Of everything the compiler prints only its fault lines are passed on, each whole; its
  // banner, progress and the addresses of a crash are not.
  const std::string output = "chmcmd, a CHM compiler. (c) 2010-2019 Free Pascal core.\r\n"
                             "\r\n"
                             "Warning: File B.htm does not exist\r\n"
                             "Writing CHM T.Doc.chm\n"
                             "error: Anchor A.htm#x undefined; first use A.htm\n"
                             "An unhandled exception occurred at $0000000000416AC9:\n"
                             "EFOpenError: Unable to open file \"/o/B.htm\": No such file\n"
                             "  $0000000000416AC9\n"
                             "Hint: 3 files\n"
                             "Errors: none: really\n"
                             "No Error: here";
  EXPECT_EQ(
      CompilerFaults(output),
      (std::vector<std::string>{"Warning: File B.htm does not exist",
                                "error: Anchor A.htm#x undefined; first use A.htm",
                                "EFOpenError: Unable to open file \"/o/B.htm\": No such file"}));
}

TEST(HelpCompiler, AnErrorLineFailsTheCompileAlsoWhenTheCompilerExitsWithZero) {
  // A link to a missing anchor is only an "Error:" line with exit status 0: the help file is
  // written, but the compile is not reported as a success.
  TempDir tmp;
  ASSERT_TRUE(std::filesystem::create_directory(tmp / "o"));
  WriteProject(tmp / "o/", "T.Doc.hhp", "T.Doc.chm");
  ScriptedRunner runner;
  runner.Answer = Ended(0, "Error: Anchor A.htm#x undefined; first use A.htm\n"
                           "Warning: something\n");
  const std::string project = tmp / "o/T.Doc.hhp";
  const HelpCompileResult result = CompileHelpProject(runner, "/c", project);
  EXPECT_FALSE(result.Ok());
  EXPECT_EQ(
      CompileReport(result, true),
      (std::vector<std::string>{project + ": Error: Anchor A.htm#x undefined; first use A.htm",
                                project + ": Warning: something"}));

  // Warnings alone do not fail it.
  runner.Answer = Ended(0, "Warning: something\n");
  EXPECT_TRUE(CompileHelpProject(runner, "/c", project).Ok());
}

TEST(HelpCompiler, AFailedRunNamesItsStatusOrSignalAndKeepsTheOldFile) {
  // What a compiler that fails or is stopped wrote never reaches the help file. A project
  // without a folder is compiled in the current one.
  TempDir tmp;
  const std::string cwd = std::filesystem::current_path().string();
  ASSERT_EQ(chdir(tmp.path().c_str()), 0);
  WriteProject(tmp / "", "T.Tech.hhp", "T.Tech.chm");
  WriteFile(tmp / "T.Tech.chm", "alt");
  ScriptedRunner runner;
  runner.Writes = "halb";
  runner.Answer = Ended(217, "EFOpenError: Unable to open file \"B.htm\"\n");
  HelpCompileResult result = CompileHelpProject(runner, "/c", "T.Tech.hhp");
  EXPECT_FALSE(result.Ok());
  EXPECT_EQ(runner.Folder, ".");
  EXPECT_EQ(CompileReport(result, true),
            (std::vector<std::string>{"T.Tech.hhp: EFOpenError: Unable to open file \"B.htm\"",
                                      "T.Tech.hhp: chmcmd endete mit Status 217"}));

  runner.Answer = ProgramRun{-1, 9, ""};
  result = CompileHelpProject(runner, "/c", "T.Tech.hhp");
  EXPECT_FALSE(result.Ok());
  EXPECT_EQ(CompileReport(result, true),
            std::vector<std::string>{"T.Tech.hhp: chmcmd wurde durch Signal 9 beendet"});
  EXPECT_EQ(ReadFile(tmp / "T.Tech.chm"), "alt");
  EXPECT_EQ(FileNames(tmp.path()), (Lines{"T.Tech.chm", "T.Tech.hhp"}));
  ASSERT_EQ(chdir(cwd.c_str()), 0);
}

TEST(HelpCompiler, ProjectFilesAreThoseOfTheEnabledKindsInTheOrderWritten) {
  HelpProjectSettings settings;
  settings.Title = "Hand\xFC"
                   "buch";
  // A folder without a separator gets the system's own.
  const std::string aus = std::string("aus") + kPathSep;
  EXPECT_EQ(ProjectFilesOf(settings, "aus"), (std::vector<std::string>{aus + "Hand\xC3\xBC"
                                                                             "buch.Tech.hhp",
                                                                       aus + "Hand\xC3\xBC"
                                                                             "buch.Doc.hhp"}));
  settings.TechHelpEnabled = false;
  EXPECT_EQ(ProjectFilesOf(settings, "aus/"), std::vector<std::string>{"aus/Hand\xC3\xBC"
                                                                       "buch.Doc.hhp"});
  settings.DocHelpEnabled = false;
  EXPECT_TRUE(ProjectFilesOf(settings, "aus").empty());
}
