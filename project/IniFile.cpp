#include "project/IniFile.h"

namespace qm {

namespace {

constexpr char kCommentChar = ';';

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}
bool IsQuote(char c) {
  return c == '"' || c == '\'';
}

// True when a trimmed text starts and ends with the same quote character.
bool QuotedAtBothEnds(std::string_view s) {
  return s.size() >= 2 && IsQuote(s.front()) && s.front() == s.back();
}

std::string NameKey(std::string_view name) {
  return AnsiUpperCase(TrimView(name));
}

// The section name of a bracket line: the text between "[" and "]" (or the line's end).
std::string_view SectionName(std::string_view trimmed) {
  std::string_view inner = trimmed.substr(1);
  const size_t close = inner.find(']');
  if (close != std::string_view::npos) {
    inner = inner.substr(0, close);
  }
  return TrimView(inner);
}

// Position of "=" when line is an entry, npos otherwise.
size_t EntrySeparator(std::string_view trimmed) {
  if (trimmed.empty() || trimmed.front() == kCommentChar) {
    return std::string_view::npos;
  }
  return trimmed.find('=');
}

std::string EntryLine(std::string_view key, std::string_view value) {
  std::string line(key);
  line += '=';
  line += EncodeIniValue(value);
  return line;
}

// The lines of text, ended by CR LF, CR or LF. Unlike the engine's line splitter this one does
// not stop at a NUL byte: what follows it is part of the file too.
Lines IniLines(std::string_view text) {
  Lines lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.emplace_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
        ++i;
      }
      start = i + 1;
    }
  }
  if (start < text.size()) {
    lines.emplace_back(text.substr(start));
  }
  return lines;
}

} // namespace

std::string EncodeIniValue(std::string_view value) {
  const bool needsQuotes = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()) ||
                                              QuotedAtBothEnds(value));
  if (!needsQuotes) {
    return std::string(value);
  }
  std::string quoted = "\"";
  quoted += value;
  quoted += '"';
  return quoted;
}

std::string DecodeIniValue(std::string_view raw) {
  std::string_view value = TrimView(raw);
  if (QuotedAtBothEnds(value)) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

IniFile::IniFile(std::string_view text) {
  Section* current = nullptr;
  for (std::string& line : IniLines(text)) {
    const std::string_view trimmed = TrimView(line);
    if (!trimmed.empty() && trimmed.front() == '[') {
      current = &Add(SectionName(trimmed), std::move(line));
      continue;
    }
    if (current == nullptr) {
      preamble_.push_back(std::move(line));
      continue;
    }
    const size_t eq = EntrySeparator(trimmed);
    if (eq == std::string_view::npos) {
      current->tail.push_back(std::move(line));
      continue;
    }
    // An entry: the comments and blanks before it belong inside the section's body.
    for (std::string& pending : current->tail) {
      current->body.push_back(std::move(pending));
    }
    current->tail.clear();
    current->keys.emplace(NameKey(trimmed.substr(0, eq)), current->body.size());
    current->body.push_back(std::move(line));
  }
}

IniFile::Section* IniFile::Find(std::string_view section) {
  const auto it = index_.find(NameKey(section));
  return it == index_.end() ? nullptr : &sections_[it->second.front()];
}

const IniFile::Section* IniFile::Find(std::string_view section) const {
  const auto it = index_.find(NameKey(section));
  return it == index_.end() ? nullptr : &sections_[it->second.front()];
}

IniFile::Section& IniFile::Add(std::string_view section, std::string bracketLine) {
  // Adding may move the sections, so callers keep no pointer across this call.
  index_[NameKey(section)].push_back(sections_.size());
  Section& added = sections_.emplace_back();
  added.body.push_back(std::move(bracketLine));
  return added;
}

std::optional<std::string> IniFile::Read(std::string_view section, std::string_view key) const {
  const Section* sec = Find(section);
  if (sec == nullptr) {
    return std::nullopt;
  }
  const auto it = sec->keys.find(NameKey(key));
  if (it == sec->keys.end()) {
    return std::nullopt;
  }
  const std::string& line = sec->body[it->second];
  return DecodeIniValue(std::string_view(line).substr(line.find('=') + 1));
}

bool IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  if (value.find_first_of("\r\n") != std::string_view::npos) {
    return false;
  }
  Section* sec = Find(section);
  if (sec == nullptr) {
    std::string header(1, '[');
    header.append(section).push_back(']');
    sec = &Add(section, header);
  }
  const auto [it, added] = sec->keys.try_emplace(NameKey(key), sec->body.size());
  if (added) {
    sec->body.push_back(EntryLine(key, value));
  } else {
    sec->body[it->second] = EntryLine(key, value);
  }
  return true;
}

void IniFile::EraseKey(std::string_view section, std::string_view key) {
  Section* sec = Find(section);
  if (sec == nullptr) {
    return;
  }
  const auto it = sec->keys.find(NameKey(key));
  if (it == sec->keys.end()) {
    return;
  }
  const size_t line = it->second;
  sec->keys.erase(it);
  sec->body.erase(sec->body.begin() + static_cast<std::ptrdiff_t>(line));
  for (auto& [name, at] : sec->keys) {
    if (at > line) {
      --at;
    }
  }
}

void IniFile::EraseSection(std::string_view section) {
  const auto it = index_.find(NameKey(section));
  if (it == index_.end()) {
    return;
  }
  for (const size_t i : it->second) {
    Section& sec = sections_[i];
    sec.erased = true;
    Lines().swap(sec.body);
    Lines().swap(sec.tail);
    sec.keys.clear();
  }
  index_.erase(it);
}

std::string IniFile::Text() const {
  std::string out;
  AppendJoined(out, preamble_);
  for (const Section& sec : sections_) {
    if (!sec.erased) {
      AppendJoined(out, sec.body);
      AppendJoined(out, sec.tail);
    }
  }
  return out;
}

} // namespace qm
