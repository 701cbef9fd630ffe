// What base/ asks of the operating system, in one small interface with one implementation per
// system (posix/ and win/), so that the rest of base/ is the same everywhere. Only base/ uses
// it; the layers above use FileSystem.h, TextFile.h and the other headers.
//
// Paths are UTF-8 text with "/" (and on Windows also "\") as separators; the Windows side
// turns them into UTF-16 at each call, so every name the system can hold can be named. A failed
// call returns -1 or false and leaves an errno value in errno (on Windows translated from the
// system's error code), which the callers put into their Error.
#pragma once

#include "base/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

namespace qm::sys {

/// How Open opens a file. Every open is without waiting (a fifo is opened but never blocks),
/// never makes the file the controlling terminal, and is not handed to started programs.
enum OpenFlags : unsigned {
  kRead = 1U << 0,
  kWrite = 1U << 1,
  kCreate = 1U << 2,   ///< create the file when it is missing (as 0666 less the umask)
  kTruncate = 1U << 3, ///< cut an existing file to nothing
  kAppend = 1U << 4,   ///< every write goes to the end
  kNoFollow = 1U << 5, ///< a link at path is not opened through (the open fails)
};

/// Opens path; the descriptor, or -1.
int Open(const std::string& path, unsigned flags);
/// Closes fd; false when the last data could not be stored.
bool Close(int fd);
/// Reads up to size bytes; the count (0 at the end), or -1. Goes on after interruptions.
std::int64_t Read(int fd, char* buffer, size_t size);
/// Reads up to size bytes at offset without moving the file position; the count, or -1.
std::int64_t ReadAt(int fd, char* buffer, size_t size, std::uint64_t offset);
/// Writes all of size bytes; false when that fails.
bool WriteAll(int fd, const char* data, size_t size);
/// Moves the file position to offset.
bool Seek(int fd, std::uint64_t offset);
/// Cuts or extends the open file to size bytes.
bool Resize(int fd, std::uint64_t size);
/// Makes the file's data reach the disk.
bool Sync(int fd);

/// What an open file or a path is.
struct Status {
  EntryKind kind = EntryKind::File;
  std::uint64_t size = 0;
  std::uint64_t links = 1; ///< names the file has in the file system
  FileId id;
  /// When its bytes and when the file itself last changed, in nanoseconds of the system's
  /// clock (0 where the system keeps no such time).
  std::int64_t modified = 0;
  std::int64_t changed = 0;
};
/// The status of the open file fd.
bool StatusOf(int fd, Status& status);
/// The status of path, links followed.
bool StatusAt(const std::string& path, Status& status);

/// Deletes the file path.
bool Remove(const std::string& path);
/// Creates one folder level.
bool MakeFolder(const std::string& path);
/// The entries of folder (without "." and ".."), unsorted; false when it cannot be listed.
bool ListEntries(const std::string& folder, std::vector<DirEntry>& entries);

/// The file that path names with every link resolved; path itself when that fails.
std::string ResolvedPath(const std::string& path);
/// Creates a new, empty file from pattern, whose six characters before its last suffix ones are
/// "XXXXXX" and become a unique text; the descriptor (open for reading and writing), or -1.
int MakeTempFile(std::string& pattern, size_t suffix = 0);
/// Creates a new folder from pattern, whose last six characters are "XXXXXX" and become a
/// unique text, readable only by this user where the system has such permissions.
bool MakeTempFolder(std::string& pattern);
/// Renames from to to in one step, replacing a file at to. 0, or the errno of the failure.
int RenameOver(const std::string& from, const std::string& to);
/// Gives temp the permissions of the regular file at target (those of a new file when there is
/// none, or a link is there) and renames it over target in one step; a link at target is
/// replaced, not followed. A regular file this process may not write stays. 0, or the errno of
/// the failed step.
int PutInPlace(const std::string& temp, const std::string& target);
/// 0 when no regular file is at path (links not followed) or this process may write it; else
/// the reason (EACCES, EROFS; on Windows also a file marked read-only). plain says that the
/// caller just found a regular file at path, which need not be looked at again.
int WriteRefusal(const std::string& path, bool plain = false);
/// True when a regular file, not a link, is at path.
bool IsPlainFile(const std::string& path);
/// The status of the regular file at path, links not followed; false when none is there.
bool PlainFileStatus(const std::string& path, Status& status);
/// True when a link is at path (on Windows: any reparse point), not what it leads to.
bool IsLink(const std::string& path);
/// Gives the open file to the permissions of the open file from, so that a copy keeps them.
bool CopyPermissions(int from, int to);

/// The path of the running executable (links resolved); empty when it is not known.
std::string ExecutablePath();
/// The environment variable name as UTF-8 text; false when it is not set.
bool Environment(const char* name, std::string& value);

/// Lowers the calling thread's priority a little below the others' (best effort: a failure is
/// ignored). For helper threads that feed one thread which all the work passes through: woken,
/// they then do not take that thread's core from it.
void LowerThreadPriority();

/// The user's short date and long time for tm, as Windows-1252 text; the program's German
/// defaults ("%d.%m.%Y", "%H:%M:%S") when the locale is the plain C/POSIX one.
std::string RegionalDate(const std::tm& tm);
std::string RegionalTime(const std::tm& tm);

} // namespace qm::sys
