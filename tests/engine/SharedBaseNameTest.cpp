// Two sources of one base name share their per-source pages. A later source with a block
// replaces the earlier one's page; a later source without one leaves it, documentation and
// all, so the page list never names a page that is not there.
#include "engine/Generator.h"

#include "EngineFixture.h"

#include <map>

using namespace qm;
using namespace qmtest;

namespace {

namespace fs = std::filesystem;

// Every file of folder by name, with its bytes.
std::map<std::string, std::string> FilesIn(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::directory_iterator(folder)) {
    files[e.path().filename().string()] = ReadFile(e.path().string());
  }
  return files;
}

} // namespace

TEST(SharedBaseName, TheLastSourceWithABlockOwnsThePage) {
  // a/Main.pas and b/Main.pas in this order, over a page left by an earlier run.
  const std::vector<std::string> withBlock[] = {
      {"{###DocGen_Start Eins", "Text A", "###DocGen_End}"},
      {"{###DocGen_Start Zwei", "Text B", "###DocGen_End}"},
  };
  const std::vector<std::string> without = {"{ keine Doku }"};
  const std::string pageOfA = CrLf({"<TITLE></TITLE>", "DH Main.pas Main.Doc", "DBH Eins", "Text A",
                                    "", "", "DBF", std::string("DF Main|Eins|") + kNow});
  const std::string pageOfB = CrLf({"<TITLE></TITLE>", "DH Main.pas Main.Doc", "DBH Zwei", "Text B",
                                    "", "", "DBF", std::string("DF Main|Zwei|") + kNow});
  enum class Said { Nothing, Replaced, Kept };
  struct Case {
    const char* name;
    std::vector<std::string> a, b;
    const std::string* page; // nullptr: no page
    size_t listed;           // times the page list names it
    Said said;
  };
  const Case cases[] = {
      {"both with blocks", withBlock[0], withBlock[1], &pageOfB, 2, Said::Replaced},
      {"the later without", withBlock[0], without, &pageOfA, 1, Said::Kept},
      {"the earlier without", without, withBlock[1], &pageOfB, 1, Said::Nothing},
      {"neither", without, without, nullptr, 0, Said::Nothing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EngineFixture fx;
    fx.Source("a/Main.pas", c.a);
    fx.Source("b/Main.pas", c.b);
    const std::string page = fx.Out("Main.Doc.htm");
    WriteFile(page, "alt\r\n");
    const auto gen = fx.MakeGenerator();
    EngineFixture::RunFiles(*gen, {fx.Src("a/Main.pas"), fx.Src("b/Main.pas")});

    const auto expected = c.page != nullptr
                              ? std::map<std::string, std::string>{{"Main.Doc.htm", *c.page}}
                              : std::map<std::string, std::string>{};
    EXPECT_EQ(FilesIn(fx.Out()), expected);
    EXPECT_EQ(gen->Doc().Pages, Lines(c.listed, page));
    EXPECT_TRUE(gen->Tech().Pages.empty());
    const std::string later = fx.Src("b/Main.pas");
    const std::string earlier = fx.Src("a/Main.pas");
    WarningList warnings;
    if (c.said == Said::Replaced) {
      warnings.push_back({later, 0,
                          "Die Seite " + page + " wird ersetzt; die Dokumentation aus " + earlier +
                              " geht verloren"});
    } else if (c.said == Said::Kept) {
      warnings.push_back({later, 0,
                          "Die Seite " + page + " bleibt mit der Dokumentation aus " + earlier +
                              "; diese Quelle hat keinen Block f\xC3\xBCr sie"});
    }
    EXPECT_EQ(gen->result.Warnings, warnings);
  }
}
