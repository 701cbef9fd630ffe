#include "base/FileSystem.h"
#include "base/FileScan.h"

#include "TestUtil.h"

using namespace qm;

TEST(FileSystem, MasksMatchWholeNamesWithoutCase) {
  // "*" and "?" with case-insensitive letters; "*." means "no dot".
  EXPECT_TRUE(MatchesMask("Unit1.PAS", "*.pas"));
  EXPECT_TRUE(MatchesMask("a.b.pas", "*.pas"));
  EXPECT_FALSE(MatchesMask("unit1.pas.bak", "*.pas"));
  EXPECT_FALSE(MatchesMask("as", "*.pas"));
  EXPECT_TRUE(MatchesMask(".pas", "*.pas"));
  EXPECT_TRUE(MatchesMask("Makefile", "*"));
  EXPECT_TRUE(MatchesMask("x.p", "?.p"));
  EXPECT_FALSE(MatchesMask("xy.p", "?.p"));
  EXPECT_TRUE(MatchesMask("\xC4nderung.sql", "\xE4*.SQL"));
  EXPECT_TRUE(MatchesMask("Sub", "*."));
  EXPECT_FALSE(MatchesMask("Version.2", "*."));
  EXPECT_FALSE(MatchesMask("aaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*c"));
}

TEST(FileSystem, ListingIsSortedByUpperCaseName) {
  // Listings are reproducible: upper-case order first, then bytes; hidden entries flagged.
  // Names keep the file system's spelling ("\xC3\x84" is the UTF-8 form of A umlaut). Windows
  // cannot hold "A.pas" and "a.pas" side by side.
  qmtest::TempDir dir;
  std::vector<std::string> expected = {".hidden(h)", "A.pas", "a.pas",
                                       "b.pas",      "Sub/",  "\xC3\x84.pas"};
#ifdef _WIN32
  expected.erase(expected.begin() + 2);
#endif
  for (const std::string& name : expected) {
    if (!name.ends_with(")") && !name.ends_with("/")) {
      qmtest::WriteFile(dir / name, "x");
    }
  }
  qmtest::WriteFile(dir / ".hidden", "x");
  std::filesystem::create_directory(dir / "Sub");
  std::vector<std::string> names;
  for (const DirEntry& e : ListFolder(dir.path())) {
    names.push_back(e.name + (e.IsFolder() ? "/" : "") + (e.hidden ? "(h)" : ""));
  }
  EXPECT_EQ(names, expected);
  EXPECT_TRUE(ListFolder(dir / "missing/").empty());
}

TEST(FileSystem, ForceDirectoriesCreatesEveryLevel) {
  // Missing folders above are created; an existing folder is fine.
  qmtest::TempDir dir;
  EXPECT_TRUE(ForceDirectories(dir / "a/b/c/"));
  EXPECT_TRUE(DirectoryExists(dir / "a/b/c"));
  EXPECT_TRUE(ForceDirectories(dir / "a/b"));
  qmtest::WriteFile(dir / "file", "x");
  EXPECT_FALSE(ForceDirectories(dir / "file/sub"));
  EXPECT_TRUE(FileExists(dir / "file"));
  EXPECT_FALSE(FileExists(dir / "a"));
}

TEST(FileSystem, FileNeedlesFindANeedleWhereverThePiecesAreCut) {
  // Files are read in 64 KiB pieces; a needle may start in one and end in the next.
  constexpr size_t kPiece = size_t{64} << 10;
  const std::string a = "<!-- ###DocGen_Start";
  const std::string b = "<!-- ###TechGen_Start";
  struct Case {
    size_t at; // where the needle starts in a file of "<p>" filler
    std::string needle;
    bool found;
  };
  const Case cases[] = {
      {0, a, true},
      {kPiece - 5, a, true},
      {kPiece - 5, b, true},
      {kPiece, b, true},
      {3 * kPiece - 1, a, true},
      {kPiece - 5, "<!-- ###DocGen", false},
      {kPiece - 5, "<!-- ###TechGen_Star", false},
      // Near misses around the bytes the search stops at, before a real one and at the end.
      {kPiece - 9, "<!-<!-- ###<!-- ###TechGen_Start", true},
      {kPiece - 2, "!!<!-- ###DocGen_Star!", false},
  };
  const FileNeedles needles{a, b};
  qmtest::TempDir dir;
  for (const Case& c : cases) {
    std::string text;
    while (text.size() < c.at) {
      text += "<p>";
    }
    text.resize(c.at);
    text += c.needle + "<p>";
    qmtest::WriteFile(dir / "page.htm", text);
    EXPECT_EQ(needles.FoundIn(dir / "page.htm"), c.found) << c.needle << " at " << c.at;
    EXPECT_EQ(needles.FoundInText(text), c.found) << c.needle << " at " << c.at;
  }
  EXPECT_FALSE(needles.FoundIn(dir / "missing.htm"));
}

TEST(FileSystem, FileNeedlesWithoutACommonRareByteAreEachFound) {
  // Each needle is looked for through a byte of its own; one holds its byte twice.
  const FileNeedles needles{"ab!cd", "x#y#z"};
  qmtest::TempDir dir;
  const std::pair<std::string, bool> cases[] = {
      {"..ab!cd..", true},  {"..x#y#z", true},   {"x#x#y#z", true},
      {"ab!c x#y#", false}, {"#y#z !cd", false}, {"", false},
  };
  for (const auto& [text, found] : cases) {
    qmtest::WriteFile(dir / "page.htm", text);
    EXPECT_EQ(needles.FoundIn(dir / "page.htm"), found) << text;
    EXPECT_EQ(needles.FoundInText(text), found) << text;
  }
}
