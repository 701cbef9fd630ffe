#include "base/AnsiText.h"

#include <array>
#include <vector>

#include <gtest/gtest.h>

#include <algorithm>

using namespace qm;

TEST(AnsiText, CaseMappingFollowsWindows1252) {
  // Umlauts, the accented range and the three pairs in 0x8A-0x9F map; ß, µ and ÷ have no pair.
  EXPECT_EQ(AnsiUpperCase("abc\xE4\xF6\xFC\xE9\x9A\x9C\x9E\xFF"),
            "ABC\xC4\xD6\xDC\xC9\x8A\x8C\x8E\x9F");
  EXPECT_EQ(AnsiLowerCase("ABC\xC4\xD6\xDC\xC9\x8A\x8C\x8E\x9F"),
            "abc\xE4\xF6\xFC\xE9\x9A\x9C\x9E\xFF");
  EXPECT_EQ(AnsiUpperCase("\xDF\xB5\xF7"), "\xDF\xB5\xF7");
  EXPECT_EQ(AnsiLowerCase("\xD7"), "\xD7");
  EXPECT_TRUE(SameText("Stra\xDF"
                       "e.DOC.htm",
                       "STRA\xDF"
                       "E.doc.HTM"));
  EXPECT_FALSE(SameText("a", "ab"));
}

TEST(AnsiText, TrimRemovesBlanksAndControlCharacters) {
  // Everything up to and including the blank goes, at both ends only.
  EXPECT_EQ(Trim("\t \r\x01 a b \x1F\n"), "a b");
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_EQ(Trim("\xA0x\xA0"), "\xA0x\xA0"); // a no-break space is text
}

TEST(AnsiText, ReplaceContinuesBehindInsertedText) {
  // An insertion is never replaced again; an empty needle changes nothing.
  EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
  EXPECT_EQ(ReplaceAll("abcabc", "", "x"), "abcabc");
  EXPECT_EQ(ReplaceAllNoCase("%Date% %DATE% %date", "%DATE%", "d"), "d d %date");
  EXPECT_EQ(FindNoCase("xx<title>", "<TITLE>"), 2u);
  EXPECT_EQ(FindNoCase("abc", "abcd"), std::string::npos);
}

TEST(AnsiText, ReplacingInPlaceGivesWhatACopyGives) {
  // Shrinking, equal and growing replacements on the text itself, case-sensitive or not, give
  // the copy's result; a text given room in advance grows where it is; control characters
  // become visible escapes.
  for (const auto& [text, from, to] :
       std::vector<std::array<std::string, 3>>{{"a&amp;b&amp;&amp;", "&amp;", "&"},
                                               {"x  y", " ", "_"},
                                               {"%T%T%-%t%", "%T%", "Titel"},
                                               {"ohne", "zz", "lang"},
                                               {"aaa", "aa", "bbb"}}) {
    std::string inPlace = text;
    ReplaceAllIn(inPlace, from, to);
    EXPECT_EQ(inPlace, ReplaceAll(text, from, to));
    inPlace = text;
    ReplaceAllNoCaseIn(inPlace, from, to);
    EXPECT_EQ(inPlace, ReplaceAllNoCase(text, from, to));
  }
  std::string line = "<H2>%TITLE%</H2> %LINK% " + std::string(100, 'x');
  const std::string title(1000, 't');
  const std::string link(2000, 'l');
  ReplaceAllNoCaseIn(line, "%TITLE%", title, line.size() + 3000);
  const char* buffer = line.data();
  ReplaceAllNoCaseIn(line, "%link%", link);
  EXPECT_EQ(line.data(), buffer);
  EXPECT_EQ(line, "<H2>" + title + "</H2> " + link + " " + std::string(100, 'x'));
  EXPECT_EQ(EscapeControlChars("a\nb\tc\x1B[2J\x7F\xE4"), "a\\nb\\tc\\x1B[2J\\x7F\xE4");
}

TEST(AnsiText, FieldOfGivesTheLastFieldBeyondTheEnd) {
  // Fields count from 1; asking past the last field repeats it; empty text gives "".
  EXPECT_EQ(FieldOf("a;b;c", 1, ';'), "a");
  EXPECT_EQ(FieldOf("a;b;c", 3, ';'), "c");
  EXPECT_EQ(FieldOf("a;b;c", 7, ';'), "c");
  EXPECT_EQ(FieldOf("a;;c", 2, ';'), "");
  EXPECT_EQ(FieldOf("", 2, ';'), "");
  EXPECT_EQ(FieldOf("\xE4,&auml;", 3, ','), "&auml;");
  EXPECT_EQ(CountChar("a;b;;", ';'), 3);
}

TEST(AnsiText, SplitLinesAcceptsEveryLineEnd) {
  // CR, LF and CR LF end lines; a final break adds no line; NUL ends the text.
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (Lines{"a", ""}));
  EXPECT_EQ(SplitLines("\n"), (Lines{""}));
  EXPECT_EQ(SplitLines(""), Lines{});
  EXPECT_EQ(SplitLines(std::string_view("a\nb\0c\nd", 7)), (Lines{"a", "b"}));
  EXPECT_EQ(JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
}

TEST(Collation, FoldsAccentsThenComparesBytes) {
  // Lower-case base letters decide first, the raw bytes break ties.
  Lines words = {"Zebra",
                 "\xC4pfel",
                 "apfel",
                 "_x",
                 "a",
                 "Stra\xDF"
                 "e",
                 "Strasse",
                 "\xE9t\xE9",
                 "ete"};
  std::stable_sort(words.begin(), words.end(),
                   [](const std::string& a, const std::string& b) { return CollateLess(a, b); });
  EXPECT_EQ(words, (Lines{"_x", "a", "apfel", "\xC4pfel", "ete", "\xE9t\xE9", "Strasse",
                          "Stra\xDF"
                          "e",
                          "Zebra"}));
  EXPECT_FALSE(CollateLess("abc", "abc"));
}
