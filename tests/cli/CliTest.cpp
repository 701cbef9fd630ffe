// End-to-end tests of quillmark-cli: the built program runs over a program folder and a source
// tree made in a temporary folder.
#include "CliFixture.h"

#include "cli/TerminalProgress.h"
#include "project/ProjectFile.h"

#include <cstdio>
#include <string>

namespace {

using qmtest::CliResult;
using qmtest::CliWorld;
using qmtest::CrLf;
using qmtest::Exists;
using qmtest::ReadFile;
using qmtest::RunCli;
using qmtest::WriteFile;

// The last line of a conversion of the world's one Pascal source.
constexpr const char* kOneSourceSummary =
    "1 Quelle(n) gelesen, 2 Seite(n) geschrieben (davon 0 eigene), 0 Warnung(en)\n";

TEST(CliConvert, FlagsConvertTheSourceTree) {
  // The pages of the ticked kinds are written, byte for byte, with the Templates folder's
  // templates; a UTF-8 input path reaches the engine as Windows-1252 and back.
  CliWorld world;
  const std::string out = world / "out/";
  std::filesystem::create_directories(out);
  const CliResult result = RunCli(world.Args("convert", out));
  EXPECT_EQ(result.Status, 0) << result.Err;
  EXPECT_EQ(result.Err, kOneSourceSummary);
  EXPECT_EQ(result.Out, "");
  EXPECT_EQ(ReadFile(out + "Unit1.Doc.htm"), CliWorld::DocPage());
  EXPECT_EQ(ReadFile(out + "Unit1.Tech.htm"), CliWorld::TechPage());
  EXPECT_FALSE(Exists(out + "Notiz.Doc.htm")) << "a kind that was not asked for was converted";
}

TEST(CliConvert, MissingOutputFolderIsCreatedOnlyWithYes) {
  // Without --yes the question is printed and nothing happens (status 1); --yes creates the
  // folder with every missing folder above it and converts.
  CliWorld world;
  const std::string out = world / "out/a/b";
  const CliResult refused = RunCli(world.Args("convert", out));
  EXPECT_EQ(refused.Status, 1);
  EXPECT_EQ(refused.Err, "Der Ordner\n\n" + out +
                             "\n\nexistiert nicht. Soll er erstellt werden?\n"
                             "(--yes beantwortet diese Frage mit Ja.)\n");
  EXPECT_FALSE(Exists(world / "out"));

  const CliResult created = RunCli(world.Args("convert", out, {"--yes"}));
  EXPECT_EQ(created.Status, 0) << created.Err;
  EXPECT_EQ(ReadFile(out + "/Unit1.Doc.htm"), CliWorld::DocPage());
}

TEST(CliConvert, ExistingAdditionalFilesAreReplacedOnlyWithYes) {
  // New additional files are copied; an existing one is kept with a note unless --yes.
  CliWorld world;
  const std::string out = world / "out/";
  WriteFile(world / "extra/style.css", "neu");
  WriteFile(world / "extra/img/logo.txt", "bild");
  WriteFile(out + "style.css", "alt");

  const CliResult kept = RunCli(world.Args("convert", out, {"--extra-files", world / "extra"}));
  EXPECT_EQ(kept.Status, 0) << kept.Err;
  EXPECT_EQ(kept.Err, out + "style.css besteht bereits und bleibt erhalten.\n" + kOneSourceSummary);
  EXPECT_EQ(ReadFile(out + "style.css"), "alt");
  EXPECT_EQ(ReadFile(out + "img/logo.txt"), "bild");
  EXPECT_EQ(ReadFile(out + "Unit1.Doc.htm"), CliWorld::DocPage());

  const CliResult replaced =
      RunCli(world.Args("convert", out, {"--yes", "--extra-files", world / "extra"}));
  EXPECT_EQ(replaced.Status, 0) << replaced.Err;
  EXPECT_EQ(replaced.Err, kOneSourceSummary);
  EXPECT_EQ(ReadFile(out + "style.css"), "neu");
}

TEST(CliConvert, ExitStatusTellsSuccessFailureAndUsage) {
  // 0 for help and version, 2 for a command line that cannot be understood, 1 for a failure
  // of the command, whose message names the file.
  const CliResult help = RunCli({"--help"});
  EXPECT_EQ(help.Status, 0);
  for (const char* part : {"convert", "save", "--kinds", "installshield", "Exit-Status"}) {
    EXPECT_NE(help.Out.find(part), std::string::npos) << part;
  }
  EXPECT_EQ(RunCli({"convert", "--help"}).Status, 0);
  EXPECT_EQ(RunCli({"help"}).Status, 0);
  EXPECT_EQ(RunCli({"--version"}).Out, std::string("quillmark-cli ") + QM_VERSION + "\n");

  const CliResult usage = RunCli({"convert", "--input", "src", "--kinds", "pascal,cobol"});
  EXPECT_EQ(usage.Status, 2);
  EXPECT_EQ(usage.Err.rfind("quillmark-cli: unbekannte Quellart: \"cobol\"", 0), 0u) << usage.Err;
  EXPECT_EQ(RunCli({}).Status, 2);

  CliWorld world;
  std::filesystem::remove(world / "prog/bin/HTMLTags.txt");
  const CliResult failed = RunCli(world.Args("convert", world / "out/", {"--yes"}));
  EXPECT_EQ(failed.Status, 1);
  EXPECT_NE(failed.Err.find(world / "prog/bin/HTMLTags.txt"), std::string::npos) << failed.Err;
  EXPECT_FALSE(Exists(world / "out"));
}

TEST(CliConvert, ProjectRunWritesTheHelpProjectAfterTheConversion) {
  // convert PROJECT --help-project converts with the project's templates and then writes the
  // help project into the output folder; the information goes to stderr unless --quiet.
  CliWorld world;
  const std::string out = world / "out/";
  const std::string project = world / "job.qmpr";
  ASSERT_EQ(RunCli({"save", "--program-dir", world.Program(), "--input", world.Source(), "--output",
                    out, "--kinds", "pascal", "--help-title", "Handbuch", project})
                .Status,
            0);
  // A project template replaces the one in the Templates folder.
  WriteFile(world / "prog/Templates/HTMLBlockFooter_Dev.htt", CrLf({"<hr class=anders>"}));

  const CliResult result =
      RunCli({"convert", "--program-dir", world.Program(), "--yes", "--help-project", project});
  EXPECT_EQ(result.Status, 0) << result.Err;
  EXPECT_EQ(result.Err, std::string("Das/die Projekt(e) wurde(n) im Ausgabeordner erzeugt!\n") +
                            kOneSourceSummary);
  EXPECT_EQ(ReadFile(out + "Unit1.Doc.htm"), CliWorld::DocPage());
  EXPECT_EQ(ReadFile(out + "Unit1.Tech.htm"), CliWorld::TechPage());
  EXPECT_EQ(ReadFile(out + "Handbuch.Doc.hhp"),
            CliWorld::DocHelpProject("Handbuch", "Unit1.Doc.htm"));
  EXPECT_TRUE(Exists(out + "Handbuch.Tech.hhp"));

  const CliResult quiet =
      RunCli({"convert", "--program-dir", world.Program(), "--quiet", "--help-project", project});
  EXPECT_EQ(quiet.Status, 0) << quiet.Err;
  EXPECT_EQ(quiet.Err, "");
}

TEST(CliConvert, HelpProjectNeedsASuccessfulConversion) {
  // A declined conversion writes no help project; one without an output folder fails the
  // help project's precondition (status 1) after the pages went beside their sources.
  CliWorld world;
  const std::string project = world / "job.qmpr";
  const std::string out = world / "fehlt/";
  ASSERT_EQ(RunCli({"save", "--program-dir", world.Program(), "--input", world.Source(), "--output",
                    out, "--kinds", "pascal", "--help-title", "H", project})
                .Status,
            0);
  const CliResult declined =
      RunCli({"convert", "--program-dir", world.Program(), "--help-project", project});
  EXPECT_EQ(declined.Status, 1);
  EXPECT_NE(declined.Err.find("existiert nicht"), std::string::npos) << declined.Err;
  EXPECT_FALSE(Exists(out));

  ASSERT_EQ(RunCli({"save", "--from", project, "--output", "", project}).Status, 0);
  const CliResult noFolder =
      RunCli({"convert", "--program-dir", world.Program(), "--help-project", project});
  EXPECT_EQ(noFolder.Status, 1);
  EXPECT_EQ(noFolder.Err.rfind("Diese Funktion", 0), 0u) << noFolder.Err;
  EXPECT_EQ(ReadFile(world.Source() + "Unit1.Doc.htm"), CliWorld::DocPage());
  EXPECT_FALSE(Exists(world.Source() + "H.Doc.hhp"));
}

TEST(CliConvert, ProgressRewritesOneLinePerFile) {
  // Each finished file rewrites the line with the count, its name without folder and the
  // running line total; the end of the run closes the line. Hidden progress prints nothing.
  std::FILE* shown = std::tmpfile();
  qm::cli::TerminalProgress progress(shown, true);
  progress.SetFileCount(2);
  progress.StepFile("/src/sub/Unit1.pas", 10);
  progress.StepFile("/src/Unit\xC3\xA4.pas", 5);
  progress.Finished();
  std::FILE* hidden = std::tmpfile();
  qm::cli::TerminalProgress silent(hidden, false);
  silent.SetFileCount(1);
  silent.StepFile("/src/Unit1.pas", 3);
  silent.Finished();

  auto contents = [](std::FILE* file) {
    std::string text(static_cast<size_t>(std::ftell(file)), '\0');
    std::rewind(file);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    std::fclose(file);
    return text;
  };
  EXPECT_EQ(contents(shown), "\r\x1b[KDatei 1 von 2  Bearbeite Datei Unit1.pas  10 Zeilen erledigt"
                             "\r\x1b[KDatei 2 von 2  Bearbeite Datei Unit\xC3\xA4.pas  15 Zeilen "
                             "erledigt\n");
  EXPECT_EQ(contents(hidden), "");
}

TEST(CliSave, NewProjectHoldsTheFlagsOverAFreshProgram) {
  // A new file gets the header and every value: the flags where given, else the defaults of
  // a freshly started program with the templates of the Templates folder.
  CliWorld world;
  const std::string project = world / "neu.qmpr";
  const CliResult result =
      RunCli({"save", "--program-dir", world.Program(), "--input", "/q/Quellen-\xC3\xA4",
              "--output", "/q/out", "--kinds", "pascal,java", "--no-line-break", "--help-title",
              "Handbuch", "--no-map-c", project});
  EXPECT_EQ(result.Status, 0) << result.Err;

  const std::string rule = ";----------------------------------------------------";
  const std::string header = CrLf({rule, "", ";Do not edit this file", rule,
                                   ";Initial creation date / time: 26.11.2025 10:00:00", rule, ""});
  EXPECT_EQ(ReadFile(project).substr(0, header.size()), header);
  qm::ProjectSettings expected;
  expected.InputPath = "/q/Quellen-\xE4";
  expected.OutputPath = "/q/out";
  expected.Kinds = {qm::SourceKind::Pascal, qm::SourceKind::Java};
  expected.AutoLineBreak = false;
  expected.Templates = CliWorld::Templates();
  expected.Help.Title = "Handbuch";
  expected.Help.MapHeaderC = false;
  EXPECT_EQ(qm::LoadProjectFile(project), expected);
}

TEST(CliSave, FlagsReplaceTheValuesOfTheOldProject) {
  // --from loads the old project, the flags replace what they name (--kinds the whole set),
  // and an existing target keeps its other lines and gets no second header.
  CliWorld world;
  const std::string old = world / "alt.qmpr";
  const std::string target = world / "ziel.qmpr";
  ASSERT_EQ(RunCli({"save", "--program-dir", world.Program(), "--input", "src", "--kinds",
                    "pascal,c", "--oem", "--help-title", "Alt", old})
                .Status,
            0);
  WriteFile(target, CrLf({";eigene Zeile", "[Eigenes]", "Schluessel=Wert"}));

  const CliResult result = RunCli(
      {"save", "--from", old, "--kinds", "java", "--output", "doc", "--no-oem", "--force", target});
  EXPECT_EQ(result.Status, 0) << result.Err;
  qm::ProjectSettings expected = qm::LoadProjectFile(old);
  expected.Kinds = {qm::SourceKind::Java};
  expected.OutputPath = "doc";
  expected.OemToAnsi = false;
  EXPECT_EQ(qm::LoadProjectFile(target), expected);
  EXPECT_EQ(ReadFile(target).rfind(CrLf({";eigene Zeile", "[Eigenes]", "Schluessel=Wert"}), 0), 0u);

  const CliResult missing = RunCli({"save", "--from", world / "fehlt.qmpr", target});
  EXPECT_EQ(missing.Status, 1);
  EXPECT_NE(missing.Err.find(world / "fehlt.qmpr"), std::string::npos) << missing.Err;
}

TEST(CliSave, SavedProjectConvertsLikeTheFlags) {
  // Saving flags and converting the project gives the pages that converting the flags gives.
  CliWorld world;
  const std::string project = world / "job.qmpr";
  ASSERT_EQ(RunCli({"save", "--program-dir", world.Program(), "--input", world.Source(), "--output",
                    world / "projekt/", "--kinds", "pascal,c", "--no-line-break", project})
                .Status,
            0);
  const CliResult fromProject =
      RunCli({"convert", "--program-dir", world.Program(), "--yes", project});
  EXPECT_EQ(fromProject.Status, 0) << fromProject.Err;
  const CliResult fromFlags = RunCli(
      world.Args("convert", world / "flags/", {"--yes", "--kinds", "pascal,c", "--no-line-break"}));
  EXPECT_EQ(fromFlags.Status, 0) << fromFlags.Err;

  for (const char* page : {"Unit1.Doc.htm", "Unit1.Tech.htm", "Notiz.Doc.htm"}) {
    EXPECT_EQ(ReadFile(world / "projekt/" + page), ReadFile(world / "flags/" + page)) << page;
  }
  EXPECT_EQ(ReadFile(world / "projekt/Unit1.Doc.htm"), CliWorld::DocPage());
}

} // namespace
