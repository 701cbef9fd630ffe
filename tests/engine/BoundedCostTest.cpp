// What a comment can make a run do stays in proportion to the comment: placeholders in titles
// cannot square a line, and links in the tree cannot multiply the search.
#include "base/Error.h"
#include "engine/Generator.h"

#include "EngineFixture.h"

#include <algorithm>
#include <chrono>

using namespace qm;
using namespace qmtest;

namespace {

std::string Repeated(std::string_view piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) {
    out += piece;
  }
  return out;
}

const std::string kPlaceholderWarning =
    "Der Titel enth\xC3\xA4lt einen Platzhalter (\"%...%\"); er wird \xC3\xBC"
    "berall, wo der Titel steht, mit ausgef\xC3\xBCllt";

} // namespace

TEST(BoundedCost, TitlePlaceholdersAreFilledWhileTheLineStaysInBounds) {
  // Two "%PAGETITLE%" in a title each become the title once more: the line grows to three
  // titles, which is filled as before, with a warning.
  EngineFixture fx;
  fx.Source("a.pas", {"{###DocGen_Start x%PAGETITLE%y%PAGETITLE%z", "###DocGen_End}"});
  const auto gen = fx.MakeGenerator();
  EngineFixture::RunFiles(*gen, {fx.Src("a.pas")});
  const std::string t = "x%PAGETITLE%y%PAGETITLE%z";
  EXPECT_EQ(ReadFile(fx.Out("a.Doc.htm")),
            CrLf({"<TITLE></TITLE>", "DH a.pas a.Doc", "DBH x" + t + "y" + t + "z", "", "", "DBF",
                  "DF a|x" + t + "y" + t + "z|" + std::string(kNow)}));
  EXPECT_EQ(gen->result.Warnings, (WarningList{{fx.Src("a.pas"), 1, kPlaceholderWarning}}));
}

TEST(BoundedCost, TitleThatWouldSquareTheLineEndsTheRunNamingItsLine) {
  // 200 "%PAGETITLE%" in a title of 2,200 bytes would make the block header's line 440,000
  // bytes long, beyond 16 titles and 64 KiB: the block is an error naming source and line,
  // and the page keeps what was written before it.
  EngineFixture fx;
  fx.Source("a.pas", {"{###DocGen_Start Gut", "###DocGen_End}",
                      "{###DocGen_Start " + Repeated("%PAGETITLE%", 200), "###DocGen_End}"});
  const auto gen = fx.MakeGenerator();
  EXPECT_EQ(ErrorText([&] { EngineFixture::RunFiles(*gen, {fx.Src("a.pas")}); }),
            "Datei " + fx.Src("a.pas") +
                ": Zeile 3: Mit dem Titel gef\xFCllt w\xFCrde eine Zeile der Vorlage zu lang "
                "(mehr als das 16-fache des Titels und 64 KiB)");
  EXPECT_EQ(ReadFile(fx.Out("a.Doc.htm")),
            CrLf({"<TITLE></TITLE>", "DH a.pas a.Doc", "DBH Gut", "", "", "DBF"}));
}

TEST(BoundedCost, TemplateLineWithManyTitlesIsBoundedToo) {
  // The same bound holds when the template brings the placeholders: forty "%TITLE%" of a
  // title of 4,000 bytes would fill one index line with 160,000 bytes.
  EngineFixture fx;
  fx.Source("a.pas", {"{###DocGen_Start " + std::string(4000, 'T'), "###DocGen_End}"});
  const auto gen = fx.MakeGenerator();
  gen->templates[TemplateId::DocBlockHeader] = {"###Index " + Repeated("%TITLE%", 40) + ";x"};
  EXPECT_EQ(ErrorText([&] { EngineFixture::RunFiles(*gen, {fx.Src("a.pas")}); }),
            "Datei " + fx.Src("a.pas") +
                ": Zeile 1: Mit dem Titel gef\xFCllt w\xFCrde eine Zeile der Vorlage zu lang "
                "(mehr als das 16-fache des Titels und 64 KiB)");
}

TEST(BoundedCost, EachFolderIsSearchedOnceHoweverManyLinksLeadToIt) {
  QM_POSIX_ONLY("symbolic links need a privilege on Windows");
  // Twenty levels, each reached through two links from the level above: 2^20 ways down, but
  // each folder is searched once, under the first way found, and the second way is warned.
  TempDir dir;
  const std::string root = dir / "root/";
  constexpr int kLevels = 20;
  for (int k = 0; k <= kLevels; ++k) {
    WriteFile((k == 0 ? root : dir / ("pool/D" + std::to_string(k) + "/")) + "x.pas", "x");
  }
  for (int k = 0; k < kLevels; ++k) {
    const std::string from = k == 0 ? root : dir / ("pool/D" + std::to_string(k) + "/");
    const std::string to = dir / ("pool/D" + std::to_string(k + 1));
    std::filesystem::create_directory_symlink(to, from + "A");
    std::filesystem::create_directory_symlink(to, from + "B");
  }
  TQuelle q;
  q.Masks = {"*.pas"};
  q.IncludeSubfolders = true;
  const auto start = std::chrono::steady_clock::now();
  q.Search(root);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

  Lines folders{root};
  Lines files{root + "x.pas"};
  WarningList warnings;
  std::string way = root;
  for (int k = 0; k < kLevels; ++k) {
    warnings.push_back({way + "B/", 0,
                        "Der Ordner wurde schon als " + way +
                            "A/ durchsucht und wird nicht noch einmal durchsucht"});
    way += "A/";
    folders.push_back(way);
    files.push_back(way + "x.pas");
  }
  // The second way in of a level is found once the first has been searched to the bottom.
  std::reverse(warnings.begin(), warnings.end());
  EXPECT_EQ(q.Folders, folders);
  EXPECT_EQ(q.Files, files);
  EXPECT_EQ(q.Warnings, warnings);
}
