#include "helpproject/SitemapWriter.h"

#include "base/FileSystem.h"
#include "base/ForeignChars.h"
#include "base/TextFile.h"
#include "helpproject/HelpTexts.h"

#include <algorithm>

namespace qm {

namespace {

std::string NameLine(const char* format, std::string_view value, const TagTable& tags,
                     const CharacterTable& table) {
  return Format(format, SitemapName(value, tags, table).c_str());
}

std::string LocalLine(const char* format, std::string_view page, std::string_view anchor) {
  return Format(format, SitemapLocal(page, anchor).c_str());
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

std::string SitemapName(std::string_view value, const TagTable& tags, const CharacterTable& table) {
  std::string name = ConvertChars(value, tags, table);
  if (HoldsForeignCodes(name)) {
    name = ExpandForeignCodes(name, ForeignForm::Html);
  }
  return name;
}

std::string SitemapLocal(std::string_view page, std::string_view anchor) {
  std::string local(page);
  local += kAnchorSep;
  local += HoldsForeignCodes(anchor) ? ExpandForeignCodes(anchor, ForeignForm::Link)
                                     : std::string(anchor);
  return local;
}

std::string ContentsFilePath(std::string_view folder, DocKind kind) {
  return std::string(folder) + kContentsFilePrefix + std::string(DocKindName(kind)) +
         kContentsFileExt;
}

std::string IndexFilePath(std::string_view folder, DocKind kind) {
  return std::string(folder) + kIndexFilePrefix + std::string(DocKindName(kind)) + kIndexFileExt;
}

std::vector<const KeywordEntry*> SortedEntries(const std::vector<KeywordEntry>& entries) {
  // CollateLess with each line folded once rather than on every comparison.
  struct Keyed {
    std::string key;
    const KeywordEntry* entry;
  };
  std::vector<Keyed> keyed;
  keyed.reserve(entries.size());
  for (const KeywordEntry& entry : entries) {
    keyed.push_back({CollationKey(entry.Line()), &entry});
  }
  std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
    if (a.key != b.key) {
      return a.key < b.key;
    }
    const std::string_view x = a.entry->Line();
    const std::string_view y = b.entry->Line();
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(), [](char p, char q) {
      return static_cast<unsigned char>(p) < static_cast<unsigned char>(q);
    });
  });
  std::vector<const KeywordEntry*> sorted;
  sorted.reserve(keyed.size());
  for (const Keyed& k : keyed) {
    sorted.push_back(k.entry);
  }
  return sorted;
}

Lines ContentsFileLines(const std::vector<KeywordEntry>& entries, const TagTable& tags,
                        const CharacterTable& table) {
  Lines lines;
  AppendSitemapHead(lines);
  lines.emplace_back(kSitemapPropertiesStart);
  lines.emplace_back(kSitemapFolderImage);
  lines.emplace_back(kSitemapObjectEnd);
  lines.emplace_back(kSitemapListStart);

  const std::vector<const KeywordEntry*> sorted = SortedEntries(entries);
  size_t i = 0;
  while (i < sorted.size()) {
    const std::string_view group = sorted[i]->Field(1);
    lines.emplace_back(kTocFolderStart);
    lines.push_back(NameLine(kTocFolderName, group, tags, table));
    lines.emplace_back(kTocFolderImage);
    lines.emplace_back(kTocFolderObjectEnd);
    lines.emplace_back(kTocFolderListStart);
    for (; i < sorted.size() && sorted[i]->Field(1) == group; ++i) {
      const std::vector<std::string_view> fields = sorted[i]->Fields();
      lines.emplace_back(kTocTopicStart);
      lines.push_back(NameLine(kTocTopicName, sorted[i]->Field(2), tags, table));
      if (fields.size() >= 4) {
        lines.push_back(LocalLine(kTocTopicLocal, fields[3], fields[2]));
      } else {
        lines.push_back(Format(kTocTopicLocal, std::string(sorted[i]->Page()).c_str()));
      }
      lines.emplace_back(kTocTopicEnd);
    }
    lines.emplace_back(kTocFolderListEnd);
  }

  lines.emplace_back(kSitemapListEnd);
  lines.emplace_back(kSitemapBodyEnd);
  return lines;
}

Lines IndexFileLines(const std::vector<KeywordEntry>& entries, const TagTable& tags,
                     const CharacterTable& table) {
  Lines lines;
  AppendSitemapHead(lines);
  lines.emplace_back(kSitemapListStart);

  for (const KeywordEntry* entry : SortedEntries(entries)) {
    const std::vector<std::string_view> fields = entry->Fields();
    lines.emplace_back(kIndexItemStart);
    lines.push_back(NameLine(kIndexItemName, entry->Field(1), tags, table));
    lines.push_back(NameLine(kIndexItemName, entry->Field(2), tags, table));
    // Anchors stand between the title and the page.
    if (fields.size() < 4) {
      lines.push_back(Format(kIndexItemLocal, std::string(entry->Page()).c_str()));
    } else {
      for (size_t k = 2; k + 1 < fields.size(); ++k) {
        lines.push_back(LocalLine(kIndexItemLocal, entry->Page(), fields[k]));
      }
    }
    lines.emplace_back(kIndexItemEnd);
  }

  lines.emplace_back(kSitemapListEnd);
  lines.emplace_back(kSitemapBodyEnd);
  return lines;
}

void WriteContentsFile(DocKind kind, const std::vector<KeywordEntry>& entries,
                       const std::string& folder, const TagTable& tags,
                       const CharacterTable& table) {
  if (entries.empty()) {
    return;
  }
  WriteSitemap(ContentsFilePath(folder, kind), ContentsFileLines(entries, tags, table), folder);
}

void WriteIndexFile(DocKind kind, const std::vector<KeywordEntry>& entries,
                    const std::string& folder, const TagTable& tags, const CharacterTable& table) {
  if (entries.empty()) {
    return;
  }
  WriteSitemap(IndexFilePath(folder, kind), IndexFileLines(entries, tags, table), folder);
}

} // namespace qm
