// A page whose new content is what the disk holds is not written again: its modification time
// stays, so whatever is built from the pages need not be built again.
#include "base/TextFile.h"
#include "engine/Generator.h"

#include "EngineFixture.h"

#include <algorithm>
#include <map>

using namespace qm;
using namespace qmtest;

namespace {

namespace fs = std::filesystem;

// Sets the time of every file below folder far back; returns each file's time.
std::map<std::string, fs::file_time_type> AgeFiles(const std::string& folder) {
  std::map<std::string, fs::file_time_type> times;
  const fs::file_time_type old = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
  for (const auto& e : fs::directory_iterator(folder)) {
    fs::last_write_time(e.path(), old);
    times[e.path().filename().string()] = old;
  }
  return times;
}

std::map<std::string, fs::file_time_type> TimesOf(const std::string& folder) {
  std::map<std::string, fs::file_time_type> times;
  for (const auto& e : fs::directory_iterator(folder)) {
    times[e.path().filename().string()] = fs::last_write_time(e.path());
  }
  return times;
}

// A Doc page of one block; the footer names the title of the source's last block.
std::string DocPage(const std::string& name, const std::string& title,
                    const std::vector<std::string>& text, const std::string& lastTitle) {
  std::vector<std::string> lines = {"<TITLE></TITLE>", "DH " + name + ".pas " + name + ".Doc",
                                    "DBH " + title};
  lines.insert(lines.end(), text.begin(), text.end());
  lines.insert(lines.end(), {"", "", "DBF", "DF " + name + "|" + lastTitle + "|" + kNow});
  return CrLf(lines);
}

std::vector<std::string> Names(const std::map<std::string, fs::file_time_type>& times) {
  std::vector<std::string> names;
  for (const auto& [name, time] : times) {
    names.push_back(name);
  }
  return names;
}

} // namespace

TEST(UnchangedPages, SecondRunWritesNothingAndAChangeOnlyItsPages) {
  QM_POSIX_ONLY("under Wine a file time set through std::filesystem does not always stick");
  EngineFixture fx;
  fx.Source("A.pas", {"{###DocGen_Start Ateil", "Text A", "###DocGen_End}",
                      "{###DocGen_Start Eigen", "###Output Gemeinsam", "von A", "###DocGen_End}"});
  fx.Source("B.pas", {"{###DocGen_Start Bteil", "Text B mit einer langen Zeile", "###DocGen_End}",
                      "{###TechGen_Start Intern", "Technik", "###TechGen_End}"});
  fx.Source("C.pas", {"{###DocGen_Start Eigen", "###Output Gemeinsam", "von C", "###DocGen_End}"});
  const std::vector<std::string> files = {fx.Src("A.pas"), fx.Src("B.pas"), fx.Src("C.pas")};
  for (const unsigned threads : {1U, 4U}) {
    SCOPED_TRACE(threads);
    const auto gen = fx.MakeGenerator();
    gen->options.Threads = threads;
    EngineFixture::RunFiles(*gen, files);
    const std::string ownPage = ReadFile(fx.Out("Gemeinsam.Doc.htm"));
    const std::string techPage = ReadFile(fx.Out("B.Tech.htm"));

    // Nothing changed: no file is written, every time stays.
    const auto aged = AgeFiles(fx.Out());
    EXPECT_EQ(aged.size(), 4U) << testing::PrintToString(Names(aged));
    EngineFixture::RunFiles(*gen, files);
    EXPECT_EQ(TimesOf(fx.Out()), aged);
    EXPECT_EQ(gen->result.Counts.PagesWritten, 4);

    // B's Doc block gets shorter: its Doc page is rewritten in full and cut to its new length;
    // its Tech page, A's pages and the own page stay as they were.
    fx.Source("B.pas", {"{###DocGen_Start Bteil", "Text B", "###DocGen_End}",
                        "{###TechGen_Start Intern", "Technik", "###TechGen_End}"});
    EngineFixture::RunFiles(*gen, files);
    auto times = TimesOf(fx.Out());
    EXPECT_NE(times["B.Doc.htm"], aged.at("B.Doc.htm"));
    times.erase("B.Doc.htm");
    auto others = aged;
    others.erase("B.Doc.htm");
    EXPECT_EQ(times, others);
    EXPECT_EQ(ReadFile(fx.Out("B.Doc.htm")), DocPage("B", "Bteil", {"Text B"}, "Intern"));
    EXPECT_EQ(ReadFile(fx.Out("B.Tech.htm")), techPage);

    // C's part of the own page changes at its end: only the own page is written.
    const auto aged2 = AgeFiles(fx.Out());
    fx.Source("C.pas",
              {"{###DocGen_Start Eigen", "###Output Gemeinsam", "von C, neu", "###DocGen_End}"});
    EngineFixture::RunFiles(*gen, files);
    times = TimesOf(fx.Out());
    EXPECT_NE(times["Gemeinsam.Doc.htm"], aged2.at("Gemeinsam.Doc.htm"));
    times.erase("Gemeinsam.Doc.htm");
    others = aged2;
    others.erase("Gemeinsam.Doc.htm");
    EXPECT_EQ(times, others);
    const size_t at = ownPage.find("von C");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(ReadFile(fx.Out("Gemeinsam.Doc.htm")),
              ownPage.substr(0, at) + "von C, neu" + ownPage.substr(at + 5));

    // Back to the first sources for the next round.
    fx.Source("B.pas", {"{###DocGen_Start Bteil", "Text B mit einer langen Zeile", "###DocGen_End}",
                        "{###TechGen_Start Intern", "Technik", "###TechGen_End}"});
    fx.Source("C.pas",
              {"{###DocGen_Start Eigen", "###Output Gemeinsam", "von C", "###DocGen_End}"});
    fs::remove_all(fx.Out());
    fs::create_directories(fx.Out());
  }
}

TEST(UnchangedPages, APageKnownAbsentIsNeverDeleted) {
  // The output folder is listed once, at the start of the run. A source without blocks whose
  // page was not there then leaves the folder alone: a file that appears at that name during
  // the run (made here after the first source) is not deleted, as a blind delete would.
  EngineFixture fx;
  fx.Source("A.pas", {"{###DocGen_Start A", "Text", "###DocGen_End}"});
  fx.Source("B.pas", {"unit B;"});
  // C's only block goes to an own page: its per-source page, not there at the start, is
  // neither made empty nor deleted, so the file that appears there stays as well.
  fx.Source("C.pas", {"{###DocGen_Start C", "###Output Eigen", "Text", "###DocGen_End}"});
  class MakeFileAfterFirst : public ProgressSink {
  public:
    explicit MakeFileAfterFirst(std::vector<std::string> paths) : paths_(std::move(paths)) {}
    void SetFileCount(int) override {}
    void StepFile(const std::string&, int) override {
      if (!made_) {
        for (const std::string& path : paths_) {
          WriteFile(path, "fremd");
        }
        made_ = true;
      }
    }

  private:
    std::vector<std::string> paths_;
    bool made_ = false;
  };
  for (const unsigned threads : {1U, 4U}) {
    SCOPED_TRACE(threads);
    fs::remove_all(fx.Out());
    fs::create_directories(fx.Out());
    const auto gen = fx.MakeGenerator();
    gen->options.Threads = threads;
    MakeFileAfterFirst progress({fx.Out("B.Doc.htm"), fx.Out("C.Doc.htm")});
    EngineFixture::RunFiles(*gen, {fx.Src("A.pas"), fx.Src("B.pas"), fx.Src("C.pas")}, &progress);
    EXPECT_EQ(ReadFile(fx.Out("B.Doc.htm")), "fremd");
    EXPECT_EQ(ReadFile(fx.Out("C.Doc.htm")), "fremd");
    EXPECT_TRUE(Exists(fx.Out("A.Doc.htm")));
    EXPECT_TRUE(Exists(fx.Out("Eigen.Doc.htm")));
  }
}

TEST(UnchangedPages, APageChangedDuringTheRunIsLookedAtAgain) {
  // The pages are read when the run starts. A page that is changed before its source's turn
  // (here by hand, after the first source) is looked at as it is then: the hand-written start
  // marker is warned about, and the page is compared with what it holds now, so the run's
  // bytes replace it even though they equal what was read at the start.
  EngineFixture fx;
  fx.Source("A.pas", {"{###DocGen_Start A", "Text A", "###DocGen_End}"});
  fx.Source("B.pas", {"{###DocGen_Start B", "Text B", "###DocGen_End}"});
  class EditAfterFirst : public ProgressSink {
  public:
    explicit EditAfterFirst(std::string path) : path_(std::move(path)) {}
    void SetFileCount(int) override {}
    void StepFile(const std::string&, int) override {
      if (!done_) {
        WriteFile(path_, "<!-- ###DocGen_Start von Hand -->\r\n");
        done_ = true;
      }
    }

  private:
    std::string path_;
    bool done_ = false;
  };
  for (const unsigned threads : {1U, 4U}) {
    SCOPED_TRACE(threads);
    const auto gen = fx.MakeGenerator();
    gen->options.Threads = threads;
    const std::vector<std::string> files = {fx.Src("A.pas"), fx.Src("B.pas")};
    EngineFixture::RunFiles(*gen, files);
    const std::string page = ReadFile(fx.Out("B.Doc.htm"));
    EditAfterFirst progress(fx.Out("B.Doc.htm"));
    EngineFixture::RunFiles(*gen, files, &progress);
    EXPECT_EQ(ReadFile(fx.Out("B.Doc.htm")), page);
    ASSERT_EQ(gen->result.Warnings.size(), 1U);
    EXPECT_EQ(gen->result.Warnings[0].file, fx.Out("B.Doc.htm"));
    EXPECT_NE(gen->result.Warnings[0].text.find("von Hand"), std::string::npos);
  }
}

TEST(UnchangedPages, PagesBeyondWhatTheStartKeepsAreComparedAndLookedAtToo) {
  // The pages read at the start are kept up to a budget of 16 MiB; these 70 pages of about
  // 250 KB go beyond it, so some are read again on their sources' turns. Unchanged, none is
  // written; written by hand, each is named, whether it was kept or not.
  QM_POSIX_ONLY("under Wine a file time set through std::filesystem does not always stick");
  EngineFixture fx;
  constexpr int kSources = 70;
  const std::string line(100, 'x');
  std::vector<std::string> files;
  for (int i = 0; i < kSources; ++i) {
    std::vector<std::string> lines = {"{###DocGen_Start Teil"};
    lines.insert(lines.end(), 2400, line);
    lines.push_back("###DocGen_End}");
    const std::string name = "S" + std::to_string(100 + i);
    fx.Source(name + ".pas", lines);
    files.push_back(fx.Src(name + ".pas"));
  }
  for (const unsigned threads : {1U, 2U}) {
    SCOPED_TRACE(threads);
    const auto gen = fx.MakeGenerator();
    gen->options.Threads = threads;
    EngineFixture::RunFiles(*gen, files);
    const std::string page = ReadFile(fx.Out("S169.Doc.htm"));
    ASSERT_GT(page.size() * kSources, size_t{16} << 20);

    const auto aged = AgeFiles(fx.Out());
    EngineFixture::RunFiles(*gen, files);
    EXPECT_EQ(TimesOf(fx.Out()), aged);
    EXPECT_TRUE(gen->result.Warnings.empty());

    for (int i = 0; i < kSources; ++i) {
      WriteFile(fx.Out("S" + std::to_string(100 + i) + ".Doc.htm"),
                "<!-- ###DocGen_Start von Hand -->\r\n" + page);
    }
    EngineFixture::RunFiles(*gen, files);
    EXPECT_EQ(ReadFile(fx.Out("S169.Doc.htm")), page);
    EXPECT_EQ(std::ranges::count_if(
                  gen->result.Warnings,
                  [](const Warning& w) { return w.text.find("von Hand") != std::string::npos; }),
              kSources);
  }
}
