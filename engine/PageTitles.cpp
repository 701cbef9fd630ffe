#include "engine/GeneratorRun.h"

#include "base/FileSystem.h"
#include "base/Paths.h"
#include "base/TextFile.h"
#include "engine/Markers.h"

#include <algorithm>

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
  for (const std::string_view mask : {kDocPageMask, kTechPageMask}) {
    for (const DirEntry& e : entries) {
      // Only regular files hold a title: a folder of such a name would fail to read, and a
      // fifo would never give its bytes.
      if (!e.IsFile() || !MatchesMask(e.name, mask)) {
        continue;
      }
      const std::string path = folder + e.name;
      const std::optional<FileBytes> head = ReadListedFileBytes(path, kTitleSearch);
      if (!head) {
        continue;
      }
      std::optional<std::string> title = TitleOfPage(head->View(), head->size() < kTitleSearch);
      if (!title) {
        if (const std::optional<FileBytes> bytes = ReadListedFileBytes(path)) {
          title = TitleOfPage(bytes->View());
        }
      }
      if (title) {
        titles.push_back(PageTitle{path, std::move(*title)});
      }
    }
  }
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
