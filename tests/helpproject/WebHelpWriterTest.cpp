#include "EntryText.h"
#include "HelpTestUtil.h"

#include "base/Error.h"
#include "helpproject/WebHelpWriter.h"

using namespace qm;
using namespace qmtest;

TEST(WebHelpWriter, WritesPageSearchDataAndSharedFilesOfATinyProject) {
  // Two pages, contents in two groups given out of order, an index entry with two anchors, a
  // context id given twice (the first page wins) and a page listed twice (searched once).
  TempDir tmp;
  TagTable tags;
  CharacterTable chars;
  const std::string program = tmp / "bin/";
  WriteWebHelpFiles(program);
  const std::string out = tmp / "out/";
  WriteFile(out + "Main.Doc.htm",
            "<HTML><HEAD><TITLE>Haupt&shy;fenster \xE4</TITLE>\r\n"
            "<STYLE>p { color: red }</STYLE></HEAD>\r\n"
            "<BODY><!-- kein Text --><H1>&Uuml;ber das\tFenster</H1><P>Men\xFC &amp; "
            "&quot;Leiste&quot;</P><SCRIPT>var x = \"<b>\";</SCRIPT></BODY></HTML>\r\n");
  WriteFile(out + "Sub.Doc.htm", "<html><body>Nur&nbsp;Text \x80</body></html>");
  KindRecords records;
  records.Pages = {out + "Main.Doc.htm", out + "Sub.Doc.htm", out + "Main.Doc.htm"};
  records.Toc = Entries({"Zweitens;Unterseite;Sub.Doc.htm", "Erstens;Fenster;f;Main.Doc.htm"});
  records.Index = Entries({"Fenster;Hauptfenster;a1;a2;Main.Doc.htm", "Leiste;Sub.Doc.htm"});
  records.ContextIds =
      Ids({"1001;Fenster;" + out + "Main.Doc.htm", "1002;Sub;" + out + "Sub.Doc.htm",
           "1001;Doppelt;" + out + "Sub.Doc.htm"});
  HelpProjectSettings settings;
  settings.Title = "Handbuch";

  WriteWebHelp(DocKind::Doc, settings, records, out, program, tags, chars);

  EXPECT_EQ(
      ReadFile(out + "Handbuch.Doc.html"),
      CrLf({"<!DOCTYPE html>",
            "<html lang=\"de\">",
            "<head>",
            "<meta charset=\"windows-1252\">",
            "<title>Handbuch</title>",
            "<link rel=\"stylesheet\" href=\"Handbuch.web/webhilfe.css\">",
            "</head>",
            "<body>",
            "<nav id=\"navigation\">",
            "<div id=\"reiter\" role=\"tablist\">",
            "<button type=\"button\" role=\"tab\" id=\"reiter-inhalt\" "
            "aria-controls=\"bereich-inhalt\">Inhalt</button>",
            "<button type=\"button\" role=\"tab\" id=\"reiter-index\" "
            "aria-controls=\"bereich-index\">Index</button>",
            "<button type=\"button\" role=\"tab\" id=\"reiter-suche\" "
            "aria-controls=\"bereich-suche\">Suche</button>",
            "</div>",
            "<div id=\"bereich-inhalt\" role=\"tabpanel\"><ul id=\"inhalt\" role=\"tree\">",
            "<li role=\"treeitem\" aria-expanded=\"true\"><span tabindex=\"-1\">Erstens</span>"
            "<ul role=\"group\">",
            "<li role=\"treeitem\"><a href=\"Main.Doc.htm#f\" target=\"seite\" "
            "tabindex=\"-1\">Fenster</a></li>",
            "</ul></li>",
            "<li role=\"treeitem\" aria-expanded=\"true\"><span tabindex=\"-1\">Zweitens</span>"
            "<ul role=\"group\">",
            "<li role=\"treeitem\"><a href=\"Sub.Doc.htm\" target=\"seite\" "
            "tabindex=\"-1\">Unterseite</a></li>",
            "</ul></li>",
            "</ul></div>",
            "<div id=\"bereich-index\" role=\"tabpanel\" hidden><label>Stichwort: <input "
            "id=\"filter\" type=\"search\" autocomplete=\"off\"></label><ul id=\"index\">",
            "<li><a href=\"Main.Doc.htm#a1\" target=\"seite\">Fenster</a> <span "
            "class=\"titel\">Hauptfenster</span> <a href=\"Main.Doc.htm#a2\" "
            "target=\"seite\">[2]</a></li>",
            "<li><a href=\"Sub.Doc.htm\" target=\"seite\">Leiste</a> <span "
            "class=\"titel\">Sub.Doc.htm</span></li>",
            "</ul></div>",
            "<div id=\"bereich-suche\" role=\"tabpanel\" hidden><label>Suchen nach: <input "
            "id=\"suche\" type=\"search\" autocomplete=\"off\"></label><ol "
            "id=\"ergebnisse\"></ol></div>",
            "</nav>",
            "<main><iframe id=\"seite\" name=\"seite\" title=\"Seite\" "
            "src=\"Main.Doc.htm\"></iframe></main>",
            "<script>var qmKontext={\"1001\":\"Main.Doc.htm\",\"1002\":\"Sub.Doc.htm\"};</script>",
            "<script src=\"Handbuch.web/lunr.min.js\"></script>",
            "<script src=\"Handbuch.web/Handbuch.Doc.suche.js\"></script>",
            "<script src=\"Handbuch.web/webhilfe.js\"></script>",
            "</body>",
            "</html>"}));
  // ASCII only: the page's Windows-1252 letters and references arrive as \u escapes.
  EXPECT_EQ(ReadFile(out + "Handbuch.web/Handbuch.Doc.suche.js"),
            "var qmSuchdaten=[\r\n"
            "[\"Main.Doc.htm\",\"Haupt\\u00adfenster \\u00e4\","
            "\"\\u00dcber das Fenster Men\\u00fc & \\u0022Leiste\\u0022\"],\r\n"
            "[\"Sub.Doc.htm\",\"\",\"Nur Text \\u20ac\"]\r\n"
            "];\r\n");
  for (const char* shared : {"webhilfe.js", "webhilfe.css", "lunr.min.js"}) {
    EXPECT_EQ(ReadFile(out + "Handbuch.web/" + shared), shared);
  }
}

TEST(WebHelpWriter, DefaultPageAndSwitchedOffContentsAndIndex) {
  // The kind's default page takes the pane; without contents and index the lists stay empty
  // but present, so that the script finds every part.
  TempDir tmp;
  TagTable tags;
  CharacterTable chars;
  KindRecords records;
  records.Toc = Entries({"G;T;P.Tech.htm"});
  records.Index = Entries({"K;P.Tech.htm"});
  HelpProjectSettings settings;
  settings.Title = "H";
  settings.TechDefaultPage = "Start.Tech.htm";
  settings.TechToc = false;
  settings.TechIndex = false;
  const Lines lines = WebHelpPageLines(DocKind::Tech, settings, records, tmp / "", tags, chars);
  const std::string page = CrLf(lines);
  EXPECT_NE(page.find("<ul id=\"inhalt\" role=\"tree\">\r\n</ul></div>"), std::string::npos);
  EXPECT_NE(page.find("<ul id=\"index\">\r\n</ul></div>"), std::string::npos);
  EXPECT_NE(page.find("src=\"Start.Tech.htm\""), std::string::npos);
  EXPECT_NE(page.find("<script src=\"H.web/H.Tech.suche.js\"></script>"), std::string::npos);
}

TEST(WebHelpWriter, ScriptStringsAreAsciiWithEscapes) {
  const std::pair<const char*, const char*> cases[] = {
      {"plain text", "\"plain text\""},
      {"\"\\</script>\n", "\"\\u0022\\u005c\\u003c/script>\\u000a\""},
      {"\xC3\xA4\xE2\x82\xAC", "\"\\u00e4\\u20ac\""},
      {"\xF0\x9F\x98\x80", "\"\\ud83d\\ude00\""},
      {"a\xFF"
       "b\xC3",
       "\"a\\ufffdb\\ufffd\""},
  };
  for (const auto& [text, expected] : cases) {
    std::string out;
    AppendScriptString(out, text);
    EXPECT_EQ(out, expected) << text;
  }
}

TEST(WebHelpWriter, AMissingPageIsNamedAndNoPageIsWritten) {
  TempDir tmp;
  TagTable tags;
  CharacterTable chars;
  const std::string program = tmp / "bin/";
  WriteWebHelpFiles(program);
  const std::string out = tmp / "out/";
  HelpProjectSettings settings;
  settings.Title = "H";
  KindRecords records;
  records.Pages = {out + "Fehlt.Doc.htm"};
  try {
    WriteWebHelp(DocKind::Doc, settings, records, out, program, tags, chars);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("Fehlt.Doc.htm"), std::string::npos) << e.what();
  }
  EXPECT_FALSE(Exists(out + "H.Doc.html"));
}
