#include "EntryText.h"
#include "HelpTestUtil.h"

#include "base/Error.h"
#include "base/TextFile.h"
#include "engine/Generator.h"

using namespace qm;
using namespace qmtest;

namespace {

/// What a conversion into pages/ leaves: Doc with every list, Tech with pages,
/// index entries and context ids but no contents entries.
struct Converted {
  TempDir tmp;
  std::string program = MakeProgramFolder(tmp);
  const TGenerator generator{program};
  RunResult run;

  Converted() {
    const std::string pages = tmp / "pages/";
    KindRecords& doc = run.Of(DocKind::Doc);
    KindRecords& tech = run.Of(DocKind::Tech);
    run.OutputFolder = pages;
    doc.Pages = {pages + "Main.Doc.htm"};
    doc.Toc = Entries({"Bedienung;Hauptfenster;haupt;Main.Doc.htm"});
    doc.Index = Entries({"Fenster;Hauptfenster;haupt;Main.Doc.htm"});
    doc.ContextIds = Ids({"1001;Main Window;" + pages + "Main.Doc.htm"});
    tech.Pages = {pages + "Main.Tech.htm"};
    tech.Index = Entries({"Klasse;TMain;Main.Tech.htm"});
    tech.ContextIds = Ids({"5;Intern;" + pages + "Main.Tech.htm"});
  }
};

HelpProjectSettings AllOn() {
  HelpProjectSettings s;
  s.Title = "Handbuch";
  s.MapHeaderPascal = true;
  s.MapHeaderJava = true;
  return s;
}

} // namespace

TEST(HelpProjectRun, RefusesBeforeAConversion) {
  // Without a conversion (output folder empty or "/") the run fails as a precondition with
  // the message's line breaks expanded, and writes nothing.
  Converted c;
  const std::string out = c.tmp / "out/";
  std::filesystem::create_directories(out);
  for (const char* folder : {"", "/"}) {
    c.run.OutputFolder = folder;
    HelpProjectResult result;
    try {
      RunHelpProject(c.run, c.generator.Tables(), AllOn(), out, c.program, result);
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.Parts().operation, FileOperation::Precondition);
      EXPECT_EQ(std::string(e.what()), "Diese Funktion k\xF6nnen Sie erst dann nutzen,\r\n"
                                       "wenn Sie die HTML-Ausgabe erstellt haben\r\n"
                                       "(innerhalb einer Sitzung).");
    }
    EXPECT_FALSE(result.ProjectsComplete);
    EXPECT_TRUE(result.Warnings.empty());
  }
  EXPECT_TRUE(FileNames(out).empty());
}

TEST(HelpProjectRun, WritesEveryFileIntoTheTypedFolder) {
  // All options on: both projects, the sitemaps that have entries, the three maps and the
  // alias file per kind, all in the folder typed now (slash added); the result lists the
  // projects and the map and alias files in the order they were written.
  Converted c;
  HelpProjectResult result;
  const std::string typed = c.tmp / "help";
  RunHelpProject(c.run, c.generator.Tables(), AllOn(), typed, c.program, result);

  EXPECT_EQ(FileNames(typed),
            (std::vector<std::string>{"DocAlias.h", "DocMap.h", "DocMap.java", "DocMapU.pas",
                                      "Handbuch.Doc.hhp", "Handbuch.Tech.hhp", "Index.Doc.hhk",
                                      "Index.Tech.hhk", "Table of Contents.Doc.hhc", "TechAlias.h",
                                      "TechMap.h", "TechMap.java", "TechMapU.pas"}));
  EXPECT_EQ(ReadFile(typed + "/TechAlias.h"), CrLf({"IDH_MAIN_INTERN=Main.Tech.htm"}));
  EXPECT_EQ(ReadFile(typed + "/Handbuch.Tech.hhp"),
            CrLf({"[OPTIONS]", "Compatibility=1.1 or later", "Compiled file=Handbuch.Tech.chm",
                  "Default topic=", "Display compile progress=Yes", "Full-text search=Yes",
                  "Index file=Index.Tech.hhk", "Language=0x407 Deutsch (Deutschland)", "",
                  "[FILES]", "Main.Tech.htm", "", "[ALIAS]", "#include TechAlias.h", "", "[MAP]",
                  "#include TechMap.h", "", "[INFOTYPES]"}));
  const std::string in = typed + "/";
  EXPECT_EQ(result.ProjectFiles,
            (std::vector<std::string>{in + "Handbuch.Tech.hhp", in + "Handbuch.Doc.hhp"}));
  EXPECT_TRUE(result.ProjectsComplete);
  EXPECT_EQ(result.MapFiles,
            (std::vector<std::string>{in + "DocMap.h", in + "TechMap.h", in + "DocMapU.pas",
                                      in + "TechMapU.pas", in + "DocMap.java", in + "TechMap.java",
                                      in + "DocAlias.h", in + "TechAlias.h"}));
  EXPECT_TRUE(result.Warnings.empty());
}

TEST(HelpProjectRun, MapAndAliasFilesIgnoreTheProjectBoxes) {
  // A kind whose project is off still gets its map and alias files when it has context ids;
  // with every box off nothing is written, yet the run completes.
  Converted c;
  HelpProjectSettings settings = AllOn();
  settings.DocHelpEnabled = false;
  settings.TechHelpEnabled = false;
  settings.MapHeaderPascal = false;
  settings.MapHeaderJava = false;
  c.run.Of(DocKind::Tech).ContextIds.clear();
  HelpProjectResult a;
  std::filesystem::create_directories(c.tmp / "a/");
  RunHelpProject(c.run, c.generator.Tables(), settings, c.tmp / "a/", c.program, a);
  EXPECT_EQ(FileNames(c.tmp / "a/"), (std::vector<std::string>{"DocAlias.h", "DocMap.h"}));
  EXPECT_TRUE(a.ProjectFiles.empty());
  EXPECT_EQ(a.MapFiles.size(), 2u);

  settings.AliasHeaders = false;
  settings.MapHeaderC = false;
  HelpProjectResult b;
  std::filesystem::create_directories(c.tmp / "b/");
  RunHelpProject(c.run, c.generator.Tables(), settings, c.tmp / "b/", c.program, b);
  EXPECT_TRUE(FileNames(c.tmp / "b/").empty());
  EXPECT_TRUE(b.ProjectsComplete);
  EXPECT_TRUE(b.MapFiles.empty());
}

TEST(HelpProjectRun, FailureKeepsEarlierFilesAndSkipsTheRest) {
  // A missing map template ends the run with the template named: the projects written
  // before stay and are in the result, and no map or alias file follows.
  Converted c;
  std::filesystem::remove(c.program + "Header.txt");
  HelpProjectResult result;
  const std::string out = c.tmp / "out/";
  try {
    RunHelpProject(c.run, c.generator.Tables(), AllOn(), out, c.program, result);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), Format(kMsgCannotOpen, (c.program + "Header.txt").c_str()));
  }
  EXPECT_EQ(FileNames(out),
            (std::vector<std::string>{"Handbuch.Doc.hhp", "Handbuch.Tech.hhp", "Index.Doc.hhk",
                                      "Index.Tech.hhk", "Table of Contents.Doc.hhc"}));
  EXPECT_EQ(result.ProjectFiles,
            (std::vector<std::string>{out + "Handbuch.Tech.hhp", out + "Handbuch.Doc.hhp"}));
  EXPECT_TRUE(result.ProjectsComplete);
  EXPECT_TRUE(result.MapFiles.empty());
}

TEST(HelpProjectRun, WebHelpComesLastPerEnabledKind) {
  // With the web help on, each enabled kind gets its page after the map and alias files, all
  // sharing one folder; when its shared files are missing, the help project is complete and
  // the missing file is named.
  Converted c;
  WriteFile(c.tmp / "pages/Main.Doc.htm", "<html><body>Text</body></html>");
  HelpProjectSettings settings = AllOn();
  settings.WebHelp = true;
  settings.TechHelpEnabled = false;
  settings.MapHeaderPascal = false;
  settings.MapHeaderJava = false;
  const std::string out = c.tmp / "out/";

  HelpProjectResult failed;
  try {
    RunHelpProject(c.run, c.generator.Tables(), settings, out, c.program, failed);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find(c.program + "webhelp/webhilfe.js"), std::string::npos)
        << e.what();
  }
  EXPECT_EQ(failed.MapFiles.size(), 4u);
  EXPECT_TRUE(failed.WebHelpFiles.empty());

  WriteWebHelpFiles(c.program);
  HelpProjectResult result;
  RunHelpProject(c.run, c.generator.Tables(), settings, out, c.program, result);
  EXPECT_EQ(result.WebHelpFiles, std::vector<std::string>{out + "Handbuch.Doc.html"});
  EXPECT_EQ(FileNames(out + "Handbuch.web"),
            (std::vector<std::string>{"Handbuch.Doc.suche.js", "lunr.min.js", "webhilfe.css",
                                      "webhilfe.js"}));
}
