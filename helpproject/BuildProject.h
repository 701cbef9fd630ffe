// The project, contents and index files of one documentation kind.
#pragma once

#include "engine/CharTables.h"
#include "engine/DocKind.h"
#include "engine/RunResult.h"
#include "helpproject/HelpKind.h"
#include "helpproject/HelpProjectSettings.h"

#include <string>
#include <string_view>

namespace qm {

/// WriteProjectFile, then WriteContentsFile, then WriteIndexFile for kind, all into folder
/// (which ends in "/"). Nothing else.
void BuildProject(DocKind kind, const HelpProjectSettings& settings, const KindRecords& records,
                  const std::string& folder, const TagTable& tags, const CharacterTable& table);

} // namespace qm
