#include "EntryText.h"
#include "TestUtil.h"

#include "helpproject/SitemapWriter.h"

using namespace qm;
using namespace qmtest;

namespace {

const Lines kHead = {"<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">",
                     "<HTML>",
                     "<HEAD>",
                     "<meta name=\"GENERATOR\" content=\"Microsoft&reg; HTML Help Workshop 4.1\">",
                     "<!-- Sitemap 1.0 -->",
                     "</HEAD><BODY>"};

/// The whole contents file around the given folder lines.
Lines ContentsFile(const Lines& items) {
  Lines out = kHead;
  out.insert(out.end(), {"<OBJECT type=\"text/site properties\">",
                         "  <param name=\"ImageType\" value=\"Folder\">", "</OBJECT>", "<UL>"});
  out.insert(out.end(), items.begin(), items.end());
  out.insert(out.end(), {"</UL>", "</BODY></HTML>"});
  return out;
}

/// The whole index file around the given item lines.
Lines IndexFile(const Lines& items) {
  Lines out = kHead;
  out.push_back("<UL>");
  out.insert(out.end(), items.begin(), items.end());
  out.insert(out.end(), {"</UL>", "</BODY></HTML>"});
  return out;
}

Lines Folder(const std::string& name, const Lines& topics) {
  Lines out = {"  <LI> <OBJECT type=\"text/sitemap\">",
               "  <param name=\"Name\" value=\"" + name + "\">",
               "  <param name=\"ImageNumber\" value=\"1\">", "  </OBJECT>", "  <UL>"};
  out.insert(out.end(), topics.begin(), topics.end());
  out.push_back("  </UL>");
  return out;
}

Lines Topic(const std::string& name, const std::string& local) {
  return {"    <LI> <OBJECT type=\"text/sitemap\">",
          "      <param name=\"Name\" value=\"" + name + "\">",
          "      <param name=\"Local\" value=\"" + local + "\">", "      </OBJECT>"};
}

Lines Item(const std::string& keyword, const std::string& title, const Lines& locals) {
  Lines out = {"  <LI> <OBJECT type=\"text/sitemap\">",
               "    <param name=\"Name\" value=\"" + keyword + "\">",
               "    <param name=\"Name\" value=\"" + title + "\">"};
  for (const std::string& local : locals) {
    out.push_back("    <param name=\"Local\" value=\"" + local + "\">");
  }
  out.push_back("    </OBJECT>");
  return out;
}

Lines Join(std::initializer_list<Lines> parts) {
  Lines out;
  for (const Lines& p : parts) {
    out.insert(out.end(), p.begin(), p.end());
  }
  return out;
}

struct Tables {
  TagTable tags;
  CharacterTable chars;
};

} // namespace

TEST(SitemapWriter, WritesContentsAndIndexOfOneMarkerEach) {
  // One contents and one index entry give a folder with one topic and one item, each
  // linking to page#anchor; both files are written whole with their frames.
  TempDir tmp;
  Tables t;
  const std::string folder = tmp / "out/";
  WriteContentsFile(DocKind::Doc, Entries({"Bedienung;Hauptfenster;haupt;Main.Doc.htm"}), folder,
                    t.tags, t.chars);
  WriteIndexFile(DocKind::Doc, Entries({"Fenster;Hauptfenster;haupt;Main.Doc.htm"}), folder, t.tags,
                 t.chars);

  EXPECT_EQ(ReadFile(folder + "Table of Contents.Doc.hhc"),
            CrLf({"<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">",
                  "<HTML>",
                  "<HEAD>",
                  "<meta name=\"GENERATOR\" content=\"Microsoft&reg; HTML Help Workshop 4.1\">",
                  "<!-- Sitemap 1.0 -->",
                  "</HEAD><BODY>",
                  "<OBJECT type=\"text/site properties\">",
                  "  <param name=\"ImageType\" value=\"Folder\">",
                  "</OBJECT>",
                  "<UL>",
                  "  <LI> <OBJECT type=\"text/sitemap\">",
                  "  <param name=\"Name\" value=\"Bedienung\">",
                  "  <param name=\"ImageNumber\" value=\"1\">",
                  "  </OBJECT>",
                  "  <UL>",
                  "    <LI> <OBJECT type=\"text/sitemap\">",
                  "      <param name=\"Name\" value=\"Hauptfenster\">",
                  "      <param name=\"Local\" value=\"Main.Doc.htm#haupt\">",
                  "      </OBJECT>",
                  "  </UL>",
                  "</UL>",
                  "</BODY></HTML>"}));
  EXPECT_EQ(
      ReadFile(folder + "Index.Doc.hhk"),
      CrLf({"<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">", "<HTML>", "<HEAD>",
            "<meta name=\"GENERATOR\" content=\"Microsoft&reg; HTML Help Workshop 4.1\">",
            "<!-- Sitemap 1.0 -->", "</HEAD><BODY>", "<UL>",
            "  <LI> <OBJECT type=\"text/sitemap\">", "    <param name=\"Name\" value=\"Fenster\">",
            "    <param name=\"Name\" value=\"Hauptfenster\">",
            "    <param name=\"Local\" value=\"Main.Doc.htm#haupt\">", "    </OBJECT>", "</UL>",
            "</BODY></HTML>"}));
}

TEST(SitemapWriter, SortsByCollationAndGroupsByExactGroupName) {
  // Entries sort case-insensitively with accents folded; a folder holds the consecutive
  // entries whose group is byte-equal, so groups differing in case alternate as folders.
  Tables t;
  const auto entries =
      Entries({"b;T2;a2;P.Doc.htm", "a;T4;a4;P.Doc.htm", "\xC4pfel;T5;a5;P.Doc.htm",
               "A;T3;a3;P.Doc.htm", "a;T1;a1;P.Doc.htm"});
  EXPECT_EQ(ContentsFileLines(entries, t.tags, t.chars),
            ContentsFile(Join({Folder("a", Topic("T1", "P.Doc.htm#a1")),
                               Folder("A", Topic("T3", "P.Doc.htm#a3")),
                               Folder("a", Topic("T4", "P.Doc.htm#a4")),
                               Folder("\xC4pfel", Topic("T5", "P.Doc.htm#a5")),
                               Folder("b", Topic("T2", "P.Doc.htm#a2"))})));
}

TEST(SitemapWriter, ContentsLocalDependsOnFieldCount) {
  // Three fields: page#anchor. Fewer: the page alone (a marker without anchor still leads to
  // its page; with only a group the title is the page name). Five: field 4 + "#" + anchor.
  Tables t;
  const auto entries = Entries({"G;Drei;anker;P.Doc.htm", "G;OhneAnker;P.Doc.htm", "G;P.Doc.htm",
                                "G;Vier;anker;x.htm;P.Doc.htm"});
  EXPECT_EQ(ContentsFileLines(entries, t.tags, t.chars),
            ContentsFile(Folder(
                "G", Join({Topic("Drei", "P.Doc.htm#anker"), Topic("OhneAnker", "P.Doc.htm"),
                           Topic("P.Doc.htm", "P.Doc.htm"), Topic("Vier", "x.htm#anker")}))));
}

TEST(SitemapWriter, IndexLocalsFollowTheAnchors) {
  // Every anchor between title and page gives page#anchor; an entry without anchor gets the
  // page alone; equal keywords stay separate items.
  Tables t;
  const auto entries = Entries({"Wort;Zwei;a1;a2;P.Doc.htm", "Wort;Eins;a;P.Doc.htm",
                                "Wort;OhneAnker;P.Doc.htm", "Nur;Q.Doc.htm"});
  EXPECT_EQ(IndexFileLines(entries, t.tags, t.chars),
            IndexFile(Join({Item("Nur", "Q.Doc.htm", {"Q.Doc.htm"}),
                            Item("Wort", "Eins", {"P.Doc.htm#a"}),
                            Item("Wort", "OhneAnker", {"P.Doc.htm"}),
                            Item("Wort", "Zwei", {"P.Doc.htm#a1", "P.Doc.htm#a2"})})));
}

TEST(SitemapWriter, NamesAreConvertedLocalsAreNot) {
  // Names pass the character table (as block text does); anchors and pages are copied as
  // they stand, "#" and quotes included.
  Tables t;
  t.chars.Assign({"&,&amp;"});
  EXPECT_EQ(ContentsFileLines(Entries({"A&B;C&D;x&\"y;P.Doc.htm"}), t.tags, t.chars),
            ContentsFile(Folder("A&amp;B", Topic("C&amp;D", "P.Doc.htm#x&\"y"))));
  EXPECT_EQ(IndexFileLines(Entries({"A&B;C&D;x#y;P&.Doc.htm"}), t.tags, t.chars),
            IndexFile(Item("A&amp;B", "C&amp;D", {"P&.Doc.htm#x#y"})));
}

TEST(SitemapWriter, NoEntriesWriteNoFile) {
  // Without entries nothing is written: an old contents file stays as it was, and no index
  // file appears.
  TempDir tmp;
  Tables t;
  WriteFile(tmp / "Table of Contents.Tech.hhc", "alt");
  WriteContentsFile(DocKind::Tech, {}, tmp.path(), t.tags, t.chars);
  WriteIndexFile(DocKind::Tech, {}, tmp.path(), t.tags, t.chars);
  EXPECT_EQ(ReadFile(tmp / "Table of Contents.Tech.hhc"), "alt");
  EXPECT_FALSE(Exists(tmp / "Index.Tech.hhk"));
}
