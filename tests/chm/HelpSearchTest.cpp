// Full-text search over a small help file compiled from pages written by hand.
#include "../desktop/HelpFileFixture.h"

#include "chm/HelpFile.h"
#include "chm/HelpSearch.h"

#include <filesystem>
#include <future>

using namespace qm;
using namespace qmtest;

namespace {

/// A page in Windows-1252 with the given head and body.
std::string Page(const std::string& head, const std::string& body) {
  return "<HTML>\r\n<HEAD>\r\n" + head + "</HEAD>\r\n<BODY>\r\n" + body + "</BODY>\r\n</HTML>\r\n";
}

std::string Title(const std::string& title) {
  return "<TITLE>" + title + "</TITLE>\r\n";
}

/// Five pages; each comment counts the words of title and text.
HelpProjectInput SearchProject() {
  HelpProjectInput input;
  input.Files = {
      // 5 words: kunden 3
      {"Kunden.Doc.htm",
       Page(Title("Kunden"), "<H2>Kunden</H2>\r\n<P>Neue Kunden anlegen.</P>\r\n")},
      // 9 words: rechnungen 2, kunden, drucken, größe, a4, für
      {"Rechnung.Doc.htm",
       Page(Title("Rechnungen"), "<P>Rechnungen f&uuml;r KUNDEN drucken; die GR\xD6\xDF"
                                 "E ist A4.</P>\r\n")},
      // 6 words and no title: größe; the script and the comment are no text
      {"Export.Doc.htm", Page("", "<P>Export &amp; Import: die Gr&ouml;&szlig;e der Datei.</P>\r\n"
                                  "<SCRIPT>kunden()</SCRIPT><!-- drucken -->\r\n")},
      // 8 words: drucken 3, kunden, rechnungen
      {"Drucken.Doc.htm",
       Page(Title("Drucken"), "<P>Drucken und drucken lassen: Kunden-Liste, Rechnungen.</P>\r\n")},
      // 9 words: rechnungen 2, as often for its length as on Rechnung.Doc.htm
      {"Mahnung.Doc.htm",
       Page(Title("Abrechnung"),
            "<P>Rechnungen zahlen, Rechnungen mahnen, Mahnstufe 3 und 4.</P>\r\n")},
  };
  input.Toc = {"Hilfe;Kunden;;Kunden.Doc.htm"};
  input.DefaultPage = "Kunden.Doc.htm";
  return input;
}

} // namespace

TEST(HelpSearch, FindsThePagesWithEveryWordBestFirst) {
  QM_REQUIRE_HELP_COMPILER();
  TempDir tmp;
  const std::string chm = CompileHelpProject(tmp / "out/", SearchProject());
  const HelpFile::Opened opened = HelpFile::Open(chm);
  ASSERT_TRUE(opened.File);
  // Built on a thread of its own, through a handle of its own: the file's handle serves pages
  // meanwhile.
  std::promise<void> ready;
  const HelpSearchIndexBuild build(*opened.File, [&ready] { ready.set_value(); });
  EXPECT_EQ(opened.File->Read("/Kunden.Doc.htm").Status, ChmReadStatus::Ok);
  ready.get_future().wait();
  const HelpSearchIndex& index = *build.Index();
  EXPECT_EQ(index.PageCount(), 5u);

  struct Case {
    const char* query; // UTF-8, as typed
    std::vector<std::string> hits;
  };
  const Case cases[] = {
      {"anlegen", {"Kunden /Kunden.Doc.htm 1/5"}},
      // Hits per word: 3/5, 1/8, 1/9; not in a script.
      {"kunden",
       {"Kunden /Kunden.Doc.htm 3/5", "Drucken /Drucken.Doc.htm 1/8",
        "Rechnungen /Rechnung.Doc.htm 1/9"}},
      // Both words, and neither in a comment.
      {"Kunden, DRUCKEN", {"Drucken /Drucken.Doc.htm 4/8", "Rechnungen /Rechnung.Doc.htm 2/9"}},
      // Umlauts fold as the pages' code page does, written out or as references; a page
      // without a title goes by its file name.
      {"gR\xC3\x96\xC3\x9F"
       "e",
       {"Export.Doc.htm /Export.Doc.htm 1/6", "Rechnungen /Rechnung.Doc.htm 1/9"}},
      {"F\xC3\x9CR a4", {"Rechnungen /Rechnung.Doc.htm 2/9"}},
      // Equal shares go by title; a word inside another word is no hit.
      {"rechnungen",
       {"Abrechnung /Mahnung.Doc.htm 2/9", "Rechnungen /Rechnung.Doc.htm 2/9",
        "Drucken /Drucken.Doc.htm 1/8"}},
      {"kunden xyz", {}},
      {"rechnung", {}},
      {" - ; ", {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> hits;
    for (const HelpSearchHit& hit : index.Find(c.query)) {
      hits.push_back(hit.Title + " " + hit.Path + " " + std::to_string(hit.Hits) + "/" +
                     std::to_string(hit.Words));
    }
    EXPECT_EQ(hits, c.hits) << c.query;
  }

  // Gone from the disk, the file cannot be opened a second time: no pages, though the first
  // handle still reads. A build dropped at once is stopped and waited for.
  std::filesystem::remove(chm);
  std::promise<void> goneReady;
  const HelpSearchIndexBuild gone(*opened.File, [&goneReady] { goneReady.set_value(); });
  goneReady.get_future().wait();
  EXPECT_EQ(gone.Index()->PageCount(), 0u);
  EXPECT_EQ(opened.File->Read("/Kunden.Doc.htm").Status, ChmReadStatus::Ok);
  {
    const HelpSearchIndexBuild dropped(*opened.File, [] {});
  }
}

TEST(HelpSearch, QueryWordsAreFoldedDistinctAndPartedByAllButLetters) {
  // UTF-8 as typed, Windows-1252 as the pages' words are kept.
  EXPECT_EQ(QueryWords("Fu\xC3\x9F FU\xC3\x9F \xC3\x96l x\xC3\x97y \xC5\xA0koda/2024 fu\xC3\x9F"),
            (std::vector<std::string>{"fu\xDF", "\xF6l", "x", "y", "\x9Akoda", "2024"}));
}
