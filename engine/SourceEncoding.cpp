#include "engine/SourceEncoding.h"

#include "base/CodePages.h"
#include "base/ForeignChars.h"

#include <cstdint>
#include <cstring>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qm {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

// The first byte at or after from that is not ASCII, or the text's size.
size_t FirstHighByte(std::string_view text, size_t from) {
  size_t p = from;
#if defined(__SSE2__)
  for (; p + 16 <= text.size(); p += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + p));
    if (const int high = _mm_movemask_epi8(chunk); high != 0) {
      return p + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(high)));
    }
  }
#endif
  for (; p < text.size(); ++p) {
    if (static_cast<unsigned char>(text[p]) >= 0x80) {
      return p;
    }
  }
  return text.size();
}

// The UTF-8 sequence at text[at] (whose first byte is not ASCII): its code point and length,
// or nothing when it is malformed, overlong, a surrogate or beyond U+10FFFF.
std::optional<std::pair<char32_t, size_t>> Utf8At(std::string_view text, size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  size_t length = 0;
  char32_t cp = 0;
  char32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1F;
    least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0F;
    least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07;
    least = 0x10000;
  } else {
    return std::nullopt;
  }
  if (at + length > text.size()) {
    return std::nullopt;
  }
  for (size_t k = 1; k < length; ++k) {
    const auto c = static_cast<unsigned char>(text[at + k]);
    if ((c & 0xC0) != 0x80) {
      return std::nullopt;
    }
    cp = (cp << 6) | (c & 0x3F);
  }
  if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    return std::nullopt;
  }
  return std::pair{cp, length};
}

// Where text stops being UTF-8 (at or after from), or nothing when all of it is.
std::optional<size_t> FirstBadUtf8(std::string_view text, size_t from) {
  for (size_t at = FirstHighByte(text, from); at < text.size(); at = FirstHighByte(text, at)) {
    const auto seq = Utf8At(text, at);
    if (!seq) {
      return at;
    }
    at += seq->second;
  }
  return std::nullopt;
}

// Appends a decoded character as the engine holds it: its Windows-1252 byte, else its code.
// The mark byte itself is always a code.
void AppendChar(std::string& out, char32_t cp, bool& foreign) {
  const int byte = AnsiByteOf(cp);
  if (byte >= 0 && static_cast<char>(byte) != kForeignMark) {
    out.push_back(static_cast<char>(byte));
    return;
  }
  AppendForeignCode(out, cp);
  foreign = true;
}

// Text that is all UTF-8, from from on.
std::string FromUtf8(std::string_view text, size_t from, bool& foreign) {
  std::string out;
  out.reserve(text.size() - from);
  size_t done = from;
  for (size_t at = FirstHighByte(text, from); at < text.size(); at = FirstHighByte(text, at)) {
    out.append(text.substr(done, at - done));
    const auto seq = Utf8At(text, at);
    AppendChar(out, seq->first, foreign);
    at += seq->second;
    done = at;
  }
  out.append(text.substr(done));
  return out;
}

// UTF-16 text after its mark; a lone surrogate or an odd last byte becomes U+FFFD.
std::string FromUtf16(std::string_view text, bool bigEndian, bool& foreign) {
  std::string out;
  out.reserve(text.size() / 2);
  const auto unit = [&text, bigEndian](size_t at) {
    const auto a = static_cast<unsigned char>(text[at]);
    const auto b = static_cast<unsigned char>(text[at + 1]);
    return static_cast<char32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  };
  size_t at = 0;
  for (; at + 2 <= text.size(); at += 2) {
    char32_t cp = unit(at);
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
      continue;
    }
    if (cp >= 0xD800 && cp <= 0xDBFF && at + 4 <= text.size()) {
      const char32_t low = unit(at + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        at += 2;
      }
    }
    AppendChar(out, cp >= 0xD800 && cp <= 0xDFFF ? kReplacement : cp, foreign);
  }
  if (at < text.size()) {
    AppendChar(out, kReplacement, foreign);
  }
  return out;
}

// The line (from 1) of byte at, counted as the engine counts lines.
int LineOf(std::string_view text, size_t at) {
  int line = 1;
  for (size_t p = 0; p < at; ++p) {
    if (text[p] == '\n' || (text[p] == '\r' && (p + 1 >= text.size() || text[p + 1] != '\n'))) {
      ++line;
    }
  }
  return line;
}

// A Windows-1252 reading where codes may be made: the text's own mark bytes become codes, in
// out. False, with out untouched, when bytes hold none.
bool EscapeMarks(std::string_view bytes, std::string& out) {
  if (!HoldsForeignCodes(bytes)) {
    return false;
  }
  out.clear();
  out.reserve(bytes.size() + kForeignDigits * 4);
  bool foreign = false;
  for (const char c : bytes) {
    if (c == kForeignMark) {
      AppendChar(out, static_cast<unsigned char>(c), foreign);
    } else {
      out.push_back(c);
    }
  }
  return true;
}

} // namespace

DecodedSource DecodeSource(std::string_view bytes, SourceEncoding encoding, std::string& made) {
  DecodedSource decoded;
  decoded.text = bytes;
  if (encoding == SourceEncoding::Ansi) {
    return decoded;
  }
  if (bytes.starts_with(kUtf16LeMark) || bytes.starts_with(kUtf16BeMark)) {
    decoded.reading = SourceReading::Utf16;
    made = FromUtf16(bytes.substr(kUtf16LeMark.size()), bytes.starts_with(kUtf16BeMark),
                     decoded.foreign);
    decoded.text = made;
    return decoded;
  }
  const bool marked = bytes.starts_with(kUtf8Mark);
  const size_t from = marked ? kUtf8Mark.size() : 0;
  const size_t high = FirstHighByte(bytes, from);
  if (high == bytes.size()) {
    if (marked) {
      decoded.reading = SourceReading::Utf8;
      decoded.text = bytes.substr(from);
    }
    return decoded;
  }
  if (const std::optional<size_t> bad = FirstBadUtf8(bytes, high)) {
    // Windows-1252 text with umlauts is almost never UTF-8; a file said to be UTF-8 is read as
    // Windows-1252 all the same, and the user is told where it is not.
    if (marked || encoding == SourceEncoding::Utf8) {
      decoded.badUtf8Line = LineOf(bytes, *bad);
    }
    decoded.foreign = EscapeMarks(bytes, made);
    if (decoded.foreign) {
      decoded.text = made;
    }
    return decoded;
  }
  decoded.reading = SourceReading::Utf8;
  made = FromUtf8(bytes, from, decoded.foreign);
  decoded.text = made;
  return decoded;
}

} // namespace qm
