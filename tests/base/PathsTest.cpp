#include "base/Paths.h"

#include <gtest/gtest.h>

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
