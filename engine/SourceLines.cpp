#include "engine/SourceLines.h"

#include "base/AnsiText.h"
#include "engine/Markers.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qm {

namespace {

constexpr size_t kUnknown = static_cast<size_t>(-1);

bool IsBreak(char c) {
  return c == '\r' || c == '\n';
}

#if defined(__SSE2__)
// The sum of the sixteen byte lanes of acc.
size_t SumLanes(__m128i acc) {
  const __m128i halves = _mm_sad_epu8(acc, _mm_setzero_si128());
  return static_cast<size_t>(_mm_cvtsi128_si64(halves)) +
         static_cast<size_t>(_mm_cvtsi128_si64(_mm_unpackhi_epi64(halves, halves)));
}
#endif

// The line breaks in text[from, to) (CR LF counting once); text[to], when there is one, is
// no LF that would pair with a CR before it.
size_t CountBreaks(std::string_view text, size_t from, size_t to) {
  if (from >= to) {
    return 0;
  }
  // The last byte of the text has no byte after it to look at.
  const bool atEnd = to == text.size();
  const size_t last = atEnd ? to - 1 : to;
  size_t n = 0;
  size_t p = from;
#if defined(__SSE2__)
  // Sixteen bytes at a time: the LFs, and the CRs whose next byte is no LF. Each lane of acc
  // counts its hits (a compare gives -1 per hit) for at most 255 rounds before it is summed,
  // so the rounds go in runs of that many.
  const __m128i lf = _mm_set1_epi8('\n');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i zero = _mm_setzero_si128();
  constexpr size_t kRounds = 255;
  // Many sources hold no CR at all: where the library's fast search finds none, only the LFs
  // are counted.
  const bool lfOnly = text.substr(p, last - p).find('\r') == std::string_view::npos;
  for (size_t rounds = std::min((last - p) / 16, kRounds); lfOnly && rounds > 0;
       rounds = std::min((last - p) / 16, kRounds)) {
    __m128i acc = zero;
    for (const size_t end = p + rounds * 16; p < end; p += 16) {
      const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + p));
      acc = _mm_sub_epi8(acc, _mm_cmpeq_epi8(here, lf));
    }
    n += SumLanes(acc);
  }
  for (size_t rounds = std::min((last - p) / 16, kRounds); rounds > 0;
       rounds = std::min((last - p) / 16, kRounds)) {
    __m128i acc = zero;
    for (const size_t end = p + rounds * 16; p < end; p += 16) {
      const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + p));
      const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + p + 1));
      acc = _mm_sub_epi8(acc, _mm_cmpeq_epi8(here, lf));
      acc = _mm_sub_epi8(acc, _mm_andnot_si128(_mm_cmpeq_epi8(next, lf), _mm_cmpeq_epi8(here, cr)));
    }
    n += SumLanes(acc);
  }
#endif
  for (; p < last; ++p) {
    n += static_cast<size_t>(text[p] == '\n') +
         static_cast<size_t>(text[p] == '\r' && text[p + 1] != '\n');
  }
  if (atEnd) {
    n += IsBreak(text[last]) ? 1 : 0;
  }
  return n;
}

} // namespace

SourceLines::SourceLines(std::string_view text) : text_(text.substr(0, text.find('\0'))) {}

SourceLines::SourceLines(std::vector<std::string_view> lines)
    : split_(true), given_(std::move(lines)) {}

size_t SourceLines::EndOfLine(size_t offset) const {
  return std::min(LineBreakBytes().FindIn(text_, offset), text_.size());
}

void SourceLines::Note(Place place) const {
  if (places_.back().line < place.line) {
    places_.push_back(place);
    return;
  }
  const auto at = std::lower_bound(places_.begin(), places_.end(), place.line,
                                   [](const Place& p, size_t line) { return p.line < line; });
  if (at == places_.end() || at->line != place.line) {
    places_.insert(at, place);
  }
}

size_t SourceLines::StartOf(size_t i) const {
  if (i == last_.line) {
    return last_.offset;
  }
  Place from =
      *std::prev(std::upper_bound(places_.begin(), places_.end(), i,
                                  [](size_t line, const Place& p) { return line < p.line; }));
  size_t end = kUnknown;
  if (last_.line < i && last_.line >= from.line) {
    from = last_;
    end = lastEnd_;
  }
  size_t offset = from.offset;
  for (size_t line = from.line; line < i && offset < text_.size(); ++line) {
    offset = end != kUnknown ? end : EndOfLine(offset);
    end = kUnknown;
    if (offset < text_.size()) {
      offset +=
          text_[offset] == '\r' && offset + 1 < text_.size() && text_[offset + 1] == '\n' ? 2 : 1;
    }
  }
  last_ = {i, offset};
  lastEnd_ = kUnknown;
  return offset;
}

std::string_view SourceLines::operator[](size_t i) const {
  if (split_) {
    return given_[i];
  }
  const size_t start = StartOf(i);
  if (lastEnd_ == kUnknown) {
    lastEnd_ = EndOfLine(start);
  }
  return text_.substr(start, lastEnd_ - start);
}

void SourceLines::AppendLines(size_t from, size_t to, std::vector<std::string_view>& out) const {
  if (from >= to) {
    return;
  }
  if (split_) {
    out.insert(out.end(), given_.begin() + static_cast<std::ptrdiff_t>(from),
               given_.begin() + static_cast<std::ptrdiff_t>(to));
    return;
  }
  // One walk over the breaks of the lines: a search per line would cost more than the line.
  size_t start = StartOf(from);
  size_t line = from;
  LineBreakBytes().FindIf(text_, start, [&](size_t at) {
    if (at < start) {
      return false; // the LF of a CR LF
    }
    out.push_back(text_.substr(start, at - start));
    start = at + (text_[at] == '\r' && at + 1 < text_.size() && text_[at + 1] == '\n' ? 2 : 1);
    return ++line == to;
  });
  // Lines past the end of the text are empty.
  for (; line < to; ++line) {
    out.push_back(text_.substr(std::min(start, text_.size())));
    start = text_.size();
  }
}

size_t SourceLines::size() const {
  if (split_) {
    return given_.size();
  }
  if (size_ == kUnknown) {
    const Place from = last_.line > places_.back().line ? last_ : places_.back();
    size_t lastStart = text_.find_last_of("\r\n");
    lastStart = lastStart == std::string_view::npos ? 0 : lastStart + 1;
    const size_t start = std::min(from.offset, text_.size());
    size_ = from.line + CountBreaks(text_, start, text_.size()) +
            (std::max(lastStart, start) < text_.size() ? 1 : 0);
  }
  return size_;
}

size_t SourceLines::FindLine(std::string_view needle, size_t from) const {
  if (split_) {
    for (; from < given_.size(); ++from) {
      if (given_[from].find(needle) != std::string_view::npos) {
        return from;
      }
    }
    return npos;
  }
  // A needle that holds the marker prefix is only on lines that hold it.
  const bool marked = needle.find(kMarkerPrefix) != std::string_view::npos;
  if (from < markersKnownTo_ && marked) {
    auto it = std::lower_bound(places_.begin(), places_.end(), from,
                               [](const Place& p, size_t line) { return p.line < line; });
    for (; it != places_.end() && it->line < markersKnownTo_; ++it) {
      const std::string_view line = text_.substr(it->offset, EndOfLine(it->offset) - it->offset);
      if (line.find(needle) != std::string_view::npos) {
        last_ = *it;
        lastEnd_ = it->offset + line.size();
        return it->line;
      }
    }
    if (markersKnownTo_ == npos) {
      return npos;
    }
    from = markersKnownTo_;
  }
  if (marked && needle != kMarkerPrefix && from == markersKnownTo_) {
    // On from the known marker lines, the search goes from marker line to marker line, so
    // that the lines are counted once whatever is looked for.
    for (size_t k = FindLine(kMarkerPrefix, from); k != npos; k = FindLine(kMarkerPrefix, k + 1)) {
      if ((*this)[k].find(needle) != std::string_view::npos) {
        return k;
      }
    }
    return npos;
  }
  const size_t line = Search(needle, from);
  if (needle == kMarkerPrefix && from <= markersKnownTo_) {
    markersKnownTo_ = line == npos ? npos : line + 1;
  }
  return line;
}

size_t SourceLines::FindLineBefore(std::string_view needle, size_t from, size_t to) const {
  if (from >= to) {
    return npos;
  }
  if (split_) {
    for (; from < to; ++from) {
      if (given_[from].find(needle) != std::string_view::npos) {
        return from;
      }
    }
    return npos;
  }
  // A match that starts before line to may reach into it only through a break, which needle
  // does not hold.
  return Search(needle, from, StartOf(to));
}

size_t SourceLines::Search(std::string_view needle, size_t from, size_t stop) const {
  const size_t start = StartOf(from);
  const std::string_view text = text_.substr(0, std::min(stop, text_.size()));
  const size_t hit = start < text.size() ? text.find(needle, start) : std::string_view::npos;
  if (hit == std::string_view::npos) {
    return npos;
  }
  const size_t line = from + CountBreaks(text_, start, hit);
  size_t lineStart = hit;
  while (lineStart > start && !IsBreak(text_[lineStart - 1])) {
    --lineStart;
  }
  Note({line, lineStart});
  last_ = {line, lineStart};
  lastEnd_ = kUnknown;
  return line;
}

} // namespace qm
