// quillmark-cli says what went wrong or what the user should know, instead of reporting
// success: refused input folders, folders that cannot be made, warnings with file and line,
// the summary line, Ctrl+C, saving into foreign files and full disks.
#include "CliFixture.h"

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#endif

using namespace qmtest;

namespace {

// The source folder world/"baum/" with the given files (path relative to it, lines).
std::string Tree(const CliWorld& world,
                 const std::vector<std::pair<std::string, std::vector<std::string>>>& files) {
  const std::string in = world / "baum/";
  std::filesystem::create_directories(in);
  for (const auto& [name, lines] : files) {
    WriteFile(in + name, CrLf(lines));
  }
  return in;
}

CliResult Convert(const CliWorld& world, const std::string& in, const std::string& out,
                  std::vector<std::string> extra = {}) {
  std::vector<std::string> args = {
      "convert", "--program-dir", world.Program(), "--input", in, "--output",
      out,       "--kinds",       "pascal"};
  args.insert(args.end(), extra.begin(), extra.end());
  return RunCli(args);
}

} // namespace

TEST(CliHonest, MissingInputFolderIsRefusedBeforeAnythingHappens) {
  // A mistyped input folder, or a file given as one, ends the command with status 1 before
  // the output folder is made or an additional file copied; an empty folder converts and
  // says that it found nothing.
  CliWorld world;
  WriteFile(world / "extra/style.css", "x");
  const std::string out = world / "aus/";
  const CliResult typo =
      Convert(world, "Quellen-Tippfehler", out, {"--yes", "--extra-files", world / "extra"});
  EXPECT_EQ(typo.Status, 1);
  EXPECT_EQ(typo.Err, "Der Eingabeordner Quellen-Tippfehler existiert nicht.\n");
  EXPECT_FALSE(Exists(out));

  WriteFile(world / "datei.pas", "x");
  const CliResult file = Convert(world, world / "datei.pas", out, {"--yes"});
  EXPECT_EQ(file.Status, 1);
  EXPECT_EQ(file.Err, "Der Eingabeordner " + world / "datei.pas" + " existiert nicht.\n");
  EXPECT_FALSE(Exists(out));

  std::filesystem::create_directories(world / "leer");
  const CliResult empty = Convert(world, world / "leer", out, {"--yes"});
  EXPECT_EQ(empty.Status, 0);
  EXPECT_EQ(empty.Err, world / "leer/" +
                           ": Warnung: Keine Quelldateien gefunden\n"
                           "0 Quelle(n) gelesen, 0 Seite(n) geschrieben (davon 0 eigene), "
                           "1 Warnung(en)\n");
}

TEST(CliHonest, ManyWarningsArePrintedEachOnceInTheirOrder) {
  // A tree whose warnings together are several times the size in which they are written:
  // every one is there once, in the order of the sources, before the summary.
  CliWorld world;
  std::vector<std::pair<std::string, std::vector<std::string>>> files;
  std::string expected;
  for (int i = 0; i < 800; ++i) {
    const std::string name = "Ohne" + std::to_string(1000 + i) + ".pas";
    files.push_back({name, {"{###DocGen_Start", "Text", "###DocGen_End}"}});
    expected += world / "baum/" + name + ":1: Warnung: Block ohne Titel\n";
  }
  const std::string in = Tree(world, files);
  const CliResult result = Convert(world, in, world / "aus/", {"--yes"});
  EXPECT_EQ(result.Status, 0);
  ASSERT_GT(expected.size(), size_t{48} << 10);
  EXPECT_EQ(result.Err, expected + "800 Quelle(n) gelesen, 800 Seite(n) geschrieben (davon 0 "
                                   "eigene), 800 Warnung(en)\n");
}

TEST(CliHonest, OutputFolderThatCannotBeCreatedIsNamedWithTheReason) {
  // The folder and the system's reason, before any page is written.
  CliWorld world;
  WriteFile(world / "datei", "x");
  const std::string out = world / "datei/aus";
  const CliResult result = Convert(world, world.Source(), out, {"--yes"});
  EXPECT_EQ(result.Status, 1);
  EXPECT_EQ(result.Err, "Der Ordner " + out +
                            " kann nicht erstellt werden: Ein Teil des Pfades ist kein Ordner\n");
  EXPECT_EQ(ReadFile(world / "datei"), "x");
}

#ifdef _WIN32
TEST(CliHonest, WarningsNameFileAndLine) {
  GTEST_SKIP() << "an unreadable folder is made with POSIX permissions";
}
#else
TEST(CliHonest, WarningsNameFileAndLine) {
  // Every warning of a run and of its help project, each with its file and line, then the
  // summary; the pages are written all the same. A folder that cannot be read is skipped.
  CliWorld world;
  const std::string in = Tree(
      world,
      {{"a/Doppelt.pas",
        {"{###DocGen_Start Erster", "###ContextID 7", "###DocGen_End}", "",
         "{###DocGen_Start Zweiter", "###ContextID 7", "###DocGen_End}"}},
       {"a/Gleich.pas",
        {"{###DocGen_Start A=B", "###ContextID 12", "{###DocGen_Start Innen", "###DocGen_End}"}},
       {"a/Main.pas", {"{###DocGen_Start Alt", "###DocGen_End}"}},
       {"a/Seltsam.pas",
        {"{###DocGen_Start", "###ContextID x1", "###Toc Nur", "###Index Allein", "###DocGen_End}"}},
       {"b/Main.pas", {"{###DocGen_Start Neu", "###DocGen_End}"}},
       {"b/Schalter.pas", {"{###DocGen_Start Ein/Aus", "###ContextID 20", "###DocGen_End}"}},
       {"c/Versteckt.pas", {"{###DocGen_Start Nie", "###DocGen_End}"}}});
  const std::string out = world / "aus/";
  std::filesystem::create_directories(out);
  // The folder "c" cannot be listed; root reads every folder, so the program then runs as
  // nobody, for whom the rest stays readable and the output folder writable.
  chmod((in + "c").c_str(), 0);
  chmod(world.Root().c_str(), 0755);
  chmod(out.c_str(), 0777);
  const bool root = geteuid() == 0;

  const CliResult result = RunCliWith({"convert", "--program-dir", world.Program(), "--input", in,
                                       "--output", out, "--kinds", "pascal", "--help-project"},
                                      [root] {
                                        if (root && (setgid(65534) != 0 || setuid(65534) != 0)) {
                                          _exit(126);
                                        }
                                      });
  chmod((in + "c").c_str(), 0755);
  EXPECT_EQ(result.Status, 0) << result.Err;
  const std::string w = ": Warnung: ";
  EXPECT_EQ(
      result.Err,
      in + "c/" + w + "Der Ordner kann nicht gelesen werden (Dateizugriff verweigert) und " +
          "wird \xC3\xBC" + "bersprungen\n" + in + "a/Doppelt.pas:5" + w +
          "Die Kontext-ID 7 ist schon vergeben (" + in + "a/Doppelt.pas, Zeile 1)\n" + in +
          "a/Doppelt.pas:5" + w +
          "Die Seite Doppelt.Doc.htm hat schon die Kontext-ID 7; eine Hilfedatei kennt nur "
          "eine je Seite\n" +
          in + "a/Gleich.pas:1" + w +
          "Der Titel \"A=B\" enth\xC3\xA4lt \"=\"; mit Kontext-ID zerbricht das die "
          "Alias-Zeile\n" +
          in + "a/Gleich.pas:3" + w + "\"###DocGen_Start\" in einem offenen Block (ab Zeile 1)\n" +
          in + "a/Seltsam.pas:1" + w + "Block ohne Titel\n" + in + "a/Seltsam.pas:3" + w +
          "\"###Toc\" braucht mindestens 2 Felder (durch \";\" getrennt)\n" + in +
          "a/Seltsam.pas:4" + w +
          "\"###Index\" braucht mindestens 2 Felder (durch \";\" getrennt)\n" + in +
          "a/Seltsam.pas:1" + w + "Die Kontext-ID \"x1\" ist keine Dezimalzahl\n" + in +
          "b/Main.pas" + w + "Die Seite " + out +
          "Main.Doc.htm wird ersetzt; die Dokumentation aus " + in +
          "a/Main.pas geht verloren\n"
          "Das/die Projekt(e) wurde(n) im Ausgabeordner erzeugt!\n" +
          out + w + "Das Help-Projekt hat keinen Titel; seine Dateien hei\xC3\x9F" +
          "en \".Doc.hhp\", \".Doc.chm\" usw.\n" + in + "a/Gleich.pas:1" + w +
          "Das Kontext-Symbol IDH_GLEICH_A=B ist kein g\xC3\xBC" +
          "ltiger C-Bezeichner; die Map-Datei l\xC3\xA4\xC3\x9F" + "t sich so nicht \xC3\xBC" +
          "bersetzen\n" + in + "b/Schalter.pas:1" + w +
          "Das Kontext-Symbol IDH_SCHALTER_EIN/AUS ist kein g\xC3\xBC" +
          "ltiger C-Bezeichner; die Map-Datei l\xC3\xA4\xC3\x9F" + "t sich so nicht \xC3\xBC" +
          "bersetzen\n"
          "6 Quelle(n) gelesen, 5 Seite(n) geschrieben (davon 0 eigene), 13 Warnung(en)\n");
  EXPECT_TRUE(Exists(out + "Seltsam.Doc.htm"));
  EXPECT_TRUE(Exists(out + "DocAlias.h"));
}
#endif

#ifdef _WIN32
TEST(CliHonest, CtrlCEndsWithStatus130) {
  GTEST_SKIP()
      << "sends SIGINT; Wine cannot deliver a console Ctrl+C to a process without a console";
}
#else
TEST(CliHonest, CtrlCEndsWithStatus130) {
  // Ctrl+C during a file stops the run before the next one; the pages done stay, the summary
  // counts them, and the status is the shell's 130. The second source is large: its page grows
  // beyond what is held in memory, so it is written to a temporary file beside the page well
  // before the source is done, and the signal comes then.
  CliWorld world;
  std::vector<std::string> large;
  for (int i = 0; i < 250000; ++i) {
    large.insert(large.end(), {"{###DocGen_Start Zwei", "Text", "###DocGen_End}"});
  }
  const std::string in = Tree(world, {{"A.pas", {"{###DocGen_Start Eins", "###DocGen_End}"}},
                                      {"B.pas", large},
                                      {"C.pas", {"{###DocGen_Start Drei", "###DocGen_End}"}}});
  const std::string out = world / "aus/";
  std::filesystem::create_directories(out);

  TempDir io;
  const std::string errPath = io / "stderr";
  std::vector<std::string> argStore{kCliPath,  "convert", "--program-dir", world.Program(),
                                    "--input", in,        "--output",      out,
                                    "--kinds", "pascal"};
  std::vector<char*> argv = CArray(argStore);
  std::vector<std::string> envStore = FixedEnvironment();
  std::vector<char*> envp = CArray(envStore);
  const pid_t pid = fork();
  if (pid == 0) {
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    dup2(err, 2);
    execve(kCliPath, argv.data(), envp.data());
    _exit(127);
  }
  // The page of the second source, or the temporary file it is written to first.
  const auto writingB = [&out] {
    for (const auto& e : std::filesystem::directory_iterator(out)) {
      const std::string name = e.path().filename().string();
      if (name.starts_with("B.Doc.htm") || name.starts_with(".B.Doc.htm")) {
        return true;
      }
    }
    return false;
  };
  int status = 0;
  bool exited = false;
  while (!writingB() && !exited) {
    exited = waitpid(pid, &status, WNOHANG) == pid;
    usleep(1000);
  }
  ASSERT_FALSE(exited) << ReadFile(errPath);
  kill(pid, SIGINT);
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 130);
  EXPECT_EQ(ReadFile(errPath),
            "2 Quelle(n) gelesen, 2 Seite(n) geschrieben (davon 0 eigene), 0 Warnung(en)\n"
            "Konvertierung abgebrochen.\n");
  EXPECT_TRUE(Exists(out + "B.Doc.htm"));
  EXPECT_FALSE(Exists(out + "C.Doc.htm"));
}
#endif

TEST(CliHonest, SaveMergesIntoAForeignFileOnlyWithForce) {
  // A file without project settings is left alone and named; --force merges into it.
  CliWorld world;
  const std::string target = world / "notizen.ini";
  const std::string foreign = CrLf({"[Notizen]", "a=1"});
  WriteFile(target, foreign);
  const CliResult refused = RunCli({"save", "--program-dir", world.Program(), target});
  EXPECT_EQ(refused.Status, 1);
  EXPECT_EQ(refused.Out, "");
  EXPECT_EQ(refused.Err, "Die Datei " + target +
                             " enthält keine Projekteinstellungen; sie bleibt unverändert "
                             "(--force schreibt trotzdem hinein).\n");
  EXPECT_EQ(ReadFile(target), foreign);

  const CliResult forced = RunCli({"save", "--program-dir", world.Program(), "--force", target});
  EXPECT_EQ(forced.Status, 0) << forced.Err;
  EXPECT_EQ(forced.Err, "");
  EXPECT_EQ(ReadFile(target).rfind(foreign + "[Main]\r\n", 0), 0u);
}

TEST(CliHonest, UnreadableProjectIsAnErrorAndSavesNothing) {
  // A project file that exists but cannot be read (here: a folder) is an error in convert and
  // in save --from; the target of the save stays as it was.
  CliWorld world;
  const std::string broken = world / "kaputt.qmpr";
  std::filesystem::create_directories(broken);
  const std::string target = world / "ziel.qmpr";
  ASSERT_EQ(RunCli({"save", "--program-dir", world.Program(), "--input", "src", target}).Status, 0);
  const std::string before = ReadFile(target);

  const CliResult save = RunCli({"save", "--from", broken, target});
  EXPECT_EQ(save.Status, 1);
  EXPECT_EQ(save.Err, "Datei " + broken + " kann nicht ge\xC3\xB6" + "ffnet werden\n");
  EXPECT_EQ(ReadFile(target), before);

  const CliResult convert = RunCli({"convert", "--program-dir", world.Program(), broken});
  EXPECT_EQ(convert.Status, 1);
  EXPECT_EQ(convert.Err, "Datei " + broken + " kann nicht ge\xC3\xB6" + "ffnet werden\n");
}

#ifdef _WIN32
TEST(CliHonest, FullDiskGivesTheReasonAndTheFile) {
  GTEST_SKIP() << "a full disk is simulated with a file-size limit, which Windows lacks";
}
#else
TEST(CliHonest, FullDiskGivesTheReasonAndTheFile) {
  // A page that does not fit (here: beyond a file size limit) names the page and says why.
  CliWorld world;
  std::vector<std::string> lines = {"{###DocGen_Start Lang"};
  lines.insert(lines.end(), 200, std::string(100, 'x'));
  lines.push_back("###DocGen_End}");
  const std::string in = Tree(world, {{"Lang.pas", lines}});
  const std::string out = world / "aus/";
  std::filesystem::create_directories(out);
  const CliResult result = RunCliWith({"convert", "--program-dir", world.Program(), "--input", in,
                                       "--output", out, "--kinds", "pascal"},
                                      [] {
                                        const rlimit limit{8192, 8192};
                                        setrlimit(RLIMIT_FSIZE, &limit);
                                      });
  EXPECT_EQ(result.Status, 1);
  EXPECT_EQ(result.Err,
            "Datei " + out + "Lang.Doc.htm: Die Datei ist gr\xC3\xB6\xC3\x9F" + "er als erlaubt\n");
}
#endif
