#include "engine/Templates.h"

#include "base/TextFile.h"
#include "engine/EnumTable.h"

namespace qm {

static_assert(RowsInEnumOrder(kTemplateTable, &TemplateInfo::id),
              "kTemplateTable must list its rows in TemplateId order");
static_assert(ListsEachOnce(kTemplateMenuOrder), "the menu must list every template once");
static_assert(ListsEachOnce(kTemplateLoadOrder), "every template file is read once");

TemplateSet ReadTemplateFiles(const std::string& folder) {
  TemplateSet templates;
  for (TemplateId id : kTemplateLoadOrder) {
    templates[id] = ReadTextLines(folder + std::string(TemplateInfoOf(id).fileName));
  }
  return templates;
}

} // namespace qm
