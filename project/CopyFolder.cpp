#include "project/CopyFolder.h"

#include "base/AnsiText.h"
#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Paths.h"

#include <cerrno>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace qm {

namespace {

enum class ItemKind { Folder, File, Other };

// One entry to copy, as a path relative to the source folder (folders end in a separator).
struct Item {
  std::string relative;
  ItemKind kind;
};

// Lists the tree below source + relative depth first, each folder before its contents.
// visited holds the folders already listed and the target, which are skipped. Relative paths
// take the separator the source folder is written with.
void Collect(const std::string& source, const std::string& relative, std::set<FileId>& visited,
             std::vector<Item>& items) {
  const char sep = SeparatorOf(source);
  for (const DirEntry& entry : ListFolder(source + relative)) {
    const std::string rel = relative + entry.name;
    const std::optional<PathInfo> info = LookUp(source + rel);
    if (info && info->kind == EntryKind::Folder) {
      if (visited.insert(info->id).second) {
        items.push_back({rel + sep, ItemKind::Folder});
        Collect(source, rel + sep, visited, items);
      }
    } else if (info && info->kind == EntryKind::File) {
      items.push_back({rel, ItemKind::File});
    } else {
      items.push_back({rel, ItemKind::Other});
    }
  }
}

} // namespace

void CopyFolderContents(const std::string& source, const std::string& target,
                        const std::string& title, ConversionInteraction& interaction) {
  const std::optional<PathInfo> sourceInfo = LookUp(source);
  if (!sourceInfo || sourceInfo->kind != EntryKind::Folder) {
    interaction.CopyFailed(Format(kMsgExtraFolderMissing, PathToText(source).c_str()));
    return;
  }
  std::set<FileId> visited{sourceInfo->id};
  if (const std::optional<PathInfo> targetInfo = LookUp(target)) {
    if (targetInfo->id == sourceInfo->id) {
      return;
    }
    // The target may lie inside the source: its contents are what is being copied.
    visited.insert(targetInfo->id);
  }

  std::vector<Item> items;
  Collect(source, "", visited, items);
  int fileCount = 0;
  for (const Item& item : items) {
    fileCount += item.kind == ItemKind::File ? 1 : 0;
  }

  interaction.BeginCopy(title, fileCount);
  for (const Item& item : items) {
    const std::string from = source + item.relative;
    const std::string to = target + item.relative;
    switch (item.kind) {
    case ItemKind::Folder:
      if (!ForceDirectories(to)) {
        interaction.CopyFailed(Format(kMsgFolderNotCreated, PathToText(to).c_str()));
      }
      break;
    case ItemKind::Other:
      interaction.CopyFailed(Format(kMsgCopyFailed, PathToText(from).c_str(),
                                    PathToText(to).c_str(), kReasonNotRegular));
      break;
    case ItemKind::File:
      if (DirectoryExists(to)) {
        interaction.CopyFailed(Format(kMsgCopyFailed, PathToText(from).c_str(),
                                      PathToText(to).c_str(), SystemReasonText(EISDIR).c_str()));
      } else if (FileExists(to) && !interaction.ConfirmReplace(to)) {
        interaction.CopiedFile(to);
      } else if (const int err = CopyFileAtomic(from, to); err == 0) {
        interaction.CopiedFile(to);
      } else {
        interaction.CopyFailed(Format(kMsgCopyFailed, PathToText(from).c_str(),
                                      PathToText(to).c_str(), SystemReasonText(err).c_str()));
      }
      break;
    }
  }
  interaction.EndCopy();
}

} // namespace qm
