// The file-system layer: folder listings, masks, existence tests, deletion and creation.
// Paths are Windows-1252 strings; they are converted to UTF-8 at each system call.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// One entry of a folder listing (never "." or "..").
struct DirEntry {
  std::string name; ///< file name, Windows-1252
  bool isDir = false;
  bool hidden = false; ///< the name starts with "."
};

/// The entries of a folder, sorted ascending by the Windows-1252 upper-case form of the name,
/// then by the raw bytes, so that runs are reproducible. A folder that does not exist or cannot
/// be listed gives no entries.
std::vector<DirEntry> ListFolder(std::string_view folder);

/// True when name matches mask: "*" any run, "?" one character, the whole name, without regard
/// to Windows-1252 case. The mask "*." matches names that contain no dot.
bool MatchesMask(std::string_view name, std::string_view mask);

/// The native (UTF-8) form of a Windows-1252 path.
std::string NativePath(std::string_view path);

bool FileExists(std::string_view path);      ///< a file (not a folder) of that name exists
bool DirectoryExists(std::string_view path); ///< a folder of that name exists
/// Deletes a file; false when it could not be deleted (or did not exist).
bool DeleteFileAt(std::string_view path);
/// Creates one folder level; false when it failed (an existing folder also gives false).
bool CreateFolder(std::string_view path);
/// Creates the folder with every missing folder above it; true when it exists afterwards.
bool ForceDirectories(std::string_view path);

/// The folder of the running executable (links resolved), with its trailing "/".
std::string ProgramFolder();

} // namespace qm
