// The Help Workshop project file (.hhp) of one documentation kind.
#pragma once

#include "engine/AnsiText.h"
#include "helpproject/HelpKind.h"
#include "helpproject/HelpProjectSettings.h"

#include <string>
#include <string_view>

namespace qm {

/// folder + title + "." + kind + ".hhp"; folder ends in "/".
std::string ProjectFilePath(std::string_view folder, std::string_view title, std::string_view kind);

/// The lines of kind's project file: options (the contents and index files only when the
/// kind's box is checked and its entries exist), the file name of every page in list order,
/// the alias and C map includes when their boxes are checked and context ids exist, and a
/// closing "[INFOTYPES]". Texts from the dialog are copied as typed.
Lines ProjectFileLines(std::string_view kind, const HelpProjectSettings& settings,
                       const KindLists& lists);

/// Tries once to create folder (one level, outcome ignored) and writes the project file into
/// it, replacing an old one. Throws Error("Datei %s kann nicht erstellt werden").
void WriteProjectFile(std::string_view kind, const HelpProjectSettings& settings,
                      const KindLists& lists, const std::string& folder);

} // namespace qm
