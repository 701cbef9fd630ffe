#include "engine/Templates.h"

#include "base/TextFile.h"

namespace qm {

namespace {

// Each order lists every template once, and every row stands at its id's place.
constexpr bool ListsEveryTemplateOnce(const std::array<TemplateId, kTemplateCount>& order) {
  std::array<bool, kTemplateCount> seen{};
  for (TemplateId id : order) {
    if (seen[TemplateIndex(id)]) {
      return false;
    }
    seen[TemplateIndex(id)] = true;
  }
  return true;
}

constexpr bool RowsInIdOrder() {
  for (size_t i = 0; i < kTemplateCount; ++i) {
    if (TemplateIndex(kTemplateTable[i].id) != i) {
      return false;
    }
  }
  return true;
}

static_assert(RowsInIdOrder(), "kTemplateTable must list its rows in TemplateId order");
static_assert(ListsEveryTemplateOnce(kTemplateMenuOrder), "the menu must list every template once");
static_assert(ListsEveryTemplateOnce(kTemplateLoadOrder), "every template file is read once");

} // namespace

TemplateSet ReadTemplateFiles(const std::string& folder) {
  TemplateSet templates;
  for (TemplateId id : kTemplateLoadOrder) {
    templates[id] = ReadTextLines(folder + std::string(TemplateInfoOf(id).fileName));
  }
  return templates;
}

} // namespace qm
