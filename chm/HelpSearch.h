// Full-text search over the pages of an open help file: every page is read once into an
// inverted index, and a query of words finds the pages that hold all of them, best first.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

namespace qm {

class ChmArchive;
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
  /// Reads the given HTML pages (stored paths) of archive (Windows-1252, or UTF-8 where a
  /// page says so) and indexes the words of their titles and text. Linear in the pages' total
  /// length; a page that cannot be read is left out. Once stop is requested it returns before
  /// the next page, with the pages read so far.
  static HelpSearchIndex Build(const ChmArchive& archive, std::vector<std::string> pages,
                               std::stop_token stop = {});

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

/// Builds the index of a help file on a thread of its own, so that a window stays responsive
/// meanwhile. The thread opens the file a second time: a CHMLib handle may not be used by two
/// threads, so the handle the file was opened with is never touched there.
class HelpSearchIndexBuild {
public:
  /// Starts building the index of file's pages (listed here, on the calling thread). ready is
  /// called on the building thread once Index() has the index, unless the build was stopped.
  HelpSearchIndexBuild(const HelpFile& file, std::function<void()> ready);
  /// Stops the build before its next page and waits for its thread.
  ~HelpSearchIndexBuild();
  HelpSearchIndexBuild(const HelpSearchIndexBuild&) = delete;
  HelpSearchIndexBuild& operator=(const HelpSearchIndexBuild&) = delete;

  /// The index once it is built (one without pages when the file could not be opened
  /// again), else nullptr.
  const HelpSearchIndex* Index() const;

private:
  std::optional<HelpSearchIndex> index_;
  std::atomic<bool> ready_{false};
  std::jthread thread_; ///< last, so that it starts after the members it sets and ends first
};

} // namespace qm
