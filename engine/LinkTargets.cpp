#include "engine/LinkTargets.h"

#include "base/AnsiText.h"

#include <array>
#include <cctype>
#include <string>

namespace qm {

namespace {

constexpr std::array<std::string_view, 2> kLinkAttributes = {"href", "src"};
constexpr std::string_view kFileScheme = "file";

bool IsAlpha(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

// target with its "%XX" escapes read, so that "%2e%2e%2f" counts as "../".
std::string Unescaped(std::string_view target) {
  std::string out;
  out.reserve(target.size());
  for (size_t i = 0; i < target.size(); ++i) {
    if (target[i] == '%' && i + 2 < target.size() && HexValue(target[i + 1]) >= 0 &&
        HexValue(target[i + 2]) >= 0) {
      out.push_back(static_cast<char>(HexValue(target[i + 1]) * 16 + HexValue(target[i + 2])));
      i += 2;
    } else {
      out.push_back(target[i]);
    }
  }
  return out;
}

// The length of the scheme of target ("http" of "http://x"), 0 when it has none.
size_t SchemeLength(std::string_view target) {
  if (target.empty() || !IsAlpha(target.front())) {
    return 0;
  }
  for (size_t i = 1; i < target.size(); ++i) {
    const char c = target[i];
    if (c == ':') {
      return i;
    }
    if (!IsAlpha(c) && std::isdigit(static_cast<unsigned char>(c)) == 0 && c != '+' && c != '-' &&
        c != '.') {
      return 0;
    }
  }
  return 0;
}

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

// Whether path, seen from depth folders below a folder, climbs out of it or starts at the
// top of the file system.
bool PathLeaves(std::string_view path, size_t depth) {
  if (!path.empty() && IsSeparator(path.front())) {
    return true;
  }
  auto level = static_cast<long long>(depth);
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = start;
    while (end < path.size() && !IsSeparator(path[end])) {
      ++end;
    }
    const std::string_view segment = path.substr(start, end - start);
    if (segment == "..") {
      if (--level < 0) {
        return true;
      }
    } else if (!segment.empty() && segment != ".") {
      ++level;
    }
    start = end + 1;
  }
  return false;
}

} // namespace

bool TargetLeavesFolder(std::string_view target, size_t depth) {
  std::string path = Unescaped(Trim(target));
  // What follows "?" or "#" is no part of the file's name.
  path = path.substr(0, path.find_first_of("?#"));
  if (path.empty()) {
    return false;
  }
  const size_t scheme = SchemeLength(path);
  if (scheme == 1) {
    return true; // a drive
  }
  if (scheme > 1) {
    return SameText(std::string_view(path).substr(0, scheme), kFileScheme);
  }
  return PathLeaves(path, depth);
}

bool NameLeavesFolder(std::string_view name) {
  return (name.size() >= 2 && IsAlpha(name[0]) && name[1] == ':') || PathLeaves(name, 0);
}

void ForEachLinkTarget(std::string_view line, const std::function<void(std::string_view)>& found) {
  for (const std::string_view attribute : kLinkAttributes) {
    for (size_t at = FindNoCase(line, attribute); at != std::string_view::npos;
         at = FindNoCase(line, attribute, at + attribute.size())) {
      // Only a whole attribute name counts: "datasrc" or "hrefs" are something else.
      if (at > 0 && (IsAlpha(line[at - 1]) || line[at - 1] == '-')) {
        continue;
      }
      size_t k = at + attribute.size();
      while (k < line.size() && (line[k] == ' ' || line[k] == '\t')) {
        ++k;
      }
      if (k >= line.size() || line[k] != '=') {
        continue;
      }
      ++k;
      while (k < line.size() && (line[k] == ' ' || line[k] == '\t')) {
        ++k;
      }
      if (k >= line.size()) {
        continue;
      }
      size_t end = 0;
      if (line[k] == '"' || line[k] == '\'') {
        end = line.find(line[k], k + 1);
        ++k;
        end = end == std::string_view::npos ? line.size() : end;
      } else {
        end = line.find_first_of(" \t>", k);
        end = end == std::string_view::npos ? line.size() : end;
      }
      found(line.substr(k, end - k));
    }
  }
}

} // namespace qm
