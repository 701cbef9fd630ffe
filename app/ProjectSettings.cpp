#include "app/ProjectSettings.h"

#include "engine/Generator.h"

namespace qm {

TemplateSet TemplatesOf(const TGenerator& generator) {
  TemplateSet t;
  t.DocPageHeader = generator.DocPageHeader;
  t.DocPageFooter = generator.DocPageFooter;
  t.DocBlockHeader = generator.DocBlockHeader;
  t.DocBlockFooter = generator.DocBlockFooter;
  t.TechPageHeader = generator.TechPageHeader;
  t.TechPageFooter = generator.TechPageFooter;
  t.TechBlockHeader = generator.TechBlockHeader;
  t.TechBlockFooter = generator.TechBlockFooter;
  return t;
}

void ApplyTemplates(const TemplateSet& templates, TGenerator& generator) {
  generator.DocPageHeader = templates.DocPageHeader;
  generator.DocPageFooter = templates.DocPageFooter;
  generator.DocBlockHeader = templates.DocBlockHeader;
  generator.DocBlockFooter = templates.DocBlockFooter;
  generator.TechPageHeader = templates.TechPageHeader;
  generator.TechPageFooter = templates.TechPageFooter;
  generator.TechBlockHeader = templates.TechBlockHeader;
  generator.TechBlockFooter = templates.TechBlockFooter;
}

} // namespace qm
