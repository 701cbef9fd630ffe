#include "base/PageWords.h"

#include "base/CodePages.h"
#include "base/HtmlEntities.h"

#include <algorithm>

namespace qm {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

char LowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Whether html at pos starts with word, ignoring ASCII case.
bool StartsWithNoCase(std::string_view html, size_t pos, std::string_view word) {
  if (html.size() - pos < word.size()) {
    return false;
  }
  for (size_t i = 0; i < word.size(); ++i) {
    if (LowerAscii(html[pos + i]) != word[i]) {
      return false;
    }
  }
  return true;
}

// The position after the first occurrence of end (ASCII, lower case) at or after pos, ignoring
// case; the end of html when there is none.
size_t SkipPast(std::string_view html, size_t pos, std::string_view end) {
  for (; pos < html.size(); ++pos) {
    if (StartsWithNoCase(html, pos, end)) {
      return pos + end.size();
    }
  }
  return html.size();
}

// Decodes references and makes every run of blanks (no-break spaces too) one space, trimmed.
// text is UTF-8.
std::string CleanText(std::string_view text) {
  const std::string decoded = DecodeEntities(text);
  const std::string_view in = decoded;
  // The length of the blank at i: 1, 2 for a no-break space, 0 for none.
  auto blankAt = [in](size_t i) -> size_t {
    return IsBlank(in[i]) ? 1 : in[i] == '\xC2' && i + 1 < in.size() && in[i + 1] == '\xA0' ? 2 : 0;
  };
  std::string out;
  out.reserve(in.size());
  bool blank = false;
  size_t i = 0;
  while (i < in.size()) {
    if (const size_t n = blankAt(i); n != 0) {
      blank = true;
      i += n;
      continue;
    }
    if (blank && !out.empty()) {
      out += ' ';
    }
    blank = false;
    // The word up to the next blank goes over in one piece.
    size_t end = i + 1;
    while (end < in.size() && blankAt(end) == 0) {
      ++end;
    }
    out.append(in.data() + i, end - i);
    i = end;
  }
  return out;
}

} // namespace

PageWords PageWordsOf(std::string_view html, PageBytes bytes) {
  std::string raw;
  raw.reserve(html.size());
  std::string_view title;
  size_t pos = 0;
  while (pos < html.size()) {
    if (html[pos] != '<') {
      const size_t tag = std::min(html.find('<', pos), html.size());
      raw.append(html, pos, tag - pos);
      pos = tag;
      continue;
    }
    if (html.substr(pos).starts_with("<!--")) {
      pos = SkipPast(html, pos + 4, "-->");
    } else if (StartsWithNoCase(html, pos, "<script")) {
      pos = SkipPast(html, pos, "</script>");
    } else if (StartsWithNoCase(html, pos, "<style")) {
      pos = SkipPast(html, pos, "</style>");
    } else if (StartsWithNoCase(html, pos, "<title")) {
      const size_t start = SkipPast(html, pos, ">");
      pos = SkipPast(html, start, "</title>");
      title = html.substr(start, pos - start);
      const size_t close = title.rfind('<');
      title = close == std::string_view::npos ? title : title.substr(0, close);
    } else {
      pos = SkipPast(html, pos, ">");
    }
    // A tag parts words as a blank does: "a<br>b" is two words.
    raw += ' ';
  }
  if (bytes == PageBytes::Windows1252) {
    // Tags are ASCII, so they were found in the page's own bytes; only the text that is left
    // is converted.
    return {CleanText(AnsiToUtf8(title)), CleanText(AnsiToUtf8(raw))};
  }
  return {CleanText(title), CleanText(raw)};
}

} // namespace qm
