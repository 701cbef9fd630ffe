// Large pages reach the disk as they grow and come out byte for byte as if they had been held
// whole; what a run does not keep leaves nothing behind.
#include "engine/PageSink.h"

#include "base/FileReplace.h"

#include "EngineFixture.h"

#include <chrono>
#include <filesystem>
#include <optional>

using namespace qm;
using namespace qmtest;

namespace {

// A text line of n bytes that no character row changes.
std::string LongLine(size_t n) {
  std::string line;
  while (line.size() < n) {
    line += "Lange Zeile ohne Sonderzeichen ";
  }
  line.resize(n);
  line.back() = 'x'; // a trailing blank would be trimmed off a title or a comment line
  return line;
}

} // namespace

TEST(PageSink, StreamedPageHoldsEverythingAppended) {
  // Small and large pieces, beyond the memory limit, end up in order; a page that is not
  // kept is deleted when it is dropped, not before, and leaves no temporary file.
  TempDir dir;
  const std::string big(kPageMemoryLimit + 10, 'x');
  PageStream page(dir / "a.htm", true);
  std::string expected;
  for (int i = 0; i < 3; ++i) {
    const std::string piece = "Teil " + std::to_string(i) + "\r\n";
    page.Append(piece);
    page.Append(big);
    expected += piece + big;
  }
  page.Finish();
  EXPECT_TRUE(ReadFile(dir / "a.htm") == expected);

  WriteFile(dir / "b.htm", "alt");
  PageStream dropped(dir / "b.htm", false);
  dropped.Append(big);
  EXPECT_EQ(ReadFile(dir / "b.htm"), "alt");
  dropped.Discard();
  EXPECT_FALSE(Exists(dir / "b.htm"));
  EXPECT_EQ(FileCount(dir.path()), 1u);
}

TEST(PageSink, LargePagesAreTheBytesOfSmallOnes) {
  // A per-source page and an own page of many megabytes, and a title line longer than the
  // memory limit, are written exactly as the templates and blocks make them.
  EngineFixture fx;
  const std::string text = LongLine(6000);
  const std::string title = LongLine(kPageMemoryLimit + 100);
  std::vector<std::string> source = {"/* ###DocGen_Start " + title, "x", "###DocGen_End */"};
  std::string ownBlocks;
  std::string pageBlocks = CrLf({"DBH " + title, "x", "", "", "DBF"});
  for (int i = 0; i < 1000; ++i) {
    const std::string n = std::to_string(i);
    source.insert(source.end(),
                  {"/* ###DocGen_Start S" + n, text, "###DocGen_End */", "/* ###DocGen_Start E" + n,
                   "###Output Eigen", text, "###DocGen_End */"});
    pageBlocks += CrLf({"DBH S" + n, text, "", "", "DBF"});
    ownBlocks += CrLf({"DBH E" + n, text, "", "DBF"});
  }
  fx.Source("gross.c", source);
  const auto gen = fx.MakeGenerator();
  EngineFixture::RunFiles(*gen, {fx.Src("gross.c")});

  const std::string page = ReadFile(fx.Out("gross.Doc.htm"));
  EXPECT_GT(page.size(), 2 * kPageMemoryLimit);
  EXPECT_TRUE(page == CrLf({"<TITLE></TITLE>", "DH gross.c gross.Doc"}) + pageBlocks +
                          CrLf({"DF gross|E999|" + std::string(kNow)}));
  EXPECT_TRUE(ReadFile(fx.Out("Eigen.Doc.htm")) ==
              CrLf({"<TITLE>E0</TITLE>", "DH gross.c gross.Doc"}) + ownBlocks +
                  CrLf({"DF ||" + std::string(kNow)}));
  EXPECT_EQ(FileCount(fx.Out()), 2u);
}

TEST(PageSink, APageReadBeforeComesOutExactlyWhereverItParts) {
  // The pieces are compared with what was read of the page as they come. A page that comes
  // out as it was stays untouched; one that parts from it (shorter, longer, in its middle, at
  // once, after a spill to its temporary file, or after the file changed on disk) is written
  // exactly as appended.
  const std::string old = "<html>\r\nalt\r\n</html>\r\n";
  constexpr size_t kNoSpill = 99;
  const struct {
    const char* name;
    std::vector<std::string> pieces;
    size_t spillAfter = kNoSpill;
    bool changedOnDisk = false;
  } cases[] = {
      {"same", {"<html>\r\n", "alt\r\n", "</html>\r\n"}},
      {"shorter", {"<html>\r\n", "alt\r\n"}},
      {"longer", {"<html>\r\n", "alt\r\n", "</html>\r\n", "mehr\r\n"}},
      {"middle", {"<html>\r\n", "neu\r\n", "</html>\r\n"}},
      {"at once", {"x", "alt\r\n"}},
      {"nothing", {}},
      {"spilled", {"<html>\r\n", "alt\r\n", "neu\r\n"}, 1},
      {"changed", {"<html>\r\n", "alt\r\n", "</html>\r\n"}, kNoSpill, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    const std::string path = dir / "a.htm";
    WriteFile(path, old);
    // An hour back, as the file system stores it (Windows keeps 100 ns steps).
    std::filesystem::last_write_time(FsPath(path), std::filesystem::file_time_type::clock::now() -
                                                       std::chrono::hours(1));
    const auto before = std::filesystem::last_write_time(FsPath(path));
    std::optional<FileSnapshot> seen = TakeSnapshot(path, 1024);
    ASSERT_TRUE(seen);
    if (c.changedOnDisk) {
      WriteFile(path, "anders");
    }
    PageStream page(path, true, true, std::make_shared<const FileSnapshot>(std::move(*seen)));
    std::string expected;
    for (size_t i = 0; i < c.pieces.size(); ++i) {
      page.Append(c.pieces[i]);
      expected += c.pieces[i];
      if (i + 1 == c.spillAfter) {
        page.Spill();
      }
    }
    page.Finish();
    EXPECT_EQ(ReadFile(path), expected);
    EXPECT_EQ(std::filesystem::last_write_time(FsPath(path)) == before,
              expected == old && !c.changedOnDisk);
    EXPECT_EQ(FileCount(dir.path()), 1u);
  }
}
