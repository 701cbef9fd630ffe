#include "base/Warnings.h"

#include "base/AnsiText.h"

namespace qm {

namespace {

constexpr const char* kWarningWord = "Warnung";

} // namespace

std::string WarningLine(const Warning& warning) {
  // A file name may hold a line break or an escape sequence; the line stays one line.
  std::string out = EscapeControlChars(warning.file);
  if (warning.line > 0) {
    // Appended piece by piece: ":" + text trips a false restrict warning of GCC 12 at -O3.
    out += ':';
    out += std::to_string(warning.line);
  }
  out += ": ";
  out += kWarningWord;
  out += ": ";
  out += warning.text;
  return out;
}

} // namespace qm
