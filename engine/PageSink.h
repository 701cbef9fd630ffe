// Where the bytes of a page go while it is written: the two ways a page reaches the disk.
// Memory stays bounded however large a page grows; what ends up on disk is exactly the bytes
// appended, in order, put in the page's place in one step.
#pragma once

#include "base/SpillFile.h"
#include "base/TextFile.h"

#include <memory>
#include <string>
#include <string_view>

namespace qm {

/// A page grows in memory up to this many bytes before they go to disk.
inline constexpr size_t kPageMemoryLimit = size_t{4} << 20;

/// A per-source page written as it grows. Up to kPageMemoryLimit bytes wait in memory; beyond
/// that the page grows in a temporary file beside it. Its own file changes only when the page
/// ends: Finish puts the new page in its place, Discard deletes the old one. Until then, and
/// when the run is killed or fails before, the old page stays whole.
class PageStream {
public:
  PageStream() = default;
  /// Starts the page at path. create says that the page will be written (a read-only file at
  /// path is refused now: Error(kMsgCannotCreateBecause)); exists false says that no file is
  /// at path, so none is compared or deleted.
  /// seen, when given, is what a read of the file at path found earlier; Finish compares with
  /// it instead of reading the file again while the file is still as it was then. plain says
  /// that a regular file was found at path a moment ago.
  PageStream(std::string path, bool create, bool exists = true,
             std::shared_ptr<const FileSnapshot> seen = nullptr, bool plain = false);

  /// Whether appending size bytes sends bytes to the disk (all others wait in memory).
  bool WillSpill(size_t size) const {
    return size >= kPageMemoryLimit || held_.size() + same_ + size >= kPageMemoryLimit;
  }
  /// Appends bytes; throws Error naming the file when they cannot be written.
  void Append(std::string_view bytes);
  /// Puts the page in its place (a file that holds these bytes already is not touched, and
  /// keeps its time; a link at the page's place is replaced). Throws Error naming the file.
  void Finish();
  /// Drops what was appended and deletes the old file; nothing stays on disk.
  void Discard();
  /// Drops what was appended; the old file stays as it is.
  void Abandon() noexcept;

  const std::string& Path() const { return path_; }
  /// Bytes of the page waiting in memory (none while they are the start of what was seen).
  size_t MemoryBytes() const { return held_.size(); }
  /// Lets go of the room reserved beyond the bytes waiting in memory, for a page that waits
  /// long.
  void Compact() { held_.shrink_to_fit(); }
  /// Moves the bytes waiting in memory to the temporary file. Throws Error naming the file.
  void Spill();

private:
  std::string path_;
  bool exists_ = false;
  std::shared_ptr<const FileSnapshot> seen_;
  SpillFile spill_{std::string()};
  std::string held_;
  // While all bytes appended are the start of what seen_ holds, they are only counted: a page
  // that comes out as it was read is neither copied nor held twice.
  bool following_ = false;
  size_t same_ = 0;
  // Takes the bytes counted in same_ into held_ from seen_, when the page parts from it.
  void StopFollowing();
};

} // namespace qm
