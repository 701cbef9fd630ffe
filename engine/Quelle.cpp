#include "engine/Quelle.h"

#include "base/FileSystem.h"
#include "base/Paths.h"
#include "engine/Markers.h"

#include <algorithm>
#include <climits>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace qm {

namespace {

// The identity of a folder on disk, so that a link back to a folder being searched is noticed.
bool IdOf(const std::string& folder, FileId& id) {
  const std::optional<PathInfo> info = LookUp(folder);
  if (!info) {
    return false;
  }
  id = info->id;
  return true;
}

bool IsSearchedFolder(const DirEntry& e) {
  return e.IsFolder() && !e.hidden && MatchesMask(e.name, kFolderMask);
}

bool HasControlChar(std::string_view name) {
  return std::any_of(name.begin(), name.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
  });
}

// Appends the sources among entries that match mask. Folders are never sources; anything else
// that is no regular file, or that the run or the help project could not handle, is skipped
// with a warning naming it.
void AppendMatches(TQuelle& q, const std::string& folder, const std::vector<DirEntry>& entries,
                   const std::string& mask) {
  for (const DirEntry& e : entries) {
    if (e.IsFolder() || !MatchesMask(e.name, mask)) {
      continue;
    }
    std::string path = folder + e.name;
    if (q.LeaveOut(path, false)) {
      continue;
    }
    if (!e.IsFile()) {
      AddWarning(q.Warnings, path, 0, kWarnNotAFile, ErrorArg::Text(EntryKindText(e.kind)));
    } else if (HasControlChar(e.name)) {
      AddWarning(q.Warnings, path, 0, kWarnControlInName);
    } else if (path.size() >= PATH_MAX) {
      AddWarning(q.Warnings, path, 0, kWarnPathTooLong,
                 ErrorArg::Number(static_cast<int>(path.size())), ErrorArg::Number(PATH_MAX - 1));
    } else {
      q.Files.push_back(std::move(path));
    }
  }
}

// The folders searched so far by their identity on disk, each with the path it was found at.
using SeenFolders = std::map<FileId, std::string>;

// Depth-first search below folder, descending only with IncludeSubfolders. A folder reached a
// second time (through a link) is left out with a warning: searching it again under each of
// its names would cost as much as there are ways to it, and those can double at every level.
void SearchBelow(TQuelle& q, const std::string& folder, SeenFolders& seen) {
  for (const DirEntry& e : ListFolder(folder)) {
    if (!IsSearchedFolder(e)) {
      continue;
    }
    // The subfolder keeps the separator the user's folder is written with.
    const std::string sub = AddTrailingBackslash(folder + e.name);
    if (q.LeaveOut(sub, true)) {
      continue;
    }
    FileId id{};
    const bool known = IdOf(sub, id);
    if (known) {
      const auto [first, fresh] = seen.try_emplace(id, sub);
      if (!fresh) {
        if (first->second != q.Excluded) {
          AddWarning(q.Warnings, sub, 0, kWarnFolderSeenBefore, ErrorArg::Path(first->second));
        }
        continue;
      }
    }
    q.Folders.push_back(sub);
    if (q.IncludeSubfolders && known) {
      SearchBelow(q, sub, seen);
    }
  }
}

} // namespace

const char* EntryKindText(EntryKind kind) {
  switch (kind) {
  case EntryKind::Fifo:
    return kEntryFifo;
  case EntryKind::Socket:
    return kEntrySocket;
  case EntryKind::Device:
    return kEntryDevice;
  default:
    return kEntryBrokenLink;
  }
}

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
                 ErrorArg::Text(SystemReasonText(error)));
    }
    for (const std::string& mask : Masks) {
      AppendMatches(*this, folder, entries, mask);
    }
  }
}

void TQuelle::SearchFolders(const std::string& folder) {
  if (root_.empty()) {
    root_ = folder;
  }
  SeenFolders seen;
  FileId id{};
  // Marked as seen before the search starts, the excluded folder is never entered.
  if (!Excluded.empty() && IdOf(Excluded, id)) {
    seen.emplace(id, Excluded);
  }
  if (IdOf(folder, id)) {
    // An excluded root is the root all the same.
    seen.insert_or_assign(id, folder);
  }
  SearchBelow(*this, folder, seen);
}

void TQuelle::SearchFiles(const std::string& folder, const std::string& mask) {
  AppendMatches(*this, folder, ListFolder(folder), mask);
}

bool TQuelle::LeaveOut(const std::string& path, bool isFolder) {
  if (ExcludePatterns.Empty() || !path.starts_with(root_)) {
    return false;
  }
  if (!ExcludePatterns.Matches(std::string_view(path).substr(root_.size()), isFolder)) {
    return false;
  }
  ++(isFolder ? FoldersExcluded : FilesExcluded);
  return true;
}

} // namespace qm
