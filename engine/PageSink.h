// Where the bytes of a page go while it is written: the two ways a page reaches the disk.
// Memory stays bounded however large a page grows; what ends up on disk is exactly the bytes
// appended, in order.
#pragma once

#include "base/SpillFile.h"
#include "base/TextFile.h"

#include <string>
#include <string_view>

namespace qm {

/// A page grows in memory up to this many bytes before they go to disk.
inline constexpr size_t kPageMemoryLimit = size_t{4} << 20;

/// A per-source page written into its own file as it grows. The file holds everything
/// appended once Finish returns; before that, up to kPageMemoryLimit bytes wait in memory.
class PageStream {
public:
  PageStream() = default;
  /// Starts the page at path: create gives an old file its new content (bytes it already
  /// holds are not written again, so an unchanged page keeps its time); otherwise the old file
  /// is deleted now and the page's file is made only when bytes first go to disk. exists false
  /// says that no file is at path, so none is looked at or deleted. Throws
  /// Error(kMsgCannotCreate) when the file cannot be made.
  PageStream(std::string path, bool create, bool exists = true);

  /// Appends bytes; throws Error naming the file when they cannot be written.
  void Append(std::string_view bytes);
  /// Writes what is still in memory (making the file if it was not made yet) and closes it.
  void Finish();
  /// Closes the page and deletes its file if it was made; nothing stays on disk.
  void Discard();

private:
  /// Moves the bytes in memory into the file, making it first if needed.
  void WriteHeld();

  std::string path_;
  OutputFile file_;
  std::string held_;
};

} // namespace qm
