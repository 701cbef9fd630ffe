// The eight HTML templates that frame pages and blocks: one table says for each its kind, its
// file in the Templates folder, its section in a project file and its menu command.
#pragma once

#include "base/AnsiText.h"
#include "engine/DocKind.h"
#include "engine/EnumTable.h"

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace qm {

/// The templates, in the order in which a project file lists their sections.
enum class TemplateId {
  DocPageHeader,
  DocPageFooter,
  DocBlockHeader,
  DocBlockFooter,
  TechPageHeader,
  TechPageFooter,
  TechBlockHeader,
  TechBlockFooter,
};
inline constexpr size_t kTemplateCount = 8;

struct TemplateInfo {
  TemplateId id;
  DocKind kind;
  std::string_view fileName;    ///< in the Templates folder beside the program folder
  std::string_view section;     ///< the project-file section that holds its lines
  std::string_view menuCaption; ///< UTF-8, as the menu "&HTML-Vorlagen" shows it
  std::string_view menuName;    ///< the menu item's objectName
};

/// One row per template, in TemplateId order.
inline constexpr std::array<TemplateInfo, kTemplateCount> kTemplateTable{{
    {TemplateId::DocPageHeader, DocKind::Doc, "HTMLHeader_Usr.htt", "Vorlagen.Benutzer.Kopf",
     "HTML-Kopf für Online-Hilfe...", "KopfBenutzer1"},
    {TemplateId::DocPageFooter, DocKind::Doc, "HTMLFooter_Usr.htt", "Vorlagen.Benutzer.Fuss",
     "HTML-Fuß für Online-Hilfe...", "FussBenutzer1"},
    {TemplateId::DocBlockHeader, DocKind::Doc, "HTMLBlockHeader_Usr.htt",
     "Vorlagen.Benutzer.Block.Kopf", "HTML-Block-Kopf für Online-Hilfe...", "BlockKopfBenutzer1"},
    {TemplateId::DocBlockFooter, DocKind::Doc, "HTMLBlockFooter_Usr.htt",
     "Vorlagen.Benutzer.Block.Fuss", "HTML-Block-Fuß für Online-Hilfe...", "BlockFussBenutzer1"},
    {TemplateId::TechPageHeader, DocKind::Tech, "HTMLHeader_Dev.htt", "Vorlagen.Entwickler.Kopf",
     "HTML-Kopf für technische Dokumentation...", "KopfEntwickler1"},
    {TemplateId::TechPageFooter, DocKind::Tech, "HTMLFooter_Dev.htt", "Vorlagen.Entwickler.Fuss",
     "HTML-Fuß für technische Dokumentation...", "FussEntwickler1"},
    {TemplateId::TechBlockHeader, DocKind::Tech, "HTMLBlockHeader_Dev.htt",
     "Vorlagen.Entwickler.Block.Kopf", "HTML-Block-Kopf für technische Dokumentation...",
     "BlockKopfEntwickler1"},
    {TemplateId::TechBlockFooter, DocKind::Tech, "HTMLBlockFooter_Dev.htt",
     "Vorlagen.Entwickler.Block.Fuss", "HTML-Block-Fuß für technische Dokumentation...",
     "BlockFussEntwickler1"},
}};

/// The order in which the menu lists the templates: per kind page header, block header, block
/// footer, page footer, as they stand on a page.
inline constexpr std::array<TemplateId, kTemplateCount> kTemplateMenuOrder{
    TemplateId::DocPageHeader,   TemplateId::DocBlockHeader, TemplateId::DocBlockFooter,
    TemplateId::DocPageFooter,   TemplateId::TechPageHeader, TemplateId::TechBlockHeader,
    TemplateId::TechBlockFooter, TemplateId::TechPageFooter,
};

/// The order in which the generator reads the template files: per kind the block templates
/// first, so that of several missing files the same one is named as always.
inline constexpr std::array<TemplateId, kTemplateCount> kTemplateLoadOrder{
    TemplateId::DocBlockHeader, TemplateId::DocBlockFooter,  TemplateId::DocPageHeader,
    TemplateId::DocPageFooter,  TemplateId::TechBlockHeader, TemplateId::TechBlockFooter,
    TemplateId::TechPageHeader, TemplateId::TechPageFooter,
};

/// The four pieces of a page that templates frame, in the order of TemplateId within a kind.
enum class TemplatePart { PageHeader, PageFooter, BlockHeader, BlockFooter };

/// The template of kind for part.
constexpr TemplateId TemplateOf(DocKind kind, TemplatePart part) {
  return static_cast<TemplateId>(static_cast<size_t>(kind) * 4 + static_cast<size_t>(part));
}
static_assert(TemplateOf(DocKind::Doc, TemplatePart::BlockFooter) == TemplateId::DocBlockFooter);
static_assert(TemplateOf(DocKind::Tech, TemplatePart::PageHeader) == TemplateId::TechPageHeader);
static_assert(TemplateOf(DocKind::Tech, TemplatePart::BlockFooter) == TemplateId::TechBlockFooter);

/// The row of id.
constexpr const TemplateInfo& TemplateInfoOf(TemplateId id) {
  return kTemplateTable[EnumIndex(id)];
}

/// The lines of the eight templates, by TemplateId.
class TemplateSet {
public:
  Lines& operator[](TemplateId id) { return lines_[EnumIndex(id)]; }
  const Lines& operator[](TemplateId id) const { return lines_[EnumIndex(id)]; }
  bool operator==(const TemplateSet&) const = default;

private:
  std::array<Lines, kTemplateCount> lines_;
};

/// Reads the eight template files from folder (ending in "/"), in kTemplateLoadOrder. Throws
/// Error("Datei %s kann nicht geöffnet werden") naming the first file that cannot be read.
TemplateSet ReadTemplateFiles(const std::string& folder);

} // namespace qm
