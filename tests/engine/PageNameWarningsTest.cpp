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

// A block with its title (none when empty) and one line between its markers.
std::vector<std::string> Block(const std::string& title, const std::string& line) {
  return {"{###DocGen_Start" + (title.empty() ? "" : " " + title), line, "###DocGen_End}"};
}

// The warnings, with "@" for the source's path, and the line of the block where not 0.
Warning Unfit(const std::string& page, int line = 1) {
  return {"@", line, "Der Seitenname " + page + kUnfitName};
}
Warning Hidden(const std::string& page) {
  return {"@", 1, "Der Seitenname " + page + " beginnt mit \".\"; die Seite ist versteckt"};
}
Warning Slash(const std::string& name) {
  return {"@", 1, "\"/\" und \"\\\" im Titel werden im Seitennamen zu \"_\": " + name};
}
Warning UnfitId(const std::string& id) {
  return {"@", 1,
          "Die Kontext-ID \"" + id +
              "\" passt nicht in eine Hilfedatei (0 bis 4294967295, ohne \";\")"};
}

} // namespace

TEST(PageNameWarnings, WhatTheHelpFilesCannotCarryIsWarned) {
  const std::vector<Case> cases = {
      {"a;b.pas", Block("T", ""), false, {Unfit("a;b.Doc.htm", 0)}, "a;b.Doc.htm"},
      {"a\xFF.pas", Block("T", ""), false, {Unfit("a\xFF.Doc.htm", 0)}, "a\xFF.Doc.htm"},
      {"a.pas", Block("T", "###Output x=[1]"), false, {Unfit("x=[1].Doc.htm")}, "x=[1].Doc.htm"},
      {"a.pas", Block("T", "###Output ."), false, {Hidden("..Doc.htm")}, "..Doc.htm"},
      {"a.pas",
       Block("Ein-/Ausgabe\\x", "Text"),
       true,
       {Slash("Ein-_Ausgabe_x")},
       "Ein-_Ausgabe_x.Doc.htm"},
      {"a.pas",
       Block("a/\x1B[2Jb", "Text"),
       true,
       {Slash("a_\\x1B[2Jb"), Unfit("a_\\x1B[2Jb.Doc.htm")},
       "a_\x1B[2Jb.Doc.htm"},
      {"a.pas",
       Block("", "Text"),
       true,
       {{"@", 1, "Block ohne Titel"}, Hidden(".Doc.htm")},
       ".Doc.htm"},
      {"a.pas", Block("T", "###ContextID 4294967296"), false, {UnfitId("4294967296")}, "a.Doc.htm"},
      {"a.pas", Block("T", "###ContextID 4294967295"), false, {}, "a.Doc.htm"},
      {"a.pas",
       Block("T", "###ContextID 1;2"),
       false,
       {{"@", 1, "Die Kontext-ID \"1;2\" ist keine Dezimalzahl"}, UnfitId("1;2")},
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
