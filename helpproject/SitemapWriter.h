// The contents (.hhc) and index (.hhk) files of one documentation kind, built from the entry
// lines that the conversion collected from the "Toc" and "Index" markers.
#pragma once

#include "base/AnsiText.h"
#include "engine/CharTables.h"
#include "engine/DocKind.h"
#include "engine/RunRecords.h"

#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// folder + "Table of Contents." + kind + ".hhc".
std::string ContentsFilePath(std::string_view folder, DocKind kind);
/// folder + "Index." + kind + ".hhk".
std::string IndexFilePath(std::string_view folder, DocKind kind);

/// A name as the sitemaps write it: ConvertChars, and a character that Windows-1252 lacks as
/// a numeric reference.
std::string SitemapName(std::string_view value, const TagTable& tags, const CharacterTable& table);
/// page + "#" + anchor, a character of anchor that Windows-1252 lacks made "_".
std::string SitemapLocal(std::string_view page, std::string_view anchor);

/// The entries in collation order of their lines (KeywordEntry::Line; case-insensitive,
/// accents folded; see CollateLess). Equal lines keep their order. O(n log n) comparisons.
std::vector<const KeywordEntry*> SortedEntries(const std::vector<KeywordEntry>& entries);

/// The whole contents file for entries (any order): the frame, and one folder per run of
/// sorted entries whose field 1 is exactly equal (case counts, so "a" and "A" are separate
/// folders). A topic's Name is field 2; its Local is field 4 + "#" + field 3 when the entry
/// has four or more fields, else the page (the last field) alone, so that a marker without an
/// anchor still leads to its page. Names go through ConvertChars; Local values do not.
Lines ContentsFileLines(const std::vector<KeywordEntry>& entries, const TagTable& tags,
                        const CharacterTable& table);

/// The whole index file for entries (any order): one item per sorted entry, equal keywords
/// not merged. Names are field 1 and field 2 (converted); the fields between the title and
/// the page (the last field) are anchors and give "page#anchor" each; an entry without anchor
/// gets the page alone.
Lines IndexFileLines(const std::vector<KeywordEntry>& entries, const TagTable& tags,
                     const CharacterTable& table);

/// Writes the contents file of kind into folder (which ends in "/"), after trying once to
/// create the folder, replacing an old file atomically (a failure leaves it as it was). No
/// entries: nothing is written and an old file stays. Throws Error naming the file and the
/// reason.
void WriteContentsFile(DocKind kind, const std::vector<KeywordEntry>& entries,
                       const std::string& folder, const TagTable& tags,
                       const CharacterTable& table);
/// The same for the index file.
void WriteIndexFile(DocKind kind, const std::vector<KeywordEntry>& entries,
                    const std::string& folder, const TagTable& tags, const CharacterTable& table);

} // namespace qm
