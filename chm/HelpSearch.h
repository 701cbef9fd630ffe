// Full-text search over the pages of an open help file: every page is read once into an
// inverted index, and a query of words finds the pages that hold all of them, best first.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qm {

class HelpFile;

/// The distinct words of a query (UTF-8) as the search compares them, in the order given:
/// runs of letters (umlauts and the other letters of Windows-1252 among them) and digits, in
/// Windows-1252 and folded to its lower case. Everything else parts words.
std::vector<std::string> QueryWords(std::string_view utf8);

/// One page that holds every word of a query.
struct HelpSearchHit {
  std::string Path;        ///< the page's stored path ("/Main.Doc.htm")
  std::string Title;       ///< its <TITLE> (UTF-8), else its file name
  std::uint32_t Hits = 0;  ///< how often the query's words occur on it
  std::uint32_t Words = 0; ///< how many words it has
};

class HelpSearchIndex {
public:
  /// Reads every HTML page of file (Windows-1252, or UTF-8 where a page says so) and indexes
  /// the words of its title and text. Linear in the pages' total length; a page that cannot
  /// be read is left out.
  static HelpSearchIndex Build(const HelpFile& file);

  /// The pages that hold every word of query (UTF-8), the most frequent first: by hits per
  /// word of the page, then by title (folded as contents are sorted), then by path. Nothing
  /// for a query without words.
  std::vector<HelpSearchHit> Find(std::string_view query) const;

  size_t PageCount() const { return pages_.size(); }

private:
  struct Page {
    std::string Path;
    std::string Title;
    std::string TitleKey; ///< the title's collation key
    std::uint32_t Words = 0;
  };
  struct Posting {
    std::uint32_t Page;
    std::uint32_t Count;
  };
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };

  std::vector<Page> pages_;
  /// Word to the pages that hold it, in page order.
  std::unordered_map<std::string, std::vector<Posting>, Hash, std::equal_to<>> postings_;
};

} // namespace qm
