// The Help Workshop project file (.hhp) of one documentation kind.
#pragma once

#include "base/AnsiText.h"
#include "engine/DocKind.h"
#include "engine/RunResult.h"
#include "helpproject/HelpKind.h"
#include "helpproject/HelpProjectSettings.h"

#include <string>
#include <string_view>

namespace qm {

/// folder + title + "." + kind + ".hhp"; folder ends in "/" and is a path, title is
/// Windows-1252 text (PathFromText turns it into a file name).
std::string ProjectFilePath(std::string_view folder, std::string_view title, DocKind kind);

/// The lines of kind's project file: options (the contents and index files only when the
/// kind's box is checked and its entries exist), the file name of every page once, in the order
/// of its first mention (names compared without regard to case), the alias and C map includes
/// when their boxes are checked and context ids exist, and a closing "[INFOTYPES]". Values that
/// name files (compiled file, default topic, pages) are spelled as the file system spells
/// them; the language is copied as typed.
Lines ProjectFileLines(DocKind kind, const HelpProjectSettings& settings,
                       const KindRecords& records);

/// True when title can name the help files inside the output folder: not absolute, no "/" or
/// "\\" (a help compiler on Windows takes both as separators), not "." or "..", and no control
/// character (a line break would split the project file's lines). An empty title is allowed.
bool IsValidHelpTitle(std::string_view title);
/// Throws Error(kMsgBadHelpTitle) when title is not IsValidHelpTitle.
void CheckHelpTitle(std::string_view title);

/// Checks the title (CheckHelpTitle), tries once to create folder (one level, outcome
/// ignored) and replaces the project file in it atomically: on failure an old file stays as
/// it was. Throws Error naming the file and the reason.
void WriteProjectFile(DocKind kind, const HelpProjectSettings& settings, const KindRecords& records,
                      const std::string& folder);

} // namespace qm
