// What a run gives back: records that name their own origin, and results that belong to their
// run alone, whatever ran on the same generator before or after.
#include "engine/Generator.h"

#include "EngineFixture.h"
#include "EntryText.h"

using namespace qm;
using namespace qmtest;

namespace {

// The entries as "text;page@file:line", the file relative to root.
Lines WithOrigins(const std::vector<KeywordEntry>& entries, const std::string& root) {
  Lines lines;
  for (const KeywordEntry& e : entries) {
    const std::string& file = e.Where().File();
    lines.push_back(std::string(e.Line()) + "@" +
                    (file.starts_with(root) ? file.substr(root.size()) : file) + ":" +
                    std::to_string(e.Where().Line()));
  }
  return lines;
}

} // namespace

TEST(RunResult, EveryRecordNamesWhereItCameFrom) {
  // Block text and block templates give the block's source and line; the header and footer of
  // a source's page its source and line 0; the header of an own page the block that opened
  // it, its footer (written when the run ends) no source at all. A context id has its block's.
  EngineFixture fx;
  fx.Source("a.c", {"x", "/* ###DocGen_Start A", "###Toc Text", "###ContextID 7", "###DocGen_End",
                    "###DocGen_Start B", "###Output Eigen", "b", "###DocGen_End */"});
  const auto gen = fx.MakeGenerator();
  gen->templates[TemplateId::DocPageHeader] = {"###Toc Kopf"};
  gen->templates[TemplateId::DocPageFooter] = {"###Toc Fuss"};
  gen->templates[TemplateId::DocBlockHeader] = {"###Toc %TITLE%"};
  EngineFixture::RunFiles(*gen, {fx.Src("a.c")});
  EXPECT_EQ(WithOrigins(gen->Doc().Toc, fx.Src()),
            (Lines{"Kopf;a.Doc.htm@a.c:0", "A;a.Doc.htm@a.c:2", "Text;a.Doc.htm@a.c:2",
                   "B;Eigen.Doc.htm@a.c:6", "Kopf;Eigen.Doc.htm@a.c:6", "Fuss;a.Doc.htm@a.c:0",
                   "Fuss;Eigen.Doc.htm@:0"}));
  ASSERT_EQ(gen->Doc().ContextIds.size(), 1u);
  EXPECT_EQ(gen->Doc().ContextIds[0].Where, Origin(fx.Src("a.c"), 2));
}

TEST(RunResult, RunsOnOneGeneratorKeepTheirOwnResults) {
  // Two runs with different options and templates on one generator: each result holds its own
  // run's pages, entries, counts and output folder, and the first is unchanged by the second.
  EngineFixture fx;
  fx.Source("a.c", {"/* ###DocGen_Start Erster", "eins", "###DocGen_End */"});
  const auto gen = fx.MakeGenerator();
  gen->templates[TemplateId::DocBlockHeader] = {"###Index %TITLE%", "DBH %TITLE%"};
  TQuelle quelle;
  quelle.Files = {fx.Src("a.c")};
  const RunResult first = gen->generator.Run(quelle, gen->options, gen->templates);

  GeneratorOptions perBlock = gen->options;
  perBlock.OneFilePerBlock = true;
  perBlock.OutputFolder = fx.Out("zwei/");
  std::filesystem::create_directories(fx.Out("zwei"));
  TemplateSet plain = gen->templates;
  plain[TemplateId::DocBlockHeader] = {"DBH %TITLE%"};
  const RunResult copy = first;
  const RunResult second = gen->generator.Run(quelle, perBlock, plain);

  EXPECT_EQ(first.Of(DocKind::Doc).Pages, copy.Of(DocKind::Doc).Pages);
  EXPECT_EQ(first.Of(DocKind::Doc).Index, copy.Of(DocKind::Doc).Index);
  EXPECT_EQ(first.Of(DocKind::Doc).Pages, (Lines{fx.Out("a.Doc.htm")}));
  EXPECT_EQ(Joined(first.Of(DocKind::Doc).Index), (Lines{"Erster;a.Doc.htm"}));
  EXPECT_EQ(first.OutputFolder, fx.Out());
  EXPECT_EQ(first.Counts.OwnPagesWritten, 0);

  EXPECT_EQ(second.Of(DocKind::Doc).Pages, (Lines{fx.Out("zwei/Erster.Doc.htm")}));
  EXPECT_TRUE(second.Of(DocKind::Doc).Index.empty());
  EXPECT_EQ(second.OutputFolder, fx.Out("zwei/"));
  EXPECT_EQ(second.Counts.OwnPagesWritten, 1);
  EXPECT_EQ(ReadFile(fx.Out("a.Doc.htm")),
            CrLf({"<TITLE></TITLE>", "DH a.c a.Doc", "DBH Erster", "eins", "", "", "DBF",
                  std::string("DF a|Erster|") + kNow}));
}
