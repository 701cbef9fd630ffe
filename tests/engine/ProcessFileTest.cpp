#include "engine/Generator.h"

#include "EngineFixture.h"
#include "EntryText.h"

using namespace qm;
using namespace qmtest;

namespace {

std::string Footer(const std::string& file, const std::string& title) {
  return "DF " + file + "|" + title + "|" + kNow;
}

} // namespace

TEST(ProcessFile, SourceWithoutBlocksLeavesNoPages) {
  // Both pages are created with their headers and deleted again; what the headers contributed
  // to the index stays recorded.
  EngineFixture fx;
  fx.Source("leer.pas", {"unit leer;", "end."});
  const auto gen = fx.MakeGenerator();
  gen->templates[qm::TemplateId::DocPageHeader] = {"###Index Seite", "DH"};
  EXPECT_EQ(gen->Parts().ProcessFile(fx.Src("leer.pas")), 2);
  EXPECT_FALSE(Exists(fx.Out("leer.Doc.htm")));
  EXPECT_FALSE(Exists(fx.Out("leer.Tech.htm")));
  EXPECT_TRUE(gen->Doc().Pages.empty());
  EXPECT_EQ(Joined(gen->Doc().Index), (Lines{"Seite;leer.Doc.htm"}));
}

TEST(ProcessFile, WritesBothStreamsToTheirPages) {
  // Each stream's blocks go to its page between page header and footer; the title stops at
  // "###"; the context id is recorded with title and page; the footers carry the title of the
  // file's last block of either stream.
  EngineFixture fx;
  fx.Source("a.pas",
            {"unit a;", "{###DocGen_Start Einleitung###}", "{###ContextID 1001}", "{Erste Zeile}",
             "{}", "{Zweite Zeile}", "{###DocGen_End}", "// ###TechGen_Start Intern",
             "// Nur f\xE4hige Entwickler", "// ###TechGen_End"});
  const auto gen = fx.MakeGenerator();
  EXPECT_EQ(gen->Parts().ProcessFile(fx.Src("a.pas")), 10);
  EXPECT_EQ(ReadFile(fx.Out("a.Doc.htm")),
            CrLf({"<TITLE></TITLE>", "DH a.pas a.Doc", "DBH Einleitung", "Erste Zeile ",
                  "Zweite Zeile", "", "", "DBF", Footer("a", "Intern")}));
  EXPECT_EQ(ReadFile(fx.Out("a.Tech.htm")),
            CrLf({"<TITLE></TITLE>", "TH a.pas", "TBH Intern", "Nur f&auml;hige Entwickler", "", "",
                  "TBF", "TF Intern"}));
  EXPECT_EQ(gen->Doc().Pages, (Lines{fx.Out("a.Doc.htm")}));
  EXPECT_EQ(gen->Tech().Pages, (Lines{fx.Out("a.Tech.htm")}));
  EXPECT_EQ(Joined(gen->Doc().ContextIds), (Lines{"1001;Einleitung;" + fx.Out("a.Doc.htm")}));
}

TEST(ProcessFile, OneFilePerBlockKeepsThePageOfTheLastBlock) {
  // In one-file-per-block mode a block with content goes to a page named by its title and
  // clears the page-used flag; an empty block sets it. The last of them decides.
  EngineFixture fx;
  fx.Source("c.c", {"/* ###DocGen_Start Zwei", "Text", "###DocGen_End */",
                    "/* ###DocGen_Start Leer ###DocGen_End */"});
  fx.Source("d.c", {"/* ###DocGen_Start Leer ###DocGen_End */", "/* ###DocGen_Start Drei", "Text",
                    "###DocGen_End */"});
  const auto gen = fx.MakeGenerator();
  gen->options.OneFilePerBlock = true;
  EngineFixture::RunFiles(*gen, {fx.Src("c.c"), fx.Src("d.c")});
  EXPECT_EQ(ReadFile(fx.Out("c.Doc.htm")), CrLf({"<TITLE></TITLE>", "DH c.c c.Doc", "DBH Leer", "",
                                                 "", "DBF", Footer("c", "Leer")}));
  EXPECT_FALSE(Exists(fx.Out("d.Doc.htm")));
  EXPECT_TRUE(Exists(fx.Out("Drei.Doc.htm")));
  EXPECT_EQ(gen->Doc().Pages,
            (Lines{fx.Out("Zwei.Doc.htm"), fx.Out("c.Doc.htm"), fx.Out("Drei.Doc.htm")}));
}

TEST(ProcessFile, OwnPageIsChosenPerBlock) {
  // Doc and Tech blocks starting on one line are handled Doc first; the Doc block's own page
  // does not take the Tech block, which stays on its source's page.
  EngineFixture fx;
  fx.Source("e.c", {"/* ###DocGen_Start D ###TechGen_Start T ###TechGen_End", "###Output Eigen",
                    "Text", "###DocGen_End */"});
  const auto gen = fx.MakeGenerator();
  EngineFixture::RunFiles(*gen, {fx.Src("e.c")});
  EXPECT_EQ(ReadFile(fx.Out("Eigen.Doc.htm")),
            CrLf({"<TITLE>D</TITLE>", "DH e.c e.Doc", "DBH D", "Text", "", "DBF",
                  std::string("DF ||") + kNow}));
  EXPECT_EQ(ReadFile(fx.Out("e.Tech.htm")),
            CrLf({"<TITLE></TITLE>", "TH e.c", "TBH T", "", "", "TBF", "TF T"}));
  EXPECT_FALSE(Exists(fx.Out("e.Doc.htm")));
  EXPECT_EQ(gen->Doc().Pages, (Lines{fx.Out("Eigen.Doc.htm")}));
}

TEST(ProcessFile, WithoutOutputFolderPagesGoBesideTheSources) {
  // "/" as output folder puts pages beside their sources; a.c and a.h share their pages, and
  // the later source rewrites them.
  EngineFixture fx;
  fx.Source("sub/a.c", {"/* ###DocGen_Start C", "c", "###DocGen_End */"});
  fx.Source("sub/a.h", {"/* ###DocGen_Start H", "h", "###DocGen_End */"});
  const auto gen = fx.MakeGenerator();
  gen->options.OutputFolder = "/";
  EngineFixture::RunFiles(*gen, {fx.Src("sub/a.c"), fx.Src("sub/a.h")});
  EXPECT_EQ(ReadFile(fx.Src("sub/a.Doc.htm")), CrLf({"<TITLE></TITLE>", "DH a.h a.Doc", "DBH H",
                                                     "h", "", "", "DBF", Footer("a", "H")}));
  EXPECT_EQ(gen->Doc().Pages, (Lines{fx.Src("sub/a.Doc.htm"), fx.Src("sub/a.Doc.htm")}));
}

TEST(ProcessFile, OemSourcesAreConvertedWholeLines) {
  // With the OEM option every line is converted and trimmed before markers are searched; long
  // lines are not cut.
  EngineFixture fx;
  fx.Source("h.pas", {"(*" + std::string(280, 'x') + "###DocGen_Start \x8Erger", "  \x84tsch  ",
                      "###DocGen_End*)"});
  const auto gen = fx.MakeGenerator();
  gen->options.OemToAnsi = true;
  gen->Parts().ProcessFile(fx.Src("h.pas"));
  EXPECT_EQ(ReadFile(fx.Out("h.Doc.htm")),
            CrLf({"<TITLE></TITLE>", "DH h.pas h.Doc", "DBH \xC4rger", "&auml;tsch", "", "", "DBF",
                  Footer("h", "\xC4rger")}));
}

TEST(ProcessFile, UnreadableSourceEndsTheRun) {
  // Earlier sources keep their pages, the failing source's pages hold their headers, later
  // sources are not processed, and the own pages are saved.
  EngineFixture fx;
  fx.Source("a.c", {"/* ###DocGen_Start A", "###Output Eigen", "x", "###DocGen_End */",
                    "/* ###DocGen_Start B", "b", "###DocGen_End */"});
  fx.Source("c.c", {"/* ###DocGen_Start C", "c", "###DocGen_End */"});
  const auto gen = fx.MakeGenerator();
  EXPECT_EQ(ErrorText([&] {
              EngineFixture::RunFiles(*gen, {fx.Src("a.c"), fx.Src("fehlt.c"), fx.Src("c.c")});
            }),
            "Datei " + fx.Src("fehlt.c") + " kann nicht ge\xF6" + "ffnet werden");
  EXPECT_EQ(ReadFile(fx.Out("a.Doc.htm")), CrLf({"<TITLE></TITLE>", "DH a.c a.Doc", "DBH B", "b",
                                                 "", "", "DBF", Footer("a", "B")}));
  EXPECT_EQ(ReadFile(fx.Out("fehlt.Doc.htm")), CrLf({"<TITLE></TITLE>", "DH fehlt.c fehlt.Doc"}));
  EXPECT_EQ(ReadFile(fx.Out("fehlt.Tech.htm")), CrLf({"<TITLE></TITLE>", "TH fehlt.c"}));
  EXPECT_FALSE(Exists(fx.Out("c.Doc.htm")));
  EXPECT_EQ(ReadFile(fx.Out("Eigen.Doc.htm")), CrLf({"<TITLE>A</TITLE>", "DH a.c a.Doc", "DBH A",
                                                     "x", "", "DBF", std::string("DF ||") + kNow}));
}

TEST(ProcessFile, UnterminatedBlockNamesFileAndLine) {
  // A start marker without its end marker ends the run naming the source and the marker's
  // line; the pages keep what was written before it.
  EngineFixture fx;
  fx.Source("f.c",
            {"/* ###DocGen_Start A", "a", "###DocGen_End */", "/* ###TechGen_Start B", "b */"});
  const auto gen = fx.MakeGenerator();
  EXPECT_EQ(ErrorText([&] { gen->Parts().ProcessFile(fx.Src("f.c")); }),
            "Datei " + fx.Src("f.c") + ": Zeile 4: \"###TechGen_Start\" ohne \"###TechGen_End\"");
  EXPECT_EQ(ReadFile(fx.Out("f.Doc.htm")),
            CrLf({"<TITLE></TITLE>", "DH f.c f.Doc", "DBH A", "a", "", "", "DBF"}));
  EXPECT_EQ(ReadFile(fx.Out("f.Tech.htm")), CrLf({"<TITLE></TITLE>", "TH f.c"}));
}

TEST(ProcessFile, OwnPageNamesStayInThePageFolder) {
  // An own page name that is absolute or climbs out with ".." ends the run, naming the source
  // and the name ("\" counts as a separator); no page is created for it. A title's separators
  // become "_", so only a title ".." climbs out.
  EngineFixture fx;
  const auto gen = fx.MakeGenerator();
  const std::string src = fx.Src("g.c");
  const auto message = [&](const std::string& name) {
    return "Datei " + src + ": Der Seitenname \"" + name + "\" zeigt aus dem Seitenordner heraus";
  };
  for (const std::string name : {"../x", "a/../../x", "/x", "..\\x"}) {
    fx.Source("g.c", {"/* ###DocGen_Start T", "###Output " + name, "x", "###DocGen_End */"});
    EXPECT_EQ(ErrorText([&] { gen->Parts().ProcessFile(src); }), message(name));
  }
  gen->options.OneFilePerBlock = true;
  fx.Source("g.c", {"/* ###DocGen_Start ..", "x", "###DocGen_End */"});
  EXPECT_EQ(ErrorText([&] { gen->Parts().ProcessFile(src); }), message(".."));
  EXPECT_EQ(gen->Parts().OwnPages().Count(), 0u);
  EXPECT_TRUE(gen->Doc().Pages.empty());
}

TEST(ProcessFile, StreamWithoutStartMarkerGetsNoPageFile) {
  // A stream without a start marker leaves no page (an old one is deleted), yet its page header
  // still records its entries; a failure later in the file puts the page on disk as it stood.
  EngineFixture fx;
  WriteFile(fx.Out("h.Tech.htm"), "alt");
  fx.Source("h.c", {"/* ###DocGen_Start A", "a", "###DocGen_End */"});
  const auto gen = fx.MakeGenerator();
  gen->templates[qm::TemplateId::TechPageHeader].push_back("###Index Kopf");
  gen->Parts().ProcessFile(fx.Src("h.c"));
  EXPECT_FALSE(Exists(fx.Out("h.Tech.htm")));
  EXPECT_EQ(Joined(gen->Tech().Index), (Lines{"Kopf;h.Tech.htm"}));

  fx.Source("h.c", {"/* ###DocGen_Start A", "a */"});
  EXPECT_EQ(ErrorText([&] { gen->Parts().ProcessFile(fx.Src("h.c")); }),
            "Datei " + fx.Src("h.c") + ": Zeile 1: \"###DocGen_Start\" ohne \"###DocGen_End\"");
  EXPECT_EQ(ReadFile(fx.Out("h.Tech.htm")), CrLf({"<TITLE></TITLE>", "TH h.c"}));
  EXPECT_EQ(ReadFile(fx.Out("h.Doc.htm")), CrLf({"<TITLE></TITLE>", "DH h.c h.Doc"}));
}

TEST(ProcessFile, WorkedExampleGivesTheDocumentedPages) {
  // The context id leaves the text; comment lines run together; the empty line is a paragraph
  // break ("\n" alone, or two <BR> lines with the automatic line break); kept tags stay.
  const std::vector<std::string> source = {"{###DocGen_Start Einleitung",
                                           "###ContextID 1001",
                                           "Dies ist der erste Absatz.",
                                           "Er geht hier weiter.",
                                           "",
                                           "Zweiter Absatz mit <B>fett</B>.",
                                           "###DocGen_End}"};
  for (const bool autoBreak : {false, true}) {
    EngineFixture fx;
    fx.Source("w.pas", source);
    const auto gen = fx.MakeGenerator();
    gen->options.AutoLineBreak = autoBreak;
    EngineFixture::RunFiles(*gen, {fx.Src("w.pas")});
    std::vector<std::string> page = {"<TITLE></TITLE>", "DH w.pas w.Doc", "DBH Einleitung",
                                     "Dies ist der erste Absatz. Er geht hier weiter. "};
    if (autoBreak) {
      page.insert(page.end(), {"<BR>", "<BR>"});
    }
    page.insert(page.end(),
                {"Zweiter Absatz mit <B>fett</B>.", "", "", "DBF", Footer("w", "Einleitung")});
    EXPECT_EQ(ReadFile(fx.Out("w.Doc.htm")), CrLf(page)) << autoBreak;
    EXPECT_EQ(Joined(gen->Doc().ContextIds), (Lines{"1001;Einleitung;" + fx.Out("w.Doc.htm")}));
    EXPECT_FALSE(Exists(fx.Out("w.Tech.htm")));
  }
}

TEST(ProcessFile, LongTitleFillsEveryPlaceholder) {
  // A title far beyond what is kept between pieces is converted, and spelled as a link, in
  // every line that asks for it, on the page, in the index entry and on an own page.
  EngineFixture fx;
  std::string title;
  std::string converted;
  std::string link;
  for (int i = 0; i < 10000; ++i) {
    title += "M\xE4rz & x ";
    converted += "M&auml;rz &amp; x ";
    link += "Maerz _amp; x ";
  }
  title += "Ende";
  converted += "Ende";
  link += "Ende";
  fx.Source("h.pas", {"{###DocGen_Start " + title, "Text", "###DocGen_End}",
                      "{###DocGen_Start " + title, "###Output Eigen", "Mehr", "###DocGen_End}"});
  const auto gen = fx.MakeGenerator();
  gen->templates[qm::TemplateId::DocBlockHeader] = {"###Index %TITLE%;%LINK%",
                                                    "DBH %LINK%|%TITLE%|%link%"};
  gen->Parts().ProcessFile(fx.Src("h.pas"));
  gen->Parts().SaveOwnPages();
  const std::string header = "DBH " + link + "|" + converted + "|" + link;
  EXPECT_EQ(ReadFile(fx.Out("h.Doc.htm")), CrLf({"<TITLE></TITLE>", "DH h.pas h.Doc", header,
                                                 "Text", "", "", "DBF", Footer("h", converted)}));
  EXPECT_EQ(ReadFile(fx.Out("Eigen.Doc.htm")),
            CrLf({"<TITLE>" + converted + "</TITLE>", "DH h.pas h.Doc", header, "Mehr", "", "DBF",
                  "DF ||" + std::string(kNow)}));
  EXPECT_EQ(Joined(gen->Doc().Index),
            (Lines{title + ";" + link + ";h.Doc.htm", title + ";" + link + ";Eigen.Doc.htm"}));
}
