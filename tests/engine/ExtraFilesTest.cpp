#include "engine/ExtraFiles.h"

#include "EngineFixture.h"
#include "base/Error.h"
#include "EntryText.h"

using namespace qm;
using namespace qmtest;

TEST(ExtraFiles, KeywordLinesBecomeEntries) {
  // A marker line anywhere in a line becomes an entry (text behind the marker, one trailing
  // blank dropped, entities unmapped, page file name appended) and is removed with up to three
  // directly following "<BR>" or empty lines.
  EngineFixture fx;
  const auto gen = fx.MakeGenerator();
  // clang-format off
  Lines lines{"a",
              "###Toc Eins", "<BR>", "", "<BR>", "<BR>",     // three followers go, not a fourth
              "###Toc Zwei", "###Toc Drei", "Text", "<BR>",  // text stops the removal
              "vorn ###Toc Mitte",                           // the whole line goes
              "###Toc K&auml;se &amp; Brot ", "###Toc ", "###Toc"};
  // clang-format on
  std::vector<KeywordEntry> entries;
  gen->ExtractKeywordEntries("/x/y/P.Doc.htm", "Toc", entries, lines);
  EXPECT_EQ(lines, (Lines{"a", "<BR>", "Text", "<BR>", "###Toc"}));
  EXPECT_EQ(Joined(entries), (Lines{"Eins;P.Doc.htm", "Zwei;P.Doc.htm", "Drei;P.Doc.htm",
                                    "Mitte;P.Doc.htm", "K\xE4se & Brot;P.Doc.htm", ";P.Doc.htm"}));
}

TEST(ExtraFiles, OwnPageCollectsBlocksOfSeveralSources) {
  // Blocks of two sources naming one own page share one page header (with the first block's
  // values), follow each other in writing order and get one footer at the end of the run,
  // whose file and title placeholders are empty; a block header's contents line gives an entry
  // per block.
  EngineFixture fx;
  fx.Source("a.c", {"/* ###DocGen_Start Erster", "###Output Kapitel", "Eins", "###DocGen_End */"});
  fx.Source("b.c", {"/* ###DocGen_Start Zweiter", "###Output Kapitel", "Zwei", "###DocGen_End */"});
  const auto gen = fx.MakeGenerator();
  gen->Templates[qm::TemplateId::DocBlockHeader] = {"###Toc %TITLE%", "DBH %TITLE%"};
  EngineFixture::RunFiles(*gen, {fx.Src("a.c"), fx.Src("b.c")});
  EXPECT_EQ(ReadFile(fx.Out("Kapitel.Doc.htm")),
            CrLf({"<TITLE>Erster</TITLE>", "DH a.c a.Doc", "DBH Erster", "Eins", "", "DBF",
                  "DBH Zweiter", "Zwei", "", "DBF", std::string("DF ||") + kNow}));
  EXPECT_EQ(gen->DocPages, (Lines{fx.Out("Kapitel.Doc.htm"), fx.Out("Kapitel.Doc.htm")}));
  EXPECT_EQ(Joined(gen->DocTocEntries),
            (Lines{"Erster;Kapitel.Doc.htm", "Zweiter;Kapitel.Doc.htm"}));
  EXPECT_FALSE(Exists(fx.Out("a.Doc.htm")));
  EXPECT_EQ(gen->ExtraFiles.Count(), 0u);
}

TEST(ExtraFiles, PagesAreKeyedByExactName) {
  // Names differing only in case are two pages; a page gets its header once, on first use.
  EngineFixture fx;
  const auto gen = fx.MakeGenerator();
  gen->CurrentTitle = "T";
  gen->CurrentInputFile = "/s/q.pas";
  gen->CurrentOutputFile = "/o/q.Tech.htm";
  gen->ExtraFiles.LinesFor("/o/A.Tech.htm").push_back("eins");
  gen->ExtraFiles.LinesFor("/o/A.Tech.htm").push_back("zwei");
  gen->ExtraFiles.LinesFor("/o/a.Tech.htm");
  EXPECT_EQ(gen->ExtraFiles.IndexOf("/o/a.Tech.htm"), 1);
  EXPECT_EQ(gen->ExtraFiles.IndexOf("/o/A.TECH.HTM"), -1);
  EXPECT_EQ(gen->ExtraFiles.Item(0).Lines, (Lines{"<TITLE>T</TITLE>", "TH q.pas", "eins", "zwei"}));
}

TEST(ExtraFiles, FailedSaveDoesNotStopTheOthers) {
  // Every own page is tried; the first failure is reported afterwards and the collection is
  // emptied.
  EngineFixture fx;
  WriteFile(fx.Out("Datei"), "");
  fx.Source("a.c", {"/* ###DocGen_Start A", "###Output Datei/Eins", "x", "###DocGen_End",
                    "###DocGen_Start B", "###Output Zwei", "y", "###DocGen_End */"});
  const auto gen = fx.MakeGenerator();
  try {
    EngineFixture::RunFiles(*gen, {fx.Src("a.c")});
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Datei " + fx.Out("Datei/Eins.Doc.htm") + " kann nicht erstellt werden");
  }
  EXPECT_EQ(ReadFile(fx.Out("Zwei.Doc.htm")), CrLf({"<TITLE>B</TITLE>", "DH a.c a.Doc", "DBH B",
                                                    "y", "", "DBF", std::string("DF ||") + kNow}));
  EXPECT_EQ(gen->ExtraFiles.Count(), 0u);
}
