// One documentation kind as the Help Workshop writers see it: the lists the last conversion
// collected for it and the dialog values that belong to it.
#pragma once

#include "base/AnsiText.h"
#include "engine/RunRecords.h"
#include "helpproject/HelpProjectSettings.h"
#include "helpproject/HelpTexts.h"

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

/// True for "Tech"; every other kind name is treated as "Doc".
inline bool IsTechKind(std::string_view kind) {
  return kind == kKindTech;
}

/// The values of kind ("Tech" takes the Tech fields, anything else the Doc fields).
inline KindOptions OptionsOf(const HelpProjectSettings& settings, std::string_view kind) {
  if (IsTechKind(kind)) {
    return {settings.TechHelpEnabled, settings.TechDefaultPage, settings.TechToc,
            settings.TechIndex};
  }
  return {settings.DocHelpEnabled, settings.DocDefaultPage, settings.DocToc, settings.DocIndex};
}

} // namespace qm
