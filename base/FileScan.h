// Looking for texts in files without reading them whole.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// Texts to look for in files, each with its skip table built once for all the files.
class FileNeedles {
public:
  explicit FileNeedles(std::initializer_list<std::string_view> needles);
  FileNeedles(const FileNeedles&) = delete;
  FileNeedles& operator=(const FileNeedles&) = delete;

  /// Whether the regular file at path holds one of the needles, read piece by piece so that a
  /// large file is never held whole. False when it cannot be read or is no regular file.
  bool FoundIn(std::string_view path) const;

private:
  std::vector<std::string> needles_; ///< the searchers point into these
  std::vector<std::boyer_moore_horspool_searcher<const char*>> searchers_;
  size_t keepMax_ = 0; ///< bytes kept from one piece for the next
};

} // namespace qm
