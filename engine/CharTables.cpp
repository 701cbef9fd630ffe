#include "engine/CharTables.h"

#include <algorithm>
#include <array>
#include <vector>

namespace qm {

namespace {

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

/// One occurrence of a row's `from` and whether it belongs to a tag and must stay.
struct Hit {
  size_t pos;
  bool keep;
};

// Every occurrence of from in text, left to right, overlapping ones included.
std::vector<Hit> Occurrences(std::string_view text, std::string_view from) {
  std::vector<Hit> hits;
  for (size_t p = text.find(from); p != std::string_view::npos; p = text.find(from, p + 1)) {
    hits.push_back(Hit{p, false});
  }
  return hits;
}

// A "<" stays when the word after it, up to the next bracket, is a tag. Each look-ahead stops
// at the next bracket, so the scans never overlap.
void ClassifyOpeningBrackets(std::string_view text, std::vector<Hit>& hits, const TagTable& tags) {
  for (Hit& hit : hits) {
    size_t end = hit.pos + 1;
    while (end < text.size() && !IsBracket(text[end])) {
      ++end;
    }
    hit.keep = tags.Contains(FirstWord(text.substr(hit.pos + 1, end - hit.pos - 1)));
  }
}

// A ">" stays when the word between the last "<" before it (or the text start) and it is a
// tag. The ">" before it have been dealt with already and count as trimmable control bytes,
// not as brackets, so "<B>>" keeps both. One forward sweep keeps the word's bounds in the
// stretch since the last "<": its first non-trimmed byte, the first blank after that and the
// last non-trimmed byte.
void ClassifyClosingBrackets(std::string_view text, std::vector<Hit>& hits, const TagTable& tags) {
  constexpr size_t kNone = std::string_view::npos;
  size_t wordStart = kNone;
  size_t firstBlank = kNone;
  size_t lastSolid = kNone;
  auto hit = hits.begin();
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (hit != hits.end() && hit->pos == i) {
      std::string_view word;
      if (wordStart != kNone) {
        const size_t end = firstBlank < lastSolid ? firstBlank : lastSolid + 1;
        word = text.substr(wordStart, end - wordStart);
      }
      hit->keep = tags.Contains(word);
      ++hit;
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

// Any other text stays when the nearest bracket at or before it is a "<": it stands inside a
// tag, for instance in an attribute value.
void ClassifyInsideTags(std::string_view text, std::vector<Hit>& hits) {
  char lastBracket = '\0';
  size_t scanned = 0;
  for (Hit& hit : hits) {
    for (; scanned <= hit.pos; ++scanned) {
      if (IsBracket(text[scanned])) {
        lastBracket = text[scanned];
      }
    }
    hit.keep = lastBracket == '<';
  }
}

// Replaces from by to left to right, as a plain replacement would, but an occurrence whose
// stretch holds the start of a kept occurrence does not match: a kept occurrence also blocks
// an overlapping converted one.
std::string ReplaceUnkept(std::string_view text, std::string_view from, std::string_view to,
                          const std::vector<Hit>& hits) {
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  auto kept = hits.begin(); // the first kept occurrence at or after the one looked at
  for (const Hit& hit : hits) {
    if (hit.keep || hit.pos < pos) {
      continue;
    }
    while (kept != hits.end() && (kept->pos < hit.pos || !kept->keep)) {
      ++kept;
    }
    if (kept != hits.end() && kept->pos < hit.pos + from.size()) {
      continue;
    }
    out.append(text.substr(pos, hit.pos - pos));
    out.append(to);
    pos = hit.pos + from.size();
  }
  out.append(text.substr(pos));
  return out;
}

// Replaces from by to everywhere in text except in occurrences that belong to a tag of the
// table. Returns false (text untouched) when from does not occur.
bool ProtectedReplace(std::string& text, std::string_view from, std::string_view to,
                      const TagTable& tags) {
  std::vector<Hit> hits = Occurrences(text, from);
  if (hits.empty()) {
    return false;
  }
  if (from == "<") {
    ClassifyOpeningBrackets(text, hits, tags);
  } else if (from == ">") {
    ClassifyClosingBrackets(text, hits, tags);
  } else {
    ClassifyInsideTags(text, hits);
  }
  text = ReplaceUnkept(text, from, to, hits);
  return true;
}

// Which byte values occur in text: a row whose first byte does not occur is passed over
// without a scan, which matters for tables of many rows over long texts.
std::array<bool, 256> BytesIn(std::string_view text) {
  std::array<bool, 256> present{};
  for (const char c : text) {
    present[static_cast<unsigned char>(c)] = true;
  }
  return present;
}

} // namespace

void TagTable::Assign(const Lines& loaded) {
  lines_.clear();
  upper_.clear();
  longest_ = 0;
  lines_.reserve(loaded.size() * 2);
  for (const std::string& line : loaded) {
    lines_.push_back(line);
  }
  for (const std::string& line : loaded) {
    lines_.push_back("/" + line);
  }
  for (const std::string& line : lines_) {
    upper_.insert(AnsiUpperCase(line));
    longest_ = std::max(longest_, line.size());
  }
}

bool TagTable::Contains(std::string_view word) const {
  if (word.size() > longest_) {
    return false;
  }
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
  std::array<bool, 256> present = BytesIn(out);
  for (const CharRow& row : table.rows()) {
    if (row.from.empty() || row.to.empty() ||
        !present[static_cast<unsigned char>(row.from.front())]) {
      continue;
    }
    if (ProtectedReplace(out, row.from, row.to, tags)) {
      present = BytesIn(out);
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
