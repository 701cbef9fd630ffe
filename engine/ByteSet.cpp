#include "engine/ByteSet.h"

namespace qm {

void ByteSet::Add(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (has_[u]) {
    return;
  }
  has_[u] = true;
  if (u >= 0x80) {
    high_ = true;
  } else {
    // Slots not yet taken repeat the first byte, so that all four can always be compared.
    if (asciiCount_ == 0) {
      ascii_.fill(c);
    } else if (asciiCount_ < ascii_.size()) {
      ascii_[asciiCount_] = c;
    }
    ++asciiCount_;
  }
}

size_t ByteSet::FindIn(std::string_view text, size_t from) const {
  size_t p = from;
#if defined(__SSE2__)
  if (asciiCount_ <= ascii_.size()) {
    // A lane is a candidate when it equals one of the ASCII bytes or has its high bit set (when
    // the set holds such bytes); a candidate from 0x80 up may still be outside the set.
    const __m128i a = _mm_set1_epi8(ascii_[0]);
    const __m128i b = _mm_set1_epi8(ascii_[1]);
    const __m128i c = _mm_set1_epi8(ascii_[2]);
    const __m128i d = _mm_set1_epi8(ascii_[3]);
    const bool ascii = asciiCount_ > 0;
    for (; p + 16 <= text.size(); p += 16) {
      const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + p));
      unsigned mask = 0;
      if (ascii) {
        const __m128i hits =
            _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(chunk, a), _mm_cmpeq_epi8(chunk, b)),
                         _mm_or_si128(_mm_cmpeq_epi8(chunk, c), _mm_cmpeq_epi8(chunk, d)));
        mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
      }
      if (high_) {
        mask |= static_cast<unsigned>(_mm_movemask_epi8(chunk));
      }
      while (mask != 0) {
        const size_t at = p + static_cast<size_t>(__builtin_ctz(mask));
        if (Has(text[at])) {
          return at;
        }
        mask &= mask - 1;
      }
    }
  }
#endif
  for (; p < text.size(); ++p) {
    if (Has(text[p])) {
      return p;
    }
  }
  return std::string_view::npos;
}

} // namespace qm
