// A run gives every source its pages whatever its name, tells what it cannot express as
// warnings, and keeps the parts of its errors.
#include "base/Error.h"
#include "base/TextFile.h"
#include "engine/Generator.h"

#include "EngineFixture.h"
#include "EntryText.h"

#include <cerrno>

using namespace qm;
using namespace qmtest;

TEST(HonestRun, SourceNamesBeyondWindows1252ConvertLikeAnyOther) {
  // "Łódź.pas" (a name Windows-1252 cannot hold) and "Übersicht.pas" next to a plain source:
  // each gets its page under its own name; in the page text a letter Windows-1252 lacks is a
  // character reference, in a contents entry a "?".
  EngineFixture fx;
  const std::string lodz = "\xC5\x81\xC3\xB3"
                           "d\xC5\xBA"; // UTF-8 on disk
  const std::string overview = "\xC3\x9C"
                               "bersicht";
  for (const std::string& name : {lodz, overview, std::string("Plain")}) {
    fx.Source(name + ".pas", {"{###DocGen_Start Stadt", "Text", "###DocGen_End}"});
  }
  const auto gen = fx.MakeGenerator();
  gen->templates[qm::TemplateId::DocBlockHeader] = {"DBH %TITLE%", "###Toc %INPUTFILE%;%TITLE%"};
  TQuelle quelle;
  quelle.Masks = {"*.pas"};
  quelle.Search(fx.Src());
  gen->generator.Run(quelle, gen->options, gen->templates, gen->result);

  EXPECT_EQ(gen->result.Counts.SourcesRead, 3);
  EXPECT_TRUE(gen->result.Warnings.empty());
  // Listed by the Windows-1252 form of the name, where "?" stands for what it lacks.
  EXPECT_EQ(gen->Doc().Pages, (Lines{fx.Out(lodz + ".Doc.htm"), fx.Out("Plain.Doc.htm"),
                                     fx.Out(overview + ".Doc.htm")}));
  EXPECT_EQ(ReadFile(fx.Out(lodz + ".Doc.htm")), CrLf({"<TITLE></TITLE>",
                                                       "DH &#321;\xF3"
                                                       "d&#378;.pas &#321;\xF3"
                                                       "d&#378;.Doc",
                                                       "DBH Stadt", "Text", "", "", "DBF",
                                                       "DF &#321;\xF3"
                                                       "d&#378;|Stadt|" +
                                                           std::string(kNow)}));
  EXPECT_EQ(ReadFile(fx.Out(overview + ".Doc.htm")), CrLf({"<TITLE></TITLE>",
                                                           "DH \xDC"
                                                           "bersicht.pas \xDC"
                                                           "bersicht.Doc",
                                                           "DBH Stadt", "Text", "", "", "DBF",
                                                           "DF \xDC"
                                                           "bersicht|Stadt|" +
                                                               std::string(kNow)}));
  EXPECT_EQ(Joined(gen->Doc().Toc), (Lines{"?\xF3"
                                           "d?;Stadt;" +
                                               lodz + ".Doc.htm",
                                           "Plain;Stadt;Plain.Doc.htm",
                                           "\xDC"
                                           "bersicht;Stadt;" +
                                               overview + ".Doc.htm"}));
}

TEST(HonestRun, OutputMarkerBehindCommentSyntaxIsNamedInEveryKind) {
  // "###Output" counts only at the start of the line after the start marker. Behind the
  // comment syntax of each of the eight kinds it gets a warning for that line, and the block
  // stays on its source's page; at the start of a block comment's line it works silently.
  EngineFixture fx;
  const std::vector<std::pair<std::string, std::vector<std::string>>> sources = {
      {"a.pas", {"// ###DocGen_Start T", "// ###Output Seite", "// ###DocGen_End"}},
      {"b.c", {"/* ###DocGen_Start T", " * ###Output Seite", " ###DocGen_End */"}},
      {"c.java", {"/** ###DocGen_Start T", " * ###Output Seite", " * ###DocGen_End */"}},
      {"d.sql", {"-- ###DocGen_Start T", "-- ###Output Seite", "-- ###DocGen_End"}},
      {"e.asm", {"; ###DocGen_Start T", "; ###Output Seite", "; ###DocGen_End"}},
      {"f.bas", {"' ###DocGen_Start T", "' ###Output Seite", "' ###DocGen_End"}},
      {"g.htm", {"<!-- ###DocGen_Start T", "<!-- ###Output Seite -->", "###DocGen_End -->"}},
      {"h.rul", {"// ###DocGen_Start T", "// ###Output Seite", "// ###DocGen_End"}},
      {"i.pas", {"{ ###DocGen_Start T", "  ###Output Richtig", "###DocGen_End }"}},
  };
  std::vector<std::string> files;
  for (const auto& [name, lines] : sources) {
    fx.Source(name, lines);
    files.push_back(fx.Src(name));
  }
  const auto gen = fx.MakeGenerator();
  EngineFixture::RunFiles(*gen, files);

  const std::string text = "\"###Output\" muss am Anfang der Zeile stehen (im Blockkommentar, "
                           "ohne Kommentarzeichen davor); der Block bleibt auf der Seite der "
                           "Quelle";
  WarningList expected;
  for (size_t i = 0; i + 1 < files.size(); ++i) {
    expected.push_back({files[i], 2, text});
  }
  EXPECT_EQ(gen->result.Warnings, expected);
  EXPECT_FALSE(Exists(fx.Out("Seite.Doc.htm")));
  EXPECT_TRUE(Exists(fx.Out("b.Doc.htm")));
  EXPECT_TRUE(Exists(fx.Out("Richtig.Doc.htm")));
  EXPECT_FALSE(Exists(fx.Out("i.Doc.htm")));
}

TEST(HonestRun, ReplacedPageNamesBothSourcesAndCountsOnce) {
  // Two sources of one base name in different folders write the same page: the second one's
  // warning names the page and the first source; the page counts once.
  EngineFixture fx;
  fx.Source("a/Main.pas", {"{###DocGen_Start Eins", "###DocGen_End}"});
  fx.Source("b/Main.pas", {"{###DocGen_Start Zwei", "###DocGen_End}"});
  const auto gen = fx.MakeGenerator();
  EngineFixture::RunFiles(*gen, {fx.Src("a/Main.pas"), fx.Src("b/Main.pas")});
  EXPECT_EQ(gen->result.Warnings, (WarningList{{fx.Src("b/Main.pas"), 0,
                                                "Die Seite " + fx.Out("Main.Doc.htm") +
                                                    " wird ersetzt; die Dokumentation aus " +
                                                    fx.Src("a/Main.pas") + " geht verloren"}}));
  EXPECT_EQ(gen->result.Counts.PagesWritten, 1);
  EXPECT_EQ(gen->result.Counts.SourcesRead, 2);
}

TEST(HonestRun, FileErrorsKeepTheirParts) {
  // A full disk names the file and the reason in words; the parts stay apart, and the UTF-8
  // wording keeps a path as the file system spells it where the Windows-1252 one cannot.
#ifndef _WIN32 // Windows has no device that is always full.
  try {
    WriteFileBytes("/dev/full", "x");
    FAIL() << "writing to a full device succeeded";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Datei /dev/full: Kein Speicherplatz mehr auf dem Datentr\xE4ger");
    EXPECT_EQ(e.Text(), "Datei /dev/full: Kein Speicherplatz mehr auf dem Datentr\xC3\xA4ger");
    EXPECT_EQ(e.Parts().operation, FileOperation::Write);
    EXPECT_EQ(e.Parts().path, "/dev/full");
    EXPECT_EQ(e.Parts().systemError, ENOSPC);
  }
#endif
  const Error open = Error::File(FileOperation::Open, kMsgCannotOpen,
                                 "/q/\xC5\x81"
                                 "a.pas",
                                 ENOENT);
  EXPECT_EQ(std::string(open.what()), "Datei /q/?a.pas kann nicht ge\xF6"
                                      "ffnet werden");
  EXPECT_EQ(open.Text(), "Datei /q/\xC5\x81"
                         "a.pas kann nicht ge\xC3\xB6"
                         "ffnet werden");
  EXPECT_EQ(SystemReasonText(EROFS), "Schreibgesch\xFCtztes Dateisystem");
  EXPECT_EQ(SystemReasonText(ENAMETOOLONG), "Name zu lang");
  EXPECT_EQ(SystemReasonText(EACCES), "Dateizugriff verweigert");
}

TEST(HonestRun, PageTitlePlaceholderIsNeverEmpty) {
  // "%PAGETITLE%" is the title, or the source's file name where there is none.
  EngineFixture fx;
  const auto gen = fx.MakeGenerator();
  Lines lines = {"<TITLE>%PAGETITLE%</TITLE>", "<TITLE>%PAGETITLE%</TITLE>"};
  gen->Parts().SubstitutePlaceholders(lines, fx.Out("a.Doc.htm"),
                                      fx.Src("Gr\xC3\xA4"
                                             "ber.pas"),
                                      "");
  Lines own = {"<TITLE>%PAGETITLE%</TITLE>"};
  gen->Parts().SubstitutePlaceholders(own, fx.Out("T.Doc.htm"), fx.Src("a.pas"), "B\xE4r & Co");
  EXPECT_EQ(lines, (Lines{"<TITLE>Gr&auml;ber.pas</TITLE>", "<TITLE>Gr&auml;ber.pas</TITLE>"}));
  EXPECT_EQ(own, (Lines{"<TITLE>B&auml;r &amp; Co</TITLE>"}));
}
