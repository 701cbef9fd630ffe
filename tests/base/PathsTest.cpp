#include "base/Paths.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace qm;

TEST(Paths, TrailingSeparator) {
  // Empty becomes the root, a final separator stays, anything else gets one.
  const std::string sep(1, kPathSep);
  EXPECT_EQ(AddTrailingBackslash(""), sep);
  EXPECT_EQ(AddTrailingBackslash("/out/"), "/out/");
  EXPECT_EQ(AddTrailingBackslash("out"), "out" + sep);
}

TEST(Paths, NamePartsUseTheLastExtensionOfTheName) {
  // Only the last extension counts, and only within the file name.
  EXPECT_EQ(ExtractFileName("/src/Unit1.pas"), "Unit1.pas");
  EXPECT_EQ(ExtractFilePath("/src/Unit1.pas"), "/src/");
  EXPECT_EQ(ExtractFilePath("Unit1.pas"), "");
  EXPECT_EQ(ExtractFileExt("/src/Unit1.Doc.htm"), ".htm");
  EXPECT_EQ(ExtractFileExt("/src.d/Makefile"), "");
  EXPECT_EQ(ChangeFileExt("/src/Unit1.pas", ".Doc.htm"), "/src/Unit1.Doc.htm");
  EXPECT_EQ(ChangeFileExt("/src.d/Makefile", ".Doc.htm"), "/src.d/Makefile.Doc.htm");
}

TEST(Paths, CaseKeyFoldsWhatWindows1252Folds) {
  // ASCII letters fold; after the first other character, a UTF-8 one that Windows-1252 has
  // folds too and one it lacks stays, and the ASCII behind them still folds.
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"/out/Unit1.Doc.htm", "/OUT/UNIT1.DOC.HTM"},
      {"/k\xC3\xA4se/a.htm", "/K\xC3\x84SE/A.HTM"},
      {"/\xC5\x82"
       "a/b",
       "/\xC5\x82"
       "A/B"},
      {"", ""},
  };
  for (const auto& [path, key] : rows) {
    EXPECT_EQ(PathCaseKey(path), key) << path;
  }
}
