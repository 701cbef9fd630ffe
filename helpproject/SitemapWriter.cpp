#include "helpproject/SitemapWriter.h"

#include "base/FileSystem.h"
#include "base/TextFile.h"
#include "helpproject/HelpTexts.h"

#include <algorithm>

namespace qm {

namespace {

/// The fields of one entry line split at ";", built in one pass (FieldOf would rescan the
/// line for every field).
Lines SplitFields(std::string_view entry) {
  Lines fields(1);
  for (const char c : entry) {
    if (c == kEntryFieldSep) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

/// Field n (from 1) with the FieldOf rule: beyond the last field gives the last field.
const std::string& Field(const Lines& fields, size_t n) {
  return fields[std::min(n, fields.size()) - 1];
}

std::string NameLine(const char* format, std::string_view value, const TagTable& tags,
                     const CharacterTable& table) {
  return Format(format, ConvertChars(value, tags, table).c_str());
}

std::string LocalLine(const char* format, const std::string& page, const std::string& anchor) {
  return Format(format, (page + kAnchorSep + anchor).c_str());
}

void AppendSitemapHead(Lines& lines) {
  lines.emplace_back(kSitemapDoctype);
  lines.emplace_back(kSitemapHtml);
  lines.emplace_back(kSitemapHead);
  lines.emplace_back(kSitemapGenerator);
  lines.emplace_back(kSitemapVersion);
  lines.emplace_back(kSitemapBodyStart);
}

void WriteSitemap(const std::string& path, const Lines& lines, const std::string& folder) {
  CreateFolder(folder);
  ReplaceTextFile(path, lines);
}

} // namespace

std::string ContentsFilePath(std::string_view folder, std::string_view kind) {
  return std::string(folder) + kContentsFilePrefix + std::string(kind) + kContentsFileExt;
}

std::string IndexFilePath(std::string_view folder, std::string_view kind) {
  return std::string(folder) + kIndexFilePrefix + std::string(kind) + kIndexFileExt;
}

Lines SortedEntries(const Lines& entries) {
  Lines sorted = entries;
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const std::string& a, const std::string& b) { return CollateLess(a, b); });
  return sorted;
}

Lines ContentsFileLines(const Lines& entries, const TagTable& tags, const CharacterTable& table) {
  Lines lines;
  AppendSitemapHead(lines);
  lines.emplace_back(kSitemapPropertiesStart);
  lines.emplace_back(kSitemapFolderImage);
  lines.emplace_back(kSitemapObjectEnd);
  lines.emplace_back(kSitemapListStart);

  const Lines sorted = SortedEntries(entries);
  size_t i = 0;
  while (i < sorted.size()) {
    const std::string group = SplitFields(sorted[i]).front();
    lines.emplace_back(kTocFolderStart);
    lines.push_back(NameLine(kTocFolderName, group, tags, table));
    lines.emplace_back(kTocFolderImage);
    lines.emplace_back(kTocFolderObjectEnd);
    lines.emplace_back(kTocFolderListStart);
    for (; i < sorted.size(); ++i) {
      const Lines fields = SplitFields(sorted[i]);
      if (fields.front() != group) {
        break;
      }
      lines.emplace_back(kTocTopicStart);
      lines.push_back(NameLine(kTocTopicName, Field(fields, 2), tags, table));
      if (fields.size() >= 4) {
        lines.push_back(LocalLine(kTocTopicLocal, fields[3], fields[2]));
      } else {
        lines.push_back(Format(kTocTopicLocal, fields.back().c_str()));
      }
      lines.emplace_back(kTocTopicEnd);
    }
    lines.emplace_back(kTocFolderListEnd);
  }

  lines.emplace_back(kSitemapListEnd);
  lines.emplace_back(kSitemapBodyEnd);
  return lines;
}

Lines IndexFileLines(const Lines& entries, const TagTable& tags, const CharacterTable& table) {
  Lines lines;
  AppendSitemapHead(lines);
  lines.emplace_back(kSitemapListStart);

  for (const std::string& entry : SortedEntries(entries)) {
    const Lines fields = SplitFields(entry);
    const std::string& page = fields.back();
    lines.emplace_back(kIndexItemStart);
    lines.push_back(NameLine(kIndexItemName, Field(fields, 1), tags, table));
    lines.push_back(NameLine(kIndexItemName, Field(fields, 2), tags, table));
    // fields.size() - 1 is the number of separators; anchors stand between title and page.
    if (fields.size() < 4) {
      lines.push_back(Format(kIndexItemLocal, page.c_str()));
    } else {
      for (size_t k = 2; k + 1 < fields.size(); ++k) {
        lines.push_back(LocalLine(kIndexItemLocal, page, fields[k]));
      }
    }
    lines.emplace_back(kIndexItemEnd);
  }

  lines.emplace_back(kSitemapListEnd);
  lines.emplace_back(kSitemapBodyEnd);
  return lines;
}

void WriteContentsFile(std::string_view kind, const Lines& entries, const std::string& folder,
                       const TagTable& tags, const CharacterTable& table) {
  if (entries.empty()) {
    return;
  }
  WriteSitemap(ContentsFilePath(folder, kind), ContentsFileLines(entries, tags, table), folder);
}

void WriteIndexFile(std::string_view kind, const Lines& entries, const std::string& folder,
                    const TagTable& tags, const CharacterTable& table) {
  if (entries.empty()) {
    return;
  }
  WriteSitemap(IndexFilePath(folder, kind), IndexFileLines(entries, tags, table), folder);
}

} // namespace qm
