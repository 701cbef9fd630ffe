#include "base/TextFile.h"

#include "TestUtil.h"
#include "base/Error.h"
#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace qm;

TEST(TextFile, FailuresNameTheFile) {
  // Opening, creating and appending failures carry the file's path.
  qmtest::TempDir dir;
  const std::string missing = dir / "no/such.txt";
  try {
    ReadTextLines(missing);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Datei " + missing +
                                         " kann nicht ge\xF6"
                                         "ffnet werden");
  }
  try {
    WriteTextLines(missing, {"x"});
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Datei " + missing + " kann nicht erstellt werden: Datei nicht gefunden");
  }
  try {
    AppendFileBytes(missing, "x");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Datei " + missing + ": Datei nicht gefunden");
  }
}

TEST(TextFile, LinesAreWrittenWithCrLf) {
  // Every line, the last one too, ends with CR LF; reading accepts any line end.
  qmtest::TempDir dir;
  WriteTextLines(dir / "a.txt", {"eins", "", "zwei"});
  EXPECT_EQ(qmtest::ReadFile(dir / "a.txt"), "eins\r\n\r\nzwei\r\n");
  AppendFileBytes(dir / "a.txt", "drei\n");
  EXPECT_EQ(ReadTextLines(dir / "a.txt"), (Lines{"eins", "", "zwei", "drei"}));
}

TEST(TextFile, AtomicWriteKeepsTheOldFileOnFailure) {
  // A replacement that cannot be completed leaves the old content and no temporary file.
  qmtest::TempDir dir;
  WriteFileAtomic(dir / "p.qmpr", "alt\r\n", "nach %s kann nicht geschrieben werden");
  EXPECT_EQ(qmtest::ReadFile(dir / "p.qmpr"), "alt\r\n");
  std::filesystem::create_directory(dir / "d.qmpr");
  EXPECT_THROW(WriteFileAtomic(dir / "d.qmpr", "neu", "nach %s kann nicht geschrieben werden"),
               Error);
  WriteFileAtomic(dir / "p.qmpr", "neu\r\n", "nach %s kann nicht geschrieben werden");
  EXPECT_EQ(qmtest::ReadFile(dir / "p.qmpr"), "neu\r\n");
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) {
    ++entries;
  }
  EXPECT_EQ(entries, 2);
}

#ifdef _WIN32
TEST(TextFile, ReplaceNeverWritesThroughOtherNames) {
  GTEST_SKIP() << "symbolic links need a privilege on Windows";
}
#else
TEST(TextFile, ReplaceNeverWritesThroughOtherNames) {
  // A link or a file with a second name is replaced by a new file, so the other name keeps its
  // content; the replacement leaves no temporary file.
  qmtest::TempDir dir;
  qmtest::WriteFile(dir / "plain", "alt");
  qmtest::WriteFile(dir / "target", "bleibt");
  qmtest::WriteFile(dir / "shared", "bleibt auch");
  std::filesystem::create_symlink(dir / "target", dir / "link");
  std::filesystem::create_hard_link(dir / "shared", dir / "second");
  for (const char* name : {"plain", "link", "second", "new"}) {
    EXPECT_TRUE(ReplaceFileIfChanged(dir / name, "neu")) << name;
    EXPECT_EQ(qmtest::ReadFile(dir / name), "neu") << name;
  }
  EXPECT_FALSE(std::filesystem::is_symlink(dir / "link"));
  EXPECT_EQ(qmtest::ReadFile(dir / "target"), "bleibt");
  EXPECT_EQ(qmtest::ReadFile(dir / "shared"), "bleibt auch");
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) {
    ++entries;
  }
  EXPECT_EQ(entries, 6);
}
#endif

#ifdef _WIN32
TEST(TextFile, AtomicWriteKeepsLinksAndPermissions) {
  GTEST_SKIP() << "symbolic links and POSIX permissions";
}
#else
TEST(TextFile, AtomicWriteKeepsLinksAndPermissions) {
  // Saving through a link replaces the file it names; the replaced file's permissions stay.
  qmtest::TempDir dir;
  qmtest::WriteFile(dir / "real.qmpr", "alt");
  std::filesystem::permissions(dir / "real.qmpr", std::filesystem::perms(0640));
  std::filesystem::create_symlink(dir / "real.qmpr", dir / "link.qmpr");
  WriteFileAtomic(dir / "link.qmpr", "neu", "nach %s kann nicht geschrieben werden");
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.qmpr"));
  EXPECT_EQ(qmtest::ReadFile(dir / "real.qmpr"), "neu");
  EXPECT_EQ(std::filesystem::status(dir / "real.qmpr").permissions(), std::filesystem::perms(0640));
}
#endif

TEST(TextFile, ReadsWholeFilesAndTheirStarts) {
  // Files around the sizes the reader works in, read whole and as their first 4096 bytes; a
  // file the system reports as empty that has bytes is read all the same; a fifo that a
  // listing showed as a file is passed over without waiting.
  qmtest::TempDir dir;
  for (const size_t size : {size_t{0}, size_t{1}, size_t{4095}, size_t{4096}, size_t{4097},
                            size_t{65536}, size_t{200001}}) {
    std::string bytes(size, 'x');
    for (size_t i = 0; i < size; ++i) {
      bytes[i] = static_cast<char>('a' + i % 23);
    }
    const std::string path = dir / ("f" + std::to_string(size));
    WriteFileBytes(path, bytes);
    EXPECT_EQ(ReadFileBytes(path), bytes);
    EXPECT_EQ(ReadRegularFileBytes(path).value().View(), bytes);
    EXPECT_EQ(ReadListedFileBytes(path, 4096).value().View(), bytes.substr(0, 4096));
  }
  QM_POSIX_ONLY("/proc and fifos");
#ifndef _WIN32
  const std::optional<FileBytes> status = ReadRegularFileBytes("/proc/self/status");
  ASSERT_TRUE(status.has_value());
  EXPECT_NE(status->View().find("Name:"), std::string::npos);

  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0644), 0);
  EXPECT_FALSE(ReadListedFileBytes(dir / "fifo").has_value());
#endif
}

TEST(TextFile, ReplaceKeepsAnEqualFileAndWritesADifferentOne) {
  // A page compared with its new bytes: equal gives no write, a difference anywhere (at the
  // start, beyond the first 64 KiB read) or a new length writes it.
  qmtest::TempDir dir;
  const std::string path = dir / "page.htm";
  std::string old(150000, ' ');
  for (size_t i = 0; i < old.size(); ++i) {
    old[i] = static_cast<char>('A' + i % 26);
  }
  WriteFileBytes(path, old);
  EXPECT_FALSE(ReplaceFileIfChanged(path, old, true));
  for (const size_t at : {size_t{0}, size_t{63}, size_t{64}, size_t{65}, size_t{100000}}) {
    std::string changed = old;
    changed[at] = '#';
    EXPECT_TRUE(ReplaceFileIfChanged(path, changed, true)) << at;
    EXPECT_EQ(qmtest::ReadFile(path), changed) << at;
    WriteFileBytes(path, old);
  }
  EXPECT_TRUE(ReplaceFileIfChanged(path, old.substr(0, 70000), true));
  EXPECT_EQ(qmtest::ReadFile(path), old.substr(0, 70000));
  EXPECT_TRUE(ReplaceFileIfChanged(path, old, true));
  EXPECT_EQ(qmtest::ReadFile(path), old);
}

TEST(TextFile, ASnapshotAnswersTheComparisonOnlyWhileTheFileIsAsItWasRead) {
  // While the file is the one read (same file, size and times) the snapshot's bytes stand in
  // for it; a file replaced or grown since is read again. A snapshot whose bytes differ from
  // the file's shows which of the two was compared.
  qmtest::TempDir dir;
  const std::string path = dir / "page.htm";
  qmtest::WriteFile(path, "alt");
  const std::optional<FileSnapshot> seen = TakeSnapshot(path, 3);
  ASSERT_TRUE(seen.has_value());
  EXPECT_EQ(seen->bytes, "alt");
  FileSnapshot forged = *seen;
  forged.bytes = "neu";
  EXPECT_FALSE(ReplaceFileIfChanged(path, "neu", true, &forged));
  EXPECT_EQ(qmtest::ReadFile(path), "alt");

  qmtest::WriteFile(dir / "other", "xyz");
  std::filesystem::rename(dir / "other", path);
  EXPECT_TRUE(ReplaceFileIfChanged(path, "neu", true, &forged));
  EXPECT_EQ(qmtest::ReadFile(path), "neu");

  forged = *TakeSnapshot(path, 3);
  forged.bytes = "ohne";
  AppendFileBytes(path, "!");
  EXPECT_TRUE(ReplaceFileIfChanged(path, "ohne", true, &forged));
  EXPECT_EQ(qmtest::ReadFile(path), "ohne");

  EXPECT_FALSE(TakeSnapshot(path, 3).has_value()) << "larger than the limit";
  EXPECT_FALSE(TakeSnapshot(dir / "missing", 3).has_value());
#ifndef _WIN32
  std::filesystem::create_symlink(path, dir / "link");
  ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0644), 0);
  EXPECT_FALSE(TakeSnapshot(dir / "link", 16).has_value());
  EXPECT_FALSE(TakeSnapshot(dir / "fifo", 16).has_value());
#endif
}
