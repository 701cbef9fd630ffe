#include "engine/PageFolders.h"

#include "base/FileReplace.h"
#include "base/Paths.h"

#include <cerrno>

namespace qm {

void PageFolders::Stop() {
  keeping_ = false;
  listings_.clear();
}

void PageFolders::Keep(const std::string& folder, const std::vector<DirEntry>& entries, int error) {
  if (!keeping_) {
    return;
  }
  // A folder that is not there holds no page; one that cannot be read may hold any.
  if (error != 0 && error != ENOENT) {
    listings_[folder] = std::nullopt;
    return;
  }
  // Temporary files that a killed run left beside its pages go now: no other run writes into
  // this folder while this one holds its lock.
  RemoveLeftoverTemps(folder, entries);
  Names names;
  for (const DirEntry& e : entries) {
    if (!e.IsFolder() && !IsReplacementTemp(e.name)) {
      names.insert(e.name);
    }
  }
  listings_[folder] = std::move(names);
}

bool PageFolders::MayExist(const std::string& page) {
  if (!keeping_) {
    return true;
  }
  const std::string_view name = FileNameIn(page);
  const std::string_view folder = std::string_view(page).substr(0, page.size() - name.size());
  auto it = listings_.find(folder);
  if (it == listings_.end()) {
    const std::string listed(folder);
    int error = 0;
    const std::vector<DirEntry> entries = ListFolder(listed, &error);
    Keep(listed, entries, error);
    it = listings_.find(folder);
  }
  return !it->second || it->second->contains(name);
}

void PageFolders::Note(const std::string& page, bool exists) {
  const std::string_view name = FileNameIn(page);
  const auto it = listings_.find(std::string_view(page).substr(0, page.size() - name.size()));
  if (it == listings_.end() || !it->second) {
    return;
  }
  if (!exists) {
    if (const auto held = it->second->find(name); held != it->second->end()) {
      it->second->erase(held);
    }
  } else if (!it->second->contains(name)) {
    it->second->emplace(name);
  }
}

} // namespace qm
