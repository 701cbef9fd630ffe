#include "TestUtil.h"

#include "helpproject/HelpCompiler.h"
#include "helpproject/HelpProjectRun.h"

using namespace qm;
using namespace qmtest;

namespace {

/// Answers in the compiler's place and records how it was called.
class ScriptedRunner final : public ProgramRunner {
public:
  std::string Found = "/usr/bin/chmcmd";
  ProgramRun Answer;
  std::string Program;
  std::vector<std::string> Args;
  std::string Folder;

  std::string Find(std::string_view name) override { return name == "chmcmd" ? Found : ""; }
  ProgramRun Run(const std::string& program, const std::vector<std::string>& args,
                 const std::string& folder) override {
    Program = program;
    Args = args;
    Folder = folder;
    return Answer;
  }
};

ProgramRun Ended(int status, std::string output) {
  ProgramRun run;
  run.ExitStatus = status;
  run.Output = std::move(output);
  return run;
}

} // namespace

TEST(HelpCompiler, RunsInTheProjectFolderWithTheProjectsName) {
  // The compiler resolves "#include" against its working folder, so it runs in the output
  // folder and gets the project's bare file name; the help file it makes is named alike.
  ScriptedRunner runner;
  runner.Answer = Ended(0, "Writing CHM Hand buch.Doc.chm\n");
  const HelpCompileResult result =
      CompileHelpProject(runner, FindHelpCompiler(runner), "/aus/gabe/Hand buch.Doc.hhp");
  EXPECT_EQ(runner.Program, "/usr/bin/chmcmd");
  EXPECT_EQ(runner.Args, std::vector<std::string>{"Hand buch.Doc.hhp"});
  EXPECT_EQ(runner.Folder, "/aus/gabe/");
  EXPECT_EQ(result.CompiledFile, "/aus/gabe/Hand buch.Doc.chm");
  EXPECT_TRUE(result.Ok());
  EXPECT_EQ(CompileReport(result, true),
            std::vector<std::string>{
                "/aus/gabe/Hand buch.Doc.hhp: Hilfedatei /aus/gabe/Hand buch.Doc.chm geschrieben"});
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
  ScriptedRunner runner;
  runner.Answer = Ended(0, "Error: Anchor A.htm#x undefined; first use A.htm\n"
                           "Warning: something\n");
  const HelpCompileResult result = CompileHelpProject(runner, "/c", "o/T.Doc.hhp");
  EXPECT_FALSE(result.Ok());
  EXPECT_EQ(
      CompileReport(result, true),
      (std::vector<std::string>{"o/T.Doc.hhp: Error: Anchor A.htm#x undefined; first use A.htm",
                                "o/T.Doc.hhp: Warning: something"}));

  // Warnings alone do not fail it.
  runner.Answer = Ended(0, "Warning: something\n");
  EXPECT_TRUE(CompileHelpProject(runner, "/c", "o/T.Doc.hhp").Ok());
}

TEST(HelpCompiler, AFailedRunNamesItsStatusOrSignal) {
  ScriptedRunner runner;
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
}

TEST(HelpCompiler, ProjectFilesAreThoseOfTheEnabledKindsInTheOrderWritten) {
  HelpProjectSettings settings;
  settings.Title = "Hand\xFC"
                   "buch";
  EXPECT_EQ(ProjectFilesOf(settings, "aus"), (std::vector<std::string>{"aus/Hand\xC3\xBC"
                                                                       "buch.Tech.hhp",
                                                                       "aus/Hand\xC3\xBC"
                                                                       "buch.Doc.hhp"}));
  settings.TechHelpEnabled = false;
  EXPECT_EQ(ProjectFilesOf(settings, "aus/"), std::vector<std::string>{"aus/Hand\xC3\xBC"
                                                                       "buch.Doc.hhp"});
  settings.DocHelpEnabled = false;
  EXPECT_TRUE(ProjectFilesOf(settings, "aus").empty());
}
