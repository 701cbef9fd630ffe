#include "engine/Quelle.h"

#include "TestUtil.h"

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

TQuelle SearchTree(const TempDir& dir, bool includeSubfolders) {
  TQuelle q;
  q.Masks = {"*.pas", "*.dpr"};
  q.IncludeSubfolders = includeSubfolders;
  q.Search(dir.path());
  return q;
}

} // namespace

TEST(Quelle, FindsByFolderThenMaskThenName) {
  // Folders in search order (depth first), in each folder all files of the first mask before
  // those of the next; hidden files count, hidden folders, dotted folders and folders whose
  // names match a mask do not.
  TempDir dir;
  MakeTree(dir);
  const TQuelle q = SearchTree(dir, true);
  EXPECT_EQ(q.Folders, (Lines{dir.path(), dir / "Sub/", dir / "Sub/Deeper/"}));
  EXPECT_EQ(q.Files, (Lines{dir / ".h.pas", dir / "b.pas", dir / "a.dpr", dir / "Sub/x.pas",
                            dir / "Sub/z.dpr", dir / "Sub/Deeper/y.pas"}));
}

TEST(Quelle, WithoutSubfoldersSearchesOneLevelDown) {
  // The root's direct sub-folders are searched also without the option; deeper ones are not.
  TempDir dir;
  MakeTree(dir);
  const TQuelle q = SearchTree(dir, false);
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
  const TQuelle q = SearchTree(dir, true);
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
