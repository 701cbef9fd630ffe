// The Help Workshop project file (.hhp) of one documentation kind.
#pragma once

#include "engine/AnsiText.h"
#include "helpproject/HelpKind.h"
#include "helpproject/HelpProjectSettings.h"

#include <string>
#include <string_view>

namespace qm {

/// folder + title + "." + kind + ".hhp"; folder ends in "/" and is a path, title is
/// Windows-1252 text (PathFromText turns it into a file name).
std::string ProjectFilePath(std::string_view folder, std::string_view title, std::string_view kind);

/// The lines of kind's project file: options (the contents and index files only when the
/// kind's box is checked and its entries exist), the file name of every page once, in the order
/// of its first mention (names compared without regard to case), the alias and C map includes
/// when their boxes are checked and context ids exist, and a closing "[INFOTYPES]". Values that
/// name files (compiled file, default topic, pages) are spelled as the file system spells
/// them; the language is copied as typed.
Lines ProjectFileLines(std::string_view kind, const HelpProjectSettings& settings,
                       const KindLists& lists);

/// Tries once to create folder (one level, outcome ignored) and writes the project file into
/// it, replacing an old one. Throws Error("Datei %s kann nicht erstellt werden").
void WriteProjectFile(std::string_view kind, const HelpProjectSettings& settings,
                      const KindLists& lists, const std::string& folder);

} // namespace qm
