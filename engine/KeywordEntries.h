// Contents and index lines: a line of a piece that holds "###Toc " or "###Index " leaves the
// page and becomes an entry of the page it was written to.
#pragma once

#include "base/AnsiText.h"
#include "engine/CharTables.h"
#include "engine/RunRecords.h"

#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// Takes the keyword lines of one keyword out of lines that come one at a time: Keep tells
/// whether a line stays in the piece, and a marker line's text goes into the entry list. A
/// filter serves one piece.
class KeywordFilter {
public:
  /// Entries go to list with the file name of page (a view into page, which must outlive the
  /// filter) and origin.
  KeywordFilter(const CharacterTable& table, const std::string& page, std::string_view keyword,
                std::vector<KeywordEntry>& list, const Origin& origin);
  /// Entry texts go to texts, for a page and origin not known yet.
  KeywordFilter(const CharacterTable& table, std::string_view keyword, Lines& texts);
  /// False for a marker line (its text, moved out of line, becomes an entry) and for the up
  /// to three "<BR>" or empty lines directly after one.
  bool Keep(std::string& line);
  /// Keep for a line that is not to be moved: a marker line's text is copied into its entry.
  bool Keep(std::string_view line);
  /// Keep for a line known to hold no marker prefix.
  bool KeepUnmarked(std::string_view line) { return !DropsAfterMarker(line); }

private:
  /// True for a "<BR>" or empty line that goes with the marker line before it.
  bool DropsAfterMarker(std::string_view line);
  /// Adds the text after a marker as an entry of the list.
  void AddEntry(std::string entry);

  const CharacterTable& table_;
  std::string marker_;
  std::string_view page_; ///< its file name goes with each entry; most pieces give none
  std::vector<KeywordEntry>* list_ = nullptr;
  const Origin* origin_ = nullptr;
  Lines* texts_ = nullptr; ///< instead of list_: the texts alone
  int dropAfter_ = 0;      ///< how many more "<BR>" or empty lines go with the last marker line
};

/// Takes the lines holding "###" + keyword + " " out of lines, with up to three directly
/// following "<BR>" or empty lines, and adds their texts (UnmapChars applied) with the file
/// name of page and origin to list.
void ExtractKeywordEntries(const CharacterTable& table, const std::string& page,
                           std::string_view keyword, std::vector<KeywordEntry>& list, Lines& lines,
                           const Origin& origin = Origin());

} // namespace qm
