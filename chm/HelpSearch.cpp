#include "chm/HelpSearch.h"

#include "base/AnsiText.h"
#include "base/CodePages.h"
#include "base/PageWords.h"
#include "base/Paths.h"
#include "chm/ChmArchive.h"
#include "chm/HelpFile.h"
#include "chm/HelpFileFormat.h"

#include <algorithm>
#include <array>

namespace qm {

namespace {

/// The bytes of Windows-1252 that belong to words: ASCII letters and digits and the letters
/// above 127 (not the signs among them, such as x and the division sign).
constexpr std::array<bool, 256> kWordBytes = [] {
  std::array<bool, 256> is{};
  for (int c = '0'; c <= '9'; ++c) {
    is[c] = true;
  }
  for (int c = 'A'; c <= 'Z'; ++c) {
    is[c] = true;
    is[c + 32] = true;
  }
  for (int c : {0x83, 0x8A, 0x8C, 0x8E, 0x9A, 0x9C, 0x9E, 0x9F, 0xAA, 0xB5, 0xBA}) {
    is[c] = true;
  }
  for (int c = 0xC0; c <= 0xFF; ++c) {
    is[c] = c != 0xD7 && c != 0xF7;
  }
  return is;
}();

bool IsWordByte(char c) {
  return kWordBytes[static_cast<unsigned char>(c)];
}

/// Calls found with each word of folded (Windows-1252, lower case) in turn.
template <typename Found> void ForEachWord(std::string_view folded, Found found) {
  size_t pos = 0;
  while (pos < folded.size()) {
    while (pos < folded.size() && !IsWordByte(folded[pos])) {
      ++pos;
    }
    const size_t start = pos;
    while (pos < folded.size() && IsWordByte(folded[pos])) {
      ++pos;
    }
    if (pos > start) {
      found(folded.substr(start, pos - start));
    }
  }
}

} // namespace

std::vector<std::string> QueryWords(std::string_view utf8) {
  const std::string folded = AnsiLowerCase(Utf8ToAnsi(utf8));
  std::vector<std::string> words;
  ForEachWord(folded, [&words](std::string_view word) {
    if (std::find(words.begin(), words.end(), word) == words.end()) {
      words.emplace_back(word);
    }
  });
  return words;
}

HelpSearchIndex HelpSearchIndex::Build(const ChmArchive& archive, std::vector<std::string> pages,
                                       std::stop_token stop) {
  HelpSearchIndex index;
  std::unordered_map<std::string_view, std::uint32_t> counts;
  for (std::string& path : pages) {
    if (stop.stop_requested()) {
      break;
    }
    const ChmObject object = archive.Read(path);
    if (object.Status != ChmReadStatus::Ok) {
      continue;
    }
    const PageWords words = PageWordsOf(
        object.Bytes, DeclaresUtf8(object.Bytes) ? PageBytes::Utf8 : PageBytes::Windows1252);
    const std::string folded = AnsiLowerCase(Utf8ToAnsi(words.Title + ' ' + words.Text));
    const auto number = static_cast<std::uint32_t>(index.pages_.size());
    Page page;
    counts.clear();
    ForEachWord(folded, [&](std::string_view word) {
      ++counts[word];
      ++page.Words;
    });
    for (const auto& [word, count] : counts) {
      auto found = index.postings_.find(word);
      if (found == index.postings_.end()) {
        found = index.postings_.emplace(std::string(word), std::vector<Posting>()).first;
      }
      found->second.push_back({number, count});
    }
    page.Title = words.Title.empty() ? ExtractFileName(path) : words.Title;
    page.TitleKey = CollationKey(Utf8ToAnsi(page.Title));
    page.Path = std::move(path);
    index.pages_.push_back(std::move(page));
  }
  return index;
}

std::vector<HelpSearchHit> HelpSearchIndex::Find(std::string_view query) const {
  std::vector<const std::vector<Posting>*> lists;
  for (const std::string& word : QueryWords(query)) {
    const auto found = postings_.find(word);
    if (found == postings_.end()) {
      return {};
    }
    lists.push_back(&found->second);
  }
  if (lists.empty()) {
    return {};
  }
  // A page holds every word when each list names it: count the lists per page and add up
  // the occurrences. The shortest list first keeps the pages to look at few.
  std::sort(lists.begin(), lists.end(),
            [](const auto* a, const auto* b) { return a->size() < b->size(); });
  std::vector<std::uint32_t> listsOnPage(pages_.size(), 0);
  std::vector<std::uint32_t> hits(pages_.size(), 0);
  for (std::uint32_t k = 0; k < lists.size(); ++k) {
    for (const Posting& posting : *lists[k]) {
      if (listsOnPage[posting.Page] == k) {
        listsOnPage[posting.Page] = k + 1;
        hits[posting.Page] += posting.Count;
      }
    }
  }
  std::vector<HelpSearchHit> result;
  std::vector<std::uint32_t> order;
  for (const Posting& posting : *lists.front()) {
    if (listsOnPage[posting.Page] == lists.size()) {
      order.push_back(posting.Page);
    }
  }
  std::sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
    // hits[a] / words(a) > hits[b] / words(b), without rounding.
    const std::uint64_t left = std::uint64_t{hits[a]} * pages_[b].Words;
    const std::uint64_t right = std::uint64_t{hits[b]} * pages_[a].Words;
    if (left != right) {
      return left > right;
    }
    if (pages_[a].TitleKey != pages_[b].TitleKey) {
      return pages_[a].TitleKey < pages_[b].TitleKey;
    }
    return pages_[a].Path < pages_[b].Path;
  });
  result.reserve(order.size());
  for (const std::uint32_t page : order) {
    result.push_back({pages_[page].Path, pages_[page].Title, hits[page], pages_[page].Words});
  }
  return result;
}

HelpSearchIndexBuild::HelpSearchIndexBuild(const HelpFile& file, std::function<void()> ready)
    : thread_([this, path = file.Path(), pages = file.Pages(),
               ready = std::move(ready)](std::stop_token stop) mutable {
        ChmArchive::Opened opened = ChmArchive::Open(path);
        index_ = opened.Archive ? HelpSearchIndex::Build(*opened.Archive, std::move(pages), stop)
                                : HelpSearchIndex();
        if (!stop.stop_requested()) {
          ready_.store(true, std::memory_order_release);
          ready();
        }
      }) {}

HelpSearchIndexBuild::~HelpSearchIndexBuild() = default; // the thread is stopped and joined

const HelpSearchIndex* HelpSearchIndexBuild::Index() const {
  return ready_.load(std::memory_order_acquire) ? &*index_ : nullptr;
}

} // namespace qm
