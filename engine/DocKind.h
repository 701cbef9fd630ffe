// The two kinds of documentation: user documentation (the online help) and developer
// documentation (the technical documentation).
#pragma once

#include <array>
#include <string_view>

namespace qm {

enum class DocKind { Doc, Tech };

/// Both kinds, Doc first: the order in which pages, templates and help projects list them.
inline constexpr std::array<DocKind, 2> kDocKinds{DocKind::Doc, DocKind::Tech};

/// The kind's name, a literal part of page and file names ("X.Doc.htm", "Map.Tech.h").
constexpr std::string_view DocKindName(DocKind kind) {
  return kind == DocKind::Doc ? "Doc" : "Tech";
}

} // namespace qm
