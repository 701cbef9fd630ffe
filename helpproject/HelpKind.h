// The dialog values that belong to one documentation kind.
#pragma once

#include "engine/DocKind.h"
#include "helpproject/HelpProjectSettings.h"

#include <string>

namespace qm {

/// The per-kind values of the dialog.
struct KindOptions {
  bool Enabled;
  const std::string& DefaultPage;
  bool Toc;
  bool Index;
};

/// The values of kind: the dialog's fields are named per kind, so this is where a kind finds
/// them.
inline KindOptions OptionsOf(const HelpProjectSettings& settings, DocKind kind) {
  if (kind == DocKind::Tech) {
    return {settings.TechHelpEnabled, settings.TechDefaultPage, settings.TechToc,
            settings.TechIndex};
  }
  return {settings.DocHelpEnabled, settings.DocDefaultPage, settings.DocToc, settings.DocIndex};
}

} // namespace qm
