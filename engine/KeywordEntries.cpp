#include "engine/KeywordEntries.h"

#include "base/Paths.h"
#include "engine/Markers.h"

namespace qm {

KeywordFilter::KeywordFilter(const CharacterTable& table, const std::string& page,
                             std::string_view keyword, std::vector<KeywordEntry>& list,
                             const Origin& origin)
    : table_(table), page_(page), list_(&list), origin_(&origin) {
  // Built in place: the marker is short enough to need no allocation of its own.
  marker_.append(kMarkerPrefix).append(keyword).push_back(' ');
}

KeywordFilter::KeywordFilter(const CharacterTable& table, std::string_view keyword, Lines& texts)
    : table_(table), texts_(&texts) {
  marker_.append(kMarkerPrefix).append(keyword).push_back(' ');
}

bool KeywordFilter::DropsAfterMarker(std::string_view line) {
  if (dropAfter_ > 0) {
    if (line.empty() || line == kBreakTag) {
      --dropAfter_;
      return true;
    }
    dropAfter_ = 0;
  }
  return false;
}

bool KeywordFilter::Keep(std::string& line) {
  if (DropsAfterMarker(line)) {
    return false;
  }
  const size_t at = line.find(marker_);
  if (at == std::string::npos) {
    return true;
  }
  // The line leaves the page, so its text becomes the entry where it is: a long line is not
  // copied.
  std::string entry = std::move(line);
  line.clear();
  entry.erase(0, at + marker_.size());
  AddEntry(std::move(entry));
  return false;
}

bool KeywordFilter::Keep(std::string_view line) {
  if (DropsAfterMarker(line)) {
    return false;
  }
  const size_t at = line.find(marker_);
  if (at == std::string_view::npos) {
    return true;
  }
  AddEntry(std::string(line.substr(at + marker_.size())));
  return false;
}

void KeywordFilter::AddEntry(std::string entry) {
  // Keyword lines leave the conversion with a blank behind them; it is no part of the entry.
  if (!entry.empty() && entry.back() == ' ') {
    entry.pop_back();
  }
  UnmapCharsIn(entry, table_);
  if (texts_ != nullptr) {
    texts_->push_back(std::move(entry));
  } else {
    list_->emplace_back(std::move(entry), FileNameIn(page_), *origin_);
  }
  dropAfter_ = kMaxLinesAfterKeyword;
}

void ExtractKeywordEntries(const CharacterTable& table, const std::string& page,
                           std::string_view keyword, std::vector<KeywordEntry>& list, Lines& lines,
                           const Origin& origin) {
  // One pass that records the marker lines in order and compacts the list around the lines it
  // removes.
  KeywordFilter filter(table, page, keyword, list, origin);
  size_t kept = 0;
  for (std::string& line : lines) {
    if (filter.Keep(line)) {
      if (&lines[kept] != &line) {
        lines[kept] = std::move(line);
      }
      ++kept;
    }
  }
  lines.resize(kept);
}

} // namespace qm
