#include "engine/SourceLines.h"
#include "engine/AnsiText.h"

#include <gtest/gtest.h>

#include <cstdint>

using namespace qm;

namespace {

// Checks lines against the lines SplitLineViews makes of text: the count, every line in an
// order that jumps back and forth, and the search from every line.
void ExpectSameLines(const std::string& text, uint32_t seed) {
  const std::vector<std::string_view> expected = SplitLineViews(text);
  const SourceLines lines(text);
  uint32_t state = seed;
  for (size_t n = 0; n < expected.size() * 2; ++n) {
    state = state * 1664525 + 1013904223;
    const size_t i = (state >> 8) % expected.size();
    ASSERT_EQ(lines[i], expected[i]) << "line " << i << " of " << EscapeControlChars(text);
  }
  for (size_t from = 0; from <= expected.size(); ++from) {
    size_t found = from;
    while (found < expected.size() && expected[found].find("#") == std::string_view::npos) {
      ++found;
    }
    ASSERT_EQ(lines.FindLine("#", from), found < expected.size() ? found : SourceLines::npos)
        << "from " << from;
  }
  EXPECT_EQ(lines.size(), expected.size()) << EscapeControlChars(text);
  EXPECT_EQ(SourceLines(text).size(), expected.size());
}

} // namespace

TEST(SourceLines, SplitAsTheWholeTextWouldBe) {
  // CR LF, CR alone and LF alone each end a line, an unterminated last line counts, a NUL
  // ends the text, and a break as the very last byte adds no empty line.
  for (const std::string& text :
       {std::string("a\r\nb\rc\nd"), std::string("\r\n\r\n"), std::string("a\r"),
        std::string("#\n\r#"), std::string("x#\r\r\n#\n"), std::string("a\nb#\0#\nc", 9),
        std::string("#")}) {
    ExpectSameLines(text, 7);
  }
  uint32_t state = 20261208;
  for (int round = 0; round < 200; ++round) {
    std::string text;
    const int length = 1 + round * 3;
    for (int k = 0; k < length; ++k) {
      state = state * 1664525 + 1013904223;
      text += "ab#\r\n\r\n"[(state >> 24) % 7];
    }
    ExpectSameLines(text, state);
  }
  // Long enough for the counts of many rounds of sixteen bytes to be summed.
  std::string longText;
  for (int k = 0; k < 20000; ++k) {
    state = state * 1664525 + 1013904223;
    longText += "abcdefgh#\r\n\r\n"[(state >> 24) % 13];
  }
  ExpectSameLines(longText, state);
  EXPECT_EQ(SourceLines(std::string_view()).size(), 0U);
}

TEST(SourceLines, GivenLinesAreSearchedAsTheyAre) {
  const SourceLines lines(std::vector<std::string_view>{"a", "b#", "c"});
  EXPECT_EQ(lines.size(), 3U);
  EXPECT_EQ(lines[2], "c");
  EXPECT_EQ(lines.FindLine("#", 0), 1U);
  EXPECT_EQ(lines.FindLine("#", 2), SourceLines::npos);
}
