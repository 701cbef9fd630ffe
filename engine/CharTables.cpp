#include "engine/CharTables.h"

#include <vector>

namespace qm {

namespace {

// While a row is applied, the first byte of each occurrence of its `from` is replaced by one
// of these marks, so that later look-ups no longer see it as an occurrence or a bracket.
constexpr char kKeepMark = '\x01';
constexpr char kConvertMark = '\x02';
constexpr char kFieldSeparator = ',';

bool IsTrimmed(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}
bool IsBracket(char c) {
  return c == '<' || c == '>';
}

// The first blank-separated word of text once it is trimmed.
std::string_view FirstWord(std::string_view text) {
  const std::string_view trimmed = TrimView(text);
  return trimmed.substr(0, trimmed.find(' '));
}

// Start of every occurrence of from in text, left to right; overlapping ones included.
std::vector<size_t> Occurrences(std::string_view text, std::string_view from) {
  std::vector<size_t> found;
  for (size_t p = text.find(from); p != std::string_view::npos; p = text.find(from, p + 1)) {
    found.push_back(p);
  }
  return found;
}

// Marks every "<": keep when the word that follows it (up to the next bracket) is a tag.
// Each look-ahead stops at the next bracket, so the scans never overlap.
void MarkOpeningBrackets(std::string& work, const std::vector<size_t>& hits, const TagTable& tags) {
  for (size_t p : hits) {
    size_t end = p + 1;
    while (end < work.size() && !IsBracket(work[end])) {
      ++end;
    }
    const std::string_view word = FirstWord(std::string_view(work).substr(p + 1, end - p - 1));
    work[p] = tags.Contains(word) ? kKeepMark : kConvertMark;
  }
}

// Marks every ">": keep when the word between the last "<" before it (or the text start) and
// it is a tag. Earlier ">" are marked by then, so they count as trimmable control bytes, not
// as brackets. One forward sweep keeps the word's bounds for the current stretch since the
// last "<": its first non-trimmed byte, the first blank after that, the last non-trimmed byte.
void MarkClosingBrackets(std::string& work, const std::vector<size_t>& hits, const TagTable& tags) {
  constexpr size_t kNone = std::string::npos;
  size_t wordStart = kNone;
  size_t firstBlank = kNone;
  size_t lastSolid = kNone;
  size_t next = 0; // index into hits
  for (size_t i = 0; i < work.size(); ++i) {
    const char c = work[i];
    if (next < hits.size() && hits[next] == i) {
      ++next;
      std::string_view word;
      if (wordStart != kNone) {
        const size_t end =
            firstBlank != kNone && firstBlank <= lastSolid ? firstBlank : lastSolid + 1;
        word = std::string_view(work).substr(wordStart, end - wordStart);
      }
      work[i] = tags.Contains(word) ? kKeepMark : kConvertMark;
    } else if (c == '<') {
      wordStart = firstBlank = lastSolid = kNone;
    } else if (!IsTrimmed(c)) {
      lastSolid = i;
      if (wordStart == kNone) {
        wordStart = i;
      }
    } else if (c == ' ' && wordStart != kNone && firstBlank == kNone) {
      firstBlank = i;
    }
  }
}

// Marks every occurrence of any other text: keep when the nearest bracket at or before it is
// a "<", that is when it stands inside a tag.
void MarkInsideTags(std::string& work, const std::vector<size_t>& hits) {
  char lastBracket = '\0';
  size_t scanned = 0;
  for (size_t p : hits) {
    for (; scanned <= p; ++scanned) {
      if (IsBracket(work[scanned])) {
        lastBracket = work[scanned];
      }
    }
    // The occurrence's own first byte was read above, before it is marked.
    work[p] = lastBracket == '<' ? kKeepMark : kConvertMark;
  }
}

void ReplaceByte(std::string& text, char from, char to) {
  for (char& c : text) {
    if (c == from) {
      c = to;
    }
  }
}

// Replaces from by to everywhere except in occurrences that belong to a tag of the table.
std::string ProtectedReplace(std::string_view text, std::string_view from, std::string_view to,
                             const TagTable& tags) {
  std::string work(text);
  const std::vector<size_t> hits = Occurrences(work, from);
  if (hits.empty()) {
    return work;
  }
  if (from == "<") {
    MarkOpeningBrackets(work, hits, tags);
  } else if (from == ">") {
    MarkClosingBrackets(work, hits, tags);
  } else {
    MarkInsideTags(work, hits);
  }
  ReplaceByte(work, kConvertMark, from[0]);
  std::string out = ReplaceAll(work, from, to);
  ReplaceByte(out, kKeepMark, from[0]);
  return out;
}

} // namespace

void TagTable::Assign(const Lines& loaded) {
  lines_.clear();
  upper_.clear();
  lines_.reserve(loaded.size() * 2);
  for (const std::string& line : loaded) {
    lines_.push_back(line);
  }
  for (const std::string& line : loaded) {
    lines_.push_back("/" + line);
  }
  for (const std::string& line : lines_) {
    upper_.insert(AnsiUpperCase(line));
  }
}

bool TagTable::Contains(std::string_view word) const {
  return upper_.find(AnsiUpperCase(word)) != upper_.end();
}

void CharacterTable::Assign(const Lines& rows) {
  lines_ = rows;
  rows_.clear();
  rows_.reserve(rows.size());
  for (const std::string& line : rows) {
    rows_.push_back(CharRow{FieldOf(line, 1, kFieldSeparator), FieldOf(line, 2, kFieldSeparator),
                            FieldOf(line, 3, kFieldSeparator)});
  }
}

std::string ConvertChars(std::string_view text, const TagTable& tags, const CharacterTable& table) {
  std::string out(text);
  for (const CharRow& row : table.rows()) {
    if (!row.from.empty() && !row.to.empty()) {
      out = ProtectedReplace(out, row.from, row.to, tags);
    }
  }
  return out;
}

std::string MapLinkChars(std::string_view text, const CharacterTable& table) {
  std::string out(text);
  for (const CharRow& row : table.rows()) {
    if (!row.from.empty() && !row.link.empty()) {
      out = ReplaceAll(out, row.from, row.link);
    }
  }
  return out;
}

std::string UnmapChars(std::string_view text, const CharacterTable& table) {
  std::string out(text);
  for (const CharRow& row : table.rows()) {
    if (!row.to.empty() && !row.from.empty()) {
      out = ReplaceAll(out, row.to, row.from);
    }
  }
  return out;
}

} // namespace qm
