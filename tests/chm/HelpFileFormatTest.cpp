// The readers of a compiled help file's settings and context map, over bytes built by hand
// in the layout a help compiler writes.
#include "chm/HelpFileFormat.h"
#include "base/HtmlEntities.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace qm;

namespace {

std::string U16(std::uint32_t v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}

std::string U32(std::uint32_t v) {
  return U16(v & 0xFFFF) + U16(v >> 16);
}

std::string Record(std::uint32_t code, const std::string& data) {
  return U16(code) + U16(static_cast<std::uint32_t>(data.size())) + data;
}

using Strings = std::vector<std::string>;

} // namespace

TEST(HelpSystemFile, ReadsContentsIndexStartPageAndTitle) {
  const std::string bytes = U32(3) + Record(9, std::string("HHA Version 4.74.8702\0", 22)) +
                            Record(2, std::string("/home/u/out/Main.Doc.htm\0", 25)) +
                            Record(3, std::string("Handbuch\0\0", 10)) +
                            Record(0, std::string("Table of Contents.Doc.hhc\0", 26)) +
                            Record(1, "Index.Doc.hhk") + Record(7, U32(0));
  const HelpSystemInfo info = ParseSystemFile(bytes);
  EXPECT_EQ(info.DefaultTopic, "/home/u/out/Main.Doc.htm");
  EXPECT_EQ(info.Title, "Handbuch");
  EXPECT_EQ(info.ContentsFile, "Table of Contents.Doc.hhc");
  EXPECT_EQ(info.IndexFile, "Index.Doc.hhk"); // no NUL: the record's end ends the text
}

TEST(HelpSystemFile, StopsAtARecordThatRunsPastTheEnd) {
  const std::string whole = U32(3) + Record(3, "Titel") + Record(0, "Inhalt.hhc");
  for (size_t length = 0; length < whole.size(); ++length) {
    const HelpSystemInfo info = ParseSystemFile(whole.substr(0, length));
    EXPECT_EQ(info.Title, length >= 13 ? "Titel" : "") << length;
    EXPECT_EQ(info.ContentsFile, "") << length;
  }
  EXPECT_EQ(ParseSystemFile(whole).ContentsFile, "Inhalt.hhc");
}

TEST(HelpContextMap, MapsNumbersToTheirTargets) {
  const std::string strings = std::string("\0/out/Main.Doc.htm\0/out/Setup.Doc.htm\0", 38);
  const std::string pairs = U32(1001) + U32(1) + U32(102) + U32(19) + U32(1001) + U32(19);
  const HelpContextMap map = HelpContextMap::Parse(U32(24) + pairs, strings);
  EXPECT_EQ(map.Target(1001), "/out/Main.Doc.htm"); // of two pairs for one number the first
  EXPECT_EQ(map.Target(102), "/out/Setup.Doc.htm");
  EXPECT_EQ(map.Target(103), std::nullopt);
  EXPECT_EQ(map.Numbers(), (std::vector<std::uint32_t>{102, 1001}));
}

TEST(HelpContextMap, LeavesOutWhatLiesOutsideTheData) {
  const std::string strings = std::string("\0Seite.htm", 10); // the last text lacks its NUL
  // Declared length beyond the data: only whole pairs count.
  HelpContextMap map =
      HelpContextMap::Parse(U32(800) + U32(1) + U32(1) + U32(2) + U32(10) + U32(3), strings);
  EXPECT_EQ(map.Target(1), "Seite.htm");
  EXPECT_EQ(map.Target(2), std::nullopt); // offset at the end of "#STRINGS"
  EXPECT_EQ(map.Numbers().size(), 1u);
  // Declared length below the data: pairs after it do not count; an empty target neither.
  map = HelpContextMap::Parse(U32(8) + U32(5) + U32(0) + U32(6) + U32(1), strings);
  EXPECT_TRUE(map.Numbers().empty());
  EXPECT_TRUE(HelpContextMap::Parse("\x08\0", strings).Numbers().empty());
  EXPECT_TRUE(HelpContextMap::Parse("", "").Numbers().empty());
}

TEST(HelpContextMap, ManyNumbersSharingOneLongTargetCostNoCopies) {
  // 200000 pairs naming one target of 1 MiB: copying it per pair would need 200 GiB.
  const std::string strings = std::string(1, '\0') + std::string(1 << 20, 'x') + '\0';
  std::string ivb = U32(200000 * 8);
  for (std::uint32_t n = 0; n < 200000; ++n) {
    ivb += U32(n) + U32(1);
  }
  const HelpContextMap map = HelpContextMap::Parse(ivb, strings);
  EXPECT_EQ(map.Numbers().size(), 200000u);
  EXPECT_EQ(map.Target(199999)->size(), 1u << 20);
}

TEST(PageCandidates, TriesEveryTailOfACompilersPath) {
  EXPECT_EQ(PageCandidates("/home/u/out/Main.Doc.htm#haupt"),
            (Strings{"/home/u/out/Main.Doc.htm", "/u/out/Main.Doc.htm", "/out/Main.Doc.htm",
                     "/Main.Doc.htm"}));
  EXPECT_EQ(PageCandidates("C:\\Hilfe\\.\\Main.Doc.htm"),
            (Strings{"/C:/Hilfe/Main.Doc.htm", "/Hilfe/Main.Doc.htm", "/Main.Doc.htm"}));
  EXPECT_EQ(PageCandidates("ms-its:x.chm::/sub/a.htm"), (Strings{"/sub/a.htm", "/a.htm"}));
  EXPECT_TRUE(PageCandidates("#anker").empty());
  std::string deep;
  for (int i = 0; i < 40; ++i) {
    deep += "/d" + std::to_string(i);
  }
  const Strings tails = PageCandidates(deep);
  ASSERT_EQ(tails.size(), 32u);
  EXPECT_EQ(tails.back(), "/d39");
}

TEST(HelpFileText, SplitsFilePageAndWindow) {
  HelpFileText text = SplitHelpFileText("Quillmark.Doc.chm>main");
  EXPECT_EQ(text.File, "Quillmark.Doc.chm");
  EXPECT_EQ(text.Page, "");
  EXPECT_EQ(text.Window, "main");
  text = SplitHelpFileText("MS-ITS:/opt/h/Hilfe.chm::/Help.Doc.htm#a>w");
  EXPECT_EQ(text.File, "/opt/h/Hilfe.chm");
  EXPECT_EQ(text.Page, "Help.Doc.htm#a");
  EXPECT_EQ(text.Window, "w");
  EXPECT_EQ(SplitHelpFileText("Help.Doc.htm").File, "Help.Doc.htm");
}

TEST(HtmlEntities, DecodesNamedAndNumericReferences) {
  EXPECT_EQ(DecodeEntities("Men&uuml; &amp; Ma&szlig;e &#252;&#xFC; &#150; &euro;&nbsp;x"),
            "Menü & Maße üü – €\u00A0x");
  // Unknown names, a missing ";", no character and overlong runs stay as they are.
  EXPECT_EQ(DecodeEntities("&bogus; &amp &#0; &#xD800; &#99999999; && &;"),
            "&bogus; &amp &#0; &#xD800; &#99999999; && &;");
}

TEST(PageEncoding, FollowsTheCharsetTheHeadDeclares) {
  EXPECT_TRUE(DeclaresUtf8("<META CONTENT=\"text/html; CHARSET=UTF-8\">"));
  EXPECT_TRUE(DeclaresUtf8("<meta charset=\"utf-8\">"));
  EXPECT_FALSE(DeclaresUtf8("<META CONTENT=\"text/html; charset=windows-1252\">"));
  EXPECT_FALSE(DeclaresUtf8(std::string(3000, ' ') + "charset=utf-8"));
}
