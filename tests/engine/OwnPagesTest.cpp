#include "engine/OwnPages.h"

#include "EngineFixture.h"
#include "EntryText.h"
#include "base/Error.h"
#include "engine/KeywordEntries.h"

using namespace qm;
using namespace qmtest;

TEST(OwnPages, KeywordLinesBecomeEntries) {
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
  ExtractKeywordEntries(gen->generator.Tables().Chars, "/x/y/P.Doc.htm", "Toc", entries, lines);
  EXPECT_EQ(lines, (Lines{"a", "<BR>", "Text", "<BR>", "###Toc"}));
  EXPECT_EQ(Joined(entries), (Lines{"Eins;P.Doc.htm", "Zwei;P.Doc.htm", "Drei;P.Doc.htm",
                                    "Mitte;P.Doc.htm", "K\xE4se & Brot;P.Doc.htm", ";P.Doc.htm"}));
}

TEST(OwnPages, OwnPageCollectsBlocksOfSeveralSources) {
  // Blocks of two sources naming one own page share one page header (with the first block's
  // values), follow each other in writing order and get one footer at the end of the run,
  // whose file and title placeholders are empty; a block header's contents line gives an entry
  // per block.
  EngineFixture fx;
  fx.Source("a.c", {"/* ###DocGen_Start Erster", "###Output Kapitel", "Eins", "###DocGen_End */"});
  fx.Source("b.c", {"/* ###DocGen_Start Zweiter", "###Output Kapitel", "Zwei", "###DocGen_End */"});
  const auto gen = fx.MakeGenerator();
  gen->templates[qm::TemplateId::DocBlockHeader] = {"###Toc %TITLE%", "DBH %TITLE%"};
  EngineFixture::RunFiles(*gen, {fx.Src("a.c"), fx.Src("b.c")});
  EXPECT_EQ(ReadFile(fx.Out("Kapitel.Doc.htm")),
            CrLf({"<TITLE>Erster</TITLE>", "DH a.c a.Doc", "DBH Erster", "Eins", "", "DBF",
                  "DBH Zweiter", "Zwei", "", "DBF", std::string("DF ||") + kNow}));
  EXPECT_EQ(gen->Doc().Pages, (Lines{fx.Out("Kapitel.Doc.htm"), fx.Out("Kapitel.Doc.htm")}));
  EXPECT_EQ(Joined(gen->Doc().Toc), (Lines{"Erster;Kapitel.Doc.htm", "Zweiter;Kapitel.Doc.htm"}));
  EXPECT_FALSE(Exists(fx.Out("a.Doc.htm")));
}

TEST(OwnPages, PagesAreKeyedByExactName) {
  // Names differing only in case are two pages; a page gets its header once, on first use.
  EngineFixture fx;
  const auto gen = fx.MakeGenerator();
  const std::string out = "/o/q.Tech.htm";
  const std::string in = "/s/q.pas";
  const std::string upper = "/o/A.Tech.htm";
  const std::string lower = "/o/a.Tech.htm";
  const Origin origin;
  GeneratorRun& run = gen->Parts();
  run.AppendToOwnPage(Piece{out, in, "T", upper, origin}, {"eins"});
  run.AppendToOwnPage(Piece{out, in, "T", upper, origin}, {"zwei"});
  run.AppendToOwnPage(Piece{out, in, "T", lower, origin}, {});
  EXPECT_EQ(run.OwnPages().IndexOf("/o/a.Tech.htm"), 1);
  EXPECT_EQ(run.OwnPages().IndexOf("/o/A.TECH.HTM"), -1);
  EXPECT_EQ(run.OwnPages().Item(0).Lines, (Lines{"<TITLE>T</TITLE>", "TH q.pas", "eins", "zwei"}));
}

TEST(OwnPages, FailedSaveDoesNotStopTheOthers) {
  // Every own page is tried; the first failure is reported afterwards and the collection is
  // emptied.
  EngineFixture fx;
  WriteFile(fx.Out("Datei"), "");
  fx.Source("a.c", {"/* ###DocGen_Start A", "###Output Datei/Eins", "x", "###DocGen_End",
                    "###DocGen_Start B", "###Output Zwei", "y", "###DocGen_End */"});
  const auto gen = fx.MakeGenerator();
  try {
    gen->Parts().ProcessFile(fx.Src("a.c"));
    gen->Parts().SaveOwnPages();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Datei " + fx.Out("Datei/Eins.Doc.htm") +
                  " kann nicht erstellt werden: Ein Teil des Pfades ist kein Ordner");
  }
  EXPECT_EQ(ReadFile(fx.Out("Zwei.Doc.htm")), CrLf({"<TITLE>B</TITLE>", "DH a.c a.Doc", "DBH B",
                                                    "y", "", "DBF", std::string("DF ||") + kNow}));
  EXPECT_EQ(gen->Parts().OwnPages().Count(), 0u);
}
