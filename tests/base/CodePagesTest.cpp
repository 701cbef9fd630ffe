#include "base/CodePages.h"

#include <gtest/gtest.h>

using namespace qm;

TEST(CodePages, Windows1252RoundTripsThroughUtf8) {
  // Every byte survives the trip to the file system's encoding and back.
  std::string all;
  for (int i = 1; i < 256; ++i) {
    all.push_back(static_cast<char>(i));
  }
  EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
  EXPECT_EQ(AnsiToUtf8("\xE4\x80"), "\xC3\xA4\xE2\x82\xAC");
}

TEST(CodePages, Utf8WithoutWindows1252FormBecomesQuestionMark) {
  // A character outside the code page, and a malformed byte, become "?".
  EXPECT_EQ(Utf8ToAnsi("a\xE2\x86\x92"
                       "b"),
            "a?b");                               // an arrow
  EXPECT_EQ(Utf8ToAnsi("a\xC3"), "a?");           // cut sequence
  EXPECT_EQ(Utf8ToAnsi("\xF0\x9F\x98\x80"), "?"); // outside the BMP
}

TEST(CodePages, OemLettersBecomeTheirAnsiForms) {
  // The German letters of code page 850 and the box-drawing look-alikes.
  EXPECT_EQ(OemToAnsi("\x84\x94\x81\x8E\x99\x9A\xE1"), "\xE4\xF6\xFC\xC4\xD6\xDC\xDF");
  EXPECT_EQ(OemToAnsi("\xDA\xC4\xBF\xB3"), "+-+|");
  EXPECT_EQ(OemToAnsi("plain"), "plain");
}
