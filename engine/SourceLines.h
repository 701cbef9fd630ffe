// The lines of a source file, found as they are asked for.
#pragma once

#include <string_view>
#include <utility>
#include <vector>

namespace qm {

/// The lines of a text split as SplitLineViews splits it (at CR LF, CR or LF; a NUL ends the
/// text). Most lines of a source hold no marker and are never looked at one by one, so the
/// text is not split up front: a search runs over the whole text, and a line's place is worked
/// out when it is asked for. Reading the lines from one place onwards costs their length.
/// What it learns is kept in the object, so one thread at a time may use it.
class SourceLines {
public:
  SourceLines() = default;
  /// The lines of text, which must outlive this object.
  explicit SourceLines(std::string_view text);
  /// Lines split already (for instance converted one by one).
  explicit SourceLines(std::vector<std::string_view> lines);

  /// Line i (from 0), without its line break; i < size().
  std::string_view operator[](size_t i) const;
  /// The number of lines.
  size_t size() const;
  /// Appends lines [from, to) to out (to <= size()): one walk over their bytes rather than a
  /// look-up of each.
  void AppendLines(size_t from, size_t to, std::vector<std::string_view>& out) const;
  /// The first line at or after line from that holds needle (which holds no line break), or
  /// npos when there is none. Searching on from the last line found and asking for size()
  /// only at the end reads the text once. The lines found to hold the marker prefix "###" are
  /// kept, so that a needle holding it is looked for among them where the text was searched
  /// for the prefix before: a source searched ahead of its turn costs little the second time.
  size_t FindLine(std::string_view needle, size_t from) const;
  /// The first of the lines [from, to) that holds needle (which holds no line break), or npos:
  /// the search stops at line to (to <= size()), however far the text goes on.
  size_t FindLineBefore(std::string_view needle, size_t from, size_t to) const;
  static constexpr size_t npos = static_cast<size_t>(-1);

private:
  struct Place {
    size_t line;
    size_t offset; // where the line starts in text_
  };
  /// The start of line i, walking from the nearest known place before it.
  size_t StartOf(size_t i) const;
  /// The end of the line that starts at offset (its first break byte, or the text's end).
  size_t EndOfLine(size_t offset) const;
  /// FindLine in the text itself, up to offset stop.
  size_t Search(std::string_view needle, size_t from, size_t stop = static_cast<size_t>(-1)) const;
  /// Remembers a place, keeping places_ sorted by line.
  void Note(Place place) const;

  bool split_ = false; // the lines were given
  std::vector<std::string_view> given_;
  std::string_view text_;
  mutable std::vector<Place> places_{{0, 0}};        // known line starts, sorted
  mutable Place last_{0, 0};                         // the line asked for last
  mutable size_t lastEnd_ = static_cast<size_t>(-1); // where it ends, once known
  mutable size_t size_ = static_cast<size_t>(-1);
  /// Every line before this one that holds the marker prefix is in places_.
  mutable size_t markersKnownTo_ = 0;
};

} // namespace qm
