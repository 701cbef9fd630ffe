#include "helpproject/AliasWriter.h"

#include "base/Paths.h"
#include "base/TextFile.h"
#include "helpproject/HelpTexts.h"
#include "helpproject/MapHeaderWriter.h"

namespace qm {

std::string AliasFilePath(std::string_view folder, DocKind kind) {
  return std::string(folder) + std::string(DocKindName(kind)) + kAliasSuffix;
}

Lines AliasFileLines(const std::vector<ContextIdEntry>& contextIds, const CharacterTable& table) {
  Lines lines;
  lines.reserve(contextIds.size());
  for (const ContextIdEntry& entry : contextIds) {
    const std::string page = ExtractFileName(entry.Page);
    lines.push_back(Format(kAliasLine, ContextSymbol(entry, table).c_str(), page.c_str()));
  }
  return lines;
}

void WriteAliasFile(DocKind kind, const std::vector<ContextIdEntry>& contextIds,
                    const std::string& folder, const CharacterTable& table) {
  ReplaceTextFile(AliasFilePath(folder, kind), AliasFileLines(contextIds, table));
}

} // namespace qm
