#include "engine/Quelle.h"

#include "TestUtil.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

using namespace qm;
using namespace qmtest;

namespace {

// root: b.pas, a.dpr, hidden .h.pas, a folder Backup.pas, a file Makefile, Version.2/v.pas,
// .hidden/h.pas, Sub/x.pas, Sub/z.dpr, Sub/Deeper/y.pas.
void MakeTree(const TempDir& dir) {
  for (const char* f :
       {"b.pas", "a.dpr", ".h.pas", "Backup.pas/inner.pas", "Makefile", "Version.2/v.pas",
        ".hidden/h.pas", "Sub/x.pas", "Sub/z.dpr", "Sub/Deeper/y.pas"}) {
    WriteFile(dir / f, "x");
  }
}

TQuelle SearchTree(const std::string& root, bool includeSubfolders, const Lines& exclude = {}) {
  TQuelle q;
  q.Masks = {"*.pas", "*.dpr"};
  q.IncludeSubfolders = includeSubfolders;
  q.ExcludePatterns = PathPatterns(exclude);
  q.Search(root);
  return q;
}

} // namespace

TEST(Quelle, FindsByFolderThenMaskThenName) {
  // Folders in search order (depth first), in each folder all files of the first mask before
  // those of the next; hidden files count, hidden folders, dotted folders and folders whose
  // names match a mask do not.
  TempDir dir;
  MakeTree(dir);
  const TQuelle q = SearchTree(dir.path(), true);
  EXPECT_EQ(q.Folders, (Lines{dir.path(), dir / "Sub/", dir / "Sub/Deeper/"}));
  EXPECT_EQ(q.Files, (Lines{dir / ".h.pas", dir / "b.pas", dir / "a.dpr", dir / "Sub/x.pas",
                            dir / "Sub/z.dpr", dir / "Sub/Deeper/y.pas"}));
}

TEST(Quelle, WithoutSubfoldersSearchesOneLevelDown) {
  // The root's direct sub-folders are searched also without the option; deeper ones are not.
  TempDir dir;
  MakeTree(dir);
  const TQuelle q = SearchTree(dir.path(), false);
  EXPECT_EQ(q.Folders, (Lines{dir.path(), dir / "Sub/"}));
  EXPECT_EQ(q.Files, (Lines{dir / ".h.pas", dir / "b.pas", dir / "a.dpr", dir / "Sub/x.pas",
                            dir / "Sub/z.dpr"}));
}

TEST(Quelle, LinkBackToAnAncestorEndsTheDescent) {
  QM_POSIX_ONLY("symbolic links need a privilege on Windows");
  // A folder link pointing up the tree leads to a folder searched already: it is left out with
  // a warning, so the search ends and no file is found twice.
  TempDir dir;
  WriteFile(dir / "a.pas", "a");
  WriteFile(dir / "Sub/x.pas", "x");
  std::filesystem::create_directory_symlink(dir.path(), dir / "Sub/Loop");
  const TQuelle q = SearchTree(dir.path(), true);
  EXPECT_EQ(q.Folders, (Lines{dir.path(), dir / "Sub/"}));
  EXPECT_EQ(q.Files, (Lines{dir / "a.pas", dir / "Sub/x.pas"}));
  EXPECT_EQ(q.Warnings, (WarningList{{dir / "Sub/Loop/", 0,
                                      "Der Ordner wurde schon als " + dir.path() +
                                          " durchsucht und wird nicht noch einmal durchsucht"}}));
}

TEST(Quelle, MissingRootFindsNothing) {
  // A root that does not exist is no error; the run then has no files.
  TempDir dir;
  TQuelle q;
  q.Masks = {"*.pas"};
  q.Search(dir / "nirgends/");
  EXPECT_EQ(q.Folders, (Lines{dir / "nirgends/"}));
  EXPECT_TRUE(q.Files.empty());
}

TEST(Quelle, ExcludePatternsLeaveOutFoldersAndFiles) {
  // A pattern matches the whole path below the root, "\" read as "/", without regard to case; a
  // folder it picks is not entered, a file it picks is no source. The root's own name is no part of
  // those paths, so a pattern naming it leaves nothing out.
  TempDir dir;
  const std::string root = dir / "Quellen/";
  const Lines all = {
      "Unit1.pas",    "x.bak.pas",     "Alt/a.pas",        "Alt/Tief/b.pas",
      "Backup/d.pas", "Sub/y.bak.pas", "Sub/Backup/c.pas", "Sub/Backup/Tiefer/e.pas"};
  for (const std::string& f : all) {
    WriteFile(root + f, "x");
  }
  struct Case {
    Lines patterns;
    Lines leftOut;
    int folders, files;
  };
  const Case cases[] = {
      {{"Alt/**"}, {"Alt/a.pas", "Alt/Tief/b.pas"}, 1, 0},
      {{"**/Backup/*"}, {"Backup/d.pas", "Sub/Backup/c.pas", "Sub/Backup/Tiefer/e.pas"}, 1, 2},
      {{"*.bak.pas"}, {"x.bak.pas"}, 0, 1},
      {{"**/*.BAK.pas", "alt"},
       {"x.bak.pas", "Alt/a.pas", "Alt/Tief/b.pas", "Sub/y.bak.pas"},
       1,
       2},
      {{"Quellen", "Quellen/**", "/Quellen/*"}, {}, 0, 0},
      {{"Sub\\Backup"}, {"Sub/Backup/c.pas", "Sub/Backup/Tiefer/e.pas"}, 1, 0},
      {{"*/", "Unit1.pas/"},
       {"Alt/a.pas", "Alt/Tief/b.pas", "Backup/d.pas", "Sub/y.bak.pas", "Sub/Backup/c.pas",
        "Sub/Backup/Tiefer/e.pas"},
       3,
       0},
      {{"**"}, all, 3, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.patterns.front());
    const TQuelle q = SearchTree(root, true, c.patterns);
    Lines expected;
    for (const std::string& f : all) {
      if (std::find(c.leftOut.begin(), c.leftOut.end(), f) == c.leftOut.end()) {
        expected.push_back(root + f);
      }
    }
    EXPECT_EQ(q.Files, expected);
    EXPECT_EQ(q.FoldersExcluded, c.folders);
    EXPECT_EQ(q.FilesExcluded, c.files);
  }
  // Stars and "**" never try the ways to split a path one inside the other: a pattern that almost
  // matches a long name in a deep path is answered at once.
  std::string deep;
  for (int i = 0; i < 200; ++i) {
    deep += "a/";
  }
  const PathPatterns hostile({"**/*a*a*a*a*a*a*a*a*b", "**/a/**/a/**/a/**/a/**/b"});
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(hostile.Matches(deep + std::string(4000, 'a'), false));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
}
