// One documentation kind as the Help Workshop writers see it: the lists the last conversion
// collected for it and the dialog values that belong to it.
#pragma once

#include "base/AnsiText.h"
#include "engine/DocKind.h"
#include "engine/RunRecords.h"
#include "helpproject/HelpProjectSettings.h"

#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// The lists of one kind, borrowed from the generator (or built by a test).
struct KindLists {
  const Lines& Pages;                            ///< full paths of the pages written
  const std::vector<KeywordEntry>& TocEntries;   ///< fields group, title, anchor
  const std::vector<KeywordEntry>& IndexEntries; ///< fields keyword, title, anchors
  const std::vector<ContextIdEntry>& ContextIds;
};

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
