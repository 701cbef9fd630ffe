#include "base/CodePages.h"
#include "engine/Generator.h"
#include "helpproject/SitemapWriter.h"

#include "EngineFixture.h"
#include "EntryText.h"

using namespace qm;
using namespace qmtest;

namespace {

// UTF-16 of UTF-8 text (characters of the first plane), with the mark of its byte order.
std::string Utf16(std::string_view utf8, bool bigEndian) {
  std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : 3;
    unsigned cp = n == 1 ? c : n == 2 ? c & 0x1F : c & 0x0F;
    for (size_t k = 1; k < n; ++k) {
      cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    const char hi = static_cast<char>(cp >> 8);
    const char lo = static_cast<char>(cp & 0xFF);
    out += bigEndian ? std::string{hi, lo} : std::string{lo, hi};
    i += n;
  }
  return out;
}

const std::string kExample = "{ ###DocGen_Start Größe und Maß\r\n"
                             "  Die Größe wird in Millimeter angegeben – nicht in Zoll.\r\n"
                             "  ###DocGen_End }\r\n";
const std::string kTitle1252 = "Gr\xF6\xDF"
                               "e und Ma\xDF";

struct ReadCase {
  const char* name;
  std::string bytes;
  SourceEncoding encoding;
  std::string title; // the page's block header and footer title
  std::string text;  // the page's text line
  int utf8;          // sources counted as read from UTF-8
  int utf16;
};

} // namespace

TEST(SourceEncoding, EveryFormOfASourceGivesThePageOfItsCharacters) {
  // UTF-8 with and without a mark and UTF-16 in both byte orders give the page a Windows-1252
  // source gives; the dash is a Windows-1252 character. The Windows-1252 reading keeps the
  // bytes as they are.
  const std::string text = "Die Gr\xF6\xDF"
                           "e wird in Millimeter angegeben \x96 nicht in Zoll.";
  const std::vector<ReadCase> cases = {
      {"utf8", kExample, SourceEncoding::Auto, kTitle1252, text, 1, 0},
      {"utf8-mark", "\xEF\xBB\xBF" + kExample, SourceEncoding::Utf8, kTitle1252, text, 1, 0},
      {"utf16le", Utf16(kExample, false), SourceEncoding::Auto, kTitle1252, text, 0, 1},
      {"utf16be", Utf16(kExample, true), SourceEncoding::Utf8, kTitle1252, text, 0, 1},
      {"ansi", Utf8ToAnsi(kExample), SourceEncoding::Auto, kTitle1252, text, 0, 0},
      {"utf8-as-ansi", kExample, SourceEncoding::Ansi,
       "Gr\xC3\xB6\xC3\x9F"
       "e und Ma\xC3\x9F",
       "Die Gr\xC3\xB6\xC3\x9F"
       "e wird in Millimeter angegeben \xE2\x80\x93 nicht in Zoll.",
       0, 0},
  };
  for (const ReadCase& c : cases) {
    EngineFixture fx;
    WriteFile(fx.Src("g.pas"), c.bytes);
    const auto gen = fx.MakeGenerator();
    gen->options.Encoding = c.encoding;
    EngineFixture::RunFiles(*gen, {fx.Src("g.pas")});
    EXPECT_EQ(ReadFile(fx.Out("g.Doc.htm")),
              CrLf({"<TITLE></TITLE>", "DH g.pas g.Doc", "DBH " + c.title, c.text, "", "", "DBF",
                    "DF g|" + c.title + "|" + kNow}))
        << c.name;
    EXPECT_EQ(gen->result.Counts.SourcesUtf8, c.utf8) << c.name;
    EXPECT_EQ(gen->result.Counts.SourcesUtf16, c.utf16) << c.name;
  }
}

TEST(SourceEncoding, CharactersWindows1252LacksReachPagesLinksNamesAndIndex) {
  // "Ł" and "→" become references on the page and in the index's names, "_" in the link, and
  // UTF-8 in the own page's file name; a reference typed in the source stays text, as the
  // character table makes it. Under "OEM nach Ansi" the bytes are read as the design reads
  // them, whatever the option says.
  EngineFixture fx;
  fx.Source("p.c", {"/* ###DocGen_Start Ł → Ziel", "###Output Ł→", "###Index Pfeil →;Ł",
                    "Zeichen Ł und &#321;", "###DocGen_End */"});
  const auto gen = fx.MakeGenerator();
  gen->templates[TemplateId::DocBlockHeader] = {"<A NAME=\"%LINK%\">%TITLE%</A>"};
  EngineFixture::RunFiles(*gen, {fx.Src("p.c")});
  EXPECT_EQ(ReadFile(fx.Out("Ł→.Doc.htm")),
            CrLf({"<TITLE>&#321; &#8594; Ziel</TITLE>", "DH p.c p.Doc",
                  "<A NAME=\"_ _ Ziel\">&#321; &#8594; Ziel</A>", "Zeichen &#321; und &amp;#321;",
                  "", "DBF", "DF ||" + std::string(kNow)}));
  const Lines index =
      IndexFileLines(gen->Doc().Index, gen->generator.Tables().Tags, gen->generator.Tables().Chars);
  EXPECT_EQ(Lines(index.begin() + 7, index.end() - 2),
            (Lines{"  <LI> <OBJECT type=\"text/sitemap\">",
                   "    <param name=\"Name\" value=\"Pfeil &#8594;\">",
                   "    <param name=\"Name\" value=\"&#321;\">",
                   "    <param name=\"Local\" value=\"Ł→.Doc.htm\">", "    </OBJECT>"}));
  EXPECT_EQ(gen->result.Warnings.back().text, "1 Quellen als UTF-8 und 0 als UTF-16 gelesen");
}

TEST(SourceEncoding, FilesThatAreNotUtf8KeepTheirBytes) {
  // A Windows-1252 source with umlauts and the bytes Windows-1252 leaves unassigned reads as
  // before under "Automatisch"; under "UTF-8" it does too, with a warning at its first byte
  // that is not UTF-8. A UTF-8 file whose only other character is outside every block is
  // read as UTF-8 and gives the same page as its ASCII form.
  const std::string ansi = "/* ###DocGen_Start M\xE4rz\r\nA\x81\x8D\x8F\x90\x9D\x81\x81 \xFC"
                           "ber\r\n###DocGen_End */\r\n";
  const std::string page = CrLf({"<TITLE></TITLE>", "DH m.c m.Doc", "DBH M&auml;rz",
                                 "A\x81\x8D\x8F\x90\x9D\x81\x81 \xFC"
                                 "ber",
                                 "", "", "DBF", "DF m|M&auml;rz|" + std::string(kNow)});
  for (const SourceEncoding encoding : {SourceEncoding::Auto, SourceEncoding::Utf8}) {
    EngineFixture fx;
    WriteFile(fx.Src("m.c"), ansi);
    const auto gen = fx.MakeGenerator();
    gen->options.Encoding = encoding;
    EngineFixture::RunFiles(*gen, {fx.Src("m.c")});
    EXPECT_EQ(ReadFile(fx.Out("m.Doc.htm")), page);
    const WarningList expected =
        encoding == SourceEncoding::Auto
            ? WarningList{}
            : WarningList{{fx.Src("m.c"), 1,
                           "Kein UTF-8 ab dieser Zeile; die Datei wird als Windows-1252 gelesen"}};
    EXPECT_EQ(gen->result.Warnings, expected);
  }
  EngineFixture fx;
  fx.Source("o.c", {"// Größe", "/* ###DocGen_Start Text", "Nur ASCII", "###DocGen_End */"});
  const auto gen = fx.MakeGenerator();
  EngineFixture::RunFiles(*gen, {fx.Src("o.c")});
  EXPECT_EQ(ReadFile(fx.Out("o.Doc.htm")),
            CrLf({"<TITLE></TITLE>", "DH o.c o.Doc", "DBH Text", "Nur ASCII", "", "", "DBF",
                  "DF o|Text|" + std::string(kNow)}));
  EXPECT_EQ(gen->result.Counts.SourcesUtf8, 1);
}
