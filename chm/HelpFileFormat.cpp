#include "chm/HelpFileFormat.h"

#include <algorithm>

namespace qm {

namespace {

std::uint32_t ReadU16(std::string_view bytes, size_t pos) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[pos])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[pos + 1])) << 8;
}

std::uint32_t ReadU32(std::string_view bytes, size_t pos) {
  return ReadU16(bytes, pos) | ReadU16(bytes, pos + 2) << 16;
}

/// The text up to the first NUL.
std::string_view CText(std::string_view bytes) {
  return bytes.substr(0, std::min(bytes.find('\0'), bytes.size()));
}

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) {
    return false;
  }
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (AsciiLower(text[i]) != prefix[i]) {
      return false;
    }
  }
  return true;
}

// Record codes of "#SYSTEM".
constexpr std::uint32_t kSysContents = 0;
constexpr std::uint32_t kSysIndex = 1;
constexpr std::uint32_t kSysDefaultTopic = 2;
constexpr std::uint32_t kSysTitle = 3;

constexpr size_t kMaxCandidateParts = 32;

} // namespace

HelpSystemInfo ParseSystemFile(std::string_view bytes) {
  HelpSystemInfo info;
  size_t pos = 4; // the version
  while (pos <= bytes.size() && bytes.size() - pos >= 4) {
    const std::uint32_t code = ReadU16(bytes, pos);
    const std::uint32_t length = ReadU16(bytes, pos + 2);
    pos += 4;
    if (length > bytes.size() - pos) {
      break;
    }
    const std::string_view text = CText(bytes.substr(pos, length));
    pos += length;
    switch (code) {
    case kSysContents:
      info.ContentsFile = text;
      break;
    case kSysIndex:
      info.IndexFile = text;
      break;
    case kSysDefaultTopic:
      info.DefaultTopic = text;
      break;
    case kSysTitle:
      info.Title = text;
      break;
    default:
      break;
    }
  }
  return info;
}

HelpContextMap HelpContextMap::Parse(std::string_view ivb, std::string_view strings) {
  HelpContextMap map;
  if (ivb.size() < 4) {
    return map;
  }
  const size_t declared = ReadU32(ivb, 0);
  const size_t count = std::min(declared, ivb.size() - 4) / 8;
  map.entries_.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const size_t pos = 4 + i * 8;
    const std::uint32_t number = ReadU32(ivb, pos);
    const std::uint32_t offset = ReadU32(ivb, pos + 4);
    if (offset < strings.size() && strings[offset] != '\0') {
      map.entries_.emplace_back(number, offset);
    }
  }
  std::stable_sort(map.entries_.begin(), map.entries_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  const auto dup = std::unique(map.entries_.begin(), map.entries_.end(),
                               [](const auto& a, const auto& b) { return a.first == b.first; });
  map.entries_.erase(dup, map.entries_.end());
  if (!map.entries_.empty()) {
    map.strings_ = strings;
  }
  return map;
}

std::optional<std::string> HelpContextMap::Target(std::uint32_t number) const {
  const auto it = std::lower_bound(entries_.begin(), entries_.end(), number,
                                   [](const auto& e, std::uint32_t n) { return e.first < n; });
  if (it == entries_.end() || it->first != number) {
    return std::nullopt;
  }
  return std::string(CText(std::string_view(strings_).substr(it->second)));
}

std::vector<std::uint32_t> HelpContextMap::Numbers() const {
  std::vector<std::uint32_t> numbers;
  numbers.reserve(entries_.size());
  for (const auto& entry : entries_) {
    numbers.push_back(entry.first);
  }
  return numbers;
}

std::pair<std::string_view, std::string_view> SplitAnchor(std::string_view target) {
  const size_t hash = target.find('#');
  if (hash == std::string_view::npos) {
    return {target, {}};
  }
  return {target.substr(0, hash), target.substr(hash + 1)};
}

std::vector<std::string> PageCandidates(std::string_view target) {
  std::string_view page = SplitAnchor(target).first;
  const size_t prefix = page.rfind("::");
  if (prefix != std::string_view::npos) {
    page.remove_prefix(prefix + 2);
  }
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= page.size()) {
    size_t end = page.find_first_of("/\\", start);
    if (end == std::string_view::npos) {
      end = page.size();
    }
    const std::string_view part = page.substr(start, end - start);
    if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  const size_t first = parts.size() > kMaxCandidateParts ? parts.size() - kMaxCandidateParts : 0;
  std::vector<std::string> candidates;
  for (size_t i = first; i < parts.size(); ++i) {
    std::string path;
    for (size_t k = i; k < parts.size(); ++k) {
      path += '/';
      path += parts[k];
    }
    candidates.push_back(std::move(path));
  }
  return candidates;
}

HelpFileText SplitHelpFileText(std::string_view text) {
  HelpFileText result;
  const size_t window = text.rfind('>');
  if (window != std::string_view::npos) {
    result.Window = text.substr(window + 1);
    text = text.substr(0, window);
  }
  for (std::string_view scheme : {"ms-its:", "mk:@msitstore:", "its:"}) {
    if (StartsWithNoCase(text, scheme)) {
      text.remove_prefix(scheme.size());
      break;
    }
  }
  const size_t inner = text.find("::");
  if (inner != std::string_view::npos) {
    std::string_view page = text.substr(inner + 2);
    while (!page.empty() && (page.front() == '/' || page.front() == '\\')) {
      page.remove_prefix(1);
    }
    result.Page = page;
    text = text.substr(0, inner);
  }
  result.File = text;
  return result;
}

bool DeclaresUtf8(std::string_view page) {
  const std::string_view head = page.substr(0, 2048);
  constexpr std::string_view kCharset = "charset=";
  for (size_t i = 0; i + kCharset.size() <= head.size(); ++i) {
    if (StartsWithNoCase(head.substr(i), kCharset)) {
      std::string_view value = head.substr(i + kCharset.size());
      while (!value.empty() && (value.front() == '"' || value.front() == '\'')) {
        value.remove_prefix(1);
      }
      return StartsWithNoCase(value, "utf-8") || StartsWithNoCase(value, "utf8");
    }
  }
  return false;
}

} // namespace qm
