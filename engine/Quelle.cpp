#include "engine/Quelle.h"

#include "engine/FileSystem.h"
#include "engine/Markers.h"
#include "engine/Paths.h"

#include <sys/stat.h>

#include <utility>
#include <vector>

namespace qm {

namespace {

using FolderId = std::pair<dev_t, ino_t>;

// The identity of a folder on disk, so that a link back to a folder being searched is noticed.
bool IdOf(const std::string& folder, FolderId& id) {
  struct stat st {};
  if (stat(std::string(folder).c_str(), &st) != 0) {
    return false;
  }
  id = {st.st_dev, st.st_ino};
  return true;
}

bool IsSearchedFolder(const DirEntry& e) {
  return e.isDir && !e.hidden && MatchesMask(e.name, kFolderMask);
}

void AppendMatches(Lines& files, const std::string& folder, const std::vector<DirEntry>& entries,
                   const std::string& mask) {
  for (const DirEntry& e : entries) {
    if (!e.isDir && MatchesMask(e.name, mask)) {
      files.push_back(folder + e.name);
    }
  }
}

// Depth-first search below folder. ancestors holds the folders on the way down; a folder that
// is one of them (reached through a link) is listed but not descended into again, which would
// never end.
void SearchBelow(TQuelle& q, const std::string& folder, std::vector<FolderId>& ancestors) {
  for (const DirEntry& e : ListFolder(folder)) {
    if (!IsSearchedFolder(e)) {
      continue;
    }
    const std::string sub = folder + e.name + kPathSep;
    q.Folders.push_back(sub);
    if (!q.IncludeSubfolders) {
      continue;
    }
    FolderId id{};
    if (!IdOf(sub, id)) {
      continue;
    }
    bool cycle = false;
    for (const FolderId& a : ancestors) {
      cycle = cycle || a == id;
    }
    if (!cycle) {
      ancestors.push_back(id);
      SearchBelow(q, sub, ancestors);
      ancestors.pop_back();
    }
  }
}

} // namespace

void TQuelle::Search(const std::string& root) {
  Folders.push_back(root);
  SearchFolders(root);
  // Each folder is listed once; the masks then pick from that listing, in mask order.
  const size_t count = Folders.size();
  for (size_t i = 0; i < count; ++i) {
    const std::string folder = Folders[i];
    int error = 0;
    const std::vector<DirEntry> entries = ListFolder(folder, &error);
    if (error != 0) {
      AddWarning(Warnings, folder, 0, kWarnFolderUnreadable,
                 {ErrorArg::Text(SystemReasonText(error))});
    }
    for (const std::string& mask : Masks) {
      AppendMatches(Files, folder, entries, mask);
    }
  }
}

void TQuelle::SearchFolders(const std::string& folder) {
  std::vector<FolderId> ancestors;
  FolderId id{};
  if (IdOf(folder, id)) {
    ancestors.push_back(id);
  }
  SearchBelow(*this, folder, ancestors);
}

void TQuelle::SearchFiles(const std::string& folder, const std::string& mask) {
  AppendMatches(Files, folder, ListFolder(folder), mask);
}

} // namespace qm
