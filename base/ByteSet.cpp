#include "base/ByteSet.h"

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
  return Scan(text, from, [](size_t) { return true; });
}

} // namespace qm
