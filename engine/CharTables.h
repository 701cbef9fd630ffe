// The tag table ("HTMLTags.txt") and the character table ("Umlaute.txt") with the
// conversions that use them.
#pragma once

#include "base/AnsiText.h"
#include "base/ByteSet.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// Tag words that ConvertChars spares ("B", "BR", ...), looked up without regard to case.
class TagTable {
public:
  /// Makes the table hold the loaded lines in file order followed by "/" + each line, in the
  /// same order (so "B" also admits the closing form "/B"). Replaces any previous content.
  void Assign(const Lines& loaded);
  /// True when word is one of the table's lines, without regard to Windows-1252 case.
  bool Contains(std::string_view word) const {
    // Sizes 1 to 8 (most tag words) take the short way; the empty word wraps around to the
    // long one.
    return word.size() - 1 < 8 ? ContainsShort(word) : ContainsLong(word);
  }
  /// The table's lines (loaded lines, then their closing forms).
  const Lines& lines() const { return lines_; }
  /// True when some line holds c, without regard to Windows-1252 case.
  bool AnyLineHolds(char c) const { return bytes_[static_cast<unsigned char>(AnsiUpperChar(c))]; }

private:
  /// A word's upper-case form as a number (its first eight bytes) and its hash.
  struct Key {
    uint64_t head = 0;
    size_t hash = 0;
  };
  /// The key of word, made while its upper-case form is written to upper (when given).
  static Key KeyOf(std::string_view word, char* upper);
  /// Contains for a word of one to eight bytes: the key alone tells, so no upper-case form is
  /// written (and the lookup needs no room for one).
  bool ContainsShort(std::string_view word) const;
  bool ContainsLong(std::string_view word) const;
  struct Slot {
    std::string upper; ///< empty: a free slot
    uint64_t head = 0; ///< the first eight bytes of upper as a number
  };
  Lines lines_;
  /// The upper-case forms by hash, open addressing: every "<" and ">" of every block asks, so a
  /// lookup works out the word's key in the pass that upper-cases it, and a word of up to eight
  /// bytes is compared as one number.
  std::vector<Slot> slots_;
  size_t longest_ = 0;            ///< longer words cannot match, so they are never upper-cased
  bool holdsEmpty_ = false;       ///< the table has an empty line, so the empty word is a tag
  std::array<bool, 256> bytes_{}; ///< the bytes of the lines' upper-case forms
};

/// One row of the character table: fields 1-3 split at "," by the FieldOf rule (a row with
/// fewer fields repeats its last field).
struct CharRow {
  std::string from; ///< field 1: the character as it stands in comment text
  std::string to;   ///< field 2: its HTML form
  std::string link; ///< field 3: its form in link names
};

/// The character table with its rows parsed once.
class CharacterTable {
public:
  void Assign(const Lines& rows);
  const Lines& lines() const { return lines_; }
  const std::vector<CharRow>& rows() const { return rows_; }

  /// How ConvertChars goes through the rows: one row at a time, or a run of rows that replace
  /// single bytes and cannot see each other's results, all in one pass over the text.
  struct Step {
    std::vector<size_t> rows;         ///< indices into rows(), in file order
    std::array<int16_t, 256> byRow{}; ///< for a run of several: byte -> row index, or -1
    ByteSet stops;                    ///< for a run of several: its bytes and the brackets
  };
  const std::vector<Step>& steps() const { return steps_; }
  /// How ConvertChars goes through a text once for all rows, when no row can see what another
  /// made: no replacement holds a byte of a later row's text or a bracket, and occurrences of
  /// different rows (or of one row) can never overlap. See ConvertsInOnePass.
  struct OnePass {
    bool possible = false;
    int openRow = -1;  ///< the row replacing "<", or -1
    int closeRow = -1; ///< the row replacing ">", or -1
    /// First byte of a row's text (other than a bracket) -> the row, or -1.
    std::array<int16_t, 256> byFirst{};
    /// Per row: how many of the bracket rows come before it, so which brackets it still sees.
    std::vector<uint8_t> bracketRowsBefore;
    /// The rows applied before the ">" row: a tag word that ">" looks back to may hold their
    /// texts, so none of their texts may be part of a tag.
    std::vector<size_t> beforeClose;
    ByteSet stops; ///< the rows' first bytes and the brackets
    /// Per row: its replacement in a block of kShortTo bytes (zero after it), when it fits one,
    /// so that it is copied as one block.
    static constexpr size_t kShortTo = 16;
    std::vector<std::array<char, kShortTo>> shortTo;
  };
  const OnePass& onePass() const { return onePass_; }

  /// The rows that one of the conversions applies, in file order, and the bytes the texts
  /// they look for start with: a text that holds none of those bytes stays as it is, which
  /// one search finds out.
  struct Use {
    std::vector<size_t> rows; ///< indices into rows()
    ByteSet starts;
    /// True when no row can match anywhere in text.
    bool Misses(std::string_view text) const {
      return starts.FindIn(text) == std::string_view::npos;
    }
  };
  /// Rows that ConvertChars applies (field 1 by field 2, the fields differ).
  const Use& converting() const { return converting_; }
  /// Rows that MapLinkChars applies (field 1 by field 3).
  const Use& linking() const { return linking_; }
  /// Rows that UnmapChars applies (field 2 by field 1, the fields differ).
  const Use& unmapping() const { return unmapping_; }

private:
  Lines lines_;
  std::vector<CharRow> rows_;
  std::vector<Step> steps_;
  OnePass onePass_;
  Use converting_;
  Use linking_;
  Use unmapping_;
};

/// Replaces field 1 by field 2 of every row, in file order, except where an occurrence belongs
/// to a tag named in the tag table (or, for characters other than angle brackets, stands inside
/// a tag). Linear in the length of text for each row.
std::string ConvertChars(std::string_view text, const TagTable& tags, const CharacterTable& table);
/// True when ConvertChars goes through a text once for all rows of table rather than once per
/// row: the rows cannot see each other's results, and no tag word holds a byte of a text that
/// the rows before the ">" row look for or make.
bool ConvertsInOnePass(const TagTable& tags, const CharacterTable& table);
/// True when ConvertChars could change text: some row's field 1 occurs in it. When false,
/// ConvertChars gives text unchanged, so a caller may use text itself instead of a copy.
bool NeedsConversion(std::string_view text, const CharacterTable& table);
/// True when MapLinkChars could change text (some row's field 1 with a field 3 occurs in it).
bool NeedsLinkMapping(std::string_view text, const CharacterTable& table);
/// Replaces field 1 by field 3 of every row with both non-empty, no tag protection.
std::string MapLinkChars(std::string_view text, const CharacterTable& table);
/// MapLinkChars of text when NeedsLinkMapping, else nothing: the text is looked at once for
/// both, and copied only once a row occurs in it.
std::optional<std::string> MapLinkCharsIfNeeded(std::string_view text, const CharacterTable& table);
/// MapLinkChars of text handed to sink in consecutive pieces that together are the whole
/// result, so that a long text is mapped without a second copy of it. Returns the result's
/// size.
size_t MapLinkCharsInPieces(std::string_view text, const CharacterTable& table,
                            const std::function<void(std::string_view)>& sink);
/// Replaces field 2 by field 1 of every row with both non-empty, no tag protection.
std::string UnmapChars(std::string_view text, const CharacterTable& table);
/// UnmapChars on text itself, copying nothing for rows that do not occur.
void UnmapCharsIn(std::string& text, const CharacterTable& table);

} // namespace qm
