#include "engine/OwnPages.h"

#include "base/Error.h"
#include "base/TextFile.h"

#include <optional>

namespace qm {

int TExtraAusgabeDateien::IndexOf(std::string_view name) const {
  const auto it = index_.find(std::string(name));
  return it == index_.end() ? -1 : static_cast<int>(it->second);
}

void TExtraAusgabeDateien::Add(const std::string& name) {
  index_.emplace(name, items_.size());
  items_.push_back(std::make_unique<TExtraAusgabeDatei>());
  items_.back()->FileName = name;
}

void TExtraAusgabeDateien::Append(const std::string& name, qm::Lines lines) {
  TExtraAusgabeDatei& page = *items_[index_.at(name)];
  for (const std::string& line : lines) {
    page.HeldBytes += line.size() + kCrLf.size();
  }
  page.Lines.insert(page.Lines.end(), std::make_move_iterator(lines.begin()),
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

size_t TExtraAusgabeDateien::SaveAll(PageFolders& folders) {
  // The collection is emptied however the saving ends.
  struct ClearOnExit {
    TExtraAusgabeDateien& files;
    ~ClearOnExit() { files.Clear(); }
  } clearOnExit{*this};

  std::optional<Error> firstFailure;
  size_t saved = 0;
  for (const std::unique_ptr<TExtraAusgabeDatei>& item : items_) {
    TExtraAusgabeDatei& page = *item;
    if (page.FileName.empty()) {
      continue;
    }
    // One page that cannot be saved must not cost the others theirs.
    try {
      // A page that holds these bytes already is left as it is, keeping its time.
      const bool mayExist = folders.MayExist(page.FileName);
      if (page.Spilled) {
        page.Spilled->Commit(JoinLines(page.Lines), mayExist);
      } else {
        ReplaceFileIfChanged(page.FileName, JoinLines(page.Lines), mayExist);
      }
      folders.Note(page.FileName, true);
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

} // namespace qm
