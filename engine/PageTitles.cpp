#include "engine/GeneratorRun.h"

#include "base/FileSystem.h"
#include "base/Paths.h"
#include "base/TextFile.h"
#include "engine/Markers.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>
#include <thread>
#include <vector>

namespace qm {

namespace {

bool IsBreak(char c) {
  return c == '\r' || c == '\n';
}

// Where the line holding position at starts (the library's search for either break byte
// would start a search of the two for every byte it passes).
size_t LineStartBefore(std::string_view bytes, size_t at) {
  while (at > 0 && !IsBreak(bytes[at - 1])) {
    --at;
  }
  return at;
}

// The title a page carries: the first line holding the title tag, without its tags. Of the
// start of a page (complete false) only its complete lines count, and nothing comes back
// when none of them holds the tag.
std::optional<std::string> TitleOfPage(std::string_view bytes, bool complete = true) {
  // A NUL ends the text, so a start holding one holds all of it that counts.
  complete = complete || bytes.find('\0') != std::string_view::npos;
  if (!complete) {
    bytes = bytes.substr(0, LineStartBefore(bytes, bytes.size()));
  }
  // The first line holding the tag is the line of its first occurrence (a NUL ends the text,
  // as it ends the lines).
  bytes = bytes.substr(0, bytes.find('\0'));
  const size_t at = FindNoCase(bytes, kTitleOpen);
  if (at != std::string_view::npos) {
    const size_t start = LineStartBefore(bytes, at);
    const size_t end = std::min(LineBreakBytes().FindIn(bytes, at), bytes.size());
    const std::string_view line = bytes.substr(start, end - start);
    return ReplaceAllNoCase(ReplaceAllNoCase(line, kTitleOpen, ""), kTitleClose, "");
  }
  if (!complete) {
    return std::nullopt;
  }
  return std::string();
}

// The title is near the top of a page: this much of it is read first.
constexpr size_t kTitleSearch = size_t{4} << 10;

// The pages read whole with their titles are kept for their sources' turns as long as they
// stay within this many bytes together.
constexpr size_t kStartPagesBudget = size_t{16} << 20;

// The title of the page at path, a file a listing showed as regular; nothing when it turned
// out to be none.
std::optional<std::string> TitleOfPageAt(const std::string& path) {
  const std::optional<FileBytes> head = ReadListedFileBytes(path, kTitleSearch);
  if (!head) {
    return std::nullopt;
  }
  std::optional<std::string> title = TitleOfPage(head->View(), head->size() < kTitleSearch);
  if (!title) {
    if (const std::optional<FileBytes> bytes = ReadListedFileBytes(path)) {
      title = TitleOfPage(bytes->View());
    }
  }
  return title;
}

} // namespace

void GeneratorRun::CollectPageTitles() {
  const std::string folder = AddTrailingBackslash(options_.OutputFolder);
  int error = 0;
  const std::vector<DirEntry> entries = ListFolder(folder, &error);
  folders_.Keep(folder, entries, error);
  std::vector<PageTitle>& titles = result_.ExistingPages;
  titles.clear();
  titleIndex_.clear();
  indexedTitles_ = 0;
  startPages_.clear();
  std::vector<std::string> pages;
  for (const std::string_view mask : {kDocPageMask, kTechPageMask}) {
    for (const DirEntry& e : entries) {
      // Only regular files hold a title: a folder of such a name would fail to read, and a
      // fifo would never give its bytes.
      if (e.IsFile() && MatchesMask(e.name, mask)) {
        pages.push_back(folder + e.name);
      }
    }
  }
  // The pages are read by several threads: on a rerun this is one open and read per page
  // before the first source can be written. The first failure in the pages' order is the one
  // reported, as when they are read one after the other.
  struct Found {
    std::optional<std::string> title;
    std::shared_ptr<const FileSnapshot> whole;
    std::exception_ptr failure;
  };
  std::vector<Found> found(pages.size());
  constexpr size_t kBatch = 32;
  std::atomic<size_t> next{0};
  std::atomic<size_t> kept{0};
  // A regular file (not a link) is read whole and its title taken from all of it, which finds
  // what reading its top and then all of it finds; a link, a large page and a page beyond the
  // budget are read only for their title.
  const auto read = [&](const std::string& page, Found& into) {
    if (kept.load(std::memory_order_relaxed) < kStartPagesBudget) {
      if (std::optional<FileSnapshot> whole = TakeSnapshot(page, kPageReadLimit)) {
        into.title = TitleOfPage(whole->bytes);
        if (kept.fetch_add(whole->bytes.size(), std::memory_order_relaxed) + whole->bytes.size() <=
            kStartPagesBudget) {
          into.whole = std::make_shared<const FileSnapshot>(std::move(*whole));
        }
        return;
      }
    }
    into.title = TitleOfPageAt(page);
  };
  const auto work = [&] {
    for (size_t begin; (begin = next.fetch_add(kBatch)) < pages.size();) {
      for (size_t i = begin; i < std::min(begin + kBatch, pages.size()); ++i) {
        try {
          read(pages[i], found[i]);
        } catch (...) {
          found[i].failure = std::current_exception();
        }
      }
    }
  };
  const unsigned threads =
      options_.Threads != 0 ? options_.Threads : std::max(1U, std::thread::hardware_concurrency());
  std::vector<std::thread> helpers;
  for (unsigned t = 1; t < threads && t * kBatch < pages.size(); ++t) {
    helpers.emplace_back(work);
  }
  work();
  for (std::thread& helper : helpers) {
    helper.join();
  }
  for (size_t i = 0; i < pages.size(); ++i) {
    if (found[i].failure != nullptr) {
      std::rethrow_exception(found[i].failure);
    }
    if (found[i].whole != nullptr) {
      startPages_.emplace(pages[i], std::move(found[i].whole));
    }
    if (found[i].title) {
      titles.push_back(PageTitle{std::move(pages[i]), std::move(*found[i].title)});
    }
  }
}

std::shared_ptr<const FileSnapshot>
GeneratorRun::SeenAtStart(const std::string& page,
                          std::shared_ptr<const FileSnapshot> ahead) const {
  const auto it = startPages_.find(page);
  return it != startPages_.end() ? it->second : std::move(ahead);
}

std::optional<std::string> GeneratorRun::FindPageTitle(std::string_view name) const {
  const std::vector<PageTitle>& titles = result_.ExistingPages;
  if (titles.size() < indexedTitles_) {
    titleIndex_.clear();
    indexedTitles_ = 0;
  }
  // Later records overwrite earlier ones for the same path, so the last match wins.
  for (; indexedTitles_ < titles.size(); ++indexedTitles_) {
    const PageTitle& page = titles[indexedTitles_];
    titleIndex_[PathCaseKey(page.Path)] = page.Title;
  }
  const auto it = titleIndex_.find(PageKey(name));
  if (it == titleIndex_.end()) {
    return std::nullopt;
  }
  return it->second;
}

} // namespace qm
