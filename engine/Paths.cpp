#include "engine/Paths.h"

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

} // namespace qm
