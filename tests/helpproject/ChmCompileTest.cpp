#include "HelpTestUtil.h"

#include "engine/Generator.h"
#include "engine/Quelle.h"

#include <cstdio>
#include <sys/wait.h>

using namespace qm;
using namespace qmtest;

namespace {

const char* const kCompiler = "/usr/bin/chmcmd";

/// Runs command through the shell; returns its exit status and fills output with what it
/// printed on both channels.
int RunCommand(const std::string& command, std::string& output) {
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) {
    return -1;
  }
  char buf[4096];
  size_t n = 0;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) {
    output.append(buf, n);
  }
  const int status = ::pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

/// The lines of text that report a fault. The compiler exits with 0 also when a contents or
/// index link names an undefined anchor; it reports that on a line with "Error:". A context
/// id it cannot place makes it exit with 1 and call the project corrupt.
std::vector<std::string> ErrorLines(const std::string& text) {
  std::vector<std::string> found;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    const std::string lower = AnsiLowerCase(line);
    if (lower.find("error") != std::string::npos || lower.find("corrupt") != std::string::npos) {
      found.push_back(line);
    }
  }
  return found;
}

} // namespace

TEST(ChmCompile, ConvertedProjectCompiles) {
  // A converted tree's help project (pages, contents, index, alias and map files) is
  // accepted by a help compiler without errors, with every link and context id resolved.
  if (!Exists(kCompiler)) {
    GTEST_SKIP() << "chmcmd is not installed";
  }
  TempDir tmp;
  const std::string program =
      MakeProgramFolder(tmp, "A\r\nB\r\nH2\r\n", "&,&amp;\r\n",
                        "<HTML>\r\n<HEAD>\r\n<TITLE>%TITLE%</TITLE>\r\n</HEAD>\r\n<BODY>\r\n",
                        "<A NAME=\"%LINK%\"></A>\r\n<H2>%TITLE%</H2>\r\n"
                        "###Toc Bedienung;%TITLE%;%LINK%\r\n");
  for (const char* name : {"Header.txt", "Comment.txt"}) {
    WriteFile(program + name, ReadFile(std::string(QM_SOURCE_DIR) + "/data/" + name));
  }
  const std::string src = tmp / "src/";
  WriteFile(src + "Main.pas", "{###DocGen_Start Hauptfenster\r\n"
                              "###ContextID 1001\r\n"
                              "###Index Fenster;Hauptfenster;Hauptfenster\r\n"
                              "Das Hauptfenster zeigt <B>alles</B>.\r\n"
                              "###DocGen_End}\r\n"
                              "unit Main;\r\n");
  WriteFile(src + "Setup.pas", "{###DocGen_Start Optionen\r\n"
                               "###ContextID 1002\r\n"
                               "###Index Einstellungen;Optionen;Optionen\r\n"
                               "###Index Optionen\r\n"
                               "Hier stellen Sie alles ein.\r\n"
                               "###DocGen_End}\r\n"
                               "unit Setup;\r\n");
  const std::string out = tmp / "out/";
  std::filesystem::create_directories(out);

  const TGenerator generator(program);
  TQuelle quelle;
  quelle.Masks = {"*.pas"};
  quelle.Search(src);
  GeneratorOptions options;
  options.OutputFolder = out;
  const RunResult run = generator.Run(quelle, options, generator.InstalledTemplates());

  HelpProjectSettings settings;
  settings.Title = "Test";
  settings.DocDefaultPage = "Main.Doc.htm";
  settings.TechHelpEnabled = false;
  HelpProjectResult written;
  RunHelpProject(run, generator.Tables(), settings, out, program, written);
  ASSERT_TRUE(Exists(out + "Table of Contents.Doc.hhc"));
  ASSERT_TRUE(Exists(out + "Index.Doc.hhk"));
  ASSERT_TRUE(Exists(out + "DocMap.h"));
  ASSERT_TRUE(Exists(out + "DocAlias.h"));

  std::string output;
  const int status = RunCommand("cd '" + out + "' && " + kCompiler + " 'Test.Doc.hhp'", output);
  EXPECT_EQ(status, 0) << output;
  EXPECT_TRUE(ErrorLines(output).empty()) << output;
  EXPECT_TRUE(Exists(out + "Test.Doc.chm")) << output;
}
