// Two sources of one base name share their per-source pages. A later source with a block
// replaces the earlier one's page; a later source without one leaves it, documentation and
// all, so the page list never names a page that is not there. The page reaches the disk once,
// when its last source is done, so a run over unchanged sources touches no file.
#include "engine/Generator.h"
#include "engine/HeldPages.h"

#include "EngineFixture.h"

#include "base/FileSystem.h"
#include "base/Paths.h"

#include <map>

using namespace qm;
using namespace qmtest;

namespace {

namespace fs = std::filesystem;

// Every file of folder by name, with its bytes.
std::map<std::string, std::string> FilesIn(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::directory_iterator(FsPath(folder))) {
    const std::u8string name = e.path().filename().u8string();
    files[std::string(name.begin(), name.end())] =
        ReadFile(AddTrailingBackslash(folder) + std::string(name.begin(), name.end()));
  }
  return files;
}

// Every file of folder by name, with its identity in the file system and modification time.
std::map<std::string, std::pair<FileId, fs::file_time_type>>
IdentitiesIn(const std::string& folder) {
  std::map<std::string, std::pair<FileId, fs::file_time_type>> ids;
  for (const auto& e : fs::directory_iterator(FsPath(folder))) {
    const std::u8string name = e.path().filename().u8string();
    const std::optional<PathInfo> info =
        LookUp(AddTrailingBackslash(folder) + std::string(name.begin(), name.end()));
    ids[std::string(name.begin(), name.end())] = {info ? info->id : FileId{},
                                                  fs::last_write_time(e.path())};
  }
  return ids;
}

// Stops the run once the given number of files is done.
class CancelAfter : public ProgressSink {
public:
  explicit CancelAfter(int files) : files_(files) {}
  void SetFileCount(int /*count*/) override {}
  bool Cancelled() const override { return done_ >= files_; }
  void StepFile(const std::string& /*file*/, int /*lineCount*/) override { ++done_; }

private:
  int files_;
  int done_ = 0;
};

} // namespace

TEST(SharedBaseName, TheLastSourceWithABlockOwnsThePage) {
  // a/Main.pas and b/Main.pas in this order, over a page left by an earlier run.
  const std::vector<std::string> withBlock[] = {
      {"{###DocGen_Start Eins", "Text A", "###DocGen_End}"},
      {"{###DocGen_Start Zwei", "Text B", "###DocGen_End}"},
  };
  const std::vector<std::string> without = {"{ keine Doku }"};
  const std::string pageOfA = CrLf({"<TITLE></TITLE>", "DH Main.pas Main.Doc", "DBH Eins", "Text A",
                                    "", "", "DBF", std::string("DF Main|Eins|") + kNow});
  const std::string pageOfB = CrLf({"<TITLE></TITLE>", "DH Main.pas Main.Doc", "DBH Zwei", "Text B",
                                    "", "", "DBF", std::string("DF Main|Zwei|") + kNow});
  enum class Said { Nothing, Replaced, Kept };
  struct Case {
    const char* name;
    std::vector<std::string> a, b;
    const std::string* page; // nullptr: no page
    size_t listed;           // times the page list names it
    Said said;
  };
  const Case cases[] = {
      {"both with blocks", withBlock[0], withBlock[1], &pageOfB, 2, Said::Replaced},
      {"the later without", withBlock[0], without, &pageOfA, 1, Said::Kept},
      {"the earlier without", without, withBlock[1], &pageOfB, 1, Said::Nothing},
      {"neither", without, without, nullptr, 0, Said::Nothing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EngineFixture fx;
    fx.Source("a/Main.pas", c.a);
    fx.Source("b/Main.pas", c.b);
    const std::string page = fx.Out("Main.Doc.htm");
    WriteFile(page, "alt\r\n");
    const auto gen = fx.MakeGenerator();
    EngineFixture::RunFiles(*gen, {fx.Src("a/Main.pas"), fx.Src("b/Main.pas")});

    const auto expected = c.page != nullptr
                              ? std::map<std::string, std::string>{{"Main.Doc.htm", *c.page}}
                              : std::map<std::string, std::string>{};
    EXPECT_EQ(FilesIn(fx.Out()), expected);
    EXPECT_EQ(gen->Doc().Pages, Lines(c.listed, page));
    EXPECT_TRUE(gen->Tech().Pages.empty());
    const std::string later = fx.Src("b/Main.pas");
    const std::string earlier = fx.Src("a/Main.pas");
    WarningList warnings;
    if (c.said == Said::Replaced) {
      warnings.push_back({later, 0,
                          "Die Seite " + page + " wird ersetzt; die Dokumentation aus " + earlier +
                              " geht verloren"});
    } else if (c.said == Said::Kept) {
      warnings.push_back({later, 0,
                          "Die Seite " + page + " bleibt mit der Dokumentation aus " + earlier +
                              "; diese Quelle hat keinen Block f\xC3\xBCr sie"});
    }
    EXPECT_EQ(gen->result.Warnings, warnings);

    // The same sources again: every page keeps its file and its time.
    const auto before = IdentitiesIn(fx.Out());
#ifndef _WIN32
    // The folder's time shows a temporary file made and removed again. Windows sets the time
    // of files only, so the check is left out there.
    fs::last_write_time(fx.Out(), fs::file_time_type::clock::now() - std::chrono::hours(1));
    const auto folderTime = fs::last_write_time(fx.Out());
#endif
    EngineFixture::RunFiles(*gen, {fx.Src("a/Main.pas"), fx.Src("b/Main.pas")});
    EXPECT_EQ(IdentitiesIn(fx.Out()), before);
#ifndef _WIN32
    EXPECT_EQ(fs::last_write_time(fx.Out()), folderTime) << "a file was made or removed";
#endif
    EXPECT_EQ(FilesIn(fx.Out()), expected);
    EXPECT_EQ(gen->result.Warnings, warnings);
  }
}

TEST(SharedBaseName, AnEndedRunPutsTheHeldPageInPlace) {
  // The run ends between two sources of one base name, by a failure or a cancel: the earlier
  // source's page, held for the later one, is on disk as that source left it.
  EngineFixture fx;
  fx.Source("a/Main.pas", {"{###DocGen_Start Eins", "Text A", "###DocGen_End}"});
  fx.Source("b/Main.pas", {"{###DocGen_Start Zwei", "Text B", "###DocGen_End}"});
  const std::string pageOfA = CrLf({"<TITLE></TITLE>", "DH Main.pas Main.Doc", "DBH Eins", "Text A",
                                    "", "", "DBF", std::string("DF Main|Eins|") + kNow});
  for (const bool fail : {true, false}) {
    SCOPED_TRACE(fail ? "failure" : "cancel");
    fs::remove_all(fx.Out());
    fs::create_directories(fx.Out());
    fx.Source("x.pas", {fail ? "{###DocGen_Start offen" : "{ nichts }"});
    const auto gen = fx.MakeGenerator();
    CancelAfter cancel(2);
    const std::string error = ErrorText([&] {
      EngineFixture::RunFiles(*gen, {fx.Src("a/Main.pas"), fx.Src("x.pas"), fx.Src("b/Main.pas")},
                              fail ? nullptr : &cancel);
    });
    EXPECT_EQ(error != "<no error>", fail) << error;
    std::map<std::string, std::string> expected = {{"Main.Doc.htm", pageOfA}};
    if (fail) {
      // The failing source's pages keep what was written of them: their headers.
      expected["x.Doc.htm"] = CrLf({"<TITLE></TITLE>", "DH x.pas x.Doc"});
      expected["x.Tech.htm"] = CrLf({"<TITLE></TITLE>", "TH x.pas"});
    }
    EXPECT_EQ(FilesIn(fx.Out()), expected);
  }
}

TEST(HeldPages, MemoryStaysWithinItsLimit) {
  // Pages held beyond the limit wait in a temporary file beside their place; put in place,
  // each holds exactly its bytes and no temporary file is left.
  TempDir dir;
  HeldPages held(16);
  const std::string bytes[] = {"zehn Bytes", "noch zehn!", "und sieben"};
  for (size_t i = 0; i < 3; ++i) {
    PageStream page(dir / ("p" + std::to_string(i) + ".htm"), true, false);
    page.Append(bytes[i]);
    held.Hold("p" + std::to_string(i), std::move(page));
    EXPECT_LE(held.MemoryBytes(), 16U);
  }
  EXPECT_EQ(FilesIn(dir.path()).size(), 2U) << "two pages wait on disk";
  held.Drop("p1");
  PageFolders folders;
  held.PutAllInPlace(folders);
  EXPECT_EQ(held.MemoryBytes(), 0U);
  const std::map<std::string, std::string> expected = {{"p0.htm", bytes[0]}, {"p2.htm", bytes[2]}};
  EXPECT_EQ(FilesIn(dir.path()), expected);
}
