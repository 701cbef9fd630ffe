// The file-system layer: folder listings, masks, existence tests, deletion and creation.
// Paths are the file system's own bytes (UTF-8; on Windows the UTF-8 form of its UTF-16 names)
// from the listing to the open call; only where a path becomes text of a page, a help file or
// a message is it converted (Paths.h).
#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// What a folder entry is, a link taken as what it leads to.
enum class EntryKind {
  File,       ///< a regular file
  Folder,     ///< a folder
  Fifo,       ///< a named pipe: opening it for reading could wait forever
  Socket,     ///< a socket
  Device,     ///< a character or block device
  BrokenLink, ///< a link that leads nowhere (its target is missing, or links go round)
};

/// One entry of a folder listing (never "." or "..").
struct DirEntry {
  std::string name; ///< file name as the file system spells it
  EntryKind kind = EntryKind::File;
  bool hidden = false; ///< the name starts with "." (on Windows also: marked hidden)

  bool IsFolder() const { return kind == EntryKind::Folder; }
  bool IsFile() const { return kind == EntryKind::File; }
};

/// The entries of a folder, sorted ascending by the Windows-1252 upper-case form of the name,
/// then by the raw bytes, so that runs are reproducible. Each entry's kind is looked up
/// relative to the open folder, so a name whose full path would be too long for the system
/// still gets its kind. A folder that does not exist or cannot be listed gives no entries;
/// error, when given, receives the errno of that failure (0 when the folder was read).
std::vector<DirEntry> ListFolder(std::string_view folder, int* error = nullptr);

/// The identity of a file or folder on disk, the same through every name and link that leads
/// to it, so that a folder reached twice is noticed.
struct FileId {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  auto operator<=>(const FileId&) const = default;
};

/// What a look at a path finds, a link taken as what it leads to.
struct PathInfo {
  EntryKind kind = EntryKind::File;
  FileId id;
  unsigned long long size = 0; ///< in bytes
};

/// Looks at path (links followed). Nothing when that fails; error, when given, receives the
/// errno of the failure.
std::optional<PathInfo> LookUp(std::string_view path, int* error = nullptr);
/// True when path can be opened for reading now; error, when given, receives the errno of a
/// failed open.
bool CanOpenForReading(std::string_view path, int* error = nullptr);

/// True when name matches mask: "*" any run, "?" one character, the whole name, without regard
/// to Windows-1252 case. The mask "*." matches names that contain no dot.
bool MatchesMask(std::string_view name, std::string_view mask);

bool FileExists(std::string_view path);      ///< a file (not a folder) of that name exists
bool DirectoryExists(std::string_view path); ///< a folder of that name exists
/// True when anything (file, folder or other entry) is at path, links followed.
bool PathExists(std::string_view path);
/// True when a symbolic link is at path: the link itself is looked at, not what it leads to.
bool IsLink(std::string_view path);
/// Deletes a file; false when it could not be deleted (or did not exist), with errno set.
bool DeleteFileAt(std::string_view path);
/// Creates one folder level; false when it failed (an existing folder also gives false).
bool CreateFolder(std::string_view path);
/// Creates the folder with every missing folder above it; true when it exists afterwards.
/// error, when given, receives the errno of the step that failed.
bool ForceDirectories(std::string_view path, int* error = nullptr);

/// Copies the bytes of from into a temporary file beside to and renames it over to; the copy
/// keeps the source's permission bits. Returns 0, or the errno of the step that failed (the
/// temporary is removed then).
int CopyFileAtomic(const std::string& from, const std::string& to);

/// The folder of the running executable (links resolved), with its trailing "/".
std::string ProgramFolder();

} // namespace qm
