#include "base/Paths.h"

#include "base/AnsiText.h"
#include "base/CodePages.h"

namespace qm {

namespace {

// Where a file name starts after a folder: on Windows also after the drive of "C:name".
constexpr bool IsNameStart(char c) {
#ifdef _WIN32
  return c == '\\' || c == '/' || c == ':';
#else
  return c == '/';
#endif
}

// Position of the last character after which the file name starts, or npos.
size_t NameStart(std::string_view path) {
  // A loop from the end: find_last_of looks each character up in the set with a call of its own,
  // and this runs for every page name of a run.
  for (size_t i = path.size(); i > 0; --i) {
    if (IsNameStart(path[i - 1])) {
      return i - 1;
    }
  }
  return std::string_view::npos;
}

// Position of the dot that starts the file name's last extension, or npos.
size_t ExtDot(std::string_view path) {
  const size_t dot = path.rfind('.');
  const size_t sep = NameStart(path);
  if (dot == std::string_view::npos || (sep != std::string_view::npos && dot < sep)) {
    return std::string_view::npos;
  }
  return dot;
}

#ifdef _WIN32
constexpr std::string_view kForbiddenInNames = "<>:\"|?*";
// Names that stand for devices wherever they are, also with an extension.
constexpr std::string_view kDeviceNames[] = {
    "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
    "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};

std::string StorableName(std::string_view name) {
  std::string out;
  out.reserve(name.size() + 1);
  for (const char c : name) {
    const bool forbidden =
        static_cast<unsigned char>(c) < 0x20 || kForbiddenInNames.find(c) != std::string_view::npos;
    out.push_back(forbidden ? '_' : c);
  }
  // Windows drops dots and blanks at a name's end.
  for (size_t i = out.size(); i > 0 && (out[i - 1] == '.' || out[i - 1] == ' '); --i) {
    out[i - 1] = '_';
  }
  const std::string_view stem = std::string_view(out).substr(0, out.find('.'));
  for (const std::string_view device : kDeviceNames) {
    if (SameText(TrimView(stem), device)) {
      out.insert(stem.size(), "_");
      break;
    }
  }
  return out;
}
#endif

} // namespace

char SeparatorOf(std::string_view path) {
  for (size_t i = path.size(); i > 0; --i) {
    if (IsPathSep(path[i - 1])) {
      return path[i - 1];
    }
  }
  return kPathSep;
}

std::string AddTrailingBackslash(std::string_view folder) {
  std::string out(folder);
  if (out.empty() || !IsPathSep(out.back())) {
    out.push_back(SeparatorOf(folder));
  }
  return out;
}

std::string ExtractFileName(std::string_view path) {
  return std::string(FileNameIn(path));
}

std::string_view FileNameIn(std::string_view path) {
  const size_t sep = NameStart(path);
  return sep == std::string_view::npos ? path : path.substr(sep + 1);
}

std::string ExtractFilePath(std::string_view path) {
  const size_t sep = NameStart(path);
  return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep + 1));
}

std::string StorablePath(std::string_view relative) {
#ifdef _WIN32
  std::string out;
  out.reserve(relative.size() + 1);
  size_t start = 0;
  for (;;) {
    size_t end = start;
    while (end < relative.size() && !IsPathSep(relative[end])) {
      ++end;
    }
    const std::string_view part = relative.substr(start, end - start);
    out += part == "." || part == ".." ? std::string(part) : StorableName(part);
    if (end == relative.size()) {
      return out;
    }
    out.push_back(relative[end]);
    start = end + 1;
  }
#else
  return std::string(relative);
#endif
}

std::string ExtractFileExt(std::string_view path) {
  const size_t dot = ExtDot(path);
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  const size_t dot = ExtDot(path);
  const std::string_view stem = dot == std::string_view::npos ? path : path.substr(0, dot);
  std::string out;
  out.reserve(stem.size() + ext.size());
  out.append(stem).append(ext);
  return out;
}

std::string PathFromText(std::string_view text) {
  return AnsiToUtf8(text);
}

std::string PathToText(std::string_view path) {
  return Utf8ToAnsi(path);
}

std::string PathToHtmlText(std::string_view path) {
  return Utf8ToHtmlAnsi(path);
}

std::string PathCaseKey(std::string_view path) {
  // The usual path is ASCII: it is copied once and folded where it stands. From the first
  // other byte on, the key is made character by character.
  std::string key(path);
  size_t i = 0;
  while (i < key.size() && static_cast<unsigned char>(key[i]) < 0x80) {
    key[i] = AnsiUpperChar(key[i]);
    ++i;
  }
  if (i == key.size()) {
    return key;
  }
  key.resize(i);
  while (i < path.size()) {
    const auto c = static_cast<unsigned char>(path[i]);
    if (c < 0x80) {
      key.push_back(AnsiUpperChar(path[i]));
      ++i;
      continue;
    }
    size_t len = 1;
    while (i + len < path.size() && (static_cast<unsigned char>(path[i + len]) & 0xC0) == 0x80) {
      ++len;
    }
    const std::string_view character = path.substr(i, len);
    const std::string ansi = Utf8ToAnsi(character);
    // Only a character that Windows-1252 has, and that comes back unchanged, is folded.
    if (ansi.size() == 1 && ansi != "?" && AnsiToUtf8(ansi) == character) {
      key += AnsiToUtf8(AnsiUpperCase(ansi));
    } else {
      key.append(character);
    }
    i += len;
  }
  return key;
}

} // namespace qm
