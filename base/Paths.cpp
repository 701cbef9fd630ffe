#include "base/Paths.h"

#include "base/AnsiText.h"
#include "base/CodePages.h"

namespace qm {

namespace {

// Position of the dot that starts the file name's last extension, or npos.
size_t ExtDot(std::string_view path) {
  const size_t dot = path.rfind('.');
  const size_t sep = path.rfind(kPathSep);
  if (dot == std::string_view::npos || (sep != std::string_view::npos && dot < sep)) {
    return std::string_view::npos;
  }
  return dot;
}

} // namespace

std::string AddTrailingBackslash(std::string_view folder) {
  std::string out(folder);
  if (out.empty() || out.back() != kPathSep) {
    out.push_back(kPathSep);
  }
  return out;
}

std::string ExtractFileName(std::string_view path) {
  const size_t sep = path.rfind(kPathSep);
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string ExtractFilePath(std::string_view path) {
  const size_t sep = path.rfind(kPathSep);
  return sep == std::string_view::npos ? std::string() : std::string(path.substr(0, sep + 1));
}

std::string ExtractFileExt(std::string_view path) {
  const size_t dot = ExtDot(path);
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot));
}

std::string ChangeFileExt(std::string_view path, std::string_view ext) {
  const size_t dot = ExtDot(path);
  std::string out(dot == std::string_view::npos ? path : path.substr(0, dot));
  out.append(ext);
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
  std::string key;
  key.reserve(path.size());
  size_t i = 0;
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
