// Replacing a file in one step: the new bytes go to a temporary file beside the target, which
// is then renamed over it. Whoever looks at the target, also after a failure or a kill, sees
// either the old file whole or the new one whole.
#pragma once

#include "base/FileSystem.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// Temporary files of a replacement are named ".<start of the target's name><kTempMark>"
/// followed by six random letters or digits (and, where a program that reads the file asks
/// for one, an extension); a temporary folder is named "<kTempMark>" and six of them.
inline constexpr std::string_view kTempMark = ".qmtmp";

/// True when a folder entry's name has the form of a replacement's temporary file or folder.
bool IsReplacementTemp(std::string_view name);

/// The file that a replacement of path writes when links are followed: path itself, or the
/// file that a link at path leads to (so that the link stays a link).
std::string ReplacementTarget(std::string_view path);

/// Makes a new, empty temporary file beside target for a replacement that MoveIntoPlace
/// finishes; fd receives its open descriptor. extension (such as ".hhp"), when given, ends
/// the name. Returns its name, or "" with errno set.
std::string MakeTempBeside(const std::string& target, int& fd, std::string_view extension = {});
/// Makes a new, empty temporary folder in folder (ending in "/", or empty for the current
/// one). Returns its path with a trailing "/", or "" with errno set.
std::string MakeTempFolderIn(const std::string& folder);
/// Removes path and, for a folder, everything in it; nothing when nothing is there.
void RemoveTemp(const std::string& path) noexcept;

/// 0 when the file at target may be replaced, else the reason: a regular file there that this
/// process may not write (EACCES, EROFS) is refused, as writing it in place would be. A link
/// or nothing at target may be replaced. plain says that a regular file was found at target a
/// moment ago, so only the permission is asked.
int CheckReplaceable(const std::string& target, bool plain = false);

/// Gives temp the permissions of the regular file it replaces (those of a new file when there
/// is none, or a link is there) and renames it over target; a link at target is replaced, not
/// followed. A target that CheckReplaceable refuses stays. Returns 0, or the errno of the step
/// that failed (temp stays then).
int MoveIntoPlace(const std::string& temp, const std::string& target);

/// What tells one state of a regular file from another: the file, its size and the times its
/// bytes and the file itself last changed. A file replaced, written or cut shows another.
struct FileStamp {
  FileId id;
  unsigned long long size = 0;
  long long modified = 0;
  long long changed = 0;
  bool operator==(const FileStamp&) const = default;
};

/// The bytes of a regular file as one read found them, with the file's stamp at that read.
struct FileSnapshot {
  std::string bytes;
  FileStamp stamp;
};
/// The bytes of the regular file (not a link) at path, when it holds at most limit bytes;
/// nothing when there is none, it is larger, or it cannot be read. Never waits (a fifo is not
/// read).
std::optional<FileSnapshot> TakeSnapshot(const std::string& path, size_t limit);

/// True when the regular file (not a link) at path is still as seen found it: the same file,
/// size and times.
bool StillAsSeen(const std::string& path, const FileSnapshot& seen);

/// True when a regular file (not a link) is at path and holds exactly bytes. With seen, a file
/// whose stamp is still the one seen is answered from the bytes seen, without reading it.
bool FileHoldsBytes(const std::string& path, std::string_view bytes,
                    const FileSnapshot* seen = nullptr);
/// True when a regular file (not a link) is at path and holds exactly what the regular file
/// other holds.
bool FileHoldsSameAs(const std::string& path, const std::string& other);

/// Removes the files and folders of entries (a listing of folder) that are temporaries:
/// a run that was killed left them. Only call this while no other process replaces files in
/// folder (the run holds the folder's RunLock). Returns how many were removed.
size_t RemoveLeftoverTemps(const std::string& folder, const std::vector<DirEntry>& entries);

} // namespace qm
