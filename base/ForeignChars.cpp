#include "base/ForeignChars.h"

#include <array>
#include <cstring>

namespace qm {

namespace {

// The digits 0-3 and the value of each byte as a digit (-1: none).
constexpr std::array<char, 4> kDigitBytes = {'\x8D', '\x8F', '\x90', '\x9D'};

constexpr int DigitOf(char c) {
  for (size_t d = 0; d < kDigitBytes.size(); ++d) {
    if (kDigitBytes[d] == c) {
      return static_cast<int>(d);
    }
  }
  return -1;
}

constexpr char32_t kLastCodePoint = 0x10FFFF;
constexpr char32_t kMarkCodePoint = 0x81;

} // namespace

void AppendForeignCode(std::string& out, char32_t cp) {
  out.push_back(kForeignMark);
  for (size_t k = kForeignDigits; k-- > 0;) {
    out.push_back(kDigitBytes[(cp >> (2 * k)) & 3]);
  }
}

std::optional<char32_t> ForeignCodeAt(std::string_view text, size_t at) {
  if (at + kForeignCodeSize > text.size() || text[at] != kForeignMark) {
    return std::nullopt;
  }
  char32_t cp = 0;
  for (size_t k = 1; k < kForeignCodeSize; ++k) {
    const int digit = DigitOf(text[at + k]);
    if (digit < 0) {
      return std::nullopt;
    }
    cp = (cp << 2) | static_cast<char32_t>(digit);
  }
  if (cp > kLastCodePoint) {
    return std::nullopt;
  }
  return cp;
}

bool HoldsForeignCodes(std::string_view text) {
  return !text.empty() && std::memchr(text.data(), kForeignMark, text.size()) != nullptr;
}

std::string ExpandForeignCodes(std::string_view text, ForeignForm form) {
  std::string out;
  out.reserve(text.size());
  size_t done = 0;
  for (size_t at = text.find(kForeignMark); at != std::string_view::npos;
       at = text.find(kForeignMark, at)) {
    const std::optional<char32_t> cp = ForeignCodeAt(text, at);
    if (!cp) {
      ++at;
      continue;
    }
    out.append(text.substr(done, at - done));
    if (*cp == kMarkCodePoint) {
      out.push_back(kForeignMark);
    } else if (form == ForeignForm::Html) {
      out.append("&#").append(std::to_string(static_cast<unsigned long>(*cp))).push_back(';');
    } else {
      out.push_back('_');
    }
    at += kForeignCodeSize;
    done = at;
  }
  out.append(text.substr(done));
  return out;
}

} // namespace qm
