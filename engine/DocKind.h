// The two kinds of documentation: user documentation (the online help) and developer
// documentation (the technical documentation).
#pragma once

#include "engine/EnumTable.h"
#include "engine/Markers.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace qm {

enum class DocKind { Doc, Tech };

/// Both kinds, Doc first: the order in which pages, templates and help projects list them.
inline constexpr std::array<DocKind, 2> kDocKinds{DocKind::Doc, DocKind::Tech};

/// What belongs to a kind in sources and pages.
struct DocKindInfo {
  DocKind kind;
  std::string_view name;         ///< a literal part of page and file names ("X.Doc.htm")
  std::string_view startMarker;  ///< starts a block of the kind in a source
  std::string_view endMarker;    ///< ends it
  std::string_view pageExt;      ///< of the kind's pages
  std::string_view pageExtLower; ///< the same in lower case, to tell a page's kind by its name
};

/// One row per kind, in DocKind order.
inline constexpr std::array<DocKindInfo, 2> kDocKindTable{{
    {DocKind::Doc, "Doc", kDocStartMarker, kDocEndMarker, kDocPageExt, kDocPageExtLower},
    {DocKind::Tech, "Tech", kTechStartMarker, kTechEndMarker, kTechPageExt, kTechPageExtLower},
}};

static_assert(RowsInEnumOrder(kDocKindTable, &DocKindInfo::kind));

/// The row of kind.
constexpr const DocKindInfo& DocKindInfoOf(DocKind kind) {
  return kDocKindTable[EnumIndex(kind)];
}

/// The other kind.
constexpr DocKind OtherKind(DocKind kind) {
  return kind == DocKind::Doc ? DocKind::Tech : DocKind::Doc;
}

/// The kind's name, a literal part of page and file names ("X.Doc.htm", "Map.Tech.h").
constexpr std::string_view DocKindName(DocKind kind) {
  return DocKindInfoOf(kind).name;
}

} // namespace qm
