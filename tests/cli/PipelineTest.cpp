// End-to-end tests of the switches for build pipelines: warnings as errors, folders and files
// left out of the search, and stale pages pruned from the output folder.
#include "CliFixture.h"

#include "project/ProjectFile.h"

#include <string>
#include <vector>

namespace {

using qmtest::CliResult;
using qmtest::CliWorld;
using qmtest::CrLf;
using qmtest::ReadFile;
using qmtest::RunCli;
using qmtest::WriteFile;

// The page of a source "Leer.pas" whose one block has no title (which is warned).
std::string UntitledPage() {
  return CrLf({"<html>", "<title></title>", "<h1>Leer.pas</h1>", "<h2></h2>", "x", "", "", "<hr>",
               "<p>26.11.2025</p></html>"});
}

TEST(CliPipeline, StrictFailsACompleteRunWithWarnings) {
  // With warnings as errors (--strict, or the project's key unless --no-strict) a run with
  // warnings ends with 1 and says why; the pages are the same either way, and a run without
  // warnings ends with 0.
  struct Case {
    const char* name;
    bool warning;                   // the source tree holds an untitled block
    const char* projectKey;         // WarnungenAlsFehler saved into the project, or flag mode
    std::vector<std::string> flags; // of convert
    int status;
    const char* lastLine;
  };
  const Case cases[] = {
      {"strict, no warning",
       false,
       nullptr,
       {"--strict"},
       0,
       "1 Quelle(n) gelesen, 2 Seite(n) geschrieben (davon 0 eigene), 0 Warnung(en)\n"},
      {"warning, not strict",
       true,
       nullptr,
       {},
       0,
       "2 Quelle(n) gelesen, 3 Seite(n) geschrieben (davon 0 eigene), 1 Warnung(en)\n"},
      {"warning, --strict",
       true,
       nullptr,
       {"--strict"},
       1,
       "2 Quelle(n) gelesen, 3 Seite(n) geschrieben (davon 0 eigene), 1 Warnung(en), die hier "
       "als Fehler gelten (--strict)\n"},
      {"warning, --strict --quiet",
       true,
       nullptr,
       {"--strict", "--quiet"},
       1,
       "1 Warnung(en), die hier als Fehler gelten (--strict)\n"},
      {"warning, project key",
       true,
       "--strict",
       {},
       1,
       "2 Quelle(n) gelesen, 3 Seite(n) geschrieben (davon 0 eigene), 1 Warnung(en), die hier "
       "als Fehler gelten (--strict)\n"},
      {"warning, key overruled",
       true,
       "--strict",
       {"--no-strict"},
       0,
       "2 Quelle(n) gelesen, 3 Seite(n) geschrieben (davon 0 eigene), 1 Warnung(en)\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CliWorld world;
    const std::string out = world / "out/";
    if (c.warning) {
      WriteFile(world.Source() + "Leer.pas",
                CrLf({"// ###DocGen_Start", "// x", "// ###DocGen_End"}));
    }
    std::vector<std::string> args = {"convert", "--program-dir", world.Program(), "--yes"};
    args.insert(args.end(), c.flags.begin(), c.flags.end());
    if (c.projectKey != nullptr) {
      const std::string project = world / "job.qmpr";
      ASSERT_EQ(RunCli({"save", "--program-dir", world.Program(), "--input", world.Source(),
                        "--output", out, "--kinds", "pascal", c.projectKey, project})
                    .Status,
                0);
      args.push_back(project);
    } else {
      args.insert(args.end(), {"--input", world.Source(), "--output", out, "--kinds", "pascal"});
    }
    const CliResult result = RunCli(args);
    EXPECT_EQ(result.Status, c.status) << result.Err;
    const std::string warning =
        c.warning ? world.Source() + "Leer.pas:1: Warnung: Block ohne Titel\n" : "";
    EXPECT_EQ(result.Err, warning + c.lastLine);
    EXPECT_EQ(ReadFile(out + "Unit1.Doc.htm"), CliWorld::DocPage());
    EXPECT_EQ(ReadFile(out + "Leer.Doc.htm"), c.warning ? UntitledPage() : "<missing>");
  }
}

TEST(CliPipeline, ExcludePatternsAreSavedAndCountedInTheLastLine) {
  // Patterns saved with the project leave their folders and files out of the run, and the
  // last line counts them; an empty pattern is a usage error.
  CliWorld world;
  const std::string out = world / "out/";
  const std::string project = world / "job.qmpr";
  for (const char* source : {"Alt/Alt.pas", "Sub/Backup/Kopie.pas", "Sub/Neu.pas"}) {
    WriteFile(world.Source() + source, CrLf({"// ###DocGen_Start Titel", "// ###DocGen_End"}));
  }
  ASSERT_EQ(
      RunCli({"save", "--program-dir", world.Program(), "--input", world.Source(), "--output", out,
              "--kinds", "pascal", "--exclude", "Alt/**", "--exclude", "**\\Backup\\*", project})
          .Status,
      0);
  EXPECT_EQ(qm::LoadProjectFile(project).ExcludePatterns, (qm::Lines{"Alt/**", "**\\Backup\\*"}));

  const CliResult result = RunCli({"convert", "--program-dir", world.Program(), "--yes", project});
  EXPECT_EQ(result.Status, 0) << result.Err;
  EXPECT_EQ(result.Err, "2 Quelle(n) gelesen, 1 Ordner und 1 Datei(en) ausgeschlossen, 3 "
                        "Seite(n) geschrieben (davon 0 eigene), 0 Warnung(en)\n");
  EXPECT_TRUE(qmtest::Exists(out + "Neu.Doc.htm"));
  EXPECT_FALSE(qmtest::Exists(out + "Alt.Doc.htm"));
  EXPECT_FALSE(qmtest::Exists(out + "Kopie.Doc.htm"));

  EXPECT_EQ(RunCli({"save", "--exclude", "", project}).Status, 2);
}

} // namespace
