// Pages and help files replaced in one step: whatever stops a run (a full disk, a kill, a
// refusal), every page is its old bytes or its new bytes, never a mix, and nothing is written
// through a link or over a read-only file.
#include "CliFixture.h"

#include "base/Paths.h"
#include "base/RunLock.h"

#include <chrono>
#include <filesystem>
#include <set>
#include <thread>

#ifndef _WIN32
#include <csignal>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

using namespace qmtest;

namespace {

// The usual conversion of the world into out, replacing what is there, then extra.
std::vector<std::string> Convert(const CliWorld& world, const std::string& out,
                                 std::vector<std::string> extra = {}) {
  extra.insert(extra.begin(), "--yes");
  return world.Args("convert", out, extra);
}

// Runs args while the file at path may not be written by the program, in a folder it may
// write. On POSIX by the file's permissions, the program run as nobody when the tests run as
// root (who may write every file); on Windows by the read-only attribute, which binds every
// user and is taken off again afterwards.
CliResult RunWithReadOnlyFile(const CliWorld& world, const std::vector<std::string>& args,
                              const std::string& path) {
  namespace fs = std::filesystem;
#ifdef _WIN32
  static_cast<void>(world);
  fs::permissions(FsPath(path),
                  fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  CliResult result = RunCli(args);
  fs::permissions(FsPath(path), fs::perms::owner_write, fs::perm_options::add);
  return result;
#else
  chmod(path.c_str(), 0444);
  chmod(world.Root().c_str(), 0755);
  chmod(qm::ExtractFilePath(path).c_str(), 0777);
  const bool root = geteuid() == 0;
  return RunCliWith(args, [root] {
    if (root && (setgid(65534) != 0 || setuid(65534) != 0)) {
      _exit(126);
    }
  });
#endif
}

#ifndef _WIN32
// A Doc page of the world's templates for source name.pas with one block; a page made over an
// old one keeps the old one's title, in the run's own spelling of the title tag.
std::string DocPageOf(const std::string& name, const std::string& title,
                      const std::vector<std::string>& text, bool over) {
  std::vector<std::string> lines = {"<html>", over ? "<TITLE></TITLE>" : "<title></title>",
                                    "<h1>" + name + ".pas</h1>", "<h2>" + title + "</h2>"};
  lines.insert(lines.end(), text.begin(), text.end());
  lines.insert(lines.end(), {"", "", "<hr>", "<p>26.11.2025</p></html>"});
  return CrLf(lines);
}

std::vector<std::string> Block(const std::string& title, const std::vector<std::string>& text,
                               const std::string& output = "") {
  std::vector<std::string> lines = {"{###DocGen_Start " + title};
  if (!output.empty()) {
    lines.push_back("###Output " + output);
  }
  lines.insert(lines.end(), text.begin(), text.end());
  lines.push_back("###DocGen_End}");
  return lines;
}

#endif

} // namespace

TEST(SafeWrites, AFullDiskKeepsTheOldPage) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no file-size limit of a process";
#else
  // The new page does not fit under the file-size limit: the run fails naming the page, the
  // old page stays as it was, and no temporary file is left. The same for an own page.
  struct Case {
    const char* name;
    std::vector<std::string> before;
    std::vector<std::string> after;
    std::string page;
    std::string old;
    std::set<std::string> files;
  };
  const std::vector<std::string> big(100, std::string(1000, 'v'));
  const std::vector<Case> cases = {
      {"page",
       {},
       Block("Einleitung", big),
       "Unit1.Doc.htm",
       CliWorld::DocPage(),
       {"Unit1.Doc.htm", "Unit1.Tech.htm"}},
      {"own page",
       Block("Eigen", {"kurz"}, "Eigen"),
       Block("Eigen", big, "Eigen"),
       "Eigen.Doc.htm",
       CrLf({"<html>", "<title>Eigen</title>", "<h1>Unit1.pas</h1>", "<h2>Eigen</h2>", "kurz", "",
             "<hr>", "<p>26.11.2025</p></html>"}),
       {"Eigen.Doc.htm"}},
  };
  for (const Case& c : cases) {
    CliWorld world;
    const std::string out = world / "aus/";
    if (!c.before.empty()) {
      WriteFile(world.Source() + "Unit1.pas", CrLf(c.before));
    }
    ASSERT_EQ(RunCli(Convert(world, out)).Status, 0) << c.name;
    ASSERT_EQ(ReadFile(out + c.page), c.old) << c.name;

    WriteFile(world.Source() + "Unit1.pas", CrLf(c.after));
    const CliResult full = RunCliWith(Convert(world, out, {"--quiet"}), [] {
      const rlimit limit{64 << 10, 64 << 10};
      setrlimit(RLIMIT_FSIZE, &limit);
      std::signal(SIGXFSZ, SIG_IGN);
    });
    EXPECT_EQ(full.Status, 1) << c.name;
    EXPECT_EQ(full.Err, "Datei " + out + c.page +
                            ": Die Datei ist gr\xC3\xB6\xC3\x9F"
                            "er als erlaubt\n")
        << c.name;
    EXPECT_EQ(ReadFile(out + c.page), c.old) << c.name;
    EXPECT_EQ(Names(out), c.files) << c.name;
  }
#endif
}

TEST(SafeWrites, AKilledRunLeavesEveryPageWholeAndTheNextRunClearsUp) {
#ifdef _WIN32
  GTEST_SKIP() << "the run is killed by SIGKILL at a random moment";
#else
  // Large pages (beyond what a page holds in memory) are rewritten by a run that is killed at
  // a random moment: each page is then its old or its new bytes. The next run finishes the
  // pages and removes the temporary files the killed one left.
  CliWorld world;
  std::filesystem::remove(world.Source() + "Unit1.pas");
  const std::string out = world / "aus/";
  const std::vector<std::string> names = {"K0", "K1", "K2", "K3"};
  const std::vector<std::string> oldText = {std::string(5000000, 'a')};
  const std::vector<std::string> newText = {std::string(5000000, 'n')};
  for (const std::string& name : names) {
    WriteFile(world.Source() + name + ".pas", CrLf(Block("Gross", oldText)));
  }
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(RunCli(Convert(world, out, {"--quiet"})).Status, 0);
  const auto took = std::chrono::steady_clock::now() - start;
  for (const std::string& name : names) {
    WriteFile(world.Source() + name + ".pas", CrLf(Block("Gross", newText)));
  }

  std::mt19937 random(std::random_device{}());
  const auto delay = std::chrono::microseconds(std::uniform_int_distribution<int64_t>(
      0, std::chrono::duration_cast<std::chrono::microseconds>(took).count())(random));
  const pid_t pid = StartCli(
      Convert(world, out, {"--quiet"}), [] {}, "/dev/null", "/dev/null");
  std::this_thread::sleep_for(delay);
  kill(pid, SIGKILL);
  int status = 0;
  waitpid(pid, &status, 0);

  for (const std::string& name : names) {
    const std::string page = ReadFile(out + name + ".Doc.htm");
    EXPECT_TRUE(page == DocPageOf(name, "Gross", oldText, false) ||
                page == DocPageOf(name, "Gross", newText, true))
        << name << " after " << delay.count() << " us: " << page.size() << " bytes";
  }
  ASSERT_EQ(RunCli(Convert(world, out, {"--quiet"})).Status, 0);
  for (const std::string& name : names) {
    EXPECT_TRUE(ReadFile(out + name + ".Doc.htm") == DocPageOf(name, "Gross", newText, true))
        << name;
  }
  EXPECT_EQ(Names(out),
            std::set<std::string>({"K0.Doc.htm", "K1.Doc.htm", "K2.Doc.htm", "K3.Doc.htm"}));
#endif
}

TEST(SafeWrites, LinksAtPagesAndHelpFilesAreReplacedNotWrittenThrough) {
#ifdef _WIN32
  GTEST_SKIP() << "symbolic links need a privilege on Windows";
#else
  // A link planted at a page's name and one at a help project's name are replaced by the new
  // files; the files they led to keep their bytes.
  CliWorld world;
  const std::string out = world / "aus/";
  std::filesystem::create_directories(out);
  WriteFile(world / "fremd1", "fremd");
  WriteFile(world / "fremd2", "fremd");
  std::filesystem::create_symlink(world / "fremd1", out + "Unit1.Doc.htm");
  std::filesystem::create_symlink(world / "fremd2", out + "Hilfe.Doc.hhp");

  const CliResult result =
      RunCli(Convert(world, out, {"--quiet", "--help-title", "Hilfe", "--help-project"}));
  EXPECT_EQ(result.Status, 0) << result.Err;
  EXPECT_EQ(ReadFile(world / "fremd1"), "fremd");
  EXPECT_EQ(ReadFile(world / "fremd2"), "fremd");
  EXPECT_FALSE(std::filesystem::is_symlink(out + "Unit1.Doc.htm"));
  EXPECT_FALSE(std::filesystem::is_symlink(out + "Hilfe.Doc.hhp"));
  // The link's target counted as the old page, whose title (none) the page keeps.
  EXPECT_EQ(ReadFile(out + "Unit1.Doc.htm"), CliWorld::DocPage(true));
  EXPECT_EQ(ReadFile(out + "Hilfe.Doc.hhp"), CliWorld::DocHelpProject("Hilfe", "Unit1.Doc.htm"));
#endif
}

TEST(SafeWrites, AReadOnlyPageOrProjectIsRefusedAndStays) {
  // A page, or a project file that is saved again, may not be written by the user who runs the
  // program (its folder may): the run fails naming it and the reason, and the rename that would
  // replace it is not made.
  CliWorld world;
  const std::string out = world / "aus/";
  const std::string project = world / "p.qmpr";
  const std::vector<std::string> save = world.Args("save", out, {project});
  WriteFile(out + "Unit1.Doc.htm", "alt");
  ASSERT_EQ(RunCli(save).Status, 0);
  const struct {
    std::vector<std::string> args;
    std::string file, err;
  } cases[] = {
      {Convert(world, out, {"--quiet"}), out + "Unit1.Doc.htm",
       "Datei " + out + "Unit1.Doc.htm kann nicht erstellt werden"},
      {save, project, "Das Projekt kann nicht nach " + project + " geschrieben werden"},
  };
  for (const auto& c : cases) {
    const std::string old = ReadFile(c.file);
    const CliResult result = RunWithReadOnlyFile(world, c.args, c.file);
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, c.err + ": Dateizugriff verweigert\n");
    EXPECT_EQ(ReadFile(c.file), old);
  }
}

TEST(SafeWrites, ASecondRunIntoAFolderIsRefusedAtOnce) {
  // While a run holds the folder (here: this test), another run into it stops before it
  // writes anything, naming the folder; without an output folder the input folder is the one
  // locked. A killed holder's lock ends with it (on POSIX systems, where the test can kill one).
  for (const bool withOutput : {true, false}) {
    CliWorld world;
    const std::string out = world / "aus/";
    std::filesystem::create_directories(out);
    const std::string locked = withOutput ? out : world.Source();
    std::vector<std::string> args = Convert(world, out, {"--quiet"});
    if (!withOutput) {
      args.erase(args.begin() + 5, args.begin() + 7);
    }
    qm::RunLock holder;
    ASSERT_EQ(holder.TryLock(locked), 0);
    const CliResult refused = RunCli(args);
    EXPECT_EQ(refused.Status, 1) << withOutput;
    EXPECT_EQ(refused.Err, "In den Ordner " + locked +
                               " schreibt gerade eine andere Konvertierung. Bitte warten Sie, "
                               "bis sie beendet ist.\n");
    const std::set<std::string> untouched =
        withOutput ? std::set<std::string>{} : std::set<std::string>{"Notiz.c", "Unit1.pas"};
    EXPECT_EQ(Names(locked), untouched);
    holder = qm::RunLock();

#ifndef _WIN32
    const pid_t pid = fork();
    if (pid == 0) {
      qm::RunLock lock;
      if (lock.TryLock(locked) != 0) {
        _exit(1);
      }
      pause();
      _exit(0);
    }
    // Until the child holds the lock, this process gets it and lets it go again.
    while (holder.TryLock(locked) == 0) {
      holder = qm::RunLock();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
#endif
    const CliResult after = RunCli(args);
    EXPECT_EQ(after.Status, 0) << after.Err;
    EXPECT_EQ(ReadFile(locked + "Unit1.Doc.htm"), CliWorld::DocPage()) << withOutput;
  }
}

TEST(SafeWrites, CtrlCDuringTheCompileKeepsTheOldHelpFile) {
#ifdef _WIN32
  GTEST_SKIP() << "the stand-in compiler is a shell script that sends SIGINT";
#else
  // A compiler in chmcmd's place writes half a file and is stopped by Ctrl+C, which reaches
  // the whole program: the command ends as cancelled (130), the old help file stays whole,
  // and no temporary file is left. One that finishes replaces the old file.
  for (const bool interrupted : {true, false}) {
    CliWorld world;
    const std::string out = world / "aus/";
    const std::string bin = world / "bin/";
    std::filesystem::create_directories(out);
    WriteFile(out + "H.Doc.chm", "alt");
    WriteFile(bin + "chmcmd",
              std::string("#!/bin/sh\n"
                          "chm=$(sed -n 's/^Compiled file=//p' \"$1\" | tr -d '\\r')\n") +
                  (interrupted ? "printf halb > \"$chm\"\nkill -INT $PPID\nkill -INT $$\n"
                               : "printf neu > \"$chm\"\n"));
    chmod((bin + "chmcmd").c_str(), 0755);
    const std::string path = std::getenv("PATH");
    setenv("PATH", (bin + ":" + path).c_str(), 1);
    const CliResult result = RunCli(Convert(world, out,
                                            {"--quiet", "--help-title", "H", "--kinds", "pascal",
                                             "--help-project", "--compile", "--no-tech-help"}));
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(result.Status, interrupted ? 130 : 0) << result.Err;
    EXPECT_EQ(result.Err, interrupted ? "Konvertierung abgebrochen.\n" : "");
    EXPECT_EQ(ReadFile(out + "H.Doc.chm"), interrupted ? "alt" : "neu");
    for (const std::string& name : Names(out)) {
      EXPECT_EQ(name.find(".qmtmp"), std::string::npos) << name;
    }
  }
#endif
}
