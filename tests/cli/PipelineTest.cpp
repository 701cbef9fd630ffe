// End-to-end tests of the switches for build pipelines: warnings as errors, folders and files left
// out of the search, and stale pages pruned from the output folder.
#include "CliFixture.h"

#include "project/ProjectFile.h"

#include <filesystem>
#include <string>
#include <vector>

using namespace qmtest;

namespace {

// Saves a project over the world's sources into out with extra flags of save.
std::string SaveProject(const CliWorld& world, const std::string& out,
                        std::vector<std::string> flags) {
  const std::string project = world / "job.qmpr";
  flags.push_back(project);
  EXPECT_EQ(RunCli(world.Args("save", out, flags)).Status, 0);
  return project;
}

// Converts a saved project with the world's program folder; args end with the project.
CliResult ConvertProject(const CliWorld& world, const std::vector<std::string>& args) {
  std::vector<std::string> all = {"convert", "--program-dir", world.Program()};
  all.insert(all.end(), args.begin(), args.end());
  return RunCli(all);
}

TEST(CliPipeline, StrictFailsACompleteRunWithWarnings) {
  // With warnings as errors (--strict, or the project's key unless --no-strict) a run that warned
  // ends with 1 and says why; the pages are the same either way.
  const std::string counts = "2 Quelle(n) gelesen, 3 Seite(n) geschrieben (davon 0 eigene), ";
  const std::string failing = "1 Warnung(en), die hier als Fehler gelten (--strict)\n";
  struct Case {
    std::vector<std::string> saveFlags, convertFlags;
    int status;
    std::string lastLine;
  };
  const Case cases[] = {
      {{}, {}, 0, counts + "1 Warnung(en)\n"},
      {{}, {"--strict"}, 1, counts + failing},
      {{}, {"--strict", "--quiet"}, 1, failing},
      {{"--strict"}, {}, 1, counts + failing},
      {{"--strict"}, {"--no-strict"}, 0, counts + "1 Warnung(en)\n"},
  };
  for (const Case& c : cases) {
    CliWorld world;
    const std::string out = world / "out/";
    WriteFile(world.Source() + "Leer.pas",
              CrLf({"// ###DocGen_Start", "// x", "// ###DocGen_End"}));
    std::vector<std::string> args = c.convertFlags;
    args.insert(args.begin(), "--yes");
    args.push_back(SaveProject(world, out, c.saveFlags));
    const CliResult result = ConvertProject(world, args);
    EXPECT_EQ(result.Status, c.status) << result.Err;
    EXPECT_EQ(result.Err, world.Source() + "Leer.pas:1: Warnung: Block ohne Titel\n" + c.lastLine);
    EXPECT_EQ(ReadFile(out + "Leer.Doc.htm"),
              CrLf({"<html>", "<title></title>", "<h1>Leer.pas</h1>", "<h2></h2>", "x", "", "",
                    "<hr>", "<p>26.11.2025</p></html>"}));
  }
}

TEST(CliPipeline, ExcludePatternsAreSavedAndCountedInTheLastLine) {
  // Patterns saved with the project leave their folders and files out, and the last line counts
  // them; an empty pattern is a usage error.
  CliWorld world;
  const std::string out = world / "out/";
  for (const char* source : {"Alt/Alt.pas", "Sub/Backup/Kopie.pas", "Sub/Neu.pas"}) {
    WriteFile(world.Source() + source, CrLf({"// ###DocGen_Start Titel", "// ###DocGen_End"}));
  }
  const std::string project =
      SaveProject(world, out, {"--exclude", "Alt/**", "--exclude", "**\\Backup\\*"});
  EXPECT_EQ(qm::LoadProjectFile(project).ExcludePatterns, (qm::Lines{"Alt/**", "**\\Backup\\*"}));
  const CliResult result = ConvertProject(world, {"--yes", "--strict", project});
  EXPECT_EQ(result.Status, 0);
  EXPECT_EQ(result.Err, "2 Quelle(n) gelesen, 1 Ordner und 1 Datei(en) ausgeschlossen, 3 "
                        "Seite(n) geschrieben (davon 0 eigene), 0 Warnung(en)\n");
  EXPECT_TRUE(Exists(out + "Neu.Doc.htm"));
  EXPECT_FALSE(Exists(out + "Kopie.Doc.htm"));
  EXPECT_EQ(RunCli({"save", "--exclude", "", project}).Status, 2);
}

TEST(CliPipeline, PruneRemovesOnlyStalePagesAfterACompleteRun) {
  // --prune removes the pages in the output folder, and in its folders the run wrote into, that the
  // run did not write and no source gives, naming each; --dry-run only names them. Own pages of the
  // run, copied additional files, help-project files, links, folders and folders the run did not
  // write into stay.
  CliWorld world;
  const std::string out = world / "out/";
  WriteFile(world.Source() + "Eigen.pas",
            CrLf({"{ ###DocGen_Start K", "###Output Kapitel", "K", "###DocGen_End }",
                  "{ ###DocGen_Start T", "###Output Teil/Sub", "T", "###DocGen_End }"}));
  WriteFile(world / "extra/Kopie.Doc.htm", "kopiert");
  const std::vector<std::string> stale = {"Alt.Doc.htm", "Alt.Tech.htm", "Notiz.Doc.htm",
                                          "Teil/Veraltet.Doc.htm"};
  // Put there before the run; written by it (pages, the copied file); a link, last.
  std::vector<std::string> kept = {"Handbuch.Doc.hhp", "Andere/Alt.Doc.htm", "Ordner.Doc.htm/x",
                                   "Unit1.Doc.htm",    "Kapitel.Doc.htm",    "Teil/Sub.Doc.htm",
                                   "Kopie.Doc.htm",    "Link.Doc.htm"};
  for (const std::string& name : stale) {
    WriteFile(out + name, "alt");
  }
  for (const std::string& name : {kept[0], kept[1], kept[2]}) {
    WriteFile(out + name, "bleibt");
  }
#ifdef _WIN32
  // Symbolic links need a privilege on Windows; the other cases hold there alike.
  kept.pop_back();
#else
  std::filesystem::create_symlink(world / "extra/Kopie.Doc.htm", out + "Link.Doc.htm");
#endif
  const std::string project = SaveProject(world, out, {"--extra-files", world / "extra"});
  const std::string counts = "2 Quelle(n) gelesen, 4 Seite(n) geschrieben (davon 2 eigene), 4 "
                             "veraltete Seite(n) ";
  for (const bool dryRun : {true, false}) {
    const CliResult result = ConvertProject(
        world, dryRun ? std::vector<std::string>{"--yes", "--prune", "--dry-run", project}
                      : std::vector<std::string>{"--yes", "--prune", project});
    std::string listing;
    for (const std::string& name : stale) {
      listing += (dryRun ? "zu löschen: " : "gelöscht: ") + out + name + "\n";
      EXPECT_EQ(Exists(out + name), dryRun) << name;
    }
    EXPECT_EQ(result.Out, listing);
    EXPECT_EQ(result.Err,
              counts + (dryRun ? "zu löschen (--dry-run)" : "gelöscht") + ", 0 Warnung(en)\n");
  }
  for (const std::string& name : kept) {
    EXPECT_TRUE(Exists(out + name)) << name;
  }
}

TEST(CliPipeline, PruneNeedsAnOwnOutputFolderAndACompleteRun) {
  // Without an output folder, or with the input folder as one, --prune refuses before anything is
  // converted; after a failed run nothing is removed; --dry-run needs --prune.
  CliWorld world;
  for (const std::string& output : {std::string(), world.Source()}) {
    const CliResult refused = ConvertProject(world, {"--prune", SaveProject(world, output, {})});
    EXPECT_EQ(refused.Status, 1);
    EXPECT_EQ(refused.Err, "--prune löscht nur in einem eigenen Ausgabeordner; ohne "
                           "Ausgabeordner (oder mit dem Eingabeordner als Ausgabeordner) stehen "
                           "die Seiten bei ihren Quellen. Es wurde nichts konvertiert.\n");
    EXPECT_FALSE(Exists(world.Source() + "Unit1.Doc.htm"));
  }
  const std::string out = world / "out/";
  WriteFile(out + "Alt.Doc.htm", "alt");
  WriteFile(world.Source() + "Weg.pas",
            CrLf({"{ ###DocGen_Start Weg", "###Output ..\\Weg", "###DocGen_End }"}));
  const CliResult failed = ConvertProject(world, {"--prune", SaveProject(world, out, {})});
  EXPECT_EQ(failed.Status, 1);
  EXPECT_EQ(ReadFile(out + "Alt.Doc.htm"), "alt");
  EXPECT_EQ(RunCli({"convert", "--dry-run", "p.qmpr"}).Status, 2);
}

} // namespace
