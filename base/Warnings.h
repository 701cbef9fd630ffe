// Warnings of a run: what the user should know about a source or a help project. They never
// change a page or a help file; front ends list them after the run.
#pragma once

#include "base/Error.h"

#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// One warning: the file it concerns (as the file system spells it), the line (from 1; 0 for
/// the file as a whole) and the text (UTF-8, already worded).
struct Warning {
  std::string file;
  int line = 0;
  std::string text;
  bool operator==(const Warning&) const = default;
};

using WarningList = std::vector<Warning>;

/// A place in a source: the file (as the file system spells it) and the line from 1.
struct SourceLine {
  std::string file;
  int line = 0;
  bool operator==(const SourceLine&) const = default;
};

/// Appends a warning whose text is format (Windows-1252) filled with args, worded like an
/// error message (a Path arg keeps its spelling, everything else is converted to UTF-8). The
/// number and kinds of args are checked against format at compile time.
template <class... Args>
void AddWarning(WarningList& list, std::string_view file, int line, MessageFormat<Args...> format,
                const Args&... args) {
  list.push_back(Warning{std::string(file), line, WordMessage(format, args...)});
}

/// The warning as one line for a terminal (UTF-8): "file:line: Warnung: text", or
/// "file: Warnung: text" without a line. Control characters in the file's name are shown as
/// escapes (EscapeControlChars).
std::string WarningLine(const Warning& warning);

} // namespace qm
