// Contents, index and context-id entries written as one line each, "text;page" and
// "id;title;page", so that a test states a list of them as briefly as the help project's
// files show them.
#pragma once

#include "base/AnsiText.h"
#include "engine/RunRecords.h"

#include <string>
#include <vector>

namespace qmtest {

/// Entries from lines "text;page": the page is what follows the last ";". A line without ";"
/// is both text and page, so that its fields read as the line's one field.
inline std::vector<qm::KeywordEntry> Entries(const std::vector<std::string>& lines) {
  std::vector<qm::KeywordEntry> entries;
  for (const std::string& line : lines) {
    const size_t sep = line.rfind(';');
    entries.emplace_back(line.substr(0, sep),
                         sep == std::string::npos ? line : line.substr(sep + 1), qm::Origin());
  }
  return entries;
}

/// Context ids from lines "id;title;page" (neither id nor title holding a ";").
inline std::vector<qm::ContextIdEntry> Ids(const std::vector<std::string>& lines) {
  std::vector<qm::ContextIdEntry> ids;
  for (const std::string& line : lines) {
    const size_t first = line.find(';');
    const size_t second = line.find(';', first + 1);
    ids.push_back({line.substr(0, first), line.substr(first + 1, second - first - 1),
                   line.substr(second + 1), qm::Origin()});
  }
  return ids;
}

/// The entries as lines "text;page".
inline qm::Lines Joined(const std::vector<qm::KeywordEntry>& entries) {
  qm::Lines lines;
  for (const qm::KeywordEntry& entry : entries) {
    lines.emplace_back(entry.Line());
  }
  return lines;
}

/// The context ids as lines "id;title;page".
inline qm::Lines Joined(const std::vector<qm::ContextIdEntry>& ids) {
  qm::Lines lines;
  for (const qm::ContextIdEntry& id : ids) {
    lines.push_back(id.Id + ";" + id.Title + ";" + id.Page);
  }
  return lines;
}

/// The page titles as lines "path?title".
inline qm::Lines Joined(const std::vector<qm::PageTitle>& titles) {
  qm::Lines lines;
  for (const qm::PageTitle& title : titles) {
    lines.push_back(title.Path + "?" + title.Title);
  }
  return lines;
}

} // namespace qmtest
