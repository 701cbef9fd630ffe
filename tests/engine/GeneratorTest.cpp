#include "engine/Generator.h"

#include "EngineFixture.h"
#include "EntryText.h"
#include "base/Error.h"
#include "base/Paths.h"

using namespace qm;
using namespace qmtest;

namespace {

// Records the calls of a run and cancels once cancelAfter files are done.
class FakeProgress : public ProgressSink {
public:
  explicit FakeProgress(int cancelAfter) : cancelAfter_(cancelAfter) {}
  void SetFileCount(int count) override { calls.push_back("count " + std::to_string(count)); }
  void ProcessEvents() override { calls.push_back("events"); }
  bool Cancelled() const override { return done_ >= cancelAfter_; }
  void StepFile(const std::string& file, int lineCount) override {
    ++done_;
    calls.push_back(ExtractFileName(file) + " " + std::to_string(lineCount));
  }
  void Finished() override { calls.push_back("finished"); }
  Lines calls;

private:
  int cancelAfter_;
  int done_ = 0;
};

} // namespace

TEST(Generator, LoadsTemplatesAndTables) {
  // Templates come from ../Templates/ beside the program folder, tables from the folder itself.
  EngineFixture fx;
  const auto gen = fx.MakeGenerator();
  const TGenerator& generator = gen->generator;
  EXPECT_EQ(generator.InstalledTemplates()[qm::TemplateId::DocBlockHeader], (Lines{"DBH %TITLE%"}));
  EXPECT_EQ(generator.InstalledTemplates()[qm::TemplateId::TechPageFooter], (Lines{"TF %TITLE%"}));
  EXPECT_EQ(generator.Tables().Chars.lines().size(), 5u);
  EXPECT_TRUE(generator.Tables().Tags.Contains("br"));
}

TEST(Generator, MissingTemplateNamesThePath) {
  // A template that cannot be read stops construction with the path as composed.
  EngineFixture fx;
  std::filesystem::remove(fx.dir / "Templates/HTMLFooter_Dev.htt");
  try {
    TGenerator gen(fx.ProgramFolder());
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Datei " + fx.ProgramFolder() +
                                         "../Templates/HTMLFooter_Dev.htt kann nicht ge\xF6"
                                         "ffnet werden");
  }
}

TEST(Generator, SubstitutesPlaceholders) {
  // Placeholders match in any case; file values describe the converted paths; the title is
  // converted, the link additionally mapped by the third table column.
  EngineFixture fx;
  const auto gen = fx.MakeGenerator();
  Lines lines{"%Title%|%link%", "%INPUTFILE%|%INPUTPATH%|%INPUTEXTENSION%",
              "%OUTPUTFILE%|%OUTPUTPATH%|%OUTPUTEXTENSION%", "%date% %Time%", "kein Platzhalter"};
  gen->Parts().SubstitutePlaceholders(lines, "/o/Unit1.Doc.htm", "/s&t/Unit1.pas", "K\xE4se");
  EXPECT_EQ(lines, (Lines{"K&auml;se|Kaese", "Unit1|/s&amp;t/|.pas", "Unit1.Doc|/o/|.htm",
                          std::string(kNow), "kein Platzhalter"}));
  Lines empty{"[%INPUTFILE%%OUTPUTPATH%%TITLE%%LINK%]"};
  gen->Parts().SubstitutePlaceholders(empty, "", "", "");
  EXPECT_EQ(empty, (Lines{"[]"}));
}

TEST(Generator, PlaceholdersAValueBringsAreFilledInTurn) {
  // Placeholders are filled one kind after the other, so one that a value brings in is filled
  // when its kind comes later (a file name holding "%TITLE%"), and stays when it came before
  // (a title holding "%DATE%"). A "%" that starts no placeholder asks for nothing.
  EngineFixture fx;
  const auto gen = fx.MakeGenerator();
  Lines lines{"<P>%INPUTFILE%</P>", "%TITLE%|%LINK%", "width: 50%; %% 100%"};
  gen->Parts().SubstitutePlaceholders(lines, "/o/a.Doc.htm", "/s/x%TITLE%.pas", "T %DATE%");
  EXPECT_EQ(lines, (Lines{"<P>xT %DATE%</P>", "T %DATE%|T %DATE%", "width: 50%; %% 100%"}));
}

TEST(Generator, SecondRunStartsAfresh) {
  // A run clears what the previous one recorded and rebuilds the tag table from the loaded
  // lines, so closing forms are not added twice.
  EngineFixture fx;
  fx.Source("a.c", {"/* ###DocGen_Start A", "###Toc Eins", "###ContextID 1", "###DocGen_End */"});
  fx.Source("b.c", {"/* ###DocGen_Start B", "Text", "###DocGen_End */"});
  const auto gen = fx.MakeGenerator();
  EngineFixture::RunFiles(*gen, {fx.Src("a.c")});
  EXPECT_EQ(Joined(gen->Doc().Toc), (Lines{"Eins;a.Doc.htm"}));
  EngineFixture::RunFiles(*gen, {fx.Src("b.c")});
  EXPECT_EQ(gen->Doc().Pages, (Lines{fx.Out("b.Doc.htm")}));
  EXPECT_TRUE(gen->Doc().Toc.empty());
  EXPECT_TRUE(gen->Doc().ContextIds.empty());
  EXPECT_EQ(gen->generator.Tables().Tags.lines(), (Lines{"B", "BR", "/B", "/BR"}));
}

TEST(Generator, CancelStopsBeforeTheNextFileAndSavesOwnPages) {
  // The sink is asked before every file; a cancel after the first file leaves the second
  // unprocessed, and the first file's own page is still saved.
  EngineFixture fx;
  fx.Source("a.c", {"/* ###DocGen_Start A", "###Output Eigen", "Text", "###DocGen_End */"});
  fx.Source("b.c", {"/* ###DocGen_Start B", "Text", "###DocGen_End */"});
  const auto gen = fx.MakeGenerator();
  FakeProgress progress(1);
  EngineFixture::RunFiles(*gen, {fx.Src("a.c"), fx.Src("b.c")}, &progress);
  EXPECT_EQ(progress.calls, (Lines{"count 2", "events", "a.c 4", "events", "finished"}));
  EXPECT_EQ(ReadFile(fx.Out("Eigen.Doc.htm")),
            CrLf({"<TITLE>A</TITLE>", "DH a.c a.Doc", "DBH A", "Text", "", "DBF",
                  std::string("DF ||") + kNow}));
  EXPECT_FALSE(Exists(fx.Out("b.Doc.htm")));
  EXPECT_EQ(gen->Doc().Pages, (Lines{fx.Out("Eigen.Doc.htm")}));
}
