#include "engine/ExtraFiles.h"

#include "engine/Error.h"
#include "engine/Generator.h"
#include "engine/Markers.h"
#include "engine/Paths.h"
#include "engine/TextFile.h"

#include <optional>

namespace qm {

namespace {

bool IsDocPage(std::string_view name) {
  return AnsiLowerCase(name).find(kDocPageExtLower) != std::string::npos;
}

} // namespace

int TExtraAusgabeDateien::IndexOf(std::string_view name) const {
  const auto it = index_.find(std::string(name));
  return it == index_.end() ? -1 : static_cast<int>(it->second);
}

qm::Lines& TExtraAusgabeDateien::LinesFor(const std::string& name) {
  if (const auto it = index_.find(name); it != index_.end()) {
    return items_[it->second]->Lines;
  }
  // The page is registered before its header is written: the header comes back here through
  // the page writers and must find it.
  const size_t pos = items_.size();
  items_.push_back(std::make_unique<TExtraAusgabeDatei>());
  items_[pos]->FileName = name;
  index_.emplace(name, pos);
  if (IsDocPage(name)) {
    owner_.WriteDocPageHeader(owner_.CurrentOutputFile, owner_.CurrentInputFile,
                              owner_.CurrentTitle, name);
  } else {
    owner_.WriteTechPageHeader(owner_.CurrentOutputFile, owner_.CurrentInputFile,
                               owner_.CurrentTitle, name);
  }
  return items_[pos]->Lines;
}

size_t TExtraAusgabeDateien::SaveAll() {
  // The collection is emptied however the saving ends.
  struct ClearOnExit {
    TExtraAusgabeDateien& files;
    ~ClearOnExit() { files.Clear(); }
  } clearOnExit{*this};

  std::optional<Error> firstFailure;
  size_t saved = 0;
  const size_t count = items_.size();
  for (size_t i = 0; i < count; ++i) {
    TExtraAusgabeDatei& page = *items_[i];
    if (page.FileName.empty()) {
      continue;
    }
    const std::string empty;
    if (IsDocPage(page.FileName)) {
      owner_.WriteDocPageFooter(empty, empty, empty, page.FileName);
    } else {
      owner_.WriteTechPageFooter(empty, empty, empty, page.FileName);
    }
    // One page that cannot be saved must not cost the others theirs.
    try {
      WriteTextLines(page.FileName, page.Lines);
      ++saved;
    } catch (const Error& e) {
      if (!firstFailure) {
        firstFailure = e;
      }
    }
  }
  if (firstFailure) {
    throw *firstFailure;
  }
  return saved;
}

void TExtraAusgabeDateien::Clear() {
  items_.clear();
  index_.clear();
}

void TGenerator::ExtractKeywordEntries(const std::string& page, std::string_view keyword,
                                       Lines& list, Lines& lines) {
  std::string marker(kMarkerPrefix);
  marker.append(keyword);
  marker.push_back(' ');
  const std::string fileName = ExtractFileName(page);

  // One pass that records the marker lines in order and compacts the list around the lines it
  // removes: the marker line and up to three directly following "<BR>" or empty lines.
  size_t kept = 0;
  size_t i = 0;
  const size_t count = lines.size();
  while (i < count) {
    const size_t at = lines[i].find(marker);
    if (at == std::string::npos) {
      if (kept != i) {
        lines[kept] = std::move(lines[i]);
      }
      ++kept;
      ++i;
      continue;
    }
    std::string_view text = std::string_view(lines[i]).substr(at + marker.size());
    // Keyword lines leave the conversion with a blank behind them; it is no part of the entry.
    if (!text.empty() && text.back() == ' ') {
      text.remove_suffix(1);
    }
    list.push_back(UnmapChars(text, CharTable) + std::string(kEntrySep) + fileName);
    ++i;
    for (int k = 0;
         k < kMaxLinesAfterKeyword && i < count && (lines[i].empty() || lines[i] == kBreakTag);
         ++k) {
      ++i;
    }
  }
  lines.resize(kept);
}

} // namespace qm
