#include "base/AnsiText.h"

#include <algorithm>
#include <array>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

namespace qm {

namespace {

unsigned char U(char c) {
  return static_cast<unsigned char>(c);
}

} // namespace

std::string AnsiUpperCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    c = AnsiUpperChar(c);
  }
  return out;
}

std::string AnsiLowerCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    c = AnsiLowerChar(c);
  }
  return out;
}

bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (size_t i = 0; i < a.size(); ++i) {
    if (AnsiUpperChar(a[i]) != AnsiUpperChar(b[i])) {
      return false;
    }
  }
  return true;
}

std::string_view TrimView(std::string_view s) {
  size_t b = 0;
  size_t e = s.size();
  while (b < e && U(s[b]) <= 0x20) {
    ++b;
  }
  while (e > b && U(s[e - 1]) <= 0x20) {
    --e;
  }
  return s.substr(b, e - b);
}

std::string Trim(std::string_view s) {
  return std::string(TrimView(s));
}

size_t FindNoCase(std::string_view haystack, std::string_view needle, size_t pos) {
  if (needle.empty()) {
    return pos <= haystack.size() ? pos : std::string_view::npos;
  }
  if (needle.size() > haystack.size()) {
    return std::string_view::npos;
  }
  const char first = AnsiUpperChar(needle[0]);
  // A first character without a second case ("%" of a placeholder) is found by the library's
  // fast search; the rest of the needle is compared without regard to case.
  const bool caseless = first == AnsiLowerChar(needle[0]);
  for (size_t i = pos; i + needle.size() <= haystack.size(); ++i) {
    if (caseless) {
      i = haystack.find(first, i);
      if (i == std::string_view::npos || i + needle.size() > haystack.size()) {
        return std::string_view::npos;
      }
    } else if (AnsiUpperChar(haystack[i]) != first) {
      continue;
    }
    size_t k = 1;
    while (k < needle.size() && AnsiUpperChar(haystack[i + k]) == AnsiUpperChar(needle[k])) {
      ++k;
    }
    if (k == needle.size()) {
      return i;
    }
  }
  return std::string_view::npos;
}

std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) {
    return std::string(text);
  }
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  for (size_t hit = text.find(from); hit != std::string_view::npos; hit = text.find(from, pos)) {
    out.append(text, pos, hit - pos);
    out.append(to);
    pos = hit + from.size();
  }
  out.append(text, pos);
  return out;
}

std::string ReplaceAllNoCase(std::string_view text, std::string_view from, std::string_view to) {
  if (from.empty()) {
    return std::string(text);
  }
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  for (size_t hit = FindNoCase(text, from); hit != std::string_view::npos;
       hit = FindNoCase(text, from, pos)) {
    out.append(text, pos, hit - pos);
    out.append(to);
    pos = hit + from.size();
  }
  out.append(text, pos);
  return out;
}

namespace {

// Room left behind a text that a replacement made longer, so that appending a short piece
// afterwards (a separator and a file name) needs no second buffer of the whole text.
constexpr size_t kGrowthRoom = 256;

// A replacement text: its size, and how its bytes get to where they go.
struct Replacement {
  size_t size;
  const std::function<void(char*)>* write; // nothing: the bytes are those of text
  std::string_view text;
  void CopyTo(char* dest) const {
    if (write != nullptr) {
      (*write)(dest);
    } else if (!text.empty()) {
      std::memcpy(dest, text.data(), text.size());
    }
  }
};

// ReplaceAll in place; find(text, pos) gives the next occurrence of from at or after pos.
// Returns whether from occurred.
template <typename Find>
bool ReplaceInPlace(std::string& text, size_t fromSize, const Replacement& to, const Find& find,
                    size_t reserve = 0) {
  size_t hit = find(text, 0);
  if (fromSize == 0 || hit == std::string::npos) {
    return false;
  }
  if (to.size <= fromSize) {
    // The text only shrinks: it is rewritten front to back within its own buffer; the part
    // still to be searched always lies behind what was written.
    char* data = text.data();
    size_t write = hit;
    size_t read = hit;
    while (hit != std::string::npos) {
      std::memmove(data + write, data + read, hit - read);
      write += hit - read;
      to.CopyTo(data + write);
      write += to.size;
      read = hit + fromSize;
      hit = find(text, read);
    }
    std::memmove(data + write, data + read, text.size() - read);
    text.resize(write + text.size() - read);
    return true;
  }
  // The text grows. With room enough in its buffer (a caller may have asked for the room in
  // advance) it grows where it is, back to front; otherwise the result is built once, at its
  // final size. Growing in place needs the positions, so only a few of them are kept.
  constexpr size_t kMaxKept = 4096;
  std::vector<size_t> hits;
  size_t count = 0;
  for (size_t h = hit; h != std::string::npos; h = find(text, h + fromSize)) {
    if (++count <= kMaxKept) {
      hits.push_back(h);
    }
  }
  const size_t grownSize = text.size() + count * (to.size - fromSize);
  if (count <= kMaxKept && text.capacity() >= grownSize) {
    size_t end = text.size();
    text.resize(grownSize);
    char* data = text.data();
    size_t write = grownSize;
    for (size_t k = hits.size(); k-- > 0;) {
      const size_t tail = end - (hits[k] + fromSize);
      write -= tail;
      std::memmove(data + write, data + hits[k] + fromSize, tail);
      write -= to.size;
      to.CopyTo(data + write);
      end = hits[k];
    }
    return true;
  }
  std::string out;
  out.reserve(std::max(grownSize, reserve) + kGrowthRoom);
  size_t read = 0;
  for (; hit != std::string::npos; hit = find(text, read)) {
    out.append(text, read, hit - read);
    const size_t at = out.size();
    out.resize(at + to.size);
    to.CopyTo(out.data() + at);
    read = hit + fromSize;
  }
  out.append(text, read);
  text.swap(out);
  return true;
}

} // namespace

bool ReplaceAllIn(std::string& text, std::string_view from, std::string_view to) {
  return ReplaceInPlace(text, from.size(), Replacement{to.size(), nullptr, to},
                        [from](const std::string& t, size_t pos) { return t.find(from, pos); });
}

void ReplaceAllNoCaseIn(std::string& text, std::string_view from, std::string_view to,
                        size_t reserve) {
  ReplaceInPlace(
      text, from.size(), Replacement{to.size(), nullptr, to},
      [from](const std::string& t, size_t pos) { return FindNoCase(t, from, pos); }, reserve);
}

void ReplaceAllNoCaseIn(std::string& text, std::string_view from, size_t toSize,
                        const std::function<void(char*)>& write, size_t reserve) {
  ReplaceInPlace(
      text, from.size(), Replacement{toSize, &write, {}},
      [from](const std::string& t, size_t pos) { return FindNoCase(t, from, pos); }, reserve);
}

std::string FieldOf(std::string_view text, int n, char sep) {
  int count = 0;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == sep) {
      ++count;
      if (count == n) {
        return std::string(text.substr(start, i - start));
      }
      start = i + 1;
    }
  }
  return std::string(text.substr(start));
}

int CountChar(std::string_view text, char c) {
  int n = 0;
  for (char x : text) {
    n += (x == c) ? 1 : 0;
  }
  return n;
}

const ByteSet& LineBreakBytes() {
  static const ByteSet kBreaks = [] {
    ByteSet breaks;
    breaks.Add('\r');
    breaks.Add('\n');
    return breaks;
  }();
  return kBreaks;
}

std::vector<std::string_view> SplitLineViews(std::string_view text) {
  std::vector<std::string_view> lines;
  ForEachLineView(text, [&lines](std::string_view line) { lines.push_back(line); });
  return lines;
}

Lines SplitLines(std::string_view text) {
  const std::vector<std::string_view> views = SplitLineViews(text);
  return Lines(views.begin(), views.end());
}

std::string EscapeControlChars(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) {
      out.push_back(c);
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else {
      out += Format("\\x%02X", byte);
    }
  }
  return out;
}

std::string NormalizeLineBreaks(std::string_view text) {
  // What joining the lines of SplitLineViews with CR LF gives, without the list: each break
  // becomes CR LF, and an unterminated last line gets one.
  text = text.substr(0, text.find('\0'));
  std::string out;
  out.reserve(text.size() + kCrLf.size());
  size_t start = 0;
  // The next CR and the next LF, each found by the library's fast search.
  size_t cr = text.find('\r');
  size_t lf = text.find('\n');
  while (cr != std::string_view::npos || lf != std::string_view::npos) {
    size_t i = std::min(cr, lf);
    const char c = text[i];
    out.append(text, start, i - start);
    out.append(kCrLf);
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
    }
    start = i + 1;
    if (cr < start) {
      cr = text.find('\r', start);
    }
    if (lf < start) {
      lf = text.find('\n', start);
    }
  }
  if (start < text.size()) {
    out.append(text, start);
    out.append(kCrLf);
  }
  return out;
}

void AppendJoined(std::string& out, const Lines& lines) {
  for (const std::string& line : lines) {
    out.append(line);
    out.append("\r\n");
  }
}

std::string JoinLines(const Lines& lines) {
  size_t size = 0;
  for (const std::string& line : lines) {
    size += line.size() + 2;
  }
  std::string out;
  out.reserve(size);
  AppendJoined(out, lines);
  return out;
}

std::string Format(const char* fmt, ...) {
  va_list args;
  va_start(args, fmt);
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(nullptr, 0, fmt, copy);
  va_end(copy);
  std::string out;
  if (n > 0) {
    out.resize(static_cast<size_t>(n) + 1);
    std::vsnprintf(out.data(), out.size(), fmt, args);
    out.resize(static_cast<size_t>(n));
  }
  va_end(args);
  return out;
}

namespace {

// Base-letter forms of the Windows-1252 bytes for collation, lower case, one or two letters.
struct FoldTable {
  std::array<std::array<char, 2>, 256> text{};
  std::array<unsigned char, 256> size{};
  FoldTable() {
    for (int i = 0; i < 256; ++i) {
      text[i][0] = AnsiLowerChar(static_cast<char>(i));
      size[i] = 1;
    }
    auto set = [this](const char* letters, const char* base) {
      for (const char* p = letters; *p; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        text[c][0] = base[0];
        text[c][1] = base[1];
        size[c] = base[1] == '\0' ? 1 : 2;
      }
    };
    set("\xC0\xC1\xC2\xC3\xC4\xC5\xE0\xE1\xE2\xE3\xE4\xE5", "a");
    set("\xC6\xE6", "ae");
    set("\xC7\xE7", "c");
    set("\xC8\xC9\xCA\xCB\xE8\xE9\xEA\xEB", "e");
    set("\xCC\xCD\xCE\xCF\xEC\xED\xEE\xEF", "i");
    set("\xD0\xF0", "d");
    set("\xD1\xF1", "n");
    set("\xD2\xD3\xD4\xD5\xD6\xD8\xF2\xF3\xF4\xF5\xF6\xF8", "o");
    set("\xD9\xDA\xDB\xDC\xF9\xFA\xFB\xFC", "u");
    set("\xDD\xFD\xFF\x9F", "y");
    set("\xDE\xFE", "th");
    set("\xDF", "ss");
    set("\x8A\x9A", "s");
    set("\x8C\x9C", "oe");
    set("\x8E\x9E", "z");
  }
};

std::string_view FoldChar(unsigned char c) {
  static const FoldTable table;
  return {table.text[c].data(), table.size[c]};
}

std::string Folded(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    out.append(FoldChar(U(c)));
  }
  return out;
}

} // namespace

std::string CollationKey(std::string_view s) {
  return Folded(s);
}

bool CollateLess(std::string_view a, std::string_view b) {
  const std::string fa = Folded(a);
  const std::string fb = Folded(b);
  if (fa != fb) {
    return std::string_view(fa).compare(fb) < 0 ? true : false;
  }
  // Raw byte order as unsigned values, so that plain letters sort before accented ones.
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return U(x) < U(y); });
}

} // namespace qm
