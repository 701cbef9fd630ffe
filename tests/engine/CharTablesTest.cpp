#include "engine/CharTables.h"

#include "base/TextFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

using namespace qm;

namespace {

TagTable Tags(const Lines& lines) {
  TagTable tags;
  tags.Assign(lines);
  return tags;
}

CharacterTable Table(const Lines& rows) {
  CharacterTable table;
  table.Assign(rows);
  return table;
}

// The usual installation: "&" first, so that later rows' entities are not converted again.
const CharacterTable& HtmlTable() {
  static const CharacterTable table =
      Table({"&,&amp;", "<,&lt;", ">,&gt;", "\xE4,&auml;,ae", "\xDF,&szlig;,ss"});
  return table;
}

std::string Convert(std::string_view text) {
  return ConvertChars(text, Tags({"B", "BR", "A"}), HtmlTable());
}

std::string Repeat(std::string_view s, size_t n) {
  std::string out;
  for (size_t i = 0; i < n; ++i) {
    out.append(s);
  }
  return out;
}

} // namespace

TEST(CharTables, TagTableAddsClosingFormsAndIgnoresCase) {
  // Loaded lines come first, then their "/" forms; look-ups use Windows-1252 upper case.
  const TagTable tags = Tags({"B", "br", "\xE4"});
  EXPECT_EQ(tags.lines(), (Lines{"B", "br", "\xE4", "/B", "/br", "/\xE4"}));
  EXPECT_TRUE(tags.Contains("b"));
  EXPECT_TRUE(tags.Contains("BR"));
  EXPECT_TRUE(tags.Contains("/Br"));
  EXPECT_TRUE(tags.Contains("\xC4"));
  EXPECT_FALSE(tags.Contains("I"));
  EXPECT_FALSE(tags.Contains("B "));
  EXPECT_FALSE(tags.Contains(""));
  EXPECT_FALSE(tags.Contains("BRX"));

  // An empty line makes the empty word a tag ("< >" stays); a long line is found as well.
  const std::string longTag(70, 'x');
  const TagTable odd = Tags({"", longTag});
  EXPECT_TRUE(odd.Contains(""));
  EXPECT_TRUE(odd.Contains(std::string(70, 'X')));
  EXPECT_TRUE(odd.Contains("/" + longTag));
  EXPECT_FALSE(odd.Contains(std::string(69, 'x')));
  EXPECT_EQ(ConvertChars("a< >b<>", odd, HtmlTable()), "a< >b<>");

  // Words of up to eight bytes are told by their key alone, longer ones byte by byte.
  const TagTable edge = Tags({"Blockquo", "BlockquoT"});
  const std::pair<std::string_view, bool> words[] = {
      {"BLOCKQUO", true},   {"blockquot", true}, {"/blockquo", true}, {"/BLOCKQUOT", true},
      {"BLOCKQUOX", false}, {"BLOCKQU", false},  {"/blockqu", false}, {"BLOCKQUOTE", false}};
  for (const auto& [word, tag] : words) {
    EXPECT_EQ(edge.Contains(word), tag) << word;
  }
}

TEST(CharTables, RowsRepeatTheirLastField) {
  // A row with fewer fields yields its last field for the missing ones; fields are not trimmed.
  const CharacterTable table = Table({"x", "a,b", "\xE4,&auml;,ae", ",y", " ; , z "});
  ASSERT_EQ(table.rows().size(), 5u);
  EXPECT_EQ(table.rows()[0].to, "x");
  EXPECT_EQ(table.rows()[0].link, "x");
  EXPECT_EQ(table.rows()[1].link, "b");
  EXPECT_EQ(table.rows()[2].link, "ae");
  EXPECT_EQ(table.rows()[3].from, "");
  EXPECT_EQ(table.rows()[4].from, " ; ");
  EXPECT_EQ(table.rows()[4].to, " z ");
}

TEST(CharTables, TagsInTheTableSurviveAndOtherBracketsConvert) {
  // Opening and closing tags named in the table stay, unknown ones and loose brackets convert.
  EXPECT_EQ(Convert("Zweiter Absatz mit <B>fett</B>."), "Zweiter Absatz mit <B>fett</B>.");
  EXPECT_EQ(Convert("<I>kursiv</I>"), "&lt;I&gt;kursiv&lt;/I&gt;");
  EXPECT_EQ(Convert("x > y & z"), "x &gt; y &amp; z");
  EXPECT_EQ(Convert("a <"), "a &lt;");
  EXPECT_EQ(Convert("<br >Zeile< /b>"), "<br >Zeile< /b>");
  EXPECT_EQ(Convert("Zeile \\n<BR>\\n<BR>\\nWeiter"), "Zeile \\n<BR>\\n<BR>\\nWeiter");
  EXPECT_EQ(ConvertChars("a\\n<BR>\\nb", Tags({"B"}), HtmlTable()), "a\\n&lt;BR&gt;\\nb");
}

TEST(CharTables, TagWordIsTheFirstWordUpToTheNextBracket) {
  // After "<" the word ends at the next bracket or the text end, so "< b" at the end is a tag
  // when B is one; a ">" looks back to the last "<", past the ">" already handled.
  EXPECT_EQ(Convert("Use <B>bold</B> if a < b"), "Use <B>bold</B> if a < b");
  EXPECT_EQ(Convert("Use <B>bold</B> if a < c"), "Use <B>bold</B> if a &lt; c");
  EXPECT_EQ(Convert("<A HREF=\"x.htm\">x</A>"), "<A HREF=\"x.htm\">x</A>");
  EXPECT_EQ(Convert("<B>>"), "<B>>");
  EXPECT_EQ(Convert("<B>x>"), "<B>x&gt;");
  EXPECT_EQ(Convert("<B\t>"), "<B\t>");
  EXPECT_EQ(Convert("<\tb x>"), "<\tb x>");
  // A tag word that runs to its ">" (the quick way), in either case, and ones that are none.
  EXPECT_EQ(Convert("<b>\xE4</b><Bx>"), "<b>&auml;</b>&lt;Bx&gt;");
  EXPECT_EQ(Convert("<><B"), "&lt;&gt;<B");
}

TEST(CharTables, TextInsideAKeptTagIsNotConverted) {
  // Other characters stay where the nearest bracket before them opens a tag.
  EXPECT_EQ(Convert("<A HREF=\"M\xE4rz.htm?a&b\">M\xE4rz & Stra\xDF"
                    "e</A>"),
            "<A HREF=\"M\xE4rz.htm?a&b\">M&auml;rz &amp; Stra&szlig;e</A>");
  EXPECT_EQ(Convert("\xE4<I \xE4>\xE4"), "&auml;&lt;I &auml;&gt;&auml;");
}

TEST(CharTables, RowsApplyInFileOrder) {
  // Each row works on the result of the rows before it.
  const TagTable tags = Tags({"B"});
  EXPECT_EQ(ConvertChars("\xE4 & <I>", tags, Table({"\xE4,&auml;", "&,&amp;", "<,&lt;"})),
            "&amp;auml; &amp; &lt;I>");
  EXPECT_EQ(ConvertChars("ab", tags, Table({"a,b", "b,c"})), "cc");
  EXPECT_EQ(ConvertChars("a <x> a", tags, Table({"a", "x,", ",a"})), "a <x> a");
  EXPECT_EQ(ConvertChars("<x>", tags, Table({})), "<x>");
}

TEST(CharTables, LinkAndUnmapReplaceWithoutTagProtection) {
  // MapLinkChars uses field 3 (or the last field), UnmapChars turns field 2 back into field 1.
  EXPECT_EQ(MapLinkChars("<B>Stra\xDF"
                         "e & M\xE4rz</B>",
                         HtmlTable()),
            "&lt;B&gt;Strasse &amp; Maerz&lt;/B&gt;");
  EXPECT_EQ(UnmapChars("&lt;B&gt;Stra&szlig;e &amp; M&auml;rz", HtmlTable()), "<B>Stra\xDF"
                                                                              "e & M\xE4rz");
  EXPECT_EQ(UnmapChars("&amp;auml;", HtmlTable()), "\xE4");
  EXPECT_EQ(MapLinkChars("a,b", Table({"a", ",x"})), "a,b");
}

TEST(CharTables, LongHostileInputConvertsCompletely) {
  // Long runs of brackets, a tag followed by many ">" and a huge attribute stay linear.
  const std::string brackets = Repeat("<<<>>", 40000);
  EXPECT_EQ(Convert(brackets), Repeat("&lt;&lt;&lt;&gt;&gt;", 40000));

  const std::string tagThenClosers = "<B" + std::string(100000, '>') + " " +
                                     std::string(50000, '<') + "b" + std::string(50000, ' ') + ">";
  EXPECT_EQ(Convert(tagThenClosers), "<B" + std::string(100000, '>') + " " + Repeat("&lt;", 49999) +
                                         "<b" + std::string(50000, ' ') + ">");

  const std::string attribute = "<A " + Repeat("\xE4 ", 100000) + ">" + Repeat("\xE4", 1000);
  EXPECT_EQ(Convert(attribute), "<A " + Repeat("\xE4 ", 100000) + ">" + Repeat("&auml;", 1000));
}

TEST(CharTables, LinkMappingInPiecesEqualsTheWhole) {
  // Rows that feed each other and overlap: the pieces, mapped one after the other, give what
  // mapping the whole text gives, also where no byte allows a cut.
  const CharacterTable table =
      Table({"ab,X,b", "b,b,c", "&,&amp;,_", "x,x,ab", "c;,c,&", "\xE4,&auml;,ae"});
  uint32_t state = 20261208;
  const auto next = [&state] {
    state = state * 1664525 + 1013904223;
    return state >> 24;
  };
  const std::string alphabet = "abcx&;\xE4 z";
  for (const std::string_view letters : {std::string_view(alphabet), std::string_view("abx&")}) {
    std::string text;
    for (int i = 0; i < 300000; ++i) {
      text += letters[next() % letters.size()];
    }
    std::string pieces;
    size_t count = 0;
    const size_t size = MapLinkCharsInPieces(text, table, [&](std::string_view piece) {
      pieces.append(piece);
      ++count;
    });
    EXPECT_EQ(pieces, MapLinkChars(text, table));
    EXPECT_EQ(size, pieces.size());
    EXPECT_EQ(count > 1, letters.size() > 4);
  }
}

TEST(CharTables, RowsTakenTogetherConvertAsOneAfterTheOther) {
  // However the rows are grouped for speed, the result is that of applying them one by one:
  // rows whose replacement holds a later row's byte, a byte named twice, brackets in a
  // replacement and bytes inside tags.
  const Lines rows = {"&,&amp;",      "\xE4,&auml;", "\xF6,x\xFC", "\xFC,&uuml;", "\xE4,y", "z,<B>",
                      "\xDF,&szlig;", "<,&lt;",      "\xF6,o",     ">,&gt;",      "q,\xDF"};
  const TagTable tags = Tags({"B", "A"});
  uint32_t state = 4711;
  for (int round = 0; round < 300; ++round) {
    std::string text;
    for (int k = 0; k < round; ++k) {
      state = state * 1664525 + 1013904223;
      static const std::string_view pieces[] = {"<B>",  "</B>", "<A \xE4>", "<", ">", "&", "\xE4",
                                                "\xF6", "\xFC", "\xDF",     "z", "q", " ", "b"};
      text += pieces[(state >> 16) % std::size(pieces)];
    }
    std::string oneByOne = text;
    for (const std::string& row : rows) {
      oneByOne = ConvertChars(oneByOne, tags, Table({row}));
    }
    ASSERT_EQ(ConvertChars(text, tags, Table(rows)), oneByOne) << text;
  }
}

namespace {

// The conversion as its rules read, row by row and occurrence by occurrence, however slow: a
// "<" stays before a tag word, a ">" stays behind one (the ">" before it count as blanks that
// are no word separators), anything else stays inside a tag, and a kept occurrence blocks a
// converted one that overlaps it.
std::string ConvertByTheRules(std::string text, const TagTable& tags, const Lines& rows) {
  const auto bracket = [](char c) { return c == '<' || c == '>'; };
  const auto firstWord = [](std::string_view s) {
    s = TrimView(s);
    return s.substr(0, s.find(' '));
  };
  for (const std::string& row : rows) {
    const std::string from = FieldOf(row, 1, ',');
    const std::string to = FieldOf(row, 2, ',');
    if (from.empty() || to.empty() || from == to) {
      continue;
    }
    std::vector<size_t> hits;
    for (size_t p = text.find(from); p != std::string::npos; p = text.find(from, p + 1)) {
      hits.push_back(p);
    }
    std::vector<bool> keep(hits.size());
    for (size_t k = 0; k < hits.size(); ++k) {
      const size_t at = hits[k];
      if (from == "<") {
        size_t end = at + 1;
        while (end < text.size() && !bracket(text[end])) {
          ++end;
        }
        keep[k] = tags.Contains(firstWord(std::string_view(text).substr(at + 1, end - at - 1)));
      } else if (from == ">") {
        const size_t open = at == 0 ? std::string::npos : text.rfind('<', at - 1);
        const size_t start = open == std::string::npos ? 0 : open + 1;
        std::string stretch = text.substr(start, at - start);
        for (char& c : stretch) {
          c = c == '>' ? '\x01' : c;
        }
        const std::string_view word = firstWord(stretch);
        keep[k] =
            tags.Contains(word.empty() ? std::string_view()
                                       : std::string_view(text).substr(
                                             start + (word.data() - stretch.data()), word.size()));
      } else {
        const size_t last = text.find_last_of("<>", at);
        keep[k] = last != std::string::npos && text[last] == '<';
      }
    }
    std::string out;
    size_t pos = 0;
    for (size_t k = 0; k < hits.size(); ++k) {
      bool blocked = keep[k] || hits[k] < pos;
      for (size_t j = 0; j < hits.size() && !blocked; ++j) {
        blocked = keep[j] && hits[j] >= hits[k] && hits[j] < hits[k] + from.size();
      }
      if (!blocked) {
        out += text.substr(pos, hits[k] - pos) + to;
        pos = hits[k] + from.size();
      }
    }
    text = out + text.substr(pos);
  }
  return text;
}

} // namespace

TEST(CharTables, ConversionFollowsItsRules) {
  // A short table, and a long one whose later rows find what earlier ones made (which the
  // conversion of long tables keeps track of).
  const Lines shortRows = {"&,&amp;", "<,&lt;", ">,&gt;", "\xE4,&auml;", "ab,<I>", "\xDF,&szlig;"};
  const Lines longRows = {"&,&amp;",      "mp,M", "<,&lt;",  ">,&gt;", "\xE4,&auml;",
                          "ab,<I>",       "Mq,&", "zz,<",    "Lt,>",   "u,\xE4",
                          "\xDF,&szlig;", "l;,L", "BA,\xDF", "&a,<A"};
  ASSERT_GT(Table(longRows).steps().size(), 8u);
  const TagTable tags = Tags({"B", "A", "I"});
  uint32_t state = 31337;
  for (int round = 0; round < 800; ++round) {
    const Lines& rows = round % 2 == 0 ? shortRows : longRows;
    std::string text;
    for (int k = 0; k < round % 60; ++k) {
      state = state * 1664525 + 1013904223;
      static const std::string_view pieces[] = {"<", ">",    "B", "b",    "A", " ", "\t", "&",
                                                "a", "\xE4", "I", "\xDF", "x", "u", "z",  ">>"};
      text += pieces[(state >> 16) % std::size(pieces)];
    }
    ASSERT_EQ(ConvertChars(text, tags, Table(rows)), ConvertByTheRules(text, tags, rows))
        << EscapeControlChars(text);
  }
}

TEST(CharTables, OnePassForAllRowsConvertsAsRowAfterRow) {
  // Tables whose rows cannot see each other's results are applied in one pass, the shipped one
  // among them; the others row after row. Either way the result is that of the rules, over
  // texts made of the table's own texts, tags, brackets, blanks and other bytes.
  const std::string data = std::string(QM_SOURCE_DIR) + "/data/";
  const Lines shippedTags = ReadTextLines(data + "HTMLTags.txt");
  const Lines html = {"B", "BR", "A", "I"};
  struct Case {
    const char* name;
    Lines rows;
    Lines tags;
    bool onePass;
  };
  const Case cases[] = {
      {"shipped", ReadTextLines(data + "Umlaute.txt"), shippedTags, true},
      {"texts of several bytes, a row between the brackets",
       {"&,&amp;", "xy,Q", "<,&lt;", "\xE4,&auml;", ">,&gt;", "zw,&#122;", "q,q"},
       html,
       true},
      {"only >", {"&,&amp;", ">,&gt;", "\xE4,&auml;"}, html, true},
      {"a replacement many times longer than its text",
       {"&,&amp;", "<,&lt;", "\xE4,&auml;&auml;&auml;&auml;&auml;", ">,&gt;"},
       html,
       true},
      {"only <, then a row that makes blanks", {"<,&lt;", "\xE4, a e "}, html, true},
      {"a replacement holds a later row's byte",
       {"&,&amp;", "<,&lt;", ">,&gt;", "a,b"},
       html,
       false},
      {"> before <", {">,&gt;", "<,&lt;", "&,&amp;"}, html, false},
      {"two rows for one byte", {"\xE4,&auml;", "<,&lt;", "\xE4,ae"}, html, false},
      {"one row's text inside another's", {"xy,Q", "y,R", "<,&lt;"}, html, false},
      {"a text that overlaps itself", {"xx,Q", ">,&gt;"}, html, false},
      {"a replacement with a bracket", {"x,<B>", "<,&lt;"}, html, false},
      {"a blank replaced before >", {" ,&nbsp;", ">,&gt;"}, html, false},
      {"a tag holds a byte of a row before >", {"&,&amp;", ">,&gt;"}, {"B", "X&Y"}, false},
  };
  std::mt19937 random(1212);
  for (const Case& c : cases) {
    const TagTable tags = Tags(c.tags);
    const CharacterTable table = Table(c.rows);
    EXPECT_EQ(ConvertsInOnePass(tags, table), c.onePass) << c.name;
    std::vector<std::string> pieces = {"<",   ">",   "<B>",   "</B>", "<A HREF=\"x\">",
                                       "< b", "<i>", "</br>", "<>",   "\t",
                                       " ",   "&",   "x",     "\xE4", "Y"};
    for (const CharRow& row : table.rows()) {
      pieces.push_back(row.from);
      pieces.push_back(row.to);
    }
    for (int round = 0; round < 400; ++round) {
      std::string text;
      for (int k = static_cast<int>(random() % 30); k > 0; --k) {
        text += pieces[random() % pieces.size()];
      }
      ASSERT_EQ(ConvertChars(text, tags, table), ConvertByTheRules(text, tags, c.rows))
          << c.name << ": " << EscapeControlChars(text);
    }
  }
}

TEST(ByteSet, FindsWhatAByteByByteSearchFinds) {
  // Sets of none to six ASCII bytes (NUL among them), with and without bytes from 0x80 up, over
  // texts long enough to be searched in blocks, from every start.
  std::mt19937 random(2024);
  const std::string_view alphabet("\0a<>&\x80\xE4\xFFzq \r\n", 13);
  for (int round = 0; round < 300; ++round) {
    ByteSet set;
    std::array<bool, 256> has{};
    const int count = static_cast<int>(random() % 7);
    for (int k = 0; k < count; ++k) {
      const char c = alphabet[random() % alphabet.size()];
      set.Add(c);
      has[static_cast<unsigned char>(c)] = true;
    }
    std::string text(random() % 70, ' ');
    for (char& c : text) {
      c = alphabet[random() % alphabet.size()];
    }
    for (size_t from = 0; from <= text.size(); ++from) {
      size_t expected = from;
      while (expected < text.size() && !has[static_cast<unsigned char>(text[expected])]) {
        ++expected;
      }
      ASSERT_EQ(set.FindIn(text, from), expected == text.size() ? std::string::npos : expected)
          << EscapeControlChars(text) << " from " << from;
    }
  }
}

TEST(CharTables, UnmapAndLinkMappingReplaceRowByRow) {
  // Rows that bring in what later rows replace, and rows that map a text to itself: however
  // rows are passed over, the result is that of replacing row after row.
  const Lines rows = {"&auml;,&auml;,ae", "&,&amp;,_", "<,&lt;,",   "\xE4,&auml;,ae",
                      "ml,&l,ml;",        "u,&u,&uml", "a;,&gt;,x", "q,&amp;lt;,&auml;"};
  const CharacterTable table = Table(rows);
  std::mt19937 random(77);
  static const std::string_view pieces[] = {"&",  "amp;", "auml;", "lt;", "gt;", "\xE4", "u",
                                            "ml", "a",    ";",     "q",   "<",   "x"};
  for (int round = 0; round < 500; ++round) {
    std::string text;
    for (int k = static_cast<int>(random() % 12); k > 0; --k) {
      text += pieces[random() % std::size(pieces)];
    }
    std::string unmapped = text;
    std::string linked = text;
    for (const CharRow& row : table.rows()) {
      if (!row.from.empty() && !row.to.empty()) {
        unmapped = ReplaceAll(unmapped, row.to, row.from);
      }
      if (!row.from.empty() && !row.link.empty()) {
        linked = ReplaceAll(linked, row.from, row.link);
      }
    }
    ASSERT_EQ(UnmapChars(text, table), unmapped) << text;
    ASSERT_EQ(MapLinkChars(text, table), linked) << text;
    if (!NeedsLinkMapping(text, table)) {
      ASSERT_EQ(linked, text);
    }
    // Mapped only when needed, and then as the rows one after the other map it.
    const std::optional<std::string> ifNeeded = MapLinkCharsIfNeeded(text, table);
    ASSERT_EQ(ifNeeded.has_value(), NeedsLinkMapping(text, table)) << text;
    ASSERT_EQ(ifNeeded.value_or(text), linked) << text;
  }
}

TEST(CharTables, TextsWithoutARowsFirstByteStayAsTheyAre) {
  // Each conversion passes over a text that holds no first byte of its rows; a row that maps a
  // text to itself counts only for links, and a first byte from 0x80 up is found as well.
  const CharacterTable table =
      Table({"&auml;,&auml;,ae", "&,&amp;,_", " , ,_", "\xE4,&auml;,ae", "<,&lt;,"});
  struct Case {
    std::string_view text;
    bool needsConversion;
    bool needsLinkMapping;
    std::string_view unmapped;
    std::string_view linked;
  };
  const Case cases[] = {
      {"abc", false, false, "abc", "abc"},
      {"a b", false, true, "a b", "a_b"},
      {"\xE4", true, true, "\xE4", "ae"},
      {"&auml;", true, true, "\xE4", "ae"},
      {"x&lt;y", true, true, "x<y", "x_lt;y"},
      {"<", true, false, "<", "<"},
      {"", false, false, "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NeedsConversion(c.text, table), c.needsConversion) << c.text;
    EXPECT_EQ(NeedsLinkMapping(c.text, table), c.needsLinkMapping) << c.text;
    EXPECT_EQ(UnmapChars(c.text, table), c.unmapped) << c.text;
    EXPECT_EQ(MapLinkChars(c.text, table), c.linked) << c.text;
    if (!c.needsConversion) {
      EXPECT_EQ(ConvertChars(c.text, TagTable(), table), c.text) << c.text;
    }
  }
}
