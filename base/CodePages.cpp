#include "base/CodePages.h"

#include "base/ForeignChars.h"

#include <array>
#include <cstdint>

namespace qm {

namespace {

// Unicode code points of Windows-1252 bytes 0x80-0x9F; the unassigned ones keep their value.
constexpr std::array<std::uint16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Windows-1252 bytes of code page 850 bytes 0x80-0xFF (look-alikes where there is none).
constexpr std::array<unsigned char, 128> kCp850ToAnsi = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0xFF, 0xD6, 0xDC, 0xF8, 0xA3, 0xD8, 0xD7, 0x83,
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA, 0xBF, 0xAE, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,
    '#',  '#',  '#',  '|',  '+',  0xC1, 0xC2, 0xC0, 0xA9, '+',  '|',  '+',  '+',  0xA2, 0xA5, '+',
    '+',  '+',  '+',  '+',  '-',  '+',  0xE3, 0xC3, '+',  '+',  '+',  '+',  '+',  '-',  '+',  0xA4,
    0xF0, 0xD0, 0xCA, 0xCB, 0xC8, 'i',  0xCD, 0xCE, 0xCF, '+',  '+',  '#',  '#',  0xA6, 0xCC, '#',
    0xD3, 0xDF, 0xD4, 0xD2, 0xF5, 0xD5, 0xB5, 0xFE, 0xDE, 0xDA, 0xDB, 0xD9, 0xFD, 0xDD, 0xAF, 0xB4,
    0xAD, 0xB1, '_',  0xBE, 0xB6, 0xA7, 0xF7, 0xB8, 0xB0, 0xA8, 0xB7, 0xB9, 0xB3, 0xB2, '#',  0xA0};

std::uint32_t AnsiCodePoint(unsigned char c) {
  return (c >= 0x80 && c < 0xA0) ? kCp1252High[c - 0x80] : c;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

char AnsiOf(std::uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
    return static_cast<char>(cp);
  }
  for (size_t i = 0; i < kCp1252High.size(); ++i) {
    if (kCp1252High[i] == cp) {
      return static_cast<char>(0x80 + i);
    }
  }
  return '?';
}

} // namespace

std::string AnsiToUtf8(std::string_view ansi) {
  std::string out;
  out.reserve(ansi.size() + ansi.size() / 8);
  for (size_t i = 0; i < ansi.size(); ++i) {
    // ASCII is the same in UTF-8: a run of it is copied whole.
    size_t run = i;
    while (run < ansi.size() && static_cast<unsigned char>(ansi[run]) < 0x80) {
      ++run;
    }
    out.append(ansi.data() + i, run - i);
    if (run == ansi.size()) {
      break;
    }
    i = run;
    const char c = ansi[i];
    if (c == kForeignMark) {
      if (const std::optional<char32_t> cp = ForeignCodeAt(ansi, i)) {
        AppendUtf8(out, *cp);
        i += kForeignCodeSize - 1;
        continue;
      }
    }
    AppendUtf8(out, AnsiCodePoint(static_cast<unsigned char>(c)));
  }
  return out;
}

int AnsiByteOf(char32_t cp) {
  const char c = AnsiOf(cp);
  return c == '?' && cp != '?' ? -1 : static_cast<unsigned char>(c);
}

namespace {

// Decodes utf8 and hands every Windows-1252 character to ansi and every other code point to
// other; a malformed byte counts as a code point of its own that Windows-1252 lacks (0).
template <typename Ansi, typename Other>
void DecodeUtf8(std::string_view utf8, Ansi&& ansi, Other&& other) {
  size_t i = 0;
  while (i < utf8.size()) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    int extra = 0;
    std::uint32_t cp = 0;
    if (c < 0x80) {
      cp = c;
    } else if ((c & 0xE0) == 0xC0) {
      extra = 1;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      extra = 2;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      extra = 3;
      cp = c & 0x07;
    } else {
      other(0);
      ++i;
      continue;
    }
    bool ok = i + static_cast<size_t>(extra) < utf8.size() + (extra == 0 ? 1 : 0);
    for (int k = 1; ok && k <= extra; ++k) {
      const auto cc = static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]);
      if ((cc & 0xC0) != 0x80) {
        ok = false;
      } else {
        cp = (cp << 6) | (cc & 0x3F);
      }
    }
    if (!ok) {
      other(0);
      ++i;
      continue;
    }
    const char a = AnsiOf(cp);
    if (a == '?' && cp != '?') {
      other(cp);
    } else {
      ansi(a);
    }
    i += static_cast<size_t>(extra) + 1;
  }
}

} // namespace

std::string Utf8ToAnsi(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  DecodeUtf8(
      utf8, [&out](char c) { out.push_back(c); }, [&out](std::uint32_t) { out.push_back('?'); });
  return out;
}

std::optional<std::string> Utf8ToAnsiExact(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  bool exact = true;
  DecodeUtf8(
      utf8, [&out](char c) { out.push_back(c); }, [&exact](std::uint32_t) { exact = false; });
  if (!exact) {
    return std::nullopt;
  }
  return out;
}

std::string Utf8ToHtmlAnsi(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  DecodeUtf8(
      utf8, [&out](char c) { out.push_back(c); },
      [&out](std::uint32_t cp) {
        if (cp == 0) {
          out.push_back('?');
        } else {
          out += "&#" + std::to_string(cp) + ";";
        }
      });
  return out;
}

std::string OemToAnsi(std::string_view oem) {
  std::string out(oem);
  for (char& c : out) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x80) {
      c = static_cast<char>(kCp850ToAnsi[b - 0x80]);
    }
  }
  return out;
}

} // namespace qm
