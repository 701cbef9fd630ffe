#include "EntryText.h"
#include "TestUtil.h"

#include "base/Error.h"
#include "base/TextFile.h"
#include "helpproject/ProjectFileWriter.h"

using namespace qm;
using namespace qmtest;

namespace {

const Lines kNone;
const std::vector<KeywordEntry> kNoEntries;
const std::vector<ContextIdEntry> kNoIds;

} // namespace

TEST(ProjectFileWriter, WritesEveryOptionalLineWhenBoxesAndListsAllowIt) {
  // With both boxes checked, entries and context ids present, every optional line appears;
  // pages are named by file name in list order and the folder is created one level deep.
  TempDir tmp;
  HelpProjectSettings settings;
  settings.Title = "Handbuch";
  settings.DocDefaultPage = "C:\\Hilfe\\Start.Doc.htm";
  const Lines pages = {"/hilfe/Main.Doc.htm", "/hilfe/Unit1.Doc.htm"};
  const auto toc = Entries({"Bedienung;Hauptfenster;haupt;Main.Doc.htm"});
  const auto index = Entries({"Fenster;Hauptfenster;haupt;Main.Doc.htm"});
  const auto ids = Ids({"1001;Main Window;/hilfe/Main.Doc.htm"});
  const std::string folder = tmp / "out/";

  WriteProjectFile(DocKind::Doc, settings, {pages, toc, index, ids}, folder);

  EXPECT_EQ(ReadFile(folder + "Handbuch.Doc.hhp"), CrLf({"[OPTIONS]",
                                                         "Compatibility=1.1 or later",
                                                         "Compiled file=Handbuch.Doc.chm",
                                                         "Contents file=Table of Contents.Doc.hhc",
                                                         "Default topic=C:\\Hilfe\\Start.Doc.htm",
                                                         "Display compile progress=Yes",
                                                         "Full-text search=Yes",
                                                         "Index file=Index.Doc.hhk",
                                                         "Language=0x407 Deutsch (Deutschland)",
                                                         "",
                                                         "[FILES]",
                                                         "Main.Doc.htm",
                                                         "Unit1.Doc.htm",
                                                         "",
                                                         "[ALIAS]",
                                                         "#include DocAlias.h",
                                                         "",
                                                         "[MAP]",
                                                         "#include DocMap.h",
                                                         "",
                                                         "[INFOTYPES]"}));
}

TEST(ProjectFileWriter, LeavesOutLinesWhoseBoxOrListIsMissing) {
  // Contents/index lines need the kind's box and entries; alias/map need their box and
  // context ids; Pascal and Java maps never appear. Dialog texts are copied as typed.
  HelpProjectSettings settings;
  settings.Title = "";
  settings.Language = "0x409 English (United States)";
  settings.DocDefaultPage = "doc.htm";
  settings.TechDefaultPage = "";
  settings.TechToc = true;    // checked, but no entries
  settings.TechIndex = false; // entries, but unchecked
  settings.MapHeaderPascal = true;
  settings.MapHeaderJava = true;
  const Lines pages = {"/o/B.Tech.htm", "/o/A.Tech.htm", "/o/B.Tech.htm"};
  const auto index = Entries({"Wort;Titel;P.Tech.htm"});

  EXPECT_EQ(ProjectFileLines(DocKind::Tech, settings, {pages, kNoEntries, index, kNoIds}),
            (Lines{"[OPTIONS]", "Compatibility=1.1 or later", "Compiled file=.Tech.chm",
                   "Default topic=", "Display compile progress=Yes", "Full-text search=Yes",
                   "Language=0x409 English (United States)", "", "[FILES]", "B.Tech.htm",
                   "A.Tech.htm", "", "[INFOTYPES]"}));

  // Context ids present: only the map include when the alias box is off.
  settings.AliasHeaders = false;
  const auto ids = Ids({"7;T;/o/A.Tech.htm"});
  EXPECT_EQ(ProjectFileLines(DocKind::Tech, settings, {kNone, kNoEntries, kNoEntries, ids}),
            (Lines{"[OPTIONS]", "Compatibility=1.1 or later", "Compiled file=.Tech.chm",
                   "Default topic=", "Display compile progress=Yes", "Full-text search=Yes",
                   "Language=0x409 English (United States)", "", "[FILES]", "", "[MAP]",
                   "#include TechMap.h", "", "[INFOTYPES]"}));
}

TEST(ProjectFileWriter, UnwritableTargetNamesTheFile) {
  // The folder is created one level only; a deeper missing folder makes the write fail with
  // the file named.
  TempDir tmp;
  HelpProjectSettings settings;
  settings.Title = "H";
  const std::string folder = tmp / "a/b/";
  try {
    WriteProjectFile(DocKind::Doc, settings, {kNone, kNoEntries, kNoEntries, kNoIds}, folder);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), Format(kMsgCannotCreateBecause, (folder + "H.Doc.hhp").c_str(),
                                            "Datei nicht gefunden"));
  }
}
