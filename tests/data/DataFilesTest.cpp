// Checks of the installation data shipped beside the program: the two tables and the eight
// templates. Users edit these files by hand, so the checks guard the rules that a careless
// edit breaks without any error at run time.
#include "EntryText.h"
#include "TestUtil.h"

#include "base/AnsiText.h"
#include "base/TextFile.h"
#include "engine/CharTables.h"
#include "engine/Generator.h"
#include "engine/Quelle.h"

#include <algorithm>
#include <filesystem>

namespace {

const std::string kDataDir = std::string(QM_SOURCE_DIR) + "/data/";

const char* const kTemplateNames[] = {
    "HTMLHeader_Usr.htt",      "HTMLFooter_Usr.htt",      "HTMLBlockHeader_Usr.htt",
    "HTMLBlockFooter_Usr.htt", "HTMLHeader_Dev.htt",      "HTMLFooter_Dev.htt",
    "HTMLBlockHeader_Dev.htt", "HTMLBlockFooter_Dev.htt",
};

/// Every shipped table and template, sorted by path.
std::vector<std::string> DataFiles() {
  std::vector<std::string> files;
  for (const auto& folder : {kDataDir, kDataDir + "Templates/"}) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      const std::string ext = entry.path().extension().string();
      if (entry.is_regular_file() && (ext == ".txt" || ext == ".htt")) {
        files.push_back(entry.path().string());
      }
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

/// The lines of a file whose lines all end in CR LF.
qm::Lines ReadCrLfLines(const std::string& path) {
  const std::string bytes = qmtest::ReadFile(path);
  qm::Lines lines;
  size_t start = 0;
  for (size_t end = bytes.find("\r\n"); end != std::string::npos; end = bytes.find("\r\n", start)) {
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

/// True when bytes hold a well-formed multi-byte UTF-8 sequence, the trace of a file saved
/// by an editor in UTF-8 instead of Windows-1252.
bool HasUtf8Sequence(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const size_t follow = lead >= 0xC2 && lead <= 0xDF   ? 1
                          : lead >= 0xE0 && lead <= 0xEF ? 2
                          : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                         : 0;
    if (follow == 0 || i + follow >= bytes.size()) {
      continue;
    }
    bool all = true;
    for (size_t k = 1; k <= follow; ++k) {
      const auto c = static_cast<unsigned char>(bytes[i + k]);
      all = all && c >= 0x80 && c <= 0xBF;
    }
    if (all) {
      return true;
    }
  }
  return false;
}

bool IsEntity(std::string_view s) {
  return s.size() > 2 && s.front() == '&' && s.back() == ';';
}

struct Row {
  std::string from, to, link;
};

std::vector<Row> CharRows() {
  std::vector<Row> rows;
  for (const auto& line : ReadCrLfLines(kDataDir + "Umlaute.txt")) {
    rows.push_back(
        {qm::FieldOf(line, 1, ','), qm::FieldOf(line, 2, ','), qm::FieldOf(line, 3, ',')});
  }
  return rows;
}

} // namespace

TEST(DataFiles, AreWindows1252TextWithCrLf) {
  // Every shipped file is Windows-1252 text whose every line ends in CR LF.
  const auto files = DataFiles();
  for (const char* name : kTemplateNames) {
    EXPECT_NE(std::find(files.begin(), files.end(), kDataDir + "Templates/" + name), files.end())
        << name << " is missing";
  }
  for (const auto& file : files) {
    const std::string bytes = qmtest::ReadFile(file);
    ASSERT_GE(bytes.size(), 2u) << file << " is empty";
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << file << ": last line without CR LF";
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\r') {
        EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << file << ": lone CR at " << i;
      } else if (bytes[i] == '\n') {
        EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << file << ": lone LF at " << i;
      }
      EXPECT_NE(bytes[i], '\0') << file << ": NUL at " << i;
    }
    EXPECT_FALSE(HasUtf8Sequence(bytes)) << file << " holds UTF-8 text";
  }
}

TEST(DataFiles, TagTableSparesTheAutomaticLineBreak) {
  // The tag table holds BR (the automatic line breaks) and the tags people write in comments,
  // one bare word a line: the lines are not trimmed, so a stray blank would never match.
  const auto lines = ReadCrLfLines(kDataDir + "HTMLTags.txt");
  for (const char* tag : {"BR", "B", "I", "U", "P", "A", "UL", "OL", "LI", "PRE", "CODE", "TT",
                          "TABLE", "TR", "TD", "IMG", "FONT", "H1"}) {
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(),
                            [&](const std::string& l) { return qm::SameText(l, tag); }))
        << tag << " is missing";
  }
  for (const auto& line : lines) {
    EXPECT_FALSE(line.empty() || line.find_first_of(" \t</>") != std::string::npos)
        << "bad tag line '" << line << "'";
  }
}

TEST(DataFiles, CharTableConvertsAmpersandBeforeItsEntities) {
  // Rows apply in file order, so "&" must be converted before any row that inserts an entity,
  // or that entity's "&" would be converted again. Rows whose from is itself an entity only
  // give link spellings and belong before the "&" row.
  const auto rows = CharRows();
  const auto amp =
      std::find_if(rows.begin(), rows.end(), [](const Row& r) { return r.from == "&"; });
  ASSERT_NE(amp, rows.end()) << "no row for &";
  EXPECT_EQ(amp->to, "&amp;");
  for (auto it = rows.begin(); it != rows.end(); ++it) {
    if (it->to.find('&') != std::string::npos && !IsEntity(it->from)) {
      EXPECT_GE(it, amp) << "row '" << it->from << "' comes before the & row";
    }
    if (IsEntity(it->from)) {
      EXPECT_LT(it, amp) << "link row '" << it->from << "' comes after the & row";
    }
  }
  for (const char* bracket : {"<", ">"}) {
    EXPECT_TRUE(std::any_of(rows.begin(), rows.end(),
                            [&](const Row& r) { return r.from == bracket && IsEntity(r.to); }))
        << "no row converts " << bracket;
  }
}

TEST(DataFiles, EveryEntityHasAReadableLinkSpelling) {
  // "%LINK%" is made from the converted title, which holds entities; each entity a row
  // inserts needs a link row that turns it into plain letters, or anchors carry "&" and ";".
  const auto rows = CharRows();
  for (const auto& row : rows) {
    if (IsEntity(row.from) || !IsEntity(row.to)) {
      continue;
    }
    const auto link = std::find_if(
        rows.begin(), rows.end(), [&](const Row& r) { return r.from == row.to && r.to == row.to; });
    ASSERT_NE(link, rows.end()) << "no link row for " << row.to;
    EXPECT_FALSE(link->link.empty());
    EXPECT_EQ(link->link.find_first_not_of("abcdefghijklmnopqrstuvwxyz"
                                           "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-"),
              std::string::npos)
        << "link spelling '" << link->link << "' of " << row.to;
  }
}

TEST(DataFiles, TemplatesCarryCharsetTitleAndAnchors) {
  // A page header declares its character set and has exactly one title line made only of the
  // title tags, so that the title carried over from an existing page gives the same line.
  // Block headers set the anchor that their contents entry points to.
  for (const char* kind : {"Usr", "Dev"}) {
    const std::string tdir = kDataDir + "Templates/";
    const auto header = ReadCrLfLines(tdir + "HTMLHeader_" + kind + ".htt");
    const auto titles = std::count_if(header.begin(), header.end(), [](const std::string& l) {
      return qm::AnsiUpperCase(l).find("<TITLE>") != std::string::npos;
    });
    EXPECT_EQ(titles, 1) << kind;
    for (const auto& line : header) {
      if (line.find("<TITLE>") != std::string::npos) {
        EXPECT_EQ(line.rfind("<TITLE>", 0), 0u) << line;
        EXPECT_EQ(line.substr(line.size() - 8), "</TITLE>") << line;
      }
    }
    EXPECT_NE(qmtest::ReadFile(tdir + "HTMLHeader_" + kind + ".htt").find("charset=windows-1252"),
              std::string::npos)
        << kind;

    // Standards mode, the language and a viewport for today's browsers and help viewers.
    EXPECT_EQ(header.front(), "<!DOCTYPE html>") << kind;
    EXPECT_NE(std::find(header.begin(), header.end(), "<HTML LANG=\"de\">"), header.end());
    EXPECT_NE(std::find(header.begin(), header.end(),
                        "<META NAME=\"viewport\" CONTENT=\"width=device-width, initial-scale=1\">"),
              header.end());

    // The contents come from the user's "###Toc" lines alone, so that each topic is listed
    // once; the index keeps an entry per block.
    const auto block = ReadCrLfLines(tdir + "HTMLBlockHeader_" + kind + ".htt");
    EXPECT_NE(std::find(block.begin(), block.end(), "<A NAME=\"%LINK%\"></A>"), block.end());
    for (const auto& line : block) {
      EXPECT_EQ(line.find("###Toc"), std::string::npos) << line;
    }
  }
}

TEST(DataFiles, ShippedTemplatesCarryNoTimeOfTheRun) {
  // A page or map file that holds the time of its run differs on every run, so nothing after
  // the conversion could ever skip its work. The installed templates, the map files' head and
  // the templates the example and the program's own help bring along hold none.
  std::vector<std::string> files = DataFiles();
  files.push_back(std::string(QM_SOURCE_DIR) + "/examples/example.qmpr");
  files.push_back(kDataDir + "help/Quillmark.qmpr");
  ASSERT_GT(files.size(), 12U);
  for (const std::string& file : files) {
    const std::string upper = qm::AnsiUpperCase(qmtest::ReadFile(file));
    for (const char* placeholder : {"%DATE%", "%TIME%", "%DATETIME%"}) {
      EXPECT_EQ(upper.find(placeholder), std::string::npos) << file << " holds " << placeholder;
    }
  }
}

TEST(DataFiles, DefaultTablesGiveValidHtmlAndReadableAnchors) {
  // With the shipped tables, comment text keeps its tags and gets entities for the rest; a
  // title's link spelling is plain ASCII, and unmapping the converted title restores it.
  qm::TagTable tags;
  tags.Assign(qm::ReadTextLines(kDataDir + "HTMLTags.txt"));
  qm::CharacterTable table;
  table.Assign(qm::ReadTextLines(kDataDir + "Umlaute.txt"));

  EXPECT_EQ(qm::ConvertChars("Gr\xF6\xDF"
                             "e <B>fett</B>, a < y, b > x & c<BR></UL>",
                             tags, table),
            "Gr&ouml;&szlig;e <B>fett</B>, a &lt; y, b &gt; x &amp; c<BR></UL>");
  EXPECT_EQ(qm::ConvertChars("<A HREF=\"x.htm?a=1&b=2\" TITLE=\"B\xE4r\">B\xE4r</A>", tags, table),
            "<A HREF=\"x.htm?a=1&b=2\" TITLE=\"B\xE4r\">B&auml;r</A>");
  EXPECT_EQ(qm::ConvertChars("<!-- kein Tag -->", tags, table), "&lt;!-- kein Tag --&gt;");

  const std::string title = "Einf\xFChrung & \xDC"
                            "bersicht";
  const std::string converted = qm::ConvertChars(title, tags, table);
  EXPECT_EQ(converted, "Einf&uuml;hrung &amp; &Uuml;bersicht");
  EXPECT_EQ(qm::MapLinkChars(converted, table), "Einfuehrung___Uebersicht");
  EXPECT_EQ(qm::UnmapChars(converted, table), title);
}

TEST(DataFiles, ShippedTemplatesGiveAStablePage) {
  // A block converted with the shipped data gives this whole page, its contents entry points
  // at the block's anchor, and a second run over the existing page writes the same bytes
  // (the carried-over title reproduces the title line).
  qmtest::TempDir dir;
  qmtest::WriteFile(dir / "src/Kurs.pas", qmtest::CrLf({
                                              "{ ###DocGen_Start Einf\xFChrung",
                                              "  ###ContextID 42",
                                              "  Erste Zeile mit <B>fett</B>",
                                              "  und Fortsetzung.",
                                              "",
                                              "  Zweiter Absatz: a < y.",
                                              "  ###DocGen_End }",
                                          }));
  const std::string expected = qmtest::CrLf({
      "<!DOCTYPE html>",
      "<HTML LANG=\"de\">",
      "<HEAD>",
      "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">",
      "<META NAME=\"viewport\" CONTENT=\"width=device-width, initial-scale=1\">",
      "<META NAME=\"GENERATOR\" CONTENT=\"Quillmark\">",
      "<TITLE>Kurs.pas</TITLE>",
      "<STYLE>",
      "BODY { font-family: Verdana, Arial, sans-serif; font-size: 100%; line-height: 1.45; "
      "max-width: 50em; margin: 0 auto; padding: 0.5em 1em; color: #1A1A1A; }",
      "H2 { font-size: 1.3em; border-bottom: 1px solid #8090A0; padding-bottom: 2px; "
      "margin-top: 1.5em; }",
      "PRE, CODE, TT { font-family: Consolas, \"Courier New\", monospace; }",
      "PRE { background: #F4F4F4; padding: 0.5em; overflow-x: auto; }",
      "P.kopf { color: #FFFFFF; background: #30507A; padding: 0.4em 0.6em; }",
      "P.fuss { color: #606060; font-size: 0.8em; }",
      "P.oben { text-align: right; font-size: 0.8em; }",
      "</STYLE>",
      "</HEAD>",
      "<BODY>",
      "<A NAME=\"top\"></A>",
      "<P CLASS=\"kopf\">Benutzerhandbuch &middot; Kurs.pas</P>",
      "<A NAME=\"Einfuehrung\"></A>",
      "<H2>Einf&uuml;hrung</H2>",
      "<DIV CLASS=\"block\">",
      "Erste Zeile mit <B>fett</B> und Fortsetzung. ",
      "<BR>",
      "<BR>",
      "Zweiter Absatz: a &lt; y.",
      "",
      "",
      "</DIV>",
      "<P CLASS=\"oben\"><A HREF=\"#top\">nach oben</A></P>",
      "<HR>",
      "<P CLASS=\"fuss\">Erstellt mit Quillmark</P>",
      "</BODY>",
      "</HTML>",
  });

  const qm::TGenerator generator(std::string(QM_BIN_DIR) + "/");
  qm::GeneratorOptions options;
  options.AutoLineBreak = true;
  options.OutputFolder = dir / "out/";
  std::filesystem::create_directories(dir / "out");
  for (int run = 1; run <= 2; ++run) {
    qm::TQuelle quelle;
    quelle.Masks = {"*.pas"};
    quelle.Search(dir / "src/");
    const qm::RunResult result = generator.Run(quelle, options, generator.InstalledTemplates());
    const qm::KindRecords& doc = result.Of(qm::DocKind::Doc);
    EXPECT_EQ(qmtest::ReadFile(dir / "out/Kurs.Doc.htm"), expected) << "run " << run;
    EXPECT_FALSE(qmtest::Exists(dir / "out/Kurs.Tech.htm"));
    EXPECT_TRUE(doc.Toc.empty());
    EXPECT_EQ(qmtest::Joined(doc.Index),
              qm::Lines{"Einf\xFChrung;Einf\xFChrung;Einfuehrung;Kurs.Doc.htm"});
    EXPECT_EQ(qmtest::Joined(doc.ContextIds),
              qm::Lines{"42;Einf\xFChrung;" + dir / "out/Kurs.Doc.htm"});
  }
}
