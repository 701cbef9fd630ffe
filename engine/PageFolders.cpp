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
  std::unordered_set<std::string> names;
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
  const std::string folder = ExtractFilePath(page);
  auto it = listings_.find(folder);
  if (it == listings_.end()) {
    int error = 0;
    const std::vector<DirEntry> entries = ListFolder(folder, &error);
    Keep(folder, entries, error);
    it = listings_.find(folder);
  }
  return !it->second || it->second->contains(ExtractFileName(page));
}

void PageFolders::Note(const std::string& page, bool exists) {
  const auto it = listings_.find(ExtractFilePath(page));
  if (it == listings_.end() || !it->second) {
    return;
  }
  if (exists) {
    it->second->insert(ExtractFileName(page));
  } else {
    it->second->erase(ExtractFileName(page));
  }
}

} // namespace qm
