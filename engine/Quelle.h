// The source files of one conversion: the folders to search and the files in them that match
// the masks of the ticked source kinds.
#pragma once

#include "base/AnsiText.h"
#include "base/FileSystem.h"
#include "base/Warnings.h"
#include "engine/PathPatterns.h"

#include <string>

namespace qm {

/// The words for what an entry that is no regular file is (a named pipe, a socket, ...).
const char* EntryKindText(EntryKind kind);

class TQuelle {
public:
  Lines Files;   ///< full paths of the sources found, in the order of finding
  Lines Folders; ///< folders to search, each ending in "/", the root first
  Lines Masks;   ///< file masks such as "*.pas", filled by the caller
  bool IncludeSubfolders = false;
  /// A folder below the root that is not searched (the output folder: its pages are no
  /// sources), or empty. The root itself is searched all the same.
  std::string Excluded;
  /// Paths relative to the root that the search leaves out: a folder they pick is not entered,
  /// a file they pick is no source. The root itself is always searched.
  PathPatterns ExcludePatterns;
  /// What ExcludePatterns left out: folders that would have been searched, and files that
  /// would have been sources (once per mask they match).
  int FoldersExcluded = 0;
  int FilesExcluded = 0;
  /// What the search skipped, one warning each: folders that could not be read, and names
  /// matching a mask that are no regular file (a fifo, a socket, a device, a link leading
  /// nowhere), hold a control character, or have a path too long for the system.
  WarningList Warnings;

  /// Appends root to Folders, collects the sub-folders (SearchFolders), then for each folder in
  /// list order and each mask in list order appends the matching files (SearchFiles). root ends
  /// in "/". Does not clear the lists first. A folder that cannot be listed gets a warning.
  void Search(const std::string& root);
  /// Appends the sub-folders of folder whose names contain no dot, leaving out hidden ones;
  /// with IncludeSubfolders each is searched at once (depth first).
  void SearchFolders(const std::string& folder);
  /// Appends folder + name for every regular file of folder that matches mask (hidden files
  /// included; folders are not sources, even when their names match). Other matching names
  /// are skipped with a warning, as are names with a control character and paths too long.
  void SearchFiles(const std::string& folder, const std::string& mask);

  /// Whether ExcludePatterns pick path, a folder or a file below the root; counted when they
  /// do. Without patterns nothing is looked at.
  bool LeaveOut(const std::string& path, bool isFolder);

private:
  std::string root_; ///< the folder patterns are relative to: the first one searched
};

} // namespace qm
