// The alias file of one documentation kind: which page each context symbol opens.
#pragma once

#include "base/AnsiText.h"
#include "engine/CharTables.h"
#include "engine/DocKind.h"
#include "engine/RunRecords.h"

#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// folder + kind + "Alias.h".
std::string AliasFilePath(std::string_view folder, DocKind kind);

/// One line "symbol=page file name" per context-id entry, in list order, duplicates kept;
/// symbols as ContextSymbol makes them. Nothing else is in the file.
Lines AliasFileLines(const std::vector<ContextIdEntry>& contextIds, const CharacterTable& table);

/// Writes the alias file of kind into folder (which ends in "/" and is not created here),
/// replacing an old one atomically (a failure leaves it as it was). Throws Error naming the
/// file and the reason.
void WriteAliasFile(DocKind kind, const std::vector<ContextIdEntry>& contextIds,
                    const std::string& folder, const CharacterTable& table);

} // namespace qm
