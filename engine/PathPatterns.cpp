#include "engine/PathPatterns.h"

#include "base/Paths.h"

#include <algorithm>

namespace qm {

namespace {

// "**" as a whole name: any number of folders.
constexpr std::string_view kAnyFolders = "**";

// The names of a "/"-separated path; empty names and "." are no names.
std::vector<std::string_view> SplitNames(std::string_view path) {
  std::vector<std::string_view> names;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = start;
    while (end < path.size() && !IsPathSep(path[end])) {
      ++end;
    }
    const std::string_view name = path.substr(start, end - start);
    if (!name.empty() && name != ".") {
      names.push_back(name);
    }
    start = end + 1;
  }
  return names;
}

// Where the character after the one at i starts: "?" stands for a whole UTF-8 character.
size_t NextChar(std::string_view text, size_t i) {
  ++i;
  while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) {
    ++i;
  }
  return i;
}

// Whether glob ("*", "?" and plain characters) matches all of name. On a mismatch only the
// last "*" takes one more character, so each character of name is passed a bounded number of
// times per "*".
bool NameMatches(std::string_view glob, std::string_view name) {
  size_t g = 0;
  size_t n = 0;
  size_t starG = std::string_view::npos;
  size_t starN = 0;
  while (n < name.size()) {
    if (g < glob.size() && glob[g] == '*') {
      starG = g++;
      starN = n;
    } else if (g < glob.size() && glob[g] == '?') {
      ++g;
      n = NextChar(name, n);
    } else if (g < glob.size() && glob[g] == name[n]) {
      ++g;
      ++n;
    } else if (starG != std::string_view::npos) {
      g = starG + 1;
      starN = NextChar(name, starN);
      n = starN;
    } else {
      return false;
    }
  }
  while (g < glob.size() && glob[g] == '*') {
    ++g;
  }
  return g == glob.size();
}

// The same over whole names, with "**" as the star: on a mismatch only the last "**" takes
// one more name.
bool NamesMatch(const std::vector<std::string>& pattern,
                const std::vector<std::string_view>& names) {
  size_t p = 0;
  size_t n = 0;
  size_t starP = std::string_view::npos;
  size_t starN = 0;
  while (n < names.size()) {
    if (p < pattern.size() && pattern[p] == kAnyFolders) {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && NameMatches(pattern[p], names[n])) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == kAnyFolders) {
    ++p;
  }
  return p == pattern.size();
}

} // namespace

PathPatterns::PathPatterns(const Lines& patterns) {
  for (std::string text : patterns) {
    std::replace(text.begin(), text.end(), '\\', '/');
    Pattern pattern;
    pattern.foldersOnly = text.ends_with('/');
    const std::string key = PathCaseKey(text);
    for (const std::string_view name : SplitNames(key)) {
      // "**/**" says no more than "**".
      if (name != kAnyFolders || pattern.names.empty() || pattern.names.back() != kAnyFolders) {
        pattern.names.emplace_back(name);
      }
    }
    if (!pattern.names.empty()) {
      patterns_.push_back(std::move(pattern));
    }
  }
}

bool PathPatterns::Matches(std::string_view relative, bool isFolder) const {
  const std::string key = PathCaseKey(relative);
  const std::vector<std::string_view> names = SplitNames(key);
  return std::any_of(patterns_.begin(), patterns_.end(), [&](const Pattern& pattern) {
    return (isFolder || !pattern.foldersOnly) && NamesMatch(pattern.names, names);
  });
}

} // namespace qm
