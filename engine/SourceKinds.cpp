#include "engine/SourceKinds.h"

#include "base/AnsiText.h"
#include "engine/EnumTable.h"

#include <algorithm>

namespace qm {

static_assert(RowsInEnumOrder(kSourceKindTable, &SourceKindInfo::kind),
              "kSourceKindTable must list its rows in SourceKind order");
static_assert(ListsEachOnce(kMaskSearchOrder), "every kind's masks are searched once");

namespace {

// The extension a mask ("*.pas") stands for (".pas").
std::string_view ExtensionOf(std::string_view mask) {
  return mask.substr(1);
}

} // namespace

std::vector<std::string> MasksForKinds(const SourceKindSet& kinds) {
  std::vector<std::string> masks;
  for (SourceKind kind : kMaskSearchOrder) {
    if (!kinds[kind]) {
      continue;
    }
    for (std::string_view mask : SourceKindInfoOf(kind).masks) {
      if (std::find(masks.begin(), masks.end(), mask) == masks.end()) {
        masks.emplace_back(mask);
      }
    }
  }
  return masks;
}

const SourceKindInfo* KindOfExtension(std::string_view ext) {
  const std::string lower = AnsiLowerCase(ext);
  for (const SourceKindInfo& info : kSourceKindTable) {
    for (std::string_view mask : info.masks) {
      if (ExtensionOf(mask) == lower) {
        return &info;
      }
    }
  }
  return nullptr;
}

} // namespace qm
