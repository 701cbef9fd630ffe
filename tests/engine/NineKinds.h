// The table of source kinds with a ninth row, COBOL: a row added to the table must reach
// every place that lists the kinds.
#pragma once

#include "engine/SourceKinds.h"

#include <algorithm>
#include <array>

namespace qmtest {

inline constexpr std::string_view kCobolMasks[] = {"*.cob", "*.cbl"};
inline constexpr auto kCobol = static_cast<qm::SourceKind>(qm::kSourceKindCount);

inline constexpr std::array<qm::SourceKindInfo, qm::kSourceKindCount + 1> kNineKinds = [] {
  std::array<qm::SourceKindInfo, qm::kSourceKindCount + 1> table{};
  std::copy(qm::kSourceKindTable.begin(), qm::kSourceKindTable.end(), table.begin());
  table.back() = {kCobol,
                  "cobol",
                  "Cobol",
                  "COBOL-Quelle (*.cob;*.cbl)",
                  "optCobol",
                  kCobolMasks,
                  qm::CommentSyntax{"", "", "", "", "*>", false}};
  return table;
}();

} // namespace qmtest
