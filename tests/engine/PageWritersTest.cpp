#include "engine/Generator.h"

#include "EngineFixture.h"
#include "EntryText.h"

using namespace qm;
using namespace qmtest;

namespace {

// Writes one page the way a source file does: header, one block, footer.
void WritePage(TGenerator& gen, const std::string& out, const std::string& text,
               const std::string& own) {
  if (own.empty()) {
    gen.WriteDocPageHeader(out, "", "", "");
  }
  gen.WriteDocBlockHeader(out, "", "", own);
  gen.WriteBlockText(out, text, own);
  gen.WriteDocBlockFooter(out, "", "", own);
  if (own.empty()) {
    gen.WriteDocPageFooter(out, "", "", "");
  }
}

} // namespace

TEST(PageWriters, PerSourceAndOwnPageLayout) {
  // A block on its source's page is followed by two empty lines, on an own page by one; the own
  // page gets its header on first use and its footer when saved.
  EngineFixture fx;
  const auto gen = fx.MakeGenerator();
  gen->Templates[qm::TemplateId::DocPageHeader] = {"H1", "H2"};
  gen->Templates[qm::TemplateId::DocBlockHeader] = {"BH"};
  gen->Templates[qm::TemplateId::DocBlockFooter] = {"BF"};
  gen->Templates[qm::TemplateId::DocPageFooter] = {"F"};
  const std::string page = fx.Out("x.Doc.htm");
  WriteFile(page, "");
  WritePage(*gen, page, "a\\nb", "");
  EXPECT_EQ(ReadFile(page), CrLf({"H1", "H2", "BH", "a", "b", "", "", "BF", "F"}));

  const std::string own = fx.Out("Eigen.Doc.htm");
  WritePage(*gen, page, "a\\nb", own);
  gen->ExtraFiles.SaveAll();
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
  gen->WriteBlockText(page, "###Toc Kapitel \\na\\\\nb\\0c", "");
  gen->WriteBlockText(page, "###Index Stichwort", "");
  EXPECT_EQ(ReadFile(page), CrLf({"a", "b\\0c", "", "", "", ""}));
  EXPECT_EQ(Joined(gen->DocTocEntries), (Lines{"Kapitel;x.Doc.htm"}));
  EXPECT_EQ(Joined(gen->DocIndexEntries), (Lines{"Stichwort;x.Doc.htm"}));
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
  gen->CollectPageTitles();
  EXPECT_EQ(Joined(gen->PageTitles),
            (Lines{fx.Out("Alt.Doc.htm?   Handbuch"), fx.Out("Ohne.Tech.htm?")}));
  EXPECT_EQ(gen->FindPageTitle(AnsiUpperCase(fx.Out("alt.doc.htm"))), "   Handbuch");
  EXPECT_EQ(gen->FindPageTitle(fx.Out("Neu.Doc.htm")), std::nullopt);

  gen->Templates[qm::TemplateId::DocPageHeader] = {"<head>", "<title>%TITLE%</title>",
                                                   "<TITLE>zwei</TITLE>"};
  const std::string old = fx.Out("Alt.Doc.htm");
  const std::string fresh = fx.Out("Neu.Doc.htm");
  WriteFile(old, "");
  WriteFile(fresh, "");
  gen->WriteDocPageHeader(old, "", "Neu", "");
  gen->WriteDocPageHeader(fresh, "", "Neu", "");
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
  gen->CollectPageTitles();
  EXPECT_EQ(Joined(gen->PageTitles), (Lines{fx.Out("Geteilt.Doc.htm?Geteilt"),
                                            fx.Out("Null.Doc.htm?"), fx.Out("Tief.Doc.htm?Tief")}));
}
