// Helpers for the end-to-end tests of quillmark-cli: running the built program, and a program
// folder with tables and templates beside a small source tree.
#pragma once

#include "TestUtil.h"

#include "project/ProjectSettings.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;
#endif

namespace qmtest {

/// The names in folder (UTF-8), sorted.
inline std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(FsPath(folder))) {
    const std::u8string name = e.path().filename().u8string();
    names.emplace(name.begin(), name.end());
  }
  return names;
}

#ifdef _WIN32
inline constexpr const char* kCliPath = QM_BIN_DIR "/quillmark-cli.exe";
#else
inline constexpr const char* kCliPath = QM_BIN_DIR "/quillmark-cli";
#endif

/// What one run of the program left: its exit status and everything it printed.
struct CliResult {
  int Status = -1; ///< the exit status; -1 when the program did not exit normally
  std::string Out;
  std::string Err;
};

/// False for the variables that FixedEnvironment sets itself.
inline bool KeptInFixedEnvironment(std::string_view entry) {
  return !entry.starts_with("LC_") && !entry.starts_with("LANG") && !entry.starts_with("TZ=") &&
         !entry.starts_with("SOURCE_DATE_EPOCH=");
}

#ifdef _WIN32
/// Runs quillmark-cli.exe with args in the environment of FixedEnvironment, stdin from NUL
/// (CliRunner.cpp).
CliResult RunCli(const std::vector<std::string>& args);
#else
/// The environment of the test process with a fixed "now", the C locale and UTC, so that dates
/// in pages and project files do not depend on the machine the tests run on.
inline std::vector<std::string> FixedEnvironment() {
  std::vector<std::string> env;
  for (char** var = environ; *var != nullptr; ++var) {
    const std::string_view entry(*var);
    if (KeptInFixedEnvironment(entry)) {
      env.emplace_back(entry);
    }
  }
  env.insert(env.end(), {"LC_ALL=C", "TZ=UTC", "SOURCE_DATE_EPOCH=1764151200"});
  return env;
}

/// Pointers to the texts of strings, ending with a null pointer, as exec wants them.
inline std::vector<char*> CArray(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& text : strings) {
    pointers.push_back(text.data());
  }
  pointers.push_back(nullptr);
  return pointers;
}

/// What the started process pid left: its exit status (-1 when it did not exit normally) and
/// the files its output went to.
inline CliResult Finished(pid_t pid, const std::string& outPath, const std::string& errPath) {
  CliResult result;
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFEXITED(status)) {
    result.Status = WEXITSTATUS(status);
  }
  result.Out = ReadFile(outPath);
  result.Err = ReadFile(errPath);
  return result;
}

/// Runs quillmark-cli with args in FixedEnvironment(), stdin from /dev/null (so it is never a
/// terminal).
inline CliResult RunCli(const std::vector<std::string>& args) {
  TempDir io;
  const std::string outPath = io / "stdout";
  const std::string errPath = io / "stderr";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  std::vector<std::string> argStore{kCliPath};
  argStore.insert(argStore.end(), args.begin(), args.end());
  std::vector<char*> argv = CArray(argStore);
  std::vector<std::string> envStore = FixedEnvironment();
  std::vector<char*> envp = CArray(envStore);

  pid_t pid = 0;
  if (posix_spawn(&pid, kCliPath, &actions, nullptr, argv.data(), envp.data()) != 0) {
    ADD_FAILURE() << "cannot start " << kCliPath;
    posix_spawn_file_actions_destroy(&actions);
    return {};
  }
  posix_spawn_file_actions_destroy(&actions);
  return Finished(pid, outPath, errPath);
}

/// Starts quillmark-cli with args as RunCli does, its output into the files outPath and
/// errPath, and setup called in the started process just before the program replaces it (to
/// set a limit or drop privileges); the caller waits for the process.
inline pid_t StartCli(const std::vector<std::string>& args, const std::function<void()>& setup,
                      const std::string& outPath, const std::string& errPath) {
  std::vector<std::string> argStore{kCliPath};
  argStore.insert(argStore.end(), args.begin(), args.end());
  std::vector<char*> argv = CArray(argStore);
  std::vector<std::string> envStore = FixedEnvironment();
  std::vector<char*> envp = CArray(envStore);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(open("/dev/null", O_RDONLY), 0);
    dup2(open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666), 1);
    dup2(open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666), 2);
    setup();
    execve(kCliPath, argv.data(), envp.data());
    _exit(127);
  }
  return pid;
}

/// RunCli with setup called as StartCli calls it.
inline CliResult RunCliWith(const std::vector<std::string>& args,
                            const std::function<void()>& setup) {
  TempDir io;
  const std::string outPath = io / "stdout";
  const std::string errPath = io / "stderr";
  return Finished(StartCli(args, setup, outPath, errPath), outPath, errPath);
}

/// Runs argv (argv[0] a path) in folder with FixedEnvironment() plus env ("NAME=value" each,
/// replacing a variable of that name). A program that has not ended after two minutes is
/// ended by its alarm, so a window that never closes fails the test instead of hanging it.
inline CliResult RunIn(const std::string& folder, const std::vector<std::string>& argv,
                       const std::vector<std::string>& env = {}) {
  TempDir io;
  const std::string outPath = io / "stdout";
  const std::string errPath = io / "stderr";
  std::vector<std::string> argStore = argv;
  std::vector<char*> args = CArray(argStore);
  std::vector<std::string> envStore = FixedEnvironment();
  for (const std::string& entry : env) {
    const std::string name = entry.substr(0, entry.find('=') + 1);
    std::erase_if(envStore, [&name](const std::string& e) { return e.starts_with(name); });
    envStore.push_back(entry);
  }
  std::vector<char*> envp = CArray(envStore);

  const pid_t pid = fork();
  if (pid == 0) {
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (in < 0 || out < 0 || err < 0 || chdir(folder.c_str()) != 0) {
      _exit(126);
    }
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    alarm(120);
    execve(args[0], args.data(), envp.data());
    _exit(127);
  }
  return Finished(pid, outPath, errPath);
}
#endif

/// A program folder "prog/bin/" with the tables, its templates in "prog/Templates/", and the
/// source folder "Quellen-ä/" (UTF-8 on disk) with one Pascal source holding a Doc and a Tech
/// block and one file of another kind.
class CliWorld {
public:
  CliWorld() {
    WriteFile(dir_ / "prog/bin/HTMLTags.txt", CrLf({"B", "BR"}));
    WriteFile(dir_ / "prog/bin/Umlaute.txt", CrLf({"&,&amp;", "\xE4,&auml;,ae"}));
    WriteFile(dir_ / "prog/bin/Header.txt", CrLf({"// Kopf"}));
    WriteFile(dir_ / "prog/bin/Comment.txt", CrLf({"// Kommentar"}));
    const qm::TemplateSet t = Templates();
    const std::string folder = dir_ / "prog/Templates/";
    for (const qm::TemplateInfo& info : qm::kTemplateTable) {
      WriteFile(folder + std::string(info.fileName), CrLf(t[info.id]));
    }
    WriteFile(
        Source() + "Unit1.pas",
        CrLf({"// ###DocGen_Start Einleitung", "// Erkl\xE4rung & <B>mehr</B>.", "// ###DocGen_End",
              "// ###TechGen_Start Intern", "// Technik", "// ###TechGen_End"}));
    WriteFile(Source() + "Notiz.c", CrLf({"/* ###DocGen_Start C */", "/* ###DocGen_End */"}));
  }

  /// dir + relative.
  std::string operator/(std::string_view relative) const { return dir_ / relative; }
  /// The world's own folder.
  std::string Root() const { return dir_.path(); }
  /// The program folder to pass with --program-dir.
  std::string Program() const { return dir_ / "prog/bin"; }
  /// The source folder, UTF-8, with its trailing "/".
  std::string Source() const { return dir_ / "Quellen-\xC3\xA4/"; }

  /// command ("convert" or "save") over the Pascal sources of the world into out, then extra.
  std::vector<std::string> Args(const std::string& command, const std::string& out,
                                const std::vector<std::string>& extra = {}) const {
    std::vector<std::string> args = {command,   "--program-dir", Program(),
                                     "--input", Source(),        "--output",
                                     out,       "--kinds",       "pascal"};
    args.insert(args.end(), extra.begin(), extra.end());
    return args;
  }

  /// The eight templates of the Templates folder.
  static qm::TemplateSet Templates() {
    qm::TemplateSet t;
    t[qm::TemplateId::DocPageHeader] = {"<html>", "<title>%TITLE%</title>",
                                        "<h1>%INPUTFILE%%INPUTEXTENSION%</h1>"};
    t[qm::TemplateId::DocBlockHeader] = {"<h2>%TITLE%</h2>"};
    t[qm::TemplateId::DocBlockFooter] = {"<hr>"};
    t[qm::TemplateId::DocPageFooter] = {"<p>%DATE%</p></html>"};
    t[qm::TemplateId::TechPageHeader] = {"<html class=tech>"};
    t[qm::TemplateId::TechBlockHeader] = {"<h3>%TITLE%</h3>"};
    t[qm::TemplateId::TechBlockFooter] = {"<br>"};
    t[qm::TemplateId::TechPageFooter] = {"</html>"};
    return t;
  }

  /// The pages that the Pascal source gives with these templates and tables. A Doc page made
  /// over an old one keeps the old one's title, in the run's own spelling of the title tag.
  static std::string DocPage(bool over = false) {
    return CrLf({"<html>", over ? "<TITLE></TITLE>" : "<title></title>", "<h1>Unit1.pas</h1>",
                 "<h2>Einleitung</h2>", "Erkl&auml;rung &amp; <B>mehr</B>.", "", "", "<hr>",
                 "<p>26.11.2025</p></html>"});
  }
  /// The Doc help project for title that lists one page.
  static std::string DocHelpProject(const std::string& title, const std::string& page) {
    return CrLf({"[OPTIONS]", "Compatibility=1.1 or later", "Compiled file=" + title + ".Doc.chm",
                 "Default topic=", "Display compile progress=Yes", "Full-text search=Yes",
                 "Language=0x407 Deutsch (Deutschland)", "", "[FILES]", page, "", "[INFOTYPES]"});
  }
  static std::string TechPage() {
    return CrLf({"<html class=tech>", "<h3>Intern</h3>", "Technik", "", "", "<br>", "</html>"});
  }

private:
  TempDir dir_;
};

} // namespace qmtest
