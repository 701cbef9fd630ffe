// The sitemap reader over what Quillmark's writers produce and over broken markup.
#include "chm/Sitemap.h"

#include "EntryText.h"
#include "engine/CharTables.h"
#include "helpproject/SitemapWriter.h"

#include <gtest/gtest.h>

using namespace qm;

namespace {

std::string Joined(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line + "\r\n";
  }
  return text;
}

/// The character table rows the shipped table holds for the characters used here.
CharacterTable Table() {
  CharacterTable table;
  table.Assign({"&,&amp;,_", "\xFC,&uuml;,ue", "\xDF,&szlig;,ss"});
  return table;
}

/// Each item as "depth|names|locals".
std::vector<std::string> Shape(const std::vector<SitemapEntry>& entries) {
  std::vector<std::string> shape;
  for (const SitemapEntry& e : entries) {
    std::string line = std::to_string(e.Depth) + "|";
    for (const std::string& n : e.Names) {
      line += n + ";";
    }
    line += "|";
    for (const std::string& l : e.Locals) {
      line += l + ";";
    }
    shape.push_back(line);
  }
  return shape;
}

} // namespace

TEST(Sitemap, ReadsTheContentsTreeTheWriterWrites) {
  const Lines file = ContentsFileLines(
      qmtest::Entries({"Bedienung;Men\xFC;m;Main.Doc.htm", "Bedienung;Ma\xDF & Zahl;z;Main.Doc.htm",
                       "Anhang;Glossar;g;Anhang.Doc.htm"}),
      TagTable(), Table());
  const std::vector<SitemapEntry> entries = ParseSitemap(Joined(file));
  EXPECT_EQ(Shape(entries),
            (std::vector<std::string>{"0|Anhang;|", "1|Glossar;|Anhang.Doc.htm#g;", "0|Bedienung;|",
                                      "1|Maß & Zahl;|Main.Doc.htm#z;", "1|Menü;|Main.Doc.htm#m;"}));
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[1].Parent, 0);
  EXPECT_EQ(entries[2].Parent, -1);
  EXPECT_EQ(entries[3].Parent, 2);
  EXPECT_EQ(entries[4].Parent, 2);
}

TEST(Sitemap, ReadsIndexItemsWithKeywordTitleAndSeveralPages) {
  const Lines file = IndexFileLines(qmtest::Entries({"Fenster;Haupt;a;b;Main.Doc.htm", "Ohne"}),
                                    TagTable(), Table());
  EXPECT_EQ(Shape(ParseSitemap(Joined(file))),
            (std::vector<std::string>{"0|Fenster;Haupt;|Main.Doc.htm#a;Main.Doc.htm#b;",
                                      "0|Ohne;Ohne;|Ohne;"}));
}

TEST(Sitemap, ToleratesBrokenMarkup) {
  // Lower case, other quotes, a comment, a stray "</ul>", an unclosed object and tag.
  const std::string text =
      "</ul><!-- <OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Nein\"> -->"
      "<ul><li><object TYPE='text/sitemap'><PARAM Name=name VALUE=A&amp;B ><param name=local "
      "value=\"a.htm\"></object><UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" "
      "value=\"Kind\"><param name=\"Local\" value=\"b.htm";
  EXPECT_EQ(Shape(ParseSitemap(text)),
            (std::vector<std::string>{"0|A&B;|a.htm;", "1|Kind;|b.htm;"}));
  EXPECT_TRUE(ParseSitemap("<OBJECT type=\"text/site properties\"><param name=\"Name\" "
                           "value=\"x\"></OBJECT><param name=\"Name\" value=\"y\"><")
                  .empty());
}

TEST(Sitemap, CapsDeepNesting) {
  // A hostile file nests lists far deeper than any tree: items keep a bounded depth and the
  // reading stays linear.
  std::string text;
  for (int i = 0; i < 100000; ++i) {
    text += "<UL><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"x\"></OBJECT>";
  }
  const std::vector<SitemapEntry> entries = ParseSitemap(text);
  ASSERT_EQ(entries.size(), 100000u);
  EXPECT_EQ(entries.back().Depth, kMaxSitemapDepth);
  EXPECT_EQ(entries[63].Parent, 62);
  EXPECT_EQ(entries[64].Parent, 63);
  EXPECT_EQ(entries.back().Parent, 63);
}
