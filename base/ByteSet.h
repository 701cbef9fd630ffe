// A set of byte values with a fast search for the next of them in a text.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qm {

/// Byte values to look for. Texts are mostly ASCII and the bytes looked for few, so a set of
/// at most four ASCII bytes, with any number from 0x80 up, is searched sixteen bytes at a time.
class ByteSet {
public:
  void Add(char c);
  bool Has(char c) const { return has_[static_cast<unsigned char>(c)]; }
  /// The first position at or after from whose byte is in the set, or npos.
  size_t FindIn(std::string_view text, size_t from = 0) const;
  /// Calls visit(position) for every position of text whose byte is in the set, left to right:
  /// FindIn over a text with many such bytes, without starting a search for each.
  template <typename Visit> void ForEachIn(std::string_view text, const Visit& visit) const;
  /// Calls stop(position) for the positions at or after from whose byte is in the set, left to
  /// right, until it returns true; returns that position, or npos. One search for a walk that
  /// looks at many such bytes, where FindIn would start a search for each.
  template <typename Stop>
  size_t FindIf(std::string_view text, size_t from, const Stop& stop) const {
    return Scan(text, from, stop);
  }

private:
  /// Calls stop(position) for the positions at or after from whose byte is in the set, left to
  /// right, until it returns true; returns that position, or npos.
  template <typename Stop> size_t Scan(std::string_view text, size_t from, const Stop& stop) const;

  std::array<bool, 256> has_{};
  std::array<char, 4> ascii_{}; ///< the set's ASCII bytes, while there are at most four
  size_t asciiCount_ = 0;       ///< how many of them; more than four: searched byte by byte
  bool high_ = false;           ///< the set holds a byte from 0x80 up
};

template <typename Visit> void ByteSet::ForEachIn(std::string_view text, const Visit& visit) const {
  Scan(text, 0, [&visit](size_t at) {
    visit(at);
    return false;
  });
}

template <typename Stop>
size_t ByteSet::Scan(std::string_view text, size_t from, const Stop& stop) const {
  size_t p = from;
#if defined(__SSE2__)
  if (asciiCount_ <= ascii_.size()) {
    // A lane is a candidate when it equals one of the ASCII bytes (slots not taken repeat the
    // first) or, when the set holds such bytes, has its high bit set; a candidate from 0x80 up
    // may still be outside the set.
    const __m128i a = _mm_set1_epi8(ascii_[0]);
    const __m128i b = _mm_set1_epi8(ascii_[1]);
    const __m128i c = _mm_set1_epi8(ascii_[2]);
    const __m128i d = _mm_set1_epi8(ascii_[3]);
    const unsigned asciiMask = asciiCount_ > 0 ? 0xFFFFU : 0U;
    // Sets of at most two ASCII bytes (line breaks, say) need only two compares.
    const bool two = asciiCount_ <= 2;
    for (; p + 16 <= text.size(); p += 16) {
      const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + p));
      __m128i hits = _mm_or_si128(_mm_cmpeq_epi8(chunk, a), _mm_cmpeq_epi8(chunk, b));
      if (!two) {
        hits = _mm_or_si128(hits, _mm_or_si128(_mm_cmpeq_epi8(chunk, c), _mm_cmpeq_epi8(chunk, d)));
      }
      unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(hits)) & asciiMask;
      if (high_) {
        mask |= static_cast<unsigned>(_mm_movemask_epi8(chunk));
      }
      for (; mask != 0; mask &= mask - 1) {
        const size_t at = p + static_cast<size_t>(__builtin_ctz(mask));
        if (Has(text[at]) && stop(at)) {
          return at;
        }
      }
    }
  }
#endif
  for (; p < text.size(); ++p) {
    if (Has(text[p]) && stop(p)) {
      return p;
    }
  }
  return std::string_view::npos;
}

} // namespace qm
