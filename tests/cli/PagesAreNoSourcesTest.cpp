// Pages that a run writes are never read back as its sources, also where their names match
// the masks of the HTML kind.
#include "CliFixture.h"

using namespace qmtest;

namespace {

const std::string kNested =
    ":2: Warnung: \"###DocGen_Start\" in einem offenen Block (ab Zeile 1)\n";

} // namespace

TEST(PagesAreNoSources, AHandWrittenFileAtThePlaceOfAPageIsReplacedWithAWarning) {
  // Without an output folder Unit1.pas's page goes beside it, where a hand-written HTML source
  // stands: it is the page, not a source (no page of its own), and its replacement is warned.
  CliWorld world;
  const std::string in = world.Source();
  WriteFile(in + "Unit1.Doc.htm",
            CrLf({"<!-- ###DocGen_Start Hand", "Von Hand", "###DocGen_End -->"}));
  const CliResult result = RunCli({"convert", "--program-dir", world.Program(), "--input", in,
                                   "--kinds", "pascal,html", "--yes", "--quiet"});
  EXPECT_EQ(result.Status, 0);
  EXPECT_EQ(result.Err, in +
                            "Unit1.Doc.htm: Warnung: Die Datei enth\xC3\xA4lt einen Startmarker in "
                            "einem HTML-Kommentar und ist wohl von Hand geschrieben; sie wird als "
                            "Seite von " +
                            in + "Unit1.pas ersetzt\n");
  EXPECT_EQ(ReadFile(in + "Unit1.Doc.htm"), CliWorld::DocPage());
  EXPECT_FALSE(Exists(in + "Unit1.Doc.Doc.htm"));
}

TEST(PagesAreNoSources, AnOutputFolderInsideTheInputFolderIsNotSearched) {
  // A nested start marker puts the text of a start marker on the page. Were the pages below
  // the input folder read as HTML sources, that line would start a block without an end and
  // fail the second run.
  CliWorld world;
  const std::string in = world.Source();
  WriteFile(in + "Zitat.pas",
            CrLf({"{###DocGen_Start Aussen", "###DocGen_Start Innen", "###DocGen_End}"}));
  const std::string out = in + "Seiten/";
  // The second run keeps the title the page carries, as every run does.
  const auto page = [](const std::string& title) {
    return CrLf({"<html>", title, "<h1>Zitat.pas</h1>", "<h2>Aussen</h2>", "###DocGen_Start Innen ",
                 "", "", "<hr>", "<h2>Innen</h2>", "", "", "<hr>", "<p>26.11.2025</p></html>"});
  };
  for (int run = 0; run < 2; ++run) {
    const CliResult result =
        RunCli({"convert", "--program-dir", world.Program(), "--input", in, "--output", out,
                "--kinds", "pascal,html", "--subfolders", "--yes", "--quiet"});
    EXPECT_EQ(result.Status, 0) << "run " << run;
    EXPECT_EQ(result.Err, in + "Zitat.pas" + kNested) << "run " << run;
    EXPECT_EQ(ReadFile(out + "Zitat.Doc.htm"),
              page(run == 0 ? "<title></title>" : "<TITLE></TITLE>"))
        << "run " << run;
  }
}
