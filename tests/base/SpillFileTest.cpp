// A spilled file reaches its target only by the commit, which replaces a link at the target's
// place, and one never committed leaves nothing behind.
#include "base/SpillFile.h"

#include "TestUtil.h"

#include <filesystem>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace qm;
using namespace qmtest;

#ifdef _WIN32
TEST(SpillFile, ReachesItsTargetOnlyByTheCommit) {
  GTEST_SKIP() << "symbolic links need a privilege on Windows";
}
#else
TEST(SpillFile, ReachesItsTargetOnlyByTheCommit) {
  // The page's own file is untouched until the commit, which replaces a link at its place
  // and leaves the link's target alone; a spill that is never committed removes its temporary
  // file.
  TempDir dir;
  WriteFile(dir / "ziel.htm", "alt");
  ASSERT_EQ(symlink((dir / "ziel.htm").c_str(), (dir / "seite.htm").c_str()), 0);
  {
    SpillFile spill(dir / "seite.htm");
    spill.Append("eins\r\n");
    spill.Append("zwei\r\n");
    EXPECT_TRUE(spill.Spilled());
    EXPECT_EQ(ReadFile(dir / "ziel.htm"), "alt");
    spill.Commit("drei\r\n");
  }
  EXPECT_EQ(ReadFile(dir / "seite.htm"), "eins\r\nzwei\r\ndrei\r\n");
  EXPECT_EQ(ReadFile(dir / "ziel.htm"), "alt");
  struct stat st {};
  ASSERT_EQ(lstat((dir / "seite.htm").c_str(), &st), 0);
  EXPECT_TRUE(S_ISREG(st.st_mode));

  {
    SpillFile abandoned(dir / "weg.htm");
    abandoned.Append("nie");
  }
  {
    SpillFile small(dir / "klein.htm");
    small.Commit("klein\r\n");
  }
  EXPECT_EQ(ReadFile(dir / "klein.htm"), "klein\r\n");
  EXPECT_EQ(FileCount(dir.path()), 3u); // ziel, seite, klein
}
#endif
