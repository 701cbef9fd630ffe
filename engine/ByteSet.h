// A set of byte values with a fast search for the next of them in a text.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace qm {

/// Byte values to look for. Texts are mostly ASCII and the bytes looked for few, so a set of
/// at most four ASCII bytes, with any number from 0x80 up, is searched sixteen bytes at a time.
class ByteSet {
public:
  void Add(char c);
  bool Has(char c) const { return has_[static_cast<unsigned char>(c)]; }
  /// The first position at or after from whose byte is in the set, or npos.
  size_t FindIn(std::string_view text, size_t from = 0) const;

private:
  std::array<bool, 256> has_{};
  std::array<char, 4> ascii_{}; ///< the set's ASCII bytes, while there are at most four
  size_t asciiCount_ = 0;       ///< how many of them; more than four: searched byte by byte
  bool high_ = false;           ///< the set holds a byte from 0x80 up
};

} // namespace qm
