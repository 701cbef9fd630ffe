#include "engine/SourceLines.h"
#include "base/AnsiText.h"

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
    // A search bounded by a later line finds the same line when it comes before the bound.
    for (const size_t to : {from, found, found + 1, expected.size()}) {
      if (to < from || to > expected.size()) {
        continue;
      }
      ASSERT_EQ(lines.FindLineBefore("#", from, to), found < to ? found : SourceLines::npos)
          << "from " << from << " to " << to << " in " << EscapeControlChars(text);
      std::vector<std::string_view> appended{"before"};
      lines.AppendLines(from, to, appended);
      std::vector<std::string_view> slice{"before"};
      slice.insert(slice.end(), expected.begin() + static_cast<std::ptrdiff_t>(from),
                   expected.begin() + static_cast<std::ptrdiff_t>(to));
      ASSERT_EQ(appended, slice) << "from " << from << " to " << to;
    }
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
  // Long enough for the counts of many rounds of sixteen bytes to be summed; with CRs, and
  // with LFs alone, which are counted another way.
  for (const std::string_view alphabet : {"abcdefgh#\r\n\r\n", "abcdefgh#\n\n"}) {
    std::string longText;
    for (int k = 0; k < 20000; ++k) {
      state = state * 1664525 + 1013904223;
      longText += alphabet[(state >> 24) % alphabet.size()];
    }
    ExpectSameLines(longText, state);
  }
  EXPECT_EQ(SourceLines(std::string_view()).size(), 0U);
}

TEST(SourceLines, MarkerLinesFoundOnceServeLaterSearches) {
  // After a walk over the marker lines (as a source's search ahead of its turn makes), every
  // search for a needle that holds the marker prefix, from any line, finds what a search of
  // the lines themselves finds, also from lines the walk has not reached.
  uint32_t state = 777;
  for (int round = 0; round < 100; ++round) {
    std::string text;
    for (int k = 0; k < 80; ++k) {
      state = state * 1664525 + 1013904223;
      static const std::string_view pieces[] = {"###", "###E", "a", "\r\n", "\n", "#", "\r"};
      text += pieces[(state >> 16) % std::size(pieces)];
    }
    const std::vector<std::string_view> expected = SplitLineViews(text);
    const auto brute = [&](std::string_view needle, size_t from) {
      for (; from < expected.size(); ++from) {
        if (expected[from].find(needle) != std::string_view::npos) {
          return from;
        }
      }
      return SourceLines::npos;
    };
    const SourceLines lines(text);
    const size_t walkTo = round % 2 == 0 ? expected.size() : expected.size() / 2;
    for (size_t i = lines.FindLine("###", 0); i != SourceLines::npos && i < walkTo;
         i = lines.FindLine("###", i + 1)) {
    }
    for (size_t from = 0; from <= expected.size(); ++from) {
      for (const std::string_view needle : {"###", "###E", "#"}) {
        ASSERT_EQ(lines.FindLine(needle, from), brute(needle, from))
            << needle << " from " << from << " in " << EscapeControlChars(text);
      }
    }
  }
}

TEST(SourceLines, GivenLinesAreSearchedAsTheyAre) {
  const SourceLines lines(std::vector<std::string_view>{"a", "b#", "c"});
  EXPECT_EQ(lines.size(), 3U);
  EXPECT_EQ(lines[2], "c");
  EXPECT_EQ(lines.FindLine("#", 0), 1U);
  EXPECT_EQ(lines.FindLine("#", 2), SourceLines::npos);
  EXPECT_EQ(lines.FindLineBefore("#", 0, 2), 1U);
  EXPECT_EQ(lines.FindLineBefore("#", 0, 1), SourceLines::npos);
  std::vector<std::string_view> appended;
  lines.AppendLines(1, 3, appended);
  EXPECT_EQ(appended, (std::vector<std::string_view>{"b#", "c"}));
}
