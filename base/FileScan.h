// Looking for texts in files without reading them whole.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// Texts to look for in files. Each needle is found through one of its bytes that text rarely
/// holds (its anchor): the fast byte search of the C library runs from anchor to anchor, and
/// only there are the needles compared. Needles that share their anchor are found in one walk.
class FileNeedles {
public:
  explicit FileNeedles(std::initializer_list<std::string_view> needles);
  FileNeedles(const FileNeedles&) = delete;
  FileNeedles& operator=(const FileNeedles&) = delete;

  /// Whether the regular file at path holds one of the needles, read piece by piece so that a
  /// large file is never held whole. False when it cannot be read or is no regular file.
  bool FoundIn(std::string_view path) const;
  /// Whether text holds one of the needles.
  bool FoundInText(std::string_view text) const;

private:
  struct Needle {
    std::string text;
    size_t anchorAt = 0; ///< where its anchor byte is in text
  };
  struct Anchor {
    char byte = '\0';
    std::vector<Needle> needles; ///< the needles found through this byte
  };
  /// Whether a needle of anchor stands in text around one of its anchor bytes.
  static bool FoundAround(std::string_view text, const Anchor& anchor);

  std::vector<Anchor> anchors_;
  size_t keepMax_ = 0; ///< bytes kept from one piece for the next
};

} // namespace qm
