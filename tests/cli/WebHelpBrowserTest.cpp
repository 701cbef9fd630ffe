// The web help of the example project in a real browser: headless Chromium loads it from the
// file system, and the tests read the document after its scripts ran.
#include "CliFixture.h"

#include "base/AnsiText.h"
#include "base/CodePages.h"
#include "base/HtmlEntities.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <regex>
#include <set>
#include <sstream>

using namespace qmtest;

namespace {

const char* const kBrowser = "/usr/bin/chromium";
// Without the browser's own services, which would fill the network log with their requests.
const char* const kBrowserFlags =
    "--headless --disable-gpu --no-sandbox --no-first-run --disable-background-networking"
    " --disable-component-update --disable-sync --disable-default-apps --disable-extensions"
    " --virtual-time-budget=2000";

std::vector<std::string> Matches(const std::string& text, const std::string& pattern,
                                 size_t group = 1) {
  std::vector<std::string> found;
  const std::regex re(pattern);
  for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
       ++it) {
    found.push_back((*it)[group].str());
  }
  return found;
}

// The part of html from the first occurrence of start to the next occurrence of end.
std::string Section(const std::string& html, const std::string& start, const std::string& end) {
  const size_t from = html.find(start);
  if (from == std::string::npos) {
    return {};
  }
  const size_t to = html.find(end, from);
  return html.substr(from, to == std::string::npos ? std::string::npos : to - from);
}

class WebHelpBrowser : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    if (!std::filesystem::exists(kBrowser)) {
      return;
    }
    root_ = std::make_unique<TempDir>();
    const std::string work = *root_ / "work/";
    std::filesystem::create_directories(work);
    std::filesystem::copy(QM_SOURCE_DIR "/examples", work + "examples",
                          std::filesystem::copy_options::recursive);
    const CliResult r = RunIn(work, {kCliPath, "convert", "--yes", "--quiet", "--help-project",
                                     "--web-help", "examples/example.qmpr"});
    ASSERT_EQ(r.Status, 0) << r.Err;
    folder_ = work + "build/example-output/";
  }
  static void TearDownTestSuite() { root_.reset(); }

  void SetUp() override {
    if (!root_) {
      GTEST_SKIP() << kBrowser << " is not installed: the web help is not tried in a browser";
    }
  }

  // The document of the web help of kind after its scripts ran, opened with query (from "?").
  static std::string Dom(const std::string& kind, const std::string& query,
                         const std::string& netLog = {}) {
    return DomOf("file://" + folder_ + "Kundenmanager." + kind + ".html" + query, netLog);
  }

  static std::string DomOf(const std::string& url, const std::string& netLog = {}) {
    std::vector<std::string> argv = {kBrowser};
    std::istringstream flags(kBrowserFlags);
    for (std::string flag; flags >> flag;) {
      argv.push_back(flag);
    }
    argv.insert(argv.end(), {"--user-data-dir=" + *root_ / "profile", "--dump-dom", url});
    if (!netLog.empty()) {
      argv.push_back("--log-net-log=" + netLog);
    }
    return RunIn(root_->path(), argv).Out;
  }

  static std::string PaneSource(const std::string& dom) {
    const std::vector<std::string> src = Matches(dom, "<iframe id=\"seite\"[^>]* src=\"([^\"]*)\"");
    return src.empty() ? std::string() : qm::DecodeEntities(src.front());
  }

  // A file the run wrote, as UTF-8 with its references decoded.
  static std::string Written(const std::string& name) {
    return qm::DecodeEntities(qm::AnsiToUtf8(ReadFile(folder_ + name)));
  }

  static std::unique_ptr<TempDir> root_;
  static std::string folder_;
};

std::unique_ptr<TempDir> WebHelpBrowser::root_;
std::string WebHelpBrowser::folder_;

} // namespace

TEST_F(WebHelpBrowser, ContentsTreeEqualsTheContentsFileInOrder) {
  // Folder names, and each topic's name and link, as the contents file lists them.
  for (const std::string kind : {"Doc", "Tech"}) {
    const std::vector<std::string> expected =
        Matches(Written("Table of Contents." + kind + ".hhc"),
                "<param name=\"(Name|Local)\" value=\"([^\"]*)\"", 2);
    std::vector<std::string> shown;
    const std::string tree = Section(Dom(kind, ""), "<ul id=\"inhalt\"", "</ul></div>");
    const std::regex item("<span[^>]*>([^<]*)</span>|<a href=\"([^\"]*)\"[^>]*>([^<]*)</a>");
    for (auto it = std::sregex_iterator(tree.begin(), tree.end(), item);
         it != std::sregex_iterator(); ++it) {
      if ((*it)[1].matched) {
        shown.push_back(qm::DecodeEntities((*it)[1].str()));
      } else {
        shown.push_back(qm::DecodeEntities((*it)[3].str()));
        shown.push_back(qm::DecodeEntities((*it)[2].str()));
      }
    }
    EXPECT_FALSE(expected.empty()) << kind;
    EXPECT_EQ(shown, expected) << kind;
  }
}

TEST_F(WebHelpBrowser, IndexKeywordLeadsToItsTopic) {
  // "Tastatur" is listed with the link of its index entry, and that link opens its topic at
  // the anchor.
  const std::string hhk = Written("Index.Doc.hhk");
  const std::string local = "Hauptfenster.Doc.htm#Tastenkuerzel";
  ASSERT_NE(Section(hhk, "value=\"Tastatur\">", "</OBJECT>").find(local), std::string::npos);
  const std::string index = Section(Dom("Doc", ""), "<ul id=\"index\">", "</ul>");
  EXPECT_NE(index.find("<a href=\"" + local + "\" target=\"seite\">Tastatur</a>"),
            std::string::npos)
      << index;
  EXPECT_EQ(PaneSource(Dom("Doc", "?page=" + local)), local);
}

TEST_F(WebHelpBrowser, EveryContextIdOpensItsPage) {
  // The ids of the map header, each with the page the alias file gives its symbol.
  const std::string map = ReadFile(folder_ + "DocMap.h");
  const std::string alias = ReadFile(folder_ + "DocAlias.h");
  std::map<std::string, std::string> pageOf;
  for (const std::string& line : Matches(alias, "([A-Z0-9_]+=[^\r\n]+)")) {
    pageOf[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
  }
  const std::regex define("#define (IDH_[A-Z0-9_]+) ([0-9]+)");
  size_t ids = 0;
  for (auto it = std::sregex_iterator(map.begin(), map.end(), define); it != std::sregex_iterator();
       ++it, ++ids) {
    EXPECT_EQ(PaneSource(Dom("Doc", "?ctx=" + (*it)[2].str())), pageOf[(*it)[1].str()])
        << (*it)[2].str();
  }
  EXPECT_EQ(ids, 5u);
  // An unknown id leaves the start page.
  EXPECT_EQ(PaneSource(Dom("Doc", "?ctx=4711")), "Erste_Schritte.Doc.htm");
}

// The pages of the example whose words begin with "kund".
const std::set<std::string> kKund = {"Erste_Schritte.Doc.htm", "Export.Doc.htm",
                                     "Hauptfenster.Doc.htm", "Kunde.Doc.htm", "kunden.Doc.htm"};

TEST_F(WebHelpBrowser, SearchListsThePagesWithWordsBeginningWithEachTypedWord) {
  // Every typed word must begin a word of the page; pages that hold it as typed come first
  // (groups in order, any order within one). The excerpt marks the word as found.
  struct Row {
    const char* Query;
    std::vector<std::set<std::string>> Groups;
    std::multiset<std::string> Marked;
  };
  const Row rows[] = {
      // Written "&ouml;ffnen" and "&Ouml;ffnen" in the pages.
      {"%C3%B6ffnen", {{"Export.Doc.htm", "Hauptfenster.Doc.htm"}}, {"öffnen", "Öffnen"}},
      // Marked: the word as typed where the page has it ("Kunden", not the "Kundenmanager"
      // before it), else the longer word.
      {"Kunden",
       {{"Erste_Schritte.Doc.htm", "Export.Doc.htm", "Kunde.Doc.htm", "kunden.Doc.htm"},
        {"Hauptfenster.Doc.htm"}},
       {"Kunden", "Kunden", "Kunden", "kunden", "Kundendatei"}},
      {"gel%C3%B6schte", {{"Kunde.Doc.htm"}, {"kunden.Doc.htm"}}, {"Gelöschte", "gelöschten"}},
      {"kund%20daten",
       {{"Erste_Schritte.Doc.htm", "Export.Doc.htm"}, {"kunden.Doc.htm"}},
       {"Daten", "Daten", "kunden"}},
      {"Quarkstrudel", {}, {}},
  };
  for (const Row& row : rows) {
    const std::string list =
        Section(Dom("Doc", std::string("?q=") + row.Query), "<ol id=\"ergebnisse\">", "</ol>");
    const std::vector<std::string> pages = Matches(list, "<a href=\"([^\"]*)\"");
    const std::vector<std::string> marked = Matches(list, "<mark>([^<]*)</mark>");
    std::vector<std::set<std::string>> groups;
    auto next = pages.begin();
    for (const std::set<std::string>& group : row.Groups) {
      const auto end = next + std::min<ptrdiff_t>(pages.end() - next, group.size());
      groups.emplace_back(next, end);
      next = end;
    }
    EXPECT_EQ(groups, row.Groups) << row.Query << list;
    EXPECT_EQ(next, pages.end()) << row.Query << list;
    EXPECT_EQ(std::multiset<std::string>(marked.begin(), marked.end()), row.Marked) << row.Query;
    EXPECT_EQ(list.find("Keine Treffer.") != std::string::npos, row.Groups.empty()) << row.Query;
  }
}

TEST_F(WebHelpBrowser, QueryMadeBeforeTheIndexIsReadyIsAnsweredOnceItIs) {
  // A copy of the web help that notes what the result list said right after the web help's
  // script ran (a microtask later, before any task that builds the index).
  std::string page = ReadFile(folder_ + "Kundenmanager.Doc.html");
  page.insert(page.find("<script src=\"Kundenmanager.web/webhilfe.js\">"),
              "<script>var list = document.getElementById('ergebnisse');"
              " new MutationObserver(function (changes, observer) {"
              " document.body.dataset.vorher = list.textContent; observer.disconnect();"
              " }).observe(list, {childList: true});</script>\n");
  WriteFile(folder_ + "sofort.html", page);
  const std::string dom = DomOf("file://" + folder_ + "sofort.html?q=Kund");
  EXPECT_NE(dom.find("<body data-vorher=\"Suche wird vorbereitet \xE2\x80\xA6\">"),
            std::string::npos);
  const std::vector<std::string> pages =
      Matches(Section(dom, "<ol id=\"ergebnisse\">", "</ol>"), "<a href=\"([^\"]*)\"");
  EXPECT_EQ(std::set<std::string>(pages.begin(), pages.end()), kKund) << dom;
}

TEST_F(WebHelpBrowser, NoRequestLeavesTheFolder) {
  // The network log holds every request the page makes beyond file://; a page of the same
  // folder that does link outside shows that the log would see one.
  auto pageRequests = [](const std::string& log) {
    // The page's own loads are made with partitioned state; the browser's services without.
    const std::vector<std::string> urls =
        Matches(ReadFile(log), "\"privacy_mode\":\"enabled partitioned state allowed\","
                               "\"url\":\"([^\"]*)\"");
    return std::set<std::string>(urls.begin(), urls.end());
  };
  const std::string log = *root_ / "net.json";
  const std::string dom = Dom("Doc", "?q=Kunden", log);
  EXPECT_NE(dom.find("<mark>"), std::string::npos);
  EXPECT_EQ(pageRequests(log), std::set<std::string>());
  // Every file the page names, scripts and style sheet too, lies in or below its folder.
  for (const std::string& link : Matches(dom, " (?:src|href)=\"([^\"]*)\"")) {
    EXPECT_FALSE(std::regex_search(link, std::regex("^[A-Za-z][A-Za-z0-9+.-]*:|^/|\\.\\.")))
        << link;
  }

  const std::string outside = folder_ + "aussen.html";
  WriteFile(outside, "<html><body><img src=\"http://example.invalid/bild.png\"></body></html>");
  const std::string controlLog = *root_ / "control.json";
  DomOf("file://" + outside, controlLog);
  EXPECT_EQ(pageRequests(controlLog), std::set<std::string>{"http://example.invalid/bild.png"});
}
