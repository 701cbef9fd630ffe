// A deterministic tree of commented sources in every language Quillmark reads, for measuring
// a full conversion: nested folders, files of 5-60 KB, most with several Doc and Tech blocks,
// some sent to shared own pages, with context-id, contents and index lines, umlauts and
// inline tags. The same shape gives the same bytes.
#pragma once

#include <cstdint>
#include <string>

namespace qmbench {

struct TreeShape {
  int files = 3000;
  uint64_t seed = 20251126;
};

struct TreeStats {
  int files = 0;
  int folders = 0;
  uint64_t bytes = 0;
  int docBlocks = 0;
  int techBlocks = 0;
  int ownPageBlocks = 0; ///< blocks that name an own page with "###Output"
};

/// Prefix of the own-page names that blocks choose with "###Output".
inline constexpr const char* kOwnPagePrefix = "Kapitel_";

/// Writes the tree below root (an existing folder ending in "/"). Throws std::runtime_error
/// naming the file that could not be written.
TreeStats WriteSourceTree(const std::string& root, const TreeShape& shape);

} // namespace qmbench
