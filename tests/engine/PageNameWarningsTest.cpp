// Names and values that the help project's files cannot carry are warned when the sources are
// converted, not found broken when the help file is compiled.
#include "engine/Generator.h"

#include "EngineFixture.h"

using namespace qm;
using namespace qmtest;

namespace {

const std::string kUnfitName =
    " enth\xC3\xA4lt eines der Zeichen ; # \" = [ ] oder ist kein g\xC3\xBCltiges UTF-8; die "
    "Hilfedateien k\xC3\xB6nnen ihn nicht nennen";

struct Case {
  std::string name; // of the source
  std::vector<std::string> lines;
  bool onePerBlock;
  WarningList warnings; // with "@" for the source's path
  std::string page;     // the page that is written
};

} // namespace

TEST(PageNameWarnings, WhatTheHelpFilesCannotCarryIsWarned) {
  const std::vector<Case> cases = {
      {"a;b.pas",
       {"{###DocGen_Start T", "###DocGen_End}"},
       false,
       {{"@", 0, "Der Seitenname a;b.Doc.htm" + kUnfitName}},
       "a;b.Doc.htm"},
      {"a\xFF.pas",
       {"{###DocGen_Start T", "###DocGen_End}"},
       false,
       {{"@", 0, "Der Seitenname a\xFF.Doc.htm" + kUnfitName}},
       "a\xFF.Doc.htm"},
      {"a.pas",
       {"{###DocGen_Start T", "###Output x=[1]", "###DocGen_End}"},
       false,
       {{"@", 1, "Der Seitenname x=[1].Doc.htm" + kUnfitName}},
       "x=[1].Doc.htm"},
      {"a.pas",
       {"{###DocGen_Start T", "###Output .", "###DocGen_End}"},
       false,
       {{"@", 1, "Der Seitenname ..Doc.htm beginnt mit \".\"; die Seite ist versteckt"}},
       "..Doc.htm"},
      {"a.pas",
       {"{###DocGen_Start Ein-/Ausgabe\\x", "Text", "###DocGen_End}"},
       true,
       {{"@", 1, "\"/\" und \"\\\" im Titel werden im Seitennamen zu \"_\": Ein-_Ausgabe_x"}},
       "Ein-_Ausgabe_x.Doc.htm"},
      {"a.pas",
       {"{###DocGen_Start a/\x1B[2Jb", "Text", "###DocGen_End}"},
       true,
       {{"@", 1, "\"/\" und \"\\\" im Titel werden im Seitennamen zu \"_\": a_\\x1B[2Jb"},
        {"@", 1, "Der Seitenname a_\\x1B[2Jb.Doc.htm" + kUnfitName}},
       "a_\x1B[2Jb.Doc.htm"},
      {"a.pas",
       {"{###DocGen_Start", "Text", "###DocGen_End}"},
       true,
       {{"@", 1, "Block ohne Titel"},
        {"@", 1, "Der Seitenname .Doc.htm beginnt mit \".\"; die Seite ist versteckt"}},
       ".Doc.htm"},
      {"a.pas",
       {"{###DocGen_Start T", "###ContextID 4294967296", "###DocGen_End}"},
       false,
       {{"@", 1,
         "Die Kontext-ID \"4294967296\" passt nicht in eine Hilfedatei (0 bis 4294967295, "
         "ohne \";\")"}},
       "a.Doc.htm"},
      {"a.pas",
       {"{###DocGen_Start T", "###ContextID 4294967295", "###DocGen_End}"},
       false,
       {},
       "a.Doc.htm"},
      {"a.pas",
       {"{###DocGen_Start T", "###ContextID 1;2", "###DocGen_End}"},
       false,
       {{"@", 1, "Die Kontext-ID \"1;2\" ist keine Dezimalzahl"},
        {"@", 1,
         "Die Kontext-ID \"1;2\" passt nicht in eine Hilfedatei (0 bis 4294967295, ohne \";\")"}},
       "a.Doc.htm"},
  };
  for (const Case& c : cases) {
#ifdef _WIN32
    // Windows file names are UTF-16 without control characters: a source named with a byte
    // that is no UTF-8, or a page with an escape character in its name, cannot exist there.
    if (c.name.find('\xFF') != std::string::npos || c.page.find('\x1B') != std::string::npos) {
      continue;
    }
#endif
    EngineFixture fx;
    fx.Source(c.name, c.lines);
    const auto gen = fx.MakeGenerator();
    gen->options.OneFilePerBlock = c.onePerBlock;
    EngineFixture::RunFiles(*gen, {fx.Src(c.name)});
    WarningList expected = c.warnings;
    for (Warning& w : expected) {
      w.file = fx.Src(c.name);
    }
    EXPECT_EQ(gen->result.Warnings, expected) << c.lines[0];
    EXPECT_TRUE(Exists(fx.Out(c.page))) << c.page;
  }
}
