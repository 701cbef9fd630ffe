// Odd file-system entries never stop or block a run: a fifo where a page or an old page lies,
// a source that turned into a fifo after the search, and paths longer than the system takes.
#include "EngineFixture.h"
#include "EntryText.h"
#include "engine/Markers.h"
#include "engine/Quelle.h"

#ifdef _WIN32
TEST(OddEntries, PosixOnly) {
  GTEST_SKIP() << "fifos, and paths beyond PATH_MAX through openat";
}
#else
#include <algorithm>
#include <climits>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace qm;
using namespace qmtest;

namespace {

// Removes what lies below the open folder fd, however deep, without ever naming a full path.
void RemoveBelow(int fd) {
  DIR* dir = fdopendir(dup(fd));
  std::vector<std::string> names;
  while (const dirent* e = readdir(dir)) {
    const std::string name = e->d_name;
    if (name != "." && name != "..") {
      names.push_back(name);
    }
  }
  closedir(dir);
  for (const std::string& name : names) {
    if (unlinkat(fd, name.c_str(), 0) != 0) {
      const int sub = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
      RemoveBelow(sub);
      close(sub);
      unlinkat(fd, name.c_str(), AT_REMOVEDIR);
    }
  }
}

} // namespace

TEST(OddEntries, FifosNeverBlockTheRun) {
  // A fifo at the place of a page is replaced by the page, one named like an old page gives no
  // title, and a source that became a fifo after the search is skipped with a warning, its old
  // pages left alone; the other sources convert.
  EngineFixture fx;
  fx.Source("a.pas", {"{###DocGen_Start A", "Text", "###DocGen_End}"});
  fx.Source("b.pas", {"{###DocGen_Start B", "###DocGen_End}"});
  ASSERT_EQ(mkfifo(fx.Out("a.Doc.htm").c_str(), 0644), 0);
  ASSERT_EQ(mkfifo(fx.Out("alt.Doc.htm").c_str(), 0644), 0);
  WriteFile(fx.Out("b.Doc.htm"), "alt");
  std::filesystem::remove(fx.Src("b.pas"));
  ASSERT_EQ(mkfifo(fx.Src("b.pas").c_str(), 0644), 0);

  const auto gen = fx.MakeGenerator();
  EngineFixture::RunFiles(*gen, {fx.Src("a.pas"), fx.Src("b.pas")});
  EXPECT_EQ(ReadFile(fx.Out("a.Doc.htm")),
            CrLf({"<TITLE></TITLE>", "DH a.pas a.Doc", "DBH A", "Text", "", "", "DBF",
                  std::string("DF a|A|") + kNow}));
  EXPECT_EQ(ReadFile(fx.Out("b.Doc.htm")), "alt");
  EXPECT_EQ(Joined(gen->result.ExistingPages), Lines{fx.Out("b.Doc.htm?")});
  EXPECT_EQ(gen->result.Counts.SourcesRead, 1);
  EXPECT_EQ(gen->result.Warnings,
            (WarningList{{fx.Src("b.pas"), 0,
                          "Keine gew\xC3\xB6hnliche Datei (Named Pipe); sie wird \xC3\xBC"
                          "bersprungen"}}));
}

TEST(OddEntries, PathsTooLongForTheSystemAreNamed) {
  // A folder whose path the system refuses is named as unreadable, a file whose path is too
  // long is named with its length; a short name beside it is found.
  TempDir dir;
  // Folders are made relative to their parents, down to a path 100 bytes short of the limit.
  const std::string level(250, 'o');
  int fd = open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
  const int root = dup(fd);
  std::string folder = dir.path();
  while (folder.size() < PATH_MAX - 100) {
    const std::string name(
        std::max<size_t>(1, std::min<size_t>(250, PATH_MAX - 101 - folder.size())), 'o');
    ASSERT_EQ(mkdirat(fd, name.c_str(), 0755), 0);
    const int sub = openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY);
    close(fd);
    fd = sub;
    folder += name + "/";
  }
  const std::string longName = std::string(150, 'n') + ".pas";
  for (const std::string& name : {std::string("k.pas"), longName}) {
    close(openat(fd, name.c_str(), O_WRONLY | O_CREAT, 0644));
  }
  ASSERT_EQ(mkdirat(fd, level.c_str(), 0755), 0);
  close(fd);

  TQuelle q;
  q.Masks = {"*.pas"};
  q.IncludeSubfolders = true;
  q.Search(dir.path());
  RemoveBelow(root);
  close(root);

  EXPECT_EQ(q.Files, Lines{folder + "k.pas"});
  const std::string tooLong = folder + longName;
  EXPECT_EQ(q.Warnings,
            (WarningList{{tooLong, 0,
                          "Der Pfad ist zu lang (" + std::to_string(tooLong.size()) +
                              " Bytes, das System erlaubt 4095); die Datei wird \xC3\xBC"
                              "bersprungen"},
                         {folder + level + "/", 0,
                          "Der Ordner kann nicht gelesen werden (Name zu lang) und wird \xC3\xBC"
                          "bersprungen"}}));
}
#endif
