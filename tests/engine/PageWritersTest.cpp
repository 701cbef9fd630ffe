#include "engine/Generator.h"

#include "EngineFixture.h"
#include "EntryText.h"

using namespace qm;
using namespace qmtest;

namespace {

const std::string kNone;
const Origin kNoOrigin;

// Writes one page the way a source file does: header, one block, footer.
void WritePage(GeneratorRun& run, const std::string& out, const std::string& text,
               const std::string& own) {
  const Piece page{out, kNone, "", kNone, kNoOrigin};
  const Piece block{out, kNone, "", own, kNoOrigin};
  if (own.empty()) {
    run.WriteTemplate(DocKind::Doc, TemplatePart::PageHeader, page);
  }
  run.WriteTemplate(DocKind::Doc, TemplatePart::BlockHeader, block);
  run.WriteBlockText(block, text);
  run.WriteTemplate(DocKind::Doc, TemplatePart::BlockFooter, block);
  if (own.empty()) {
    run.WriteTemplate(DocKind::Doc, TemplatePart::PageFooter, page);
  }
}

} // namespace

TEST(PageWriters, PerSourceAndOwnPageLayout) {
  // A block on its source's page is followed by two empty lines, on an own page by one; the own
  // page gets its header on first use and its footer when saved.
  EngineFixture fx;
  const auto gen = fx.MakeGenerator();
  gen->templates[qm::TemplateId::DocPageHeader] = {"H1", "H2"};
  gen->templates[qm::TemplateId::DocBlockHeader] = {"BH"};
  gen->templates[qm::TemplateId::DocBlockFooter] = {"BF"};
  gen->templates[qm::TemplateId::DocPageFooter] = {"F"};
  const std::string page = fx.Out("x.Doc.htm");
  WriteFile(page, "");
  WritePage(gen->Parts(), page, "a\\nb", "");
  EXPECT_EQ(ReadFile(page), CrLf({"H1", "H2", "BH", "a", "b", "", "", "BF", "F"}));

  const std::string own = fx.Out("Eigen.Doc.htm");
  WritePage(gen->Parts(), page, "a\\nb", own);
  gen->Parts().SaveOwnPages();
  EXPECT_EQ(ReadFile(own), CrLf({"H1", "H2", "BH", "a", "b", "", "BF", "F"}));
}

TEST(PageWriters, BlockTextIsExpandedTwice) {
  // The text's escapes are expanded, keyword lines taken out, and the rest expanded again: a
  // doubled backslash before n still breaks the line, "\0" stays, and a text of nothing but a
  // contents line leaves only the empty lines.
  EngineFixture fx;
  const auto gen = fx.MakeGenerator();
  const std::string page = fx.Out("x.Doc.htm");
  WriteFile(page, "");
  const Piece piece{page, kNone, "", kNone, kNoOrigin};
  gen->Parts().WriteBlockText(piece, "###Toc Kapitel \\na\\\\nb\\0c");
  gen->Parts().WriteBlockText(piece, "###Index Stichwort");
  EXPECT_EQ(ReadFile(page), CrLf({"a", "b\\0c", "", "", "", ""}));
  EXPECT_EQ(Joined(gen->Doc().Toc), (Lines{"Kapitel;x.Doc.htm"}));
  EXPECT_EQ(Joined(gen->Doc().Index), (Lines{"Stichwort;x.Doc.htm"}));
}

TEST(PageWriters, PageHeaderKeepsTheRecordedTitle) {
  // A page that existed before the run keeps its title: the header's first title line (any
  // case) is replaced, later ones stay; the lookup ignores case; a page without a record keeps
  // the template's title line.
  EngineFixture fx;
  WriteFile(fx.Out("Alt.Doc.htm"), CrLf({"<html>", "   <title>Handbuch</title>", "<TITLE>x"}));
  WriteFile(fx.Out("Ohne.Tech.htm"), CrLf({"<html>"}));
  std::filesystem::create_directories(fx.Out("Ordner.Doc.htm"));
  const auto gen = fx.MakeGenerator();
  gen->Parts().CollectPageTitles();
  EXPECT_EQ(Joined(gen->result.ExistingPages),
            (Lines{fx.Out("Alt.Doc.htm?   Handbuch"), fx.Out("Ohne.Tech.htm?")}));
  EXPECT_EQ(gen->Parts().FindPageTitle(AnsiUpperCase(fx.Out("alt.doc.htm"))), "   Handbuch");
  EXPECT_EQ(gen->Parts().FindPageTitle(fx.Out("Neu.Doc.htm")), std::nullopt);

  gen->templates[qm::TemplateId::DocPageHeader] = {"<head>", "<title>%TITLE%</title>",
                                                   "<TITLE>zwei</TITLE>"};
  const std::string old = fx.Out("Alt.Doc.htm");
  const std::string fresh = fx.Out("Neu.Doc.htm");
  WriteFile(old, "");
  WriteFile(fresh, "");
  gen->Parts().WriteTemplate(DocKind::Doc, TemplatePart::PageHeader,
                             Piece{old, kNone, "Neu", kNone, kNoOrigin});
  gen->Parts().WriteTemplate(DocKind::Doc, TemplatePart::PageHeader,
                             Piece{fresh, kNone, "Neu", kNone, kNoOrigin});
  EXPECT_EQ(ReadFile(old), CrLf({"<head>", "<TITLE>   Handbuch</TITLE>", "<TITLE>zwei</TITLE>"}));
  EXPECT_EQ(ReadFile(fresh), CrLf({"<head>", "<title>Neu</title>", "<TITLE>zwei</TITLE>"}));
}

TEST(PageWriters, TitleFarDownAPageIsFoundAsNearTheTop) {
  // Only the top of a page is read for its title at first; a title line further down, one
  // that the first piece cuts in two, and a page ending in a NUL before any title give what
  // reading the whole page gives.
  EngineFixture fx;
  const std::string filler = std::string(16 << 10, 'x');
  WriteFile(fx.Out("Tief.Doc.htm"), CrLf({filler, "<TITLE>Tief</TITLE>"}));
  WriteFile(fx.Out("Geteilt.Doc.htm"),
            CrLf({std::string((16 << 10) - 10, 'x'), "<TITLE>Geteilt</TITLE>"}));
  WriteFile(fx.Out("Null.Doc.htm"),
            "kopf\r\nohne" + std::string(1, '\0') + filler + "\r\n<TITLE>danach</TITLE>\r\n");
  const auto gen = fx.MakeGenerator();
  gen->Parts().CollectPageTitles();
  EXPECT_EQ(Joined(gen->result.ExistingPages),
            (Lines{fx.Out("Geteilt.Doc.htm?Geteilt"), fx.Out("Null.Doc.htm?"),
                   fx.Out("Tief.Doc.htm?Tief")}));
}

TEST(PageWriters, TitlesOfManyPagesAreRecordedInTheListingsOrder) {
  // Many pages are read by several threads; the records keep the order of one reader: the
  // Doc pages by name, then the Tech pages.
  EngineFixture fx;
  Lines expected;
  for (const char* ext : {".Doc.htm", ".Tech.htm"}) {
    for (int i = 0; i < 150; ++i) {
      const std::string name = "Seite" + std::to_string(1000 + i) + ext;
      const std::string title = i % 7 == 0 ? "" : "Titel " + std::to_string(i);
      WriteFile(fx.Out(name),
                CrLf({"<html>", i % 7 == 0 ? "ohne" : "<TITLE>" + title + "</TITLE>"}));
      expected.push_back(fx.Out(name) + "?" + title);
    }
  }
  const auto gen = fx.MakeGenerator();
  gen->options.Threads = 4;
  gen->Parts().CollectPageTitles();
  EXPECT_EQ(Joined(gen->result.ExistingPages), expected);
}

TEST(PageWriters, TemplateKeywordLinesInARunGoToTheLists) {
  // In a run, keyword lines of a template, filled or as they stand, leave the page with the
  // break and empty lines after them, and an existing page keeps its title: also for the
  // second source, whose pieces use what the run learnt of the templates.
  EngineFixture fx;
  const auto gen = fx.MakeGenerator();
  gen->templates[qm::TemplateId::DocPageHeader] = {"<TITLE>%TITLE%</TITLE>", "kopf"};
  gen->templates[qm::TemplateId::DocBlockHeader] = {"###Toc Teil;%TITLE%", "<BR>", "",       "x",
                                                    "###Index fest",       "",     "%TITLE%"};
  gen->templates[qm::TemplateId::DocBlockFooter] = {"bf"};
  gen->templates[qm::TemplateId::DocPageFooter] = {"fuss"};
  WriteFile(fx.Out("a.Doc.htm"), CrLf({"<TITLE>Alt</TITLE>"}));
  for (const std::string name : {"a", "b"}) {
    fx.Source(name + ".pas", {"{###DocGen_Start Teil " + name, "Text", "###DocGen_End}"});
  }
  EngineFixture::RunFiles(*gen, {fx.Src("a.pas"), fx.Src("b.pas")});
  for (const std::string name : {"a", "b"}) {
    EXPECT_EQ(ReadFile(fx.Out(name + ".Doc.htm")),
              CrLf({name == "a" ? "<TITLE>Alt</TITLE>" : "<TITLE></TITLE>", "kopf", "x",
                    "Teil " + name, "Text", "", "", "bf", "fuss"}));
  }
  EXPECT_EQ(Joined(gen->Doc().Toc), (Lines{"Teil;Teil a;a.Doc.htm", "Teil;Teil b;b.Doc.htm"}));
  EXPECT_EQ(Joined(gen->Doc().Index), (Lines{"fest;a.Doc.htm", "fest;b.Doc.htm"}));
}

TEST(PageWriters, TemplateLinesFillAsPlaceholderAfterPlaceholder) {
  // However a line is filled, it ends as filling one placeholder after the other leaves it: a
  // "%" that a value brings in or that two placeholders share, and one that an empty value or
  // a file name makes meet the name of a later placeholder, count as they would then.
  struct Row {
    std::string line;
    std::string source;
    std::string title;
    std::string filled;
  };
  const std::vector<Row> rows = {
      {"<A NAME=\"%link%\">%Title%</A>;%PAGETITLE%", "a.pas", "K\xE4se",
       "<A NAME=\"Kaese\">K&auml;se</A>;K&auml;se"},
      {"<TITLE>%PAGETITLE%</TITLE> %INPUTFILE%%INPUTEXTENSION%", "a.pas", "",
       "<TITLE>a.pas</TITLE> a.pas"},
      {"%TITLE%|%LINK%", "a.pas", "T %DATE%", "T %DATE%|T %DATE%"},
      {"<P>%INPUTFILE%</P>", "x%TITLE%.pas", "T", "<P>xT</P>"},
      {"%TITLE%DATE%", "a.pas", "T", "%TITLE26.11.2025"},
      {"%TITLE%OUTPUT%INPUTEXTENSION%FILE%LINK%", "a", "T", "%TITLEa.DocLINK%"},
      {"%TITLE%x%LINK% 100%", "a.pas", "T", "TxT 100%"},
      {"[%INPUTFILE%%INPUTEXTENSION%]", "a1.pas", "", "[a1.pas]"},
      {"%LINK%%INPUTFILE%%LINK%", "TITLE.pas", "T", "%LINKTLINK%"},
  };
  EngineFixture fx;
  const auto gen = fx.MakeGenerator();
  const std::string page = fx.Out("a.Doc.htm");
  for (const Row& row : rows) {
    gen->templates[qm::TemplateId::DocBlockHeader] = {row.line};
    WriteFile(page, "");
    const std::string source = fx.Src(row.source);
    gen->Parts().WriteTemplate(DocKind::Doc, TemplatePart::BlockHeader,
                               Piece{page, source, row.title, kNone, kNoOrigin});
    EXPECT_EQ(ReadFile(page), CrLf({row.filled})) << row.line;
  }
}

TEST(PageWriters, BlockTextBreaksBecomeCrLfWithOrWithoutEscapes) {
  // A text's bare CR and LF become CR LF and its last line gets one, as its escapes would;
  // a 0x01 byte is a parked backslash and still becomes one.
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"a\rb\nc", "a\r\nb\r\nc\r\n\r\n\r\n"},
      {"a\r\n\nb\\nc", "a\r\n\r\nb\r\nc\r\n\r\n\r\n"},
      {"x\x01y", "x\\y\r\n\r\n\r\n"},
  };
  EngineFixture fx;
  const auto gen = fx.MakeGenerator();
  const std::string page = fx.Out("x.Doc.htm");
  for (const auto& [text, bytes] : rows) {
    WriteFile(page, "");
    gen->Parts().WriteBlockText(Piece{page, kNone, "", kNone, kNoOrigin}, text);
    EXPECT_EQ(ReadFile(page), bytes) << text;
  }
}
