#include "engine/CharTables.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace qm {

namespace {

constexpr char kFieldSeparator = ',';
// Tables with more steps than this note which bytes a text holds, to pass over the steps
// that cannot apply.
constexpr size_t kStepsWorthTracking = 8;

bool IsTrimmed(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}
bool IsBracket(char c) {
  return c == '<' || c == '>';
}

// The first blank-separated word of text once it is trimmed. The texts are the few bytes
// between brackets, so plain walks do it.
std::string_view FirstWord(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && IsTrimmed(text[end - 1])) {
    --end;
  }
  size_t start = 0;
  while (start < end && IsTrimmed(text[start])) {
    ++start;
  }
  size_t blank = start;
  while (blank < end && text[blank] != ' ') {
    ++blank;
  }
  return text.substr(start, blank - start);
}

/// One occurrence of a row's `from` and whether it belongs to a tag and must stay, packed
/// into one number: a text may hold an occurrence at every byte, so each costs 4 bytes for
/// texts below 2 GiB (Pos = uint32_t) and 8 beyond.
template <typename Pos> class Hit {
public:
  explicit Hit(size_t pos) : bits_(static_cast<Pos>(pos)) {}
  size_t pos() const { return bits_ & ~kKeepBit; }
  bool keep() const { return (bits_ & kKeepBit) != 0; }
  void setKeep(bool keep) { bits_ = keep ? (bits_ | kKeepBit) : (bits_ & ~kKeepBit); }
  /// Positions must stay below this.
  static constexpr Pos kKeepBit = Pos{1} << (sizeof(Pos) * 8 - 1);

private:
  Pos bits_;
};

// Every occurrence of from in text, left to right, overlapping ones included.
template <typename Pos>
void Occurrences(std::string_view text, std::string_view from, std::vector<Hit<Pos>>& hits) {
  hits.clear();
  for (size_t p = text.find(from); p != std::string_view::npos; p = text.find(from, p + 1)) {
    hits.emplace_back(p);
  }
}

// The buffers a conversion works in, kept from one conversion to the next: a block's rows
// would otherwise each allocate a list of occurrences and a new text. Buffers that grew large
// for a long text are let go afterwards rather than kept.
struct Scratch {
  std::vector<Hit<uint32_t>> hits;
  std::string spare; ///< the text a replacement is written to; then it holds the old text

  static constexpr size_t kKeep = size_t{1} << 20;

  /// The spare text, empty, with room for size bytes. Too small a buffer is let go before a
  /// larger one is taken, so that the two never exist at once.
  std::string& Spare(size_t size) {
    spare.clear();
    if (spare.capacity() < size) {
      std::string().swap(spare);
      spare.reserve(size);
    }
    return spare;
  }
  void Trim() {
    if (hits.capacity() * sizeof(hits[0]) > kKeep) {
      std::vector<Hit<uint32_t>>().swap(hits);
    }
    if (spare.capacity() > kKeep) {
      std::string().swap(spare);
    }
  }
};

// The Scratch of one conversion, taken from the program's pool and given back trimmed. There
// are never more in the pool than conversions ran at once. Not a thread_local: with MinGW's
// threads, a thread's thread_local storage is freed before the destructors of its objects run,
// so a Scratch's destructor would free pointers read from freed memory.
class ScratchLease {
public:
  ScratchLease() {
    {
      const std::lock_guard lock(Mutex());
      std::vector<std::unique_ptr<Scratch>>& pool = Pool();
      if (!pool.empty()) {
        scratch_ = std::move(pool.back());
        pool.pop_back();
        return;
      }
    }
    scratch_ = std::make_unique<Scratch>();
  }
  ~ScratchLease() {
    scratch_->Trim();
    const std::lock_guard lock(Mutex());
    Pool().push_back(std::move(scratch_));
  }
  ScratchLease(const ScratchLease&) = delete;
  ScratchLease& operator=(const ScratchLease&) = delete;

  Scratch& operator*() { return *scratch_; }

private:
  static std::mutex& Mutex() {
    static std::mutex mutex;
    return mutex;
  }
  // Never destroyed, so that a conversion still running while the program exits finds it.
  static std::vector<std::unique_ptr<Scratch>>& Pool() {
    static auto* pool = new std::vector<std::unique_ptr<Scratch>>();
    return *pool;
  }

  std::unique_ptr<Scratch> scratch_;
};

// A "<" stays when the word after it, up to the next bracket, is a tag. Each look-ahead stops
// at the next bracket, so the scans never overlap.
template <typename Pos>
void ClassifyOpeningBrackets(std::string_view text, std::vector<Hit<Pos>>& hits,
                             const TagTable& tags) {
  for (Hit<Pos>& hit : hits) {
    size_t end = hit.pos() + 1;
    while (end < text.size() && !IsBracket(text[end])) {
      ++end;
    }
    hit.setKeep(tags.Contains(FirstWord(text.substr(hit.pos() + 1, end - hit.pos() - 1))));
  }
}

// The words that successive ">" close, found in one walk: the stretch since the previous ">"
// (or since a "<" in it) is searched forward only until the word's start and first blank are
// known, and back from the ">" for the word's last non-trimmed byte.
class ClosedWords {
public:
  /// Where the stretch after the previous ">" begins.
  size_t From() const { return from_; }

  /// The word for the next ">" starts after a "<" at open - 1, not at From().
  void RestartAt(size_t open) {
    wordStart_ = firstBlank_ = lastSolid_ = kNone;
    start_ = searched_ = open;
  }

  /// What RestartAt(open) and Take(text, close) leave when the bytes from open up to the ">" at
  /// close are all solid (none trimmed, so no blank) and there is at least one.
  void TakeSolid(size_t open, size_t close) {
    wordStart_ = open;
    firstBlank_ = kNone;
    lastSolid_ = close - 1;
    from_ = start_ = searched_ = close + 1;
  }

  /// The word between the stretch's start and the ">" at at; the walk then moves past at.
  std::string_view Take(std::string_view text, size_t at) {
    for (; searched_ < at && (wordStart_ == kNone || firstBlank_ == kNone); ++searched_) {
      const char c = text[searched_];
      if (wordStart_ == kNone) {
        if (!IsTrimmed(c)) {
          wordStart_ = searched_;
        }
      } else if (c == ' ') {
        firstBlank_ = searched_;
      }
    }
    size_t back = at;
    while (back > start_ && IsTrimmed(text[back - 1])) {
      --back;
    }
    if (back > start_) {
      lastSolid_ = back - 1;
    }
    std::string_view word;
    if (wordStart_ != kNone) {
      const size_t end = firstBlank_ < lastSolid_ ? firstBlank_ : lastSolid_ + 1;
      word = text.substr(wordStart_, end - wordStart_);
    }
    from_ = start_ = at + 1;
    searched_ = std::max(searched_, from_);
    return word;
  }

private:
  static constexpr size_t kNone = std::string_view::npos;
  size_t wordStart_ = kNone;
  size_t firstBlank_ = kNone;
  size_t lastSolid_ = kNone;
  size_t from_ = 0;     ///< the stretch after the previous ">"
  size_t start_ = 0;    ///< where the current word may begin: from_ or after a "<"
  size_t searched_ = 0; ///< bytes before this were looked at for the word's start and blank
};

// A ">" stays when the word between the last "<" before it (or the text start) and it is a
// tag. The ">" before it have been dealt with already and count as trimmable control bytes,
// not as brackets, so "<B>>" keeps both. The word's bounds in the stretch since the last "<"
// are its first non-trimmed byte, the first blank after that and the last non-trimmed byte.
// Every ">" is an occurrence, so between two of them lie only other bytes and "<": each such
// stretch is searched back for its last "<" and for its last non-trimmed byte, and forward
// only until the word's start and first blank are known.
template <typename Pos>
void ClassifyClosingBrackets(std::string_view text, std::vector<Hit<Pos>>& hits,
                             const TagTable& tags) {
  ClosedWords words;
  for (Hit<Pos>& hit : hits) {
    const size_t at = hit.pos();
    for (size_t k = at; k > words.From(); --k) {
      if (text[k - 1] == '<') {
        words.RestartAt(k);
        break;
      }
    }
    hit.setKeep(tags.Contains(words.Take(text, at)));
  }
}

// Any other text stays when the nearest bracket at or before it is a "<": it stands inside a
// tag, for instance in an attribute value. The bytes since the previous occurrence are
// searched back for a bracket; without one, the previous occurrence's bracket holds.
template <typename Pos>
void ClassifyInsideTags(std::string_view text, std::vector<Hit<Pos>>& hits) {
  char lastBracket = '\0';
  size_t from = 0;
  for (Hit<Pos>& hit : hits) {
    for (size_t k = hit.pos() + 1; k > from; --k) {
      if (IsBracket(text[k - 1])) {
        lastBracket = text[k - 1];
        break;
      }
    }
    from = std::max(from, hit.pos() + 1);
    hit.setKeep(lastBracket == '<');
  }
}

// Replaces from by to left to right, as a plain replacement would, but an occurrence whose
// stretch holds the start of a kept occurrence does not match: a kept occurrence also blocks
// an overlapping converted one.
template <typename Pos>
void ReplaceUnkept(std::string_view text, std::string_view from, std::string_view to,
                   const std::vector<Hit<Pos>>& hits, std::string& out) {
  size_t pos = 0;
  auto kept = hits.begin(); // the first kept occurrence at or after the one looked at
  for (const Hit<Pos>& hit : hits) {
    if (hit.keep() || hit.pos() < pos) {
      continue;
    }
    while (kept != hits.end() && (kept->pos() < hit.pos() || !kept->keep())) {
      ++kept;
    }
    if (kept != hits.end() && kept->pos() < hit.pos() + from.size()) {
      continue;
    }
    out.append(text.substr(pos, hit.pos() - pos));
    out.append(to);
    pos = hit.pos() + from.size();
  }
  out.append(text.substr(pos));
}

// ProtectedReplace with the occurrences' positions held as Pos, in hits.
template <typename Pos>
bool ProtectedReplaceWith(std::string& text, std::string_view from, std::string_view to,
                          const TagTable& tags, std::vector<Hit<Pos>>& hits, Scratch& scratch) {
  Occurrences<Pos>(text, from, hits);
  if (hits.empty()) {
    return false;
  }
  if (from == "<") {
    ClassifyOpeningBrackets(text, hits, tags);
  } else if (from == ">") {
    ClassifyClosingBrackets(text, hits, tags);
  } else {
    ClassifyInsideTags(text, hits);
  }
  std::string& out = scratch.Spare(text.size());
  ReplaceUnkept(text, from, to, hits, out);
  text.swap(out);
  return true;
}

// Replaces from by to everywhere in text except in occurrences that belong to a tag of the
// table. Returns false (text untouched) when from does not occur.
bool ProtectedReplace(std::string& text, std::string_view from, std::string_view to,
                      const TagTable& tags, Scratch& scratch) {
  if (text.size() < Hit<uint32_t>::kKeepBit) {
    return ProtectedReplaceWith<uint32_t>(text, from, to, tags, scratch.hits, scratch);
  }
  std::vector<Hit<uint64_t>> hits;
  return ProtectedReplaceWith<uint64_t>(text, from, to, tags, hits, scratch);
}

// Which of a table's first bytes a text holds, and which pairs of neighbouring bytes start with
// one of them, the pairs folded into 4096 bits: a row whose text starts with a byte or a pair
// the text lacks cannot occur in it, so most rows of a table are passed over without a search.
// Only the positions of the rows' first bytes are looked at. Taken again after a row changed
// the text, which few rows do.
class Census {
public:
  /// starts holds the first byte of every text that MayHold will be asked about.
  Census(std::string_view text, const ByteSet& starts) : starts_(starts) { Take(text); }

  void Take(std::string_view text) {
    bytes_.fill(false);
    pairs_.fill(0);
    starts_.ForEachIn(text, [&](size_t i) {
      bytes_[static_cast<unsigned char>(text[i])] = true;
      if (i + 1 < text.size()) {
        const unsigned k = Pair(text[i], text[i + 1]);
        pairs_[k >> 6] |= uint64_t{1} << (k & 63);
      }
    });
  }

  /// False when s cannot occur in the text.
  bool MayHold(std::string_view s) const {
    if (s.empty()) {
      return true;
    }
    if (!bytes_[static_cast<unsigned char>(s[0])]) {
      return false;
    }
    if (s.size() == 1) {
      return true;
    }
    const unsigned k = Pair(s[0], s[1]);
    return ((pairs_[k >> 6] >> (k & 63)) & 1) != 0;
  }

private:
  static unsigned Pair(char a, char b) {
    return ((static_cast<unsigned>(static_cast<unsigned char>(a)) << 4) ^
            static_cast<unsigned char>(b)) &
           0xFFF;
  }

  const ByteSet& starts_;
  std::array<bool, 256> bytes_{};
  std::array<uint64_t, 64> pairs_{};
};

} // namespace

TagTable::Key TagTable::KeyOf(std::string_view word, char* upper) {
  // The first eight bytes make the number; most tag words have no more.
  uint64_t head = 0;
  const size_t inHead = std::min<size_t>(word.size(), 8);
  for (size_t i = 0; i < inHead; ++i) {
    head |= uint64_t{static_cast<unsigned char>(AnsiUpperChar(word[i]))} << (8 * i);
  }
  uint64_t h = (head ^ word.size()) * 0x9E3779B97F4A7C15ULL;
  if (upper == nullptr) {
    return Key{head, static_cast<size_t>(h >> 32)};
  }
  for (size_t i = 0; i < word.size(); ++i) {
    upper[i] = AnsiUpperChar(word[i]);
  }
  for (size_t i = 8; i < word.size(); ++i) {
    h = (h ^ static_cast<unsigned char>(upper[i])) * 0x100000001B3ULL;
  }
  return Key{head, static_cast<size_t>(h >> 32)};
}

void TagTable::Assign(const Lines& loaded) {
  lines_.clear();
  longest_ = 0;
  holdsEmpty_ = false;
  bytes_.fill(false);
  lines_.reserve(loaded.size() * 2);
  for (const std::string& line : loaded) {
    lines_.push_back(line);
  }
  for (const std::string& line : loaded) {
    lines_.push_back("/" + line);
  }
  // At most half the slots in use, so that a search for a word not in the table soon meets an
  // empty slot. An empty slot holds an empty string; an empty line of the table is noted aside.
  size_t size = 16;
  while (size < lines_.size() * 2) {
    size *= 2;
  }
  slots_.assign(size, Slot{});
  for (const std::string& line : lines_) {
    longest_ = std::max(longest_, line.size());
    if (line.empty()) {
      holdsEmpty_ = true;
      continue;
    }
    std::string upper(line.size(), '\0');
    const Key key = KeyOf(line, upper.data());
    for (const char c : upper) {
      bytes_[static_cast<unsigned char>(c)] = true;
    }
    for (size_t k = key.hash & (size - 1);; k = (k + 1) & (size - 1)) {
      if (slots_[k].upper.empty()) {
        slots_[k] = Slot{std::move(upper), key.head};
        break;
      }
      if (slots_[k].upper == upper) {
        break;
      }
    }
  }
}

bool TagTable::ContainsShort(std::string_view word) const {
  if (word.size() > longest_) {
    return false;
  }
  const size_t mask = slots_.size() - 1;
  const Key key = KeyOf(word, nullptr);
  for (size_t k = key.hash & mask; !slots_[k].upper.empty(); k = (k + 1) & mask) {
    if (slots_[k].head == key.head && slots_[k].upper.size() == word.size()) {
      return true;
    }
  }
  return false;
}

bool TagTable::ContainsLong(std::string_view word) const {
  if (word.empty()) {
    return holdsEmpty_;
  }
  if (word.size() > longest_) {
    return false;
  }
  const size_t mask = slots_.size() - 1;
  // Longer ones are made upper case on the stack (the table's longest bounds them).
  constexpr size_t kShort = 64;
  std::array<char, kShort> shortUpper;
  std::string longUpper;
  char* upper = shortUpper.data();
  if (word.size() > kShort) {
    longUpper.resize(word.size());
    upper = longUpper.data();
  }
  const Key key = KeyOf(word, upper);
  for (size_t k = key.hash & mask; !slots_[k].upper.empty(); k = (k + 1) & mask) {
    const Slot& slot = slots_[k];
    if (slot.head == key.head && slot.upper.size() == word.size() &&
        std::memcmp(slot.upper.data(), upper, word.size()) == 0) {
      return true;
    }
  }
  return false;
}

namespace {

// A row that changes text at all: it has both fields and they differ.
bool Converts(const CharRow& row) {
  return !row.from.empty() && !row.to.empty() && row.from != row.to;
}

// A row that replaces one byte other than an angle bracket: whether it applies depends only on
// the brackets before it, which such rows never make or remove.
bool ReplacesOneByte(const CharRow& row) {
  return Converts(row) && row.from.size() == 1 && !IsBracket(row.from[0]) &&
         row.to.find_first_of("<>") == std::string::npos;
}

bool HoldsBracket(std::string_view s) {
  return s.find_first_of("<>") != std::string_view::npos;
}

// Whether the rows can be applied in one pass over a text, and how. Applied one after the
// other, a row sees what the rows before it made; in one pass it sees the text as it came. The
// two agree when
// - no replacement holds a bracket, and "<" and ">" are replaced by at most one row each, the
//   "<" row first: the brackets a row sees are then those of the text less the ones that
//   earlier bracket rows converted;
// - the other rows' texts hold no bracket, start with different bytes, and hold no row's first
//   byte after their own first byte: their occurrences never overlap, so no row takes away
//   what a later row would have found;
// - no replacement holds a byte of a later row's text: no row finds what an earlier one made;
// - the rows before the ">" row look for and make texts of bytes above blank only, so that the
//   tag word a ">" looks back to has the same bounds in the text as it came; whether it may
//   hold their texts is left to the tag table (ConvertsInOnePass).
CharacterTable::OnePass PlanOnePass(const std::vector<CharRow>& rows) {
  CharacterTable::OnePass plan;
  plan.byFirst.fill(-1);
  plan.bracketRowsBefore.assign(rows.size(), 0);
  std::array<bool, 256> laterRowsMustMiss{}; // the bytes of the replacements so far
  std::array<bool, 256> inner{};             // the bytes after the first of the other rows' texts
  const auto solid = [](std::string_view s) { return std::none_of(s.begin(), s.end(), IsTrimmed); };
  uint8_t bracketRows = 0;
  for (size_t i = 0; i < rows.size(); ++i) {
    const CharRow& row = rows[i];
    plan.bracketRowsBefore[i] = bracketRows;
    if (!Converts(row)) {
      continue;
    }
    if (plan.closeRow < 0 && row.from != ">") {
      plan.beforeClose.push_back(i);
    }
    if (HoldsBracket(row.to) || std::any_of(row.from.begin(), row.from.end(), [&](char c) {
          return laterRowsMustMiss[static_cast<unsigned char>(c)];
        })) {
      return {};
    }
    if (row.from == "<" || row.from == ">") {
      int& slot = row.from == "<" ? plan.openRow : plan.closeRow;
      if (slot >= 0 || (row.from == "<" && plan.closeRow >= 0) ||
          (row.from == ">" &&
           !std::all_of(plan.beforeClose.begin(), plan.beforeClose.end(),
                        [&](size_t k) { return solid(rows[k].from) && solid(rows[k].to); }))) {
        return {};
      }
      slot = static_cast<int>(i);
      ++bracketRows;
    } else {
      const unsigned char first = static_cast<unsigned char>(row.from[0]);
      if (HoldsBracket(row.from) || plan.byFirst[first] >= 0) {
        return {};
      }
      plan.byFirst[first] = static_cast<int16_t>(i);
      for (size_t k = 1; k < row.from.size(); ++k) {
        inner[static_cast<unsigned char>(row.from[k])] = true;
      }
    }
    for (const char c : row.to) {
      laterRowsMustMiss[static_cast<unsigned char>(c)] = true;
    }
  }
  for (size_t c = 0; c < 256; ++c) {
    if (plan.byFirst[c] >= 0) {
      if (inner[c]) {
        return {};
      }
      plan.stops.Add(static_cast<char>(c));
    }
  }
  plan.stops.Add('<');
  plan.stops.Add('>');
  plan.shortTo.assign(rows.size(), {});
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].to.size() <= CharacterTable::OnePass::kShortTo) {
      std::copy(rows[i].to.begin(), rows[i].to.end(), plan.shortTo[i].begin());
    }
  }
  if (plan.closeRow < 0) {
    plan.beforeClose.clear();
  }
  plan.possible = true;
  return plan;
}

} // namespace

void CharacterTable::Assign(const Lines& rows) {
  lines_ = rows;
  rows_.clear();
  rows_.reserve(rows.size());
  for (const std::string& line : rows) {
    rows_.push_back(CharRow{FieldOf(line, 1, kFieldSeparator), FieldOf(line, 2, kFieldSeparator),
                            FieldOf(line, 3, kFieldSeparator)});
  }
  converting_ = {};
  linking_ = {};
  unmapping_ = {};
  const auto add = [](Use& use, size_t row, std::string_view found) {
    use.rows.push_back(row);
    use.starts.Add(found[0]);
  };
  for (size_t i = 0; i < rows_.size(); ++i) {
    const CharRow& row = rows_[i];
    if (Converts(row)) {
      add(converting_, i, row.from);
      add(unmapping_, i, row.to);
    }
    if (!row.from.empty() && !row.link.empty()) {
      add(linking_, i, row.from);
    }
  }
  // Rows applied one after the other see what the rows before them made. A run of one-byte
  // rows can be applied at once when no row's replacement holds a byte that a later row of
  // the run replaces; a byte that two rows replace goes by the first, as the second would find
  // only what the first kept.
  steps_.clear();
  for (size_t i = 0; i < rows_.size(); ++i) {
    const CharRow& row = rows_[i];
    if (!Converts(row)) {
      continue;
    }
    const bool joins =
        ReplacesOneByte(row) && !steps_.empty() &&
        ReplacesOneByte(rows_[steps_.back().rows.back()]) &&
        std::none_of(steps_.back().rows.begin(), steps_.back().rows.end(),
                     [&](size_t k) { return rows_[k].to.find(row.from[0]) != std::string::npos; });
    if (!joins) {
      Step step;
      step.rows.push_back(i);
      step.byRow.fill(-1);
      step.byRow[static_cast<unsigned char>(row.from[0])] = static_cast<int16_t>(i);
      step.stops.Add('<');
      step.stops.Add('>');
      step.stops.Add(row.from[0]);
      steps_.push_back(std::move(step));
      continue;
    }
    Step& step = steps_.back();
    step.rows.push_back(i);
    step.stops.Add(row.from[0]);
    int16_t& slot = step.byRow[static_cast<unsigned char>(row.from[0])];
    if (slot < 0) {
      slot = static_cast<int16_t>(i);
    }
  }
  onePass_ = PlanOnePass(rows_);
}

namespace {

// A run of one-byte rows in one pass: a byte is replaced unless the nearest bracket before it
// is a "<" (it stands inside a tag). Returns false when nothing was replaced.
bool ReplaceBytes(std::string& text, const CharacterTable& table, const CharacterTable::Step& step,
                  Scratch& scratch) {
  std::string* out = nullptr; // the spare text, once a byte is replaced
  char lastBracket = '\0';
  size_t copied = 0;
  step.stops.ForEachIn(text, [&](size_t i) {
    const char c = text[i];
    if (IsBracket(c)) {
      lastBracket = c;
      return;
    }
    const int16_t row = step.byRow[static_cast<unsigned char>(c)];
    if (row < 0 || lastBracket == '<') {
      return;
    }
    if (out == nullptr) {
      out = &scratch.Spare(text.size() + text.size() / 4);
    }
    out->append(text, copied, i - copied);
    out->append(table.rows()[static_cast<size_t>(row)].to);
    copied = i + 1;
  });
  if (out == nullptr) {
    return false;
  }
  out->append(text, copied);
  text.swap(*out);
  return true;
}

// ConvertChars when ConvertsInOnePass, in one walk over the rows' first bytes and the
// brackets. A "<" is told apart by the word after it, as the "<" row tells it; a ">" by the
// word back to the last "<" still standing, as the ">" row tells it (ClassifyClosingBrackets,
// with that "<" known from the walk instead of searched for). Every other row sees the
// brackets that the bracket rows before it left. Flattened: the walk calls its visitor for
// every stop, and the compiler would otherwise keep that call, which costs about as much as
// what the visitor does for most stops.
[[gnu::flatten]] std::string ConvertInOnePass(std::string_view text, const TagTable& tags,
                                              const CharacterTable& table) {
  constexpr size_t kNone = std::string_view::npos;
  const CharacterTable::OnePass& plan = table.onePass();
  const std::vector<CharRow>& rows = table.rows();
  // The last bracket seen by the rows with none, one or two bracket rows before them: a bracket
  // that a row converts is seen only by the rows before that row.
  char last[3] = {'\0', '\0', '\0'};
  const size_t openSeenBy = 1;
  const size_t closeSeenBy =
      plan.closeRow >= 0 ? plan.bracketRowsBefore[static_cast<size_t>(plan.closeRow)] + 1 : 0;
  const auto see = [&last](char c, size_t seenBy) {
    last[0] = c;
    if (seenBy > 1) {
      last[1] = c;
    }
    if (seenBy > 2) {
      last[2] = c;
    }
  };
  // The ">" row's look back: the last "<" it sees, and the word since then. When that "<"
  // was kept for the word up to this ">", the ">" looks at the same word, so it is kept too.
  size_t lastOpen = kNone;
  size_t lastOpenWordEnd = kNone; ///< the next bracket after lastOpen, when it was looked for
  ClosedWords words;
  const auto closesTag = [&](size_t at) {
    bool sameWord = false;
    if (lastOpen != kNone && lastOpen >= words.From()) {
      words.RestartAt(lastOpen + 1);
      sameWord = lastOpenWordEnd == at;
    }
    const std::string_view word = words.Take(text, at);
    return sameWord || tags.Contains(word);
  };
  // The text is put together through a pointer into a buffer with room to spare: the pieces
  // are mostly a few bytes, and a short one is copied as one block of kBlock bytes, where the
  // string's append would check its size and call the library for each.
  constexpr size_t kBlock = CharacterTable::OnePass::kShortTo;
  std::string out(text.size() + text.size() / 4 + 2 * kBlock, '\0');
  size_t used = 0;
  const auto room = [&](size_t n) {
    if (used + n + kBlock > out.size()) {
      out.resize(std::max(out.size() * 2, used + n + kBlock));
    }
    return out.data() + used;
  };
  // text[from, to)
  const auto put = [&](size_t from, size_t to) {
    const size_t n = to - from;
    char* const dest = room(n);
    if (n <= kBlock && from + kBlock <= text.size()) {
      std::memcpy(dest, text.data() + from, kBlock);
    } else {
      std::memcpy(dest, text.data() + from, n);
    }
    used += n;
  };
  size_t copied = 0;
  size_t passed = 0; ///< the stops before this lie in a tag already dealt with
  plan.stops.ForEachIn(text, [&](size_t at) {
    if (at < passed) {
      return;
    }
    const char c = text[at];
    int row = -1;
    if (c == '<') {
      bool kept = true;
      size_t end = kNone;
      if (plan.openRow >= 0) {
        end = at + 1;
        bool solid = true;
        while (end < text.size() && !IsBracket(text[end])) {
          solid = solid && !IsTrimmed(text[end]);
          ++end;
        }
        const std::string_view inside = text.substr(at + 1, end - at - 1);
        if (solid && !inside.empty() && end < text.size() && text[end] == '>') {
          // A tag such as "<B>": its word is all of it, and when the word is kept its ">"
          // closes the same word, so it stays too and nothing between them can change.
          if (tags.Contains(inside)) {
            lastOpen = at;
            lastOpenWordEnd = end;
            if (plan.closeRow >= 0) {
              words.TakeSolid(at + 1, end);
            }
            see('>', 3);
            passed = end + 1;
            return;
          }
          kept = false;
        } else {
          kept = tags.Contains(FirstWord(inside));
        }
      }
      see(c, kept ? 3 : openSeenBy);
      if (kept) {
        lastOpen = at;
        lastOpenWordEnd = end;
        return;
      }
      row = plan.openRow;
    } else if (c == '>') {
      const bool kept = plan.closeRow < 0 || closesTag(at);
      see(c, kept ? 3 : closeSeenBy);
      if (kept) {
        return;
      }
      row = plan.closeRow;
    } else {
      row = plan.byFirst[static_cast<unsigned char>(c)];
      if (row < 0 || at < copied) {
        return;
      }
      const std::string& found = rows[static_cast<size_t>(row)].from;
      if ((found.size() > 1 && text.compare(at, found.size(), found) != 0) ||
          last[plan.bracketRowsBefore[static_cast<size_t>(row)]] == '<') {
        return; // no occurrence, or one inside a tag
      }
    }
    const auto k = static_cast<size_t>(row);
    const CharRow& replaced = rows[k];
    put(copied, at);
    const size_t n = replaced.to.size();
    char* const dest = room(n);
    if (n <= kBlock) {
      std::memcpy(dest, plan.shortTo[k].data(), kBlock);
    } else {
      std::memcpy(dest, replaced.to.data(), n);
    }
    used += n;
    copied = at + replaced.from.size();
  });
  put(copied, text.size());
  out.resize(used);
  return out;
}

} // namespace

bool ConvertsInOnePass(const TagTable& tags, const CharacterTable& table) {
  const CharacterTable::OnePass& plan = table.onePass();
  const auto outsideTags = [&](std::string_view s) {
    return std::any_of(s.begin(), s.end(), [&](char c) { return !tags.AnyLineHolds(c); });
  };
  return plan.possible &&
         std::all_of(plan.beforeClose.begin(), plan.beforeClose.end(), [&](size_t k) {
           return outsideTags(table.rows()[k].from) && outsideTags(table.rows()[k].to);
         });
}

std::string ConvertChars(std::string_view text, const TagTable& tags, const CharacterTable& table) {
  // The one walk copies a text that holds nothing to convert as it is, so a look for that
  // first would only walk the text twice.
  if (ConvertsInOnePass(tags, table)) {
    return ConvertInOnePass(text, tags, table);
  }
  if (table.converting().Misses(text)) {
    return std::string(text);
  }
  std::string out(text);
  // With many steps, a step whose rows cannot occur in the text is passed over without a scan;
  // with a few, each step's own search costs no more than finding out.
  std::optional<Census> census;
  if (table.steps().size() > kStepsWorthTracking) {
    census.emplace(out, table.converting().starts);
  }
  ScratchLease scratch;
  // A row that maps a character to itself (" , ,_" gives blanks their link spelling only)
  // changes no text and has no step.
  for (const CharacterTable::Step& step : table.steps()) {
    if (census && std::none_of(step.rows.begin(), step.rows.end(),
                               [&](size_t k) { return census->MayHold(table.rows()[k].from); })) {
      continue;
    }
    const bool changed = step.rows.size() > 1
                             ? ReplaceBytes(out, table, step, *scratch)
                             : ProtectedReplace(out, table.rows()[step.rows[0]].from,
                                                table.rows()[step.rows[0]].to, tags, *scratch);
    if (changed && census) {
      census->Take(out);
    }
  }
  return out;
}

bool NeedsConversion(std::string_view text, const CharacterTable& table) {
  const CharacterTable::Use& use = table.converting();
  if (use.Misses(text)) {
    return false;
  }
  const Census census(text, use.starts);
  return std::any_of(use.rows.begin(), use.rows.end(), [&](size_t k) {
    const std::string& from = table.rows()[k].from;
    return census.MayHold(from) && text.find(from) != std::string_view::npos;
  });
}

bool NeedsLinkMapping(std::string_view text, const CharacterTable& table) {
  const CharacterTable::Use& use = table.linking();
  if (use.Misses(text)) {
    return false;
  }
  const Census census(text, use.starts);
  return std::any_of(use.rows.begin(), use.rows.end(), [&](size_t k) {
    const std::string& from = table.rows()[k].from;
    return census.MayHold(from) && text.find(from) != std::string_view::npos;
  });
}

std::string MapLinkChars(std::string_view text, const CharacterTable& table) {
  std::optional<std::string> mapped = MapLinkCharsIfNeeded(text, table);
  return mapped ? std::move(*mapped) : std::string(text);
}

std::optional<std::string> MapLinkCharsIfNeeded(std::string_view text,
                                                const CharacterTable& table) {
  const CharacterTable::Use& use = table.linking();
  if (use.Misses(text)) {
    return std::nullopt;
  }
  Census census(text, use.starts);
  std::optional<std::string> out;
  for (const size_t k : use.rows) {
    const CharRow& row = table.rows()[k];
    if (!census.MayHold(row.from)) {
      continue;
    }
    // Up to the first row that occurs the text is as it came: it is searched, not copied.
    if (!out) {
      if (text.find(row.from) == std::string_view::npos) {
        continue;
      }
      out.emplace(text);
    }
    if (ReplaceAllIn(*out, row.from, row.link)) {
      census.Take(*out);
    }
  }
  return out;
}

size_t MapLinkCharsInPieces(std::string_view text, const CharacterTable& table,
                            const std::function<void(std::string_view)>& sink) {
  // A byte that no row's field 1 holds is never part of a match, before or after any row's
  // replacements, so no match can cross a cut right behind it: mapping the pieces on either
  // side one after the other gives the bytes that mapping the whole text gives.
  std::array<bool, 256> inFrom{};
  for (const CharRow& row : table.rows()) {
    if (!row.from.empty() && !row.link.empty()) {
      for (const char c : row.from) {
        inFrom[static_cast<unsigned char>(c)] = true;
      }
    }
  }
  constexpr size_t kPiece = size_t{64} << 10;
  size_t total = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t cut = std::min(start + kPiece, text.size());
    while (cut < text.size() && inFrom[static_cast<unsigned char>(text[cut - 1])]) {
      ++cut;
    }
    const std::string piece = MapLinkChars(text.substr(start, cut - start), table);
    total += piece.size();
    sink(piece);
    start = cut;
  }
  return total;
}

void UnmapCharsIn(std::string& text, const CharacterTable& table) {
  // A row that maps a text to itself changes nothing and is not among them.
  const CharacterTable::Use& use = table.unmapping();
  if (use.Misses(text)) {
    return;
  }
  Census census(text, use.starts);
  for (const size_t k : use.rows) {
    const CharRow& row = table.rows()[k];
    if (census.MayHold(row.to) && ReplaceAllIn(text, row.to, row.from)) {
      census.Take(text);
    }
  }
}

std::string UnmapChars(std::string_view text, const CharacterTable& table) {
  std::string out(text);
  UnmapCharsIn(out, table);
  return out;
}

} // namespace qm
