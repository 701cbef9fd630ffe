#include "engine/ExtraFiles.h"

#include "base/Error.h"
#include "base/Paths.h"
#include "base/TextFile.h"
#include "engine/Generator.h"
#include "engine/Markers.h"

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

void TExtraAusgabeDateien::Append(const std::string& name, qm::Lines lines) {
  qm::Lines& held = LinesFor(name);
  TExtraAusgabeDatei& page = *items_[index_.at(name)];
  for (const std::string& line : lines) {
    page.HeldBytes += line.size() + kCrLf.size();
  }
  held.insert(held.end(), std::make_move_iterator(lines.begin()),
              std::make_move_iterator(lines.end()));
  if (page.HeldBytes < kPageMemoryLimit || page.SpillFailed) {
    return;
  }
  try {
    if (!page.Spilled) {
      page.Spilled.emplace(page.FileName);
    }
    page.Spilled->Append(JoinLines(page.Lines));
    qm::Lines().swap(page.Lines);
    page.HeldBytes = 0;
  } catch (const Error&) {
    // The page stays in memory; if its file cannot be written either, saving it says so.
    page.SpillFailed = true;
  }
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
      // A page that holds these bytes already is left as it is, keeping its time.
      const bool mayExist = owner_.PageMayExist(page.FileName);
      if (page.Spilled) {
        page.Spilled->Commit(JoinLines(page.Lines), mayExist);
      } else {
        WriteFileIfChanged(page.FileName, JoinLines(page.Lines), mayExist);
      }
      owner_.NotePage(page.FileName, true);
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

TGenerator::KeywordFilter::KeywordFilter(const CharacterTable& table, const std::string& page,
                                         std::string_view keyword, std::vector<KeywordEntry>& list)
    : table_(table), marker_(std::string(kMarkerPrefix) + std::string(keyword) + " "),
      fileName_(std::string_view(page).substr(page.rfind(kPathSep) + 1)), list_(list) {}

bool TGenerator::KeywordFilter::DropsAfterMarker(std::string_view line) {
  if (dropAfter_ > 0) {
    if (line.empty() || line == kBreakTag) {
      --dropAfter_;
      return true;
    }
    dropAfter_ = 0;
  }
  return false;
}

bool TGenerator::KeywordFilter::Keep(std::string& line) {
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

bool TGenerator::KeywordFilter::Keep(std::string_view line) {
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

void TGenerator::KeywordFilter::AddEntry(std::string entry) {
  // Keyword lines leave the conversion with a blank behind them; it is no part of the entry.
  if (!entry.empty() && entry.back() == ' ') {
    entry.pop_back();
  }
  UnmapCharsIn(entry, table_);
  list_.emplace_back(std::move(entry), fileName_, Origin());
  dropAfter_ = kMaxLinesAfterKeyword;
}

void TGenerator::ExtractKeywordEntries(const std::string& page, std::string_view keyword,
                                       std::vector<KeywordEntry>& list, Lines& lines) {
  // One pass that records the marker lines in order and compacts the list around the lines it
  // removes: the marker line and up to three directly following "<BR>" or empty lines.
  KeywordFilter filter(CharTable, page, keyword, list);
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
