// Per-source pages that a later source of the run may still write or leave alone. Sources
// that share a base name share their pages; each page is kept back until the last source
// that can write it is done, so that only its final bytes are compared with the disk and
// written, and an unchanged rerun touches no file.
#pragma once

#include "engine/PageFolders.h"
#include "engine/PageSink.h"

#include <cstddef>
#include <string>
#include <unordered_map>

namespace qm {

/// Bytes the held pages keep in memory together; a page held beyond that waits in its
/// temporary file beside its place.
inline constexpr size_t kHeldMemoryLimit = size_t{32} << 20;

class HeldPages {
public:
  explicit HeldPages(size_t memoryLimit = kHeldMemoryLimit) : memoryLimit_(memoryLimit) {}

  /// Holds the finished page of key (in place of whatever was held for it).
  void Hold(const std::string& key, PageStream page);
  /// Holds the deletion of the file at path (in place of whatever was held for key): no
  /// source of the run wrote the page so far.
  void HoldDeletion(const std::string& key, const std::string& path);
  /// Drops what is held for key, if anything: a later source replaces it.
  void Drop(const std::string& key) noexcept;
  /// Puts what is held for key in place, if anything: the page is written unless the disk
  /// holds its bytes already, or the file deleted. Throws Error naming the file.
  void PutInPlace(const std::string& key, PageFolders& folders);
  /// Puts every held page in place, in the order they were first held. Throws the first
  /// failure once every page was tried.
  void PutAllInPlace(PageFolders& folders);
  /// PutAllInPlace for a run that already ends by a failure: further failures are dropped.
  void PutAllInPlaceQuietly(PageFolders& folders) noexcept;

  size_t Count() const { return held_.size(); }
  /// Bytes the held pages keep in memory now.
  size_t MemoryBytes() const { return memory_; }

private:
  struct Held {
    std::string path;  ///< the page, for a held deletion
    bool write = true; ///< false: the file at path is deleted
    PageStream page;
    size_t memory = 0; ///< bytes of page in memory
    size_t order = 0;  ///< when key was first held
  };
  /// Replaces what is held for key by held.
  void Put(const std::string& key, Held held);
  static void Resolve(Held& held, PageFolders& folders);

  size_t memoryLimit_;
  size_t memory_ = 0;
  size_t next_ = 0;
  std::unordered_map<std::string, Held> held_;
};

} // namespace qm
