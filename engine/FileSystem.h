// The file-system layer: folder listings, masks, existence tests, deletion and creation.
// Paths are the file system's own bytes (UTF-8 here) from the listing to the open call; only
// where a path becomes text of a page, a help file or a message is it converted (Paths.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// One entry of a folder listing (never "." or "..").
struct DirEntry {
  std::string name; ///< file name as the file system spells it
  bool isDir = false;
  bool hidden = false; ///< the name starts with "."
};

/// The entries of a folder, sorted ascending by the Windows-1252 upper-case form of the name,
/// then by the raw bytes, so that runs are reproducible. A folder that does not exist or cannot
/// be listed gives no entries; error, when given, receives the errno of that failure (0 when
/// the folder was read).
std::vector<DirEntry> ListFolder(std::string_view folder, int* error = nullptr);

/// True when name matches mask: "*" any run, "?" one character, the whole name, without regard
/// to Windows-1252 case. The mask "*." matches names that contain no dot.
bool MatchesMask(std::string_view name, std::string_view mask);

bool FileExists(std::string_view path);      ///< a file (not a folder) of that name exists
bool DirectoryExists(std::string_view path); ///< a folder of that name exists
/// Deletes a file; false when it could not be deleted (or did not exist).
bool DeleteFileAt(std::string_view path);
/// Creates one folder level; false when it failed (an existing folder also gives false).
bool CreateFolder(std::string_view path);
/// Creates the folder with every missing folder above it; true when it exists afterwards.
/// error, when given, receives the errno of the step that failed.
bool ForceDirectories(std::string_view path, int* error = nullptr);

/// The folder of the running executable (links resolved), with its trailing "/".
std::string ProgramFolder();

} // namespace qm
