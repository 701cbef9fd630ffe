// The help project never writes outside its output folder and never leaves a help file
// half-written: titles that name another folder are refused, and every file is replaced
// atomically.
#include "EntryText.h"
#include "HelpTestUtil.h"

#include "base/Error.h"
#include "base/TextFile.h"
#include "engine/Generator.h"
#include "helpproject/AliasWriter.h"
#include "helpproject/MapHeaderWriter.h"
#include "helpproject/ProjectFileWriter.h"
#include "helpproject/SitemapWriter.h"

#include <functional>

using namespace qm;
using namespace qmtest;

namespace {

HelpProjectSettings Titled(const std::string& title) {
  HelpProjectSettings s;
  s.Title = title;
  return s;
}

} // namespace

TEST(HelpTitle, TitlesThatLeaveTheOutputFolderAreRefused) {
  // A title that is absolute, holds a separator, is "." or "..", or holds a line break ends
  // the run with the title named before any file is written, inside the output folder or
  // beside it. Titles that only look odd ("..Handbuch", "Hand.buch") are file names like any.
  TempDir tmp;
  const std::string program = MakeProgramFolder(tmp);
  const TGenerator generator(program);
  RunResult run;
  run.OutputFolder = tmp / "pages/";
  run.Of(DocKind::Doc).Pages = {tmp / "pages/Main.Doc.htm"};
  run.Of(DocKind::Doc).ContextIds = Ids({"1;Start;" + tmp / "pages/Main.Doc.htm"});
  const std::string out = tmp / "work/out/";
  std::filesystem::create_directories(out);

  for (const std::string title : {"../x", "/x", "a/b", "..", ".", "a\\b", "zwei\nZeilen"}) {
    HelpProjectResult written;
    try {
      RunHelpProject(run, generator.Tables(), Titled(title), out, program, written);
      ADD_FAILURE() << "no error for " << title;
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()),
                "Der Titel \"" + title + "\" ist kein g\xFCltiger Dateiname");
    }
    EXPECT_TRUE(written.ProjectFiles.empty());
    EXPECT_TRUE(FileNames(out).empty()) << title;
    EXPECT_EQ(FileNames(tmp / "work/"), std::vector<std::string>{"out"}) << title;
  }
  EXPECT_FALSE(Exists("/x.Doc.hhp"));

  HelpProjectResult written;
  RunHelpProject(run, generator.Tables(), Titled("..Handbuch"), out, program, written);
  EXPECT_TRUE(Exists(out + "..Handbuch.Doc.hhp"));
  // The writer itself refuses such a title too.
  EXPECT_THROW(WriteProjectFile(DocKind::Doc, Titled("../y"), run.Of(DocKind::Doc), out), Error);
  EXPECT_FALSE(Exists(tmp / "work/y.Doc.hhp"));
}

TEST(HelpFilesAtomic, AFullDiskDuringEachFileLeavesTheOldFile) {
  // Each help file is written beside its target and renamed over it: when the new text does
  // not fit, the failure names the file and the reason, the previous file is unchanged and
  // no temporary file is left behind.
  QM_POSIX_ONLY("a full disk is simulated with a file-size limit, which Windows lacks");
  TempDir tmp;
  const std::string program = MakeProgramFolder(tmp);
  const std::string folder = tmp / "out/";
  Lines pages, entryLines, idLines;
  for (int i = 0; i < 100; ++i) {
    const std::string page = "Seite" + std::to_string(i) + ".Doc.htm";
    pages.push_back(folder + page);
    entryLines.push_back("Gruppe;Thema " + std::to_string(i) + ";anker;" + page);
    idLines.push_back(std::to_string(1000 + i) + ";Thema " + std::to_string(i) + ";" + folder +
                      page);
  }
  const std::vector<KeywordEntry> entries = Entries(entryLines);
  const std::vector<ContextIdEntry> ids = Ids(idLines);
  const TagTable tags;
  const CharacterTable chars;
  HelpProjectSettings settings = Titled("Handbuch");
  const KindRecords lists{pages, entries, entries, ids};

  const std::vector<std::pair<std::string, std::function<void()>>> writers = {
      {"Handbuch.Doc.hhp", [&] { WriteProjectFile(DocKind::Doc, settings, lists, folder); }},
      {"Table of Contents.Doc.hhc",
       [&] { WriteContentsFile(DocKind::Doc, entries, folder, tags, chars); }},
      {"Index.Doc.hhk", [&] { WriteIndexFile(DocKind::Doc, entries, folder, tags, chars); }},
      {"DocMap.h",
       [&] { WriteMapHeader(DocKind::Doc, MapLanguage::C, ids, folder, program, chars); }},
      {"DocMapU.pas",
       [&] { WriteMapHeader(DocKind::Doc, MapLanguage::Pascal, ids, folder, program, chars); }},
      {"DocMap.java",
       [&] { WriteMapHeader(DocKind::Doc, MapLanguage::Java, ids, folder, program, chars); }},
      {"DocAlias.h", [&] { WriteAliasFile(DocKind::Doc, ids, folder, chars); }},
  };
  std::vector<std::string> names;
  for (const auto& [name, write] : writers) {
    WriteFile(folder + name, "alt\r\n");
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());

  for (const auto& [name, write] : writers) {
    std::string message = "<no error>";
    {
      const FileSizeLimit limit(1024);
      try {
        write();
      } catch (const Error& e) {
        message = e.what();
      }
    }
    EXPECT_EQ(message, "Datei " + folder + name +
                           ": Die Datei ist gr\xF6\xDF"
                           "er als erlaubt");
    EXPECT_EQ(ReadFile(folder + name), "alt\r\n") << name;
    EXPECT_EQ(FileNames(folder), names) << name;
    // Without the limit the same writer replaces the file.
    write();
    EXPECT_NE(ReadFile(folder + name), "alt\r\n") << name;
  }
}
