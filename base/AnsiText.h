// Text helpers over Windows-1252 byte strings: case mapping, trimming, replacing, splitting
// into lines, fields and the collation used for sorting contents and index entries.
#pragma once

#include "base/ByteSet.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// An ordered list of text lines, the engine's universal container.
using Lines = std::vector<std::string>;

/// Every line the program writes ends with this.
inline constexpr std::string_view kCrLf = "\r\n";

namespace detail {

/// The case forms of every Windows-1252 byte, made when the program is compiled: the case
/// functions below are called for every byte of a caseless search.
struct CaseTables {
  std::array<unsigned char, 256> upper{};
  std::array<unsigned char, 256> lower{};
  constexpr CaseTables() {
    for (int i = 0; i < 256; ++i) {
      upper[i] = lower[i] = static_cast<unsigned char>(i);
    }
    for (int c = 'a'; c <= 'z'; ++c) {
      Pair(c - 32, c);
    }
    for (int c = 0xE0; c <= 0xFE; ++c) {
      if (c != 0xF7) {
        Pair(c - 32, c);
      }
    }
    Pair(0x8A, 0x9A);
    Pair(0x8C, 0x9C);
    Pair(0x8E, 0x9E);
    Pair(0x9F, 0xFF);
  }
  constexpr void Pair(int up, int low) {
    upper[low] = static_cast<unsigned char>(up);
    lower[up] = static_cast<unsigned char>(low);
  }
};
inline constexpr CaseTables kCase;

} // namespace detail

/// Windows-1252 upper case of one byte (a-z, à-þ except ÷, š œ ž ÿ); ß and µ stay.
inline char AnsiUpperChar(char c) {
  return static_cast<char>(detail::kCase.upper[static_cast<unsigned char>(c)]);
}
/// Windows-1252 lower case of one byte, the inverse of AnsiUpperChar.
inline char AnsiLowerChar(char c) {
  return static_cast<char>(detail::kCase.lower[static_cast<unsigned char>(c)]);
}
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);
/// True when both texts are equal without regard to Windows-1252 case.
bool SameText(std::string_view a, std::string_view b);

/// Removes every byte up to and including the blank (0x00-0x20, control characters and
/// the tab among them) at both ends.
std::string Trim(std::string_view s);
std::string_view TrimView(std::string_view s);

/// Position of the first occurrence of needle at or after pos, comparing without regard to
/// Windows-1252 case; npos when there is none. An empty needle is found at pos.
size_t FindNoCase(std::string_view haystack, std::string_view needle, size_t pos = 0);

/// Replaces every occurrence of from by to, left to right, case-sensitive; the search goes on
/// behind each inserted text, so an insertion is never replaced again. An empty from changes
/// nothing.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
/// As ReplaceAll, but from matches without regard to Windows-1252 case.
std::string ReplaceAllNoCase(std::string_view text, std::string_view from, std::string_view to);

/// ReplaceAll on text itself (to must not point into text): nothing is copied when from does
/// not occur, a replacement not longer than from needs no second buffer, and a longer one
/// allocates the result once, at its final size. Returns whether from occurred.
bool ReplaceAllIn(std::string& text, std::string_view from, std::string_view to);
/// ReplaceAllNoCase on text itself, as ReplaceAllIn. When the text grows and must move to a
/// new buffer, that buffer holds at least reserve bytes, so that later replacements that a
/// caller expects can grow the text where it is.
void ReplaceAllNoCaseIn(std::string& text, std::string_view from, std::string_view to,
                        size_t reserve = 0);
/// ReplaceAllNoCaseIn with a replacement of toSize bytes that write puts at the address it is
/// given, once per occurrence: a long replacement need not exist as a string of its own.
void ReplaceAllNoCaseIn(std::string& text, std::string_view from, size_t toSize,
                        const std::function<void(char*)>& write, size_t reserve = 0);

/// Field n (counting from 1) of text split at sep. A field number beyond the last field gives
/// the last field; an empty text gives an empty field.
std::string FieldOf(std::string_view text, int n, char sep);
/// Number of occurrences of c in text.
int CountChar(std::string_view text, char c);

/// CR and LF, the bytes that end a line, for a search sixteen bytes at a time.
const ByteSet& LineBreakBytes();
/// Splits text into lines: a line ends at CR LF, a lone CR or a lone LF; a NUL byte ends the
/// text; a break at the very end adds no empty line.
Lines SplitLines(std::string_view text);
/// SplitLines as views into text, for reading without copying.
std::vector<std::string_view> SplitLineViews(std::string_view text);
/// Calls visit(line) for the lines of SplitLineViews, without a list of them.
template <typename Visit> void ForEachLineView(std::string_view text, const Visit& visit) {
  text = text.substr(0, text.find('\0'));
  const ByteSet& breaks = LineBreakBytes();
  size_t start = 0;
  for (size_t i = breaks.FindIn(text); i != std::string_view::npos;
       i = breaks.FindIn(text, i + 1)) {
    visit(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      ++i;
    }
    start = i + 1;
  }
  if (start < text.size()) {
    visit(text.substr(start));
  }
}
/// JoinLines(SplitLines(text)) without a list of the lines: every line break becomes CR LF,
/// the last line gets one, and a NUL ends the text.
std::string NormalizeLineBreaks(std::string_view text);
/// Appends every line followed by CR LF to out.
void AppendJoined(std::string& out, const Lines& lines);
/// Every line followed by CR LF.
std::string JoinLines(const Lines& lines);

/// text with each control character (bytes below 0x20 and 0x7F) shown as an escape: "\\n",
/// "\\r", "\\t" or "\\x" and two hex digits. For a name in one line of a terminal or a
/// message, where a line break would split it and an escape sequence would act.
std::string EscapeControlChars(std::string_view text);

/// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

/// Strict weak order for contents and index entries: lower-case forms with accented letters
/// folded to their base letters (ä as a, ß as ss) first, then the raw bytes.
bool CollateLess(std::string_view a, std::string_view b);
/// The folded form that CollateLess compares first: CollateLess(a, b) is true exactly when
/// CollationKey(a) < CollationKey(b), or when the keys are equal and a is below b as unsigned
/// bytes. A sort that computes the keys once saves folding on every comparison.
std::string CollationKey(std::string_view s);

} // namespace qm
