#include "engine/BlockConvert.h"

#include "engine/CommentSyntax.h"
#include "engine/Markers.h"

#include <algorithm>

namespace qm {

namespace {

// A keyword line always ends its HTML line.
constexpr std::string_view kKeywordLineEnd = " \\n";
// Backslash pairs are parked on this byte so that the letter after them stays literal.
constexpr char kBackslashPlaceholder = '\x01';

} // namespace

std::string ConvertBlock(const Lines& block, std::string_view ext, bool autoLineBreak,
                         const TagTable& tags, const CharacterTable& table) {
  std::vector<std::string_view> lines;
  if (!block.empty()) {
    lines.assign(block.begin() + 1, block.end());
  }
  return ConvertBlockLines(lines, ext, autoLineBreak, tags, table);
}

std::string ConvertBlockLines(std::span<const std::string_view> lines, std::string_view ext,
                              bool autoLineBreak, const TagTable& tags,
                              const CharacterTable& table) {
  const CommentSyntax syntax = SyntaxForExtension(ext);
  const std::string_view lineBreak = autoLineBreak ? kLineBreakAuto : kLineBreakPlain;

  // Each line gives at most its own bytes and the longest of the ends put behind it, so the
  // text is made in one buffer, not grown line by line.
  size_t size = 0;
  for (const std::string_view line : lines) {
    size += line.size();
  }
  const size_t longestEnd = std::max({lineBreak.size(), kKeywordLineEnd.size(), size_t{1}});
  std::string joined;
  joined.reserve(size + lines.size() * longestEnd);
  for (const std::string_view line : lines) {
    const std::string_view stripped = StripCommentView(line, syntax);
    if (stripped.empty()) {
      joined.append(lineBreak);
    } else if (stripped.find(kMarkerPrefix) != std::string::npos) {
      joined.append(stripped);
      joined.append(kKeywordLineEnd);
    } else if (stripped != lineBreak) {
      joined.append(stripped);
      joined.append(" ");
    } else {
      joined.append(stripped);
    }
  }

  // Paragraph breaks before the first and after the last text line carry no meaning.
  std::string_view text = TrimView(joined);
  while (text.starts_with(lineBreak)) {
    text.remove_prefix(lineBreak.size());
  }
  while (text.ends_with(lineBreak)) {
    text.remove_suffix(lineBreak.size());
  }
  return ConvertChars(TrimView(text), tags, table);
}

std::string ExtractContextId(std::string& text) {
  std::string expanded = ExpandEscapes(text);
  if (expanded.find(kContextIdNeedle) == std::string::npos) {
    // No id: the text is only split into lines and joined again, which needs no list of them.
    text = NormalizeLineBreaks(expanded);
    return {};
  }
  const Lines lines = SplitLines(expanded);
  std::string id;
  Lines kept;
  kept.reserve(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    const size_t at = lines[i].find(kContextIdNeedle);
    if (at == std::string::npos) {
      kept.push_back(lines[i]);
      continue;
    }
    std::string_view value = std::string_view(lines[i]).substr(at + kContextIdNeedle.size());
    if (value.ends_with(' ')) {
      value.remove_suffix(1);
    }
    id = std::string(value);
    for (int n = 0; n < kMaxLinesAfterKeyword && i + 1 < lines.size() &&
                    (lines[i + 1].empty() || lines[i + 1] == kBreakTag);
         ++n) {
      ++i;
    }
  }
  text = JoinLines(kept);
  return id;
}

std::string ExpandEscapes(std::string_view s) {
  // One pass that gives what replacing "\\\\" by a placeholder, then "\\n" and "\\t", then the
  // placeholder (and a placeholder byte the text held already) by a backslash gives: the pairs
  // are taken left to right, so the backslash of a pair never starts an escape.
  std::string out;
  out.reserve(s.size() + s.size() / 16);
  // Most texts hold no placeholder byte, so the library's fast search finds the backslashes.
  const bool placeholders = s.find(kBackslashPlaceholder) != std::string_view::npos;
  size_t copied = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if (!placeholders) {
      i = s.find('\\', i);
      if (i == std::string_view::npos) {
        break;
      }
    }
    const char c = s[i];
    if (c != '\\' && c != kBackslashPlaceholder) {
      continue;
    }
    out.append(s, copied, i - copied);
    const char next = c == '\\' && i + 1 < s.size() ? s[i + 1] : '\0';
    if (next == 'n') {
      out.append("\r\n");
    } else if (next == 't') {
      out.push_back('\t');
    } else {
      out.push_back('\\');
    }
    i += next == 'n' || next == 't' || next == '\\' ? 1 : 0;
    copied = i + 1;
  }
  out.append(s, copied);
  return out;
}

bool HoldsEscapes(std::string_view s) {
  return s.find('\\') != std::string_view::npos ||
         s.find(kBackslashPlaceholder) != std::string_view::npos;
}

} // namespace qm
