#include "engine/BlockConvert.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace qm;

namespace {

const TagTable& HtmlTags() {
  static const TagTable tags = [] {
    TagTable t;
    t.Assign({"B", "BR", "A"});
    return t;
  }();
  return tags;
}

const CharacterTable& HtmlTable() {
  static const CharacterTable table = [] {
    CharacterTable t;
    t.Assign({"&,&amp;", "<,&lt;", ">,&gt;", "\xE4,&auml;,ae"});
    return t;
  }();
  return table;
}

std::string Convert(const Lines& block, bool autoLineBreak, std::string_view ext = ".pas") {
  return ConvertBlock(block, ext, autoLineBreak, HtmlTags(), HtmlTable());
}

// The block of the sample Pascal source: start-marker line, context id, two paragraphs.
const Lines kSampleBlock{"{###DocGen_Start Einleitung",
                         "###ContextID 1001",
                         "Dies ist der erste Absatz.",
                         "Er geht hier weiter.",
                         "",
                         "Zweiter Absatz mit <B>fett</B>."};

} // namespace

TEST(BlockConvert, SampleBlockWithoutAutomaticLineBreak) {
  // Lines run together, an empty line is one "\n", the keyword line ends its own HTML line.
  std::string text = Convert(kSampleBlock, false);
  EXPECT_EQ(text, "###ContextID 1001 \\nDies ist der erste Absatz. Er geht hier weiter. "
                  "\\nZweiter Absatz mit <B>fett</B>.");
  EXPECT_EQ(ExtractContextId(text), "1001");
  EXPECT_EQ(text, "Dies ist der erste Absatz. Er geht hier weiter. \r\n"
                  "Zweiter Absatz mit <B>fett</B>.\r\n");
}

TEST(BlockConvert, SampleBlockWithAutomaticLineBreak) {
  // An empty line becomes two <BR> lines; the tags survive because BR is a known tag.
  std::string text = Convert(kSampleBlock, true);
  EXPECT_EQ(text, "###ContextID 1001 \\nDies ist der erste Absatz. Er geht hier weiter. "
                  "\\n<BR>\\n<BR>\\nZweiter Absatz mit <B>fett</B>.");
  EXPECT_EQ(ExtractContextId(text), "1001");
  EXPECT_EQ(text, "Dies ist der erste Absatz. Er geht hier weiter. \r\n<BR>\r\n<BR>\r\n"
                  "Zweiter Absatz mit <B>fett</B>.\r\n");
}

TEST(BlockConvert, EmptyLinesAtTheEdgesLeaveNoBreaks) {
  // Leading and trailing paragraph breaks go, in both modes; lines that strip to nothing count
  // as empty; a block of empty lines gives nothing; line 0 is never converted.
  const Lines block{"// start", "", "//", "Erste Zeile", "", "Zweite Zeile", "", "//  "};
  EXPECT_EQ(Convert(block, false, ".cpp"), "Erste Zeile \\nZweite Zeile");
  EXPECT_EQ(Convert(block, true, ".cpp"), "Erste Zeile \\n<BR>\\n<BR>\\nZweite Zeile");
  EXPECT_EQ(Convert({"{ start", "{", "", "}"}, false), "");
  EXPECT_EQ(Convert({"{ start", "{", "", "}"}, true), "");
  EXPECT_EQ(Convert({"<I> & \xE4"}, false), "");
}

TEST(BlockConvert, KeywordLinesEndAnHtmlLineAndCharactersConvert) {
  // A "###" line gets " \n" after it; the text then goes through the character table.
  const Lines block{"/* start", "Text davor", "###Toc Kapitel \xE4", "Text & <I>danach</I> */"};
  EXPECT_EQ(Convert(block, false, ".c"),
            "Text davor ###Toc Kapitel &auml; \\nText &amp; &lt;I&gt;danach&lt;/I&gt;");
  // A trailing keyword line loses its "\n" only when that is the line-break text.
  EXPECT_EQ(Convert({"s", "Text", "###ContextID 7"}, false), "Text ###ContextID 7");
  EXPECT_EQ(Convert({"s", "Text", "###ContextID 7"}, true), "Text ###ContextID 7 \\n");
}

TEST(BlockConvert, ContextIdTakesTheLastValueAndRemovesItsLines) {
  // The id is what follows the needle less one blank; every id line goes, the last one counts.
  std::string text = "###ContextID 1 \\n###ContextID 2  \\nText";
  EXPECT_EQ(ExtractContextId(text), "2 ");
  EXPECT_EQ(text, "Text\r\n");

  text = "Text ###ContextID 1001";
  EXPECT_EQ(ExtractContextId(text), "1001");
  EXPECT_EQ(text, "");

  text = "###ContextID \\nText";
  EXPECT_EQ(ExtractContextId(text), "");
  EXPECT_EQ(text, "Text\r\n");

  text = "Zeile 1\\n###ContextID\\nZeile\\t3";
  EXPECT_EQ(ExtractContextId(text), "");
  EXPECT_EQ(text, "Zeile 1\r\n###ContextID\r\nZeile\t3\r\n");
}

TEST(BlockConvert, ContextIdTakesUpToThreeBreakLinesWithIt) {
  // Only lines that are exactly "<BR>" or empty go, at most three, stopping at any other line.
  std::string text = "###ContextID 5 \\n\\n<BR>\\n<BR>\\n<BR>\\nText";
  EXPECT_EQ(ExtractContextId(text), "5");
  EXPECT_EQ(text, "<BR>\r\nText\r\n");

  text = "###ContextID 5 \\n<br>\\n\\nText\\n\\n";
  EXPECT_EQ(ExtractContextId(text), "5");
  EXPECT_EQ(text, "<br>\r\n\r\nText\r\n\r\n");

  text = "###ContextID 5 \\n\\n###ContextID 6 \\n<BR>\\nText";
  EXPECT_EQ(ExtractContextId(text), "6");
  EXPECT_EQ(text, "Text\r\n");
}

TEST(BlockConvert, LongBlockConvertsCompletely) {
  // A block of 100,000 lines with paragraph breaks at both edges.
  Lines block{"// start"};
  block.insert(block.end(), 1000, "//");
  for (int i = 0; i < 50000; ++i) {
    block.push_back("// Text \xE4");
    block.push_back("");
  }
  block.insert(block.end(), 1000, "");
  std::string expected;
  for (int i = 0; i < 49999; ++i) {
    expected += "Text &auml; \\n<BR>\\n<BR>\\n";
  }
  expected += "Text &auml;";
  EXPECT_EQ(Convert(block, true, ".cpp"), expected);
}

TEST(ExpandEscapes, ExpandsInPassesAndKeepsBackslashZero) {
  // "\\" protects the letter after it; "\0" and unknown escapes stay; 0x01 becomes "\".
  EXPECT_EQ(ExpandEscapes("a\\nb\\tc"), "a\r\nb\tc");
  EXPECT_EQ(ExpandEscapes("C:\\\\neu\\\\tmp"), "C:\\neu\\tmp");
  EXPECT_EQ(ExpandEscapes("\\\\\\n"), "\\\r\n");
  EXPECT_EQ(ExpandEscapes("\\0 und \\x"), "\\0 und \\x");
  EXPECT_EQ(ExpandEscapes("\x01n"), "\\n");
  EXPECT_EQ(ExpandEscapes("\\"), "\\");
}

TEST(ExpandEscapes, OnePassGivesWhatThePassesGive) {
  // Against the passes written out, and line breaks made uniform against split and join, on
  // texts thick with backslashes, placeholder bytes and breaks of every kind.
  const auto passes = [](std::string_view s) {
    std::string out = ReplaceAll(s, "\\\\", "\x01");
    out = ReplaceAll(out, "\\n", "\r\n");
    out = ReplaceAll(out, "\\t", "\t");
    return ReplaceAll(out, "\x01", "\\");
  };
  uint32_t state = 99;
  for (int round = 0; round < 400; ++round) {
    std::string text;
    for (int k = 0; k < round % 40; ++k) {
      state = state * 1664525 + 1013904223;
      text += std::string_view("\\\\nt\x01x\r\n\0", 10)[(state >> 16) % 10];
    }
    ASSERT_EQ(ExpandEscapes(text), passes(text)) << EscapeControlChars(text);
    ASSERT_EQ(NormalizeLineBreaks(text), JoinLines(SplitLines(text))) << EscapeControlChars(text);
  }
}
