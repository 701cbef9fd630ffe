// Worker threads that read and convert sources ahead change nothing that can be seen: the
// same pages, lists, warnings, progress calls and disk state as one thread gives, also after
// a failure and after a cancel.
#include "engine/Generator.h"

#include "EngineFixture.h"
#include "EntryText.h"

#include <algorithm>
#include <map>

using namespace qm;
using namespace qmtest;

namespace {

// Every progress call in order; cancels once cancelAfter files are done.
class Recorder : public ProgressSink {
public:
  explicit Recorder(int cancelAfter) : cancelAfter_(cancelAfter) {}
  void SetFileCount(int count) override { calls.push_back("count " + std::to_string(count)); }
  bool Cancelled() const override { return cancelAfter_ >= 0 && steps_ >= cancelAfter_; }
  void StepFile(const std::string& file, int lines) override {
    ++steps_;
    calls.push_back(file + " " + std::to_string(lines));
  }
  void Finished() override { calls.push_back("finished"); }
  std::vector<std::string> calls;

private:
  int cancelAfter_;
  int steps_ = 0;
};

// What a run leaves: every file below out/ with its bytes, the lists, warnings and outcome.
struct Outcome {
  std::map<std::string, std::string> disk;
  std::vector<Lines> lists;
  std::vector<std::string> warnings;
  std::vector<std::string> progress;
  std::string error;
};

// Member by member, so that a difference shows itself.
void ExpectSame(const Outcome& got, const Outcome& want, const std::string& what) {
  SCOPED_TRACE(what);
  EXPECT_EQ(got.disk, want.disk);
  EXPECT_EQ(got.lists, want.lists);
  EXPECT_EQ(got.warnings, want.warnings);
  EXPECT_EQ(got.progress, want.progress);
  EXPECT_EQ(got.error, want.error);
}

// A tree of 40 sources: own pages shared between files, contents, index and context-id lines
// (some ids twice), sources without blocks whose old pages go, and an old page that is also a
// source after the source that rewrites it.
std::vector<std::string> MakeTree(const EngineFixture& fx, int failingFile) {
  std::vector<std::string> files;
  for (int i = 0; i < 40; ++i) {
    const std::string name = "F" + std::to_string(100 + i);
    std::vector<std::string> lines = {"unit " + name + ";"};
    if (i % 5 != 4) {
      // A title that converts to other page text and another link name.
      lines.insert(lines.end(),
                   {"{###DocGen_Start Teil \xE4 & <I> " + name, "Text \xE4 <B>fett</B>",
                    "###Toc " + name + ";Teil", "###Index Teil;" + name,
                    "###ContextID " + std::to_string(i % 7), "###DocGen_End}"});
    }
    if (i % 3 == 0) {
      lines.insert(lines.end(),
                   {"{###TechGen_Start Intern", "###Output Gemeinsam" + std::to_string(i % 2),
                    "Zeile " + name, "###Index Intern;" + name, "###TechGen_End}"});
    }
    if (i == failingFile) {
      lines.insert(lines.end(), {"{###DocGen_Start Offen", "kein Ende"});
    }
    fx.Source(name + ".pas", lines);
    files.push_back(fx.Src(name + ".pas"));
  }
  // Old pages: of a source that has no blocks now, and one whose old text holds a block.
  WriteFile(fx.Out("F104.Doc.htm"), "alt\r\n");
  WriteFile(fx.Out("F101.Doc.htm"), CrLf({"{###DocGen_Start Alt", "alt", "###DocGen_End}"}));
  // A page written by hand, which a worker reads ahead of its source's turn.
  WriteFile(fx.Out("F110.Doc.htm"), CrLf({"<html>", "<!-- ###DocGen_Start -->", "von Hand"}));
  // Right behind its source, so that a worker reads it early.
  files.insert(files.begin() + 2, fx.Out("F101.Doc.htm"));
  return files;
}

// text with every mention of the temporary folder root taken out, so that two runs in two
// folders compare equal.
std::string Relative(std::string text, const std::string& root) {
  for (size_t at = text.find(root); at != std::string::npos; at = text.find(root, at)) {
    text.erase(at, root.size());
  }
  return text;
}

Outcome RunTree(unsigned threads, int failingFile, int cancelAfter) {
  EngineFixture fx;
  const std::string root = fx.dir.path();
  const std::vector<std::string> files = MakeTree(fx, failingFile);
  // Block headers and footers with links, paths and keyword lines, which workers fill ahead.
  const std::string t = fx.dir / "Templates/";
  for (const char* kind : {"Usr", "Dev"}) {
    WriteFile(t + "HTMLBlockHeader_" + kind + ".htt",
              CrLf({"<A NAME=\"%LINK%\"></A>%TITLE% in %INPUTFILE%%INPUTEXTENSION%",
                    "###Index %TITLE%;%TITLE%;%LINK%", "###Toc 2;%TITLE%;;%OUTPUTFILE%#%LINK%"}));
    WriteFile(t + "HTMLBlockFooter_" + kind + ".htt", CrLf({"Ende %OUTPUTFILE%", "###Index Ende"}));
  }
  const auto gen = fx.MakeGenerator();
  gen->options.Threads = threads;
  Recorder progress(cancelAfter);
  Outcome out;
  out.error = Relative(ErrorText([&] { EngineFixture::RunFiles(*gen, files, &progress); }), root);
  for (const auto& e : std::filesystem::recursive_directory_iterator(fx.Out())) {
    out.disk[Relative(e.path().string(), root)] = Relative(ReadFile(e.path().string()), root);
  }
  // Entries with the source line they came from.
  const auto placed = [](const std::vector<KeywordEntry>& entries) {
    Lines lines;
    for (const KeywordEntry& e : entries) {
      lines.push_back(std::string(e.Line()) + " @ " + e.Where().File() + ":" +
                      std::to_string(e.Where().Line()));
    }
    return lines;
  };
  for (const Lines& list :
       {gen->Doc().Pages, gen->Tech().Pages, placed(gen->Doc().Toc), placed(gen->Tech().Toc),
        placed(gen->Doc().Index), placed(gen->Tech().Index), Joined(gen->Doc().ContextIds),
        Joined(gen->Tech().ContextIds)}) {
    out.lists.emplace_back();
    for (const std::string& entry : list) {
      out.lists.back().push_back(Relative(entry, root));
    }
  }
  for (const Warning& w : gen->result.Warnings) {
    out.warnings.push_back(Relative(w.file + ":" + std::to_string(w.line) + ": " + w.text, root));
  }
  for (const std::string& call : progress.calls) {
    out.progress.push_back(Relative(call, root));
  }
  return out;
}

} // namespace

TEST(ParallelRun, SameOutcomeAsOneThread) {
  const Outcome one = RunTree(1, -1, -1);
  // The run did what the comparison relies on: own pages, entries, warnings, a page deleted.
  EXPECT_EQ(one.error, "<no error>");
  EXPECT_TRUE(one.disk.contains("out/Gemeinsam0.Tech.htm"));
  EXPECT_TRUE(one.disk.contains("out/Gemeinsam1.Tech.htm"));
  EXPECT_FALSE(one.disk.contains("out/F104.Doc.htm"));
  // The old page listed as a source is F101's page, not read as a source.
  EXPECT_FALSE(one.disk.contains("out/F101.Doc.Doc.htm"));
  EXPECT_EQ(one.lists[2].size(), 64U); // each Doc block's own line and its header's
  // An own page's index line is an entry of that page, with its line in the source.
  EXPECT_NE(std::ranges::find(one.lists[5], "Intern;F100;Gemeinsam0.Tech.htm @ src/F100.pas:8"),
            one.lists[5].end())
      << testing::PrintToString(one.lists[5]);
  EXPECT_EQ(std::ranges::count_if(one.warnings,
                                  [](const std::string& w) {
                                    return w.starts_with("out/F110.Doc.htm:0: ") &&
                                           w.find("von Hand") != std::string::npos;
                                  }),
            1);
  EXPECT_EQ(one.progress.size(), 42U);
  for (const unsigned threads : {2U, 4U, 8U}) {
    ExpectSame(RunTree(threads, -1, -1), one, std::to_string(threads) + " threads");
  }
}

TEST(ParallelRun, FailureLeavesTheDiskAsOneThreadDoes) {
  // File 17 has a block without its end: the run stops there, files before it are written,
  // nothing of a later file is, and the own pages are saved.
  const Outcome one = RunTree(1, 17, -1);
  EXPECT_NE(one.error, "<no error>");
  EXPECT_TRUE(one.disk.contains("out/F116.Doc.htm"));
  EXPECT_FALSE(one.disk.contains("out/F118.Doc.htm"));
  EXPECT_TRUE(one.disk.contains("out/Gemeinsam0.Tech.htm"));
  for (const unsigned threads : {2U, 4U}) {
    ExpectSame(RunTree(threads, 17, -1), one, std::to_string(threads) + " threads");
  }
}

TEST(ParallelRun, CancelStopsBeforeTheNextFileAsOneThreadDoes) {
  for (const int k : {0, 1, 9, 40}) {
    const Outcome one = RunTree(1, -1, k);
    EXPECT_EQ(one.progress.size(), static_cast<size_t>(k) + 2) << k;
    ExpectSame(RunTree(4, -1, k), one, "cancel after " + std::to_string(k));
  }
}

TEST(ParallelRun, HeaderThatCannotBeFilledFailsAtItsBlockAsWithOneThread) {
  // With four threads the workers fill block headers ahead; one whose title would make its
  // line too long is left to its block's turn, which fails there as with one thread.
  const auto run = [](unsigned threads) {
    EngineFixture fx;
    std::vector<std::string> files;
    for (int i = 0; i < 8; ++i) {
      std::string title = "Teil " + std::to_string(i);
      for (int k = 0; i == 5 && k < 200; ++k) {
        title += "%PAGETITLE%";
      }
      const std::string name = "F" + std::to_string(i) + ".pas";
      fx.Source(name, {"{###DocGen_Start " + title, "Text", "###DocGen_End}"});
      files.push_back(fx.Src(name));
    }
    const auto gen = fx.MakeGenerator();
    gen->options.Threads = threads;
    std::map<std::string, std::string> disk;
    disk["error"] =
        Relative(ErrorText([&] { EngineFixture::RunFiles(*gen, files); }), fx.dir.path());
    for (const auto& e : std::filesystem::directory_iterator(fx.Out())) {
      disk[e.path().filename().string()] = ReadFile(e.path().string());
    }
    return disk;
  };
  const std::map<std::string, std::string> one = run(1);
  EXPECT_NE(one.at("error").find("zu lang"), std::string::npos) << one.at("error");
  EXPECT_TRUE(one.contains("F4.Doc.htm"));
  EXPECT_EQ(run(4), one);
}
