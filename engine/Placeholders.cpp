#include "engine/GeneratorRun.h"

#include "base/Clock.h"
#include "base/Error.h"
#include "base/ForeignChars.h"
#include "base/Paths.h"
#include "base/TextFile.h"
#include "engine/Markers.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

namespace qm {

namespace {

// A path as page text: the characters Windows-1252 has go through ConvertChars, each other one
// becomes its numeric character reference afterwards (ConvertChars would escape its "&").
std::string PathAsHtml(std::string_view path, const TagTable& tags, const CharacterTable& table) {
  // Plain ASCII, the usual path, is the same in both spellings.
  if (std::all_of(path.begin(), path.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return ConvertChars(path, tags, table);
  }
  std::string out;
  std::string run; // Windows-1252 text not converted yet
  size_t i = 0;
  while (i < path.size()) {
    size_t len = 1;
    if ((static_cast<unsigned char>(path[i]) & 0xC0) == 0xC0) {
      while (i + len < path.size() && (static_cast<unsigned char>(path[i + len]) & 0xC0) == 0x80) {
        ++len;
      }
    }
    const std::string_view character = path.substr(i, len);
    const std::string ansi = PathToText(character);
    if (ansi == "?" && character != "?") {
      out += ConvertChars(run, tags, table);
      run.clear();
      out += PathToHtmlText(character);
    } else {
      run += ansi;
    }
    i += len;
  }
  return out + ConvertChars(run, tags, table);
}

} // namespace

std::string_view GeneratorRun::ConvertedIn(ConvertMemo& memos, size_t slot, std::string_view raw,
                                           Source source) const {
  ConvertedText& memo = memos.slots[slot];
  if (memos.keep && memo.valid && memo.raw == raw) {
    return memo.same ? raw : std::string_view(memo.converted);
  }
  // Text that conversion would leave as it is is used as it is: a long title is not copied.
  if (source == Source::Text && !NeedsConversion(raw, tables_.Chars)) {
    memo.valid = memos.keep && raw.size() <= kMemoLimit;
    memo.raw = memo.valid ? std::string(raw) : std::string();
    memo.same = true;
    return raw;
  }
  memo.same = false;
  // A path is the file system's spelling; in a page it is Windows-1252 text.
  switch (source) {
  case Source::Text:
    memo.converted = ConvertChars(raw, tables_.Tags, tables_.Chars);
    break;
  case Source::HtmlPath:
    memo.converted = PathAsHtml(raw, tables_.Tags, tables_.Chars);
    break;
  case Source::TextPath:
    memo.converted = ConvertChars(PathToText(raw), tables_.Tags, tables_.Chars);
    break;
  }
  // Only short values are kept for the next piece: keeping a long one would mean a copy of it.
  memo.valid = memos.keep && raw.size() <= kMemoLimit;
  memo.raw = memo.valid ? std::string(raw) : std::string();
  return memo.converted;
}

namespace {

// The placeholders, in the order they are filled.
constexpr std::array<std::string_view, 11> kPlaceholders = {
    kPhDate,       kPhTime,      kPhInputFile, kPhInputPath, kPhInputExt, kPhOutputFile,
    kPhOutputPath, kPhOutputExt, kPhTitle,     kPhPageTitle, kPhLink};

// Which placeholders line holds, one bit each in the order of kPlaceholders. A "%" alone (a
// width in a style sheet, say) asks for nothing, and most template lines then need no paths
// or title worked out.
uint32_t PlaceholdersIn(std::string_view line) {
  uint32_t held = 0;
  for (size_t at = line.find(kPlaceholderChar); at != std::string_view::npos;
       at = line.find(kPlaceholderChar, at + 1)) {
    const std::string_view rest = line.substr(at);
    for (size_t k = 0; k < kPlaceholders.size(); ++k) {
      const std::string_view placeholder = kPlaceholders[k];
      // The letter after the "%" rules out all but one or two at once.
      if (rest.size() >= placeholder.size() && AnsiUpperChar(rest[1]) == placeholder[1] &&
          SameText(rest.substr(0, placeholder.size()), placeholder)) {
        held |= uint32_t{1} << k;
      }
    }
  }
  return held;
}

// The bit of a placeholder in what PlaceholdersIn gives.
constexpr uint32_t BitOf(std::string_view placeholder) {
  for (size_t k = 0; k < kPlaceholders.size(); ++k) {
    if (kPlaceholders[k] == placeholder) {
      return uint32_t{1} << k;
    }
  }
  return 0;
}

// How often placeholder occurs in line, without regard to case.
size_t CountNoCase(std::string_view line, std::string_view placeholder) {
  size_t n = 0;
  for (size_t at = FindNoCase(line, placeholder); at != std::string_view::npos;
       at = FindNoCase(line, placeholder, at + placeholder.size())) {
    ++n;
  }
  return n;
}

// The filling of one line. A placeholder the line did not hold at the start can only be there
// once a value filled in before has changed the line, so until then only those it held are
// searched for.
struct Filling {
  uint32_t held = 0;
  size_t limit = 0; // the longest the line may become
  bool changed = false;

  bool MayHold(std::string_view placeholder) const {
    return changed || (held & BitOf(placeholder)) != 0;
  }

  // Throws FilledLineTooLong when replacing placeholder by size bytes would make line longer
  // than limit. The placeholders are counted only when the line is long enough to get there.
  void Check(std::string_view line, std::string_view placeholder, size_t size) const {
    if (size <= placeholder.size() ||
        line.size() + line.size() / placeholder.size() * (size - placeholder.size()) <= limit) {
      return;
    }
    if (line.size() + CountNoCase(line, placeholder) * (size - placeholder.size()) > limit) {
      throw GeneratorRun::FilledLineTooLong{};
    }
  }

  // Replaces placeholder in line by value() when it occurs; value is only worked out then. A
  // line that must move to a larger buffer gets at least reserve bytes in it.
  template <typename Value>
  void Fill(std::string& line, std::string_view placeholder, const Value& value, size_t reserve) {
    if (MayHold(placeholder) && FindNoCase(line, placeholder) != std::string::npos) {
      const auto filled = value();
      Check(line, placeholder, std::string_view(filled).size());
      ReplaceAllNoCaseIn(line, placeholder, filled, reserve);
      changed = true;
    }
  }
};

// The file name without its folder and its last extension.
std::string BareName(std::string_view path) {
  const std::string name = ExtractFileName(path);
  return name.substr(0, name.size() - ExtractFileExt(name).size());
}

// The bytes that are, in either case, a letter of a placeholder's name.
const std::array<bool, 256>& NameBytes() {
  static const std::array<bool, 256> table = [] {
    std::array<bool, 256> upper{};
    for (const std::string_view placeholder : kPlaceholders) {
      for (const char c : placeholder.substr(1, placeholder.size() - 2)) {
        upper[static_cast<unsigned char>(c)] = true;
      }
    }
    std::array<bool, 256> bytes{};
    for (size_t b = 0; b < bytes.size(); ++b) {
      bytes[b] = upper[static_cast<unsigned char>(AnsiUpperChar(static_cast<char>(b)))];
    }
    return bytes;
  }();
  return table;
}

} // namespace

std::vector<GeneratorRun::PlaceholderAt> GeneratorRun::OnePassSlots(std::string_view line) {
  // Filling one placeholder after the other finds just these when every "%" of the line is
  // part of one and between two of them stands nothing or a byte that no name holds: a value
  // without "%" leaves every "%" of the line where it was, and a "%" that closes one
  // placeholder cannot open another across such a byte. Across placeholders that are joined
  // it can, through their values, which FillInOnePass looks at.
  std::vector<PlaceholderAt> slots;
  const std::array<bool, 256>& nameBytes = NameBytes();
  size_t end = 0; // behind the last placeholder
  for (size_t at = line.find(kPlaceholderChar); at != std::string_view::npos;
       at = line.find(kPlaceholderChar, end)) {
    const std::string_view rest = line.substr(at);
    const auto k = static_cast<size_t>(
        std::ranges::find_if(kPlaceholders,
                             [rest](std::string_view placeholder) {
                               return rest.size() >= placeholder.size() &&
                                      SameText(rest.substr(0, placeholder.size()), placeholder);
                             }) -
        kPlaceholders.begin());
    if (k == kPlaceholders.size()) {
      return {};
    }
    const bool joined = !slots.empty() && at == end;
    if (!slots.empty() && !joined &&
        std::all_of(line.begin() + static_cast<std::ptrdiff_t>(end),
                    line.begin() + static_cast<std::ptrdiff_t>(at),
                    [&](char c) { return nameBytes[static_cast<unsigned char>(c)]; })) {
      return {};
    }
    if (joined) {
      slots.back().joined = true;
    }
    slots.push_back({static_cast<uint32_t>(at), static_cast<uint32_t>(k), joined});
    end = at + kPlaceholders[k].size();
  }
  return slots;
}

bool GeneratorRun::HoldsPlaceholder(std::string_view line) {
  return PlaceholdersIn(line) != 0;
}

GeneratorRun::TemplateLine GeneratorRun::LookAt(std::string_view line) {
  const uint32_t held = PlaceholdersIn(line);
  return TemplateLine{held, line.find(kMarkerPrefix) != std::string_view::npos,
                      held != 0 ? OnePassSlots(line) : std::vector<PlaceholderAt>()};
}

bool GeneratorRun::FillInOnePass(std::string& filled, std::string_view line,
                                 const TemplateLine& info, const std::string& outFile,
                                 const std::string& inFile, std::string_view title, PieceLink& link,
                                 ConvertMemo& memo, const PreparedTitle* prepared) const {
  if (info.slots.empty()) {
    return false;
  }
  const Source pathSource = info.marked ? Source::TextPath : Source::HtmlPath;
  std::optional<std::string_view> in;
  std::optional<std::string_view> out;
  std::optional<std::string_view> convertedTitle;
  const auto inPath = [&] {
    if (!in) {
      in = ConvertedIn(memo, info.marked ? 3 : 0, inFile, pathSource);
    }
    return *in;
  };
  const auto outPath = [&] {
    if (!out) {
      out = ConvertedIn(memo, info.marked ? 4 : 1, outFile, pathSource);
    }
    return *out;
  };
  const auto pieceTitle = [&] {
    if (!convertedTitle) {
      convertedTitle = prepared != nullptr ? prepared->Text(title) : ConvertedIn(memo, 2, title);
    }
    return *convertedTitle;
  };
  // The values in the filling order, so that the clock is read as filling one by one reads it.
  std::array<std::string_view, kPlaceholders.size()> values;
  std::array<std::string, kPlaceholders.size()> made;
  for (size_t k = 0; k < kPlaceholders.size(); ++k) {
    const uint32_t bit = uint32_t{1} << k;
    if ((info.held & bit) == 0) {
      continue;
    }
    std::string& own = made[k];
    if (bit == BitOf(kPhDate)) {
      own = ShortDateText();
    } else if (bit == BitOf(kPhTime)) {
      own = LongTimeText();
    } else if (bit == BitOf(kPhInputFile)) {
      own = BareName(inPath());
    } else if (bit == BitOf(kPhInputPath)) {
      own = ExtractFilePath(inPath());
    } else if (bit == BitOf(kPhInputExt)) {
      own = ExtractFileExt(ExtractFileName(inPath()));
    } else if (bit == BitOf(kPhOutputFile)) {
      own = BareName(outPath());
    } else if (bit == BitOf(kPhOutputPath)) {
      own = ExtractFilePath(outPath());
    } else if (bit == BitOf(kPhOutputExt)) {
      own = ExtractFileExt(ExtractFileName(outPath()));
    } else if (pieceTitle().size() >= kMemoLimit) {
      // A long title is filled where the line stands, with room reserved for it.
      return false;
    } else if (bit == BitOf(kPhTitle)) {
      values[k] = pieceTitle();
    } else if (bit == BitOf(kPhPageTitle)) {
      if (pieceTitle().empty()) {
        own = ExtractFileName(inPath());
      } else {
        values[k] = pieceTitle();
      }
    } else {
      link.Work(pieceTitle(), tables_.Chars);
      values[k] = link.form == PieceLink::Form::Title ? pieceTitle() : link.link;
    }
    if (!own.empty()) {
      values[k] = own;
    }
    if (values[k].find(kPlaceholderChar) != std::string_view::npos) {
      return false;
    }
  }
  const std::array<bool, 256>& nameBytes = NameBytes();
  size_t size = line.size();
  for (const PlaceholderAt& slot : info.slots) {
    const std::string_view value = values[slot.index];
    if (slot.joined && !value.empty() && std::ranges::all_of(value, [&](char c) {
          return nameBytes[static_cast<unsigned char>(c)];
        })) {
      return false;
    }
    size += value.size();
  }
  // Counted with every placeholder kept, the size bounds each step of a filling one by one.
  if (size > kFilledLineFactor * title.size() + std::max(kFilledLineSlack, line.size())) {
    return false;
  }
  filled.clear();
  filled.reserve(size);
  size_t from = 0;
  for (const PlaceholderAt& slot : info.slots) {
    filled.append(line.substr(from, slot.offset - from)).append(values[slot.index]);
    from = slot.offset + kPlaceholders[slot.index].size();
  }
  filled.append(line.substr(from));
  return true;
}

bool GeneratorRun::ShowsClock(const TemplateLine& line) {
  return (line.held & (BitOf(kPhDate) | BitOf(kPhTime))) != 0;
}

std::optional<GeneratorRun::PreparedTitle>
GeneratorRun::PrepareTitle(std::string_view title) const {
  if (title.size() >= kMemoLimit) {
    return std::nullopt;
  }
  // What Converted and PieceLink::Work make of it on the block's turn.
  PreparedTitle made;
  made.same = !NeedsConversion(title, tables_.Chars);
  if (!made.same) {
    made.converted = ConvertChars(title, tables_.Tags, tables_.Chars);
  }
  made.link.Work(made.Text(title), tables_.Chars);
  return made;
}

void GeneratorRun::PieceLink::Work(std::string_view convertedTitle, const CharacterTable& table) {
  if (form != Form::Unknown) {
    return;
  }
  if (HoldsForeignCodes(convertedTitle)) {
    // A character Windows-1252 lacks has no form in a link name.
    form = Form::Mapped;
    link = MapLinkChars(ExpandForeignCodes(convertedTitle, ForeignForm::Link), table);
    size = link.size();
  } else if (convertedTitle.size() < kMemoLimit) {
    // A title without characters to map is its own link.
    std::optional<std::string> mapped = MapLinkCharsIfNeeded(convertedTitle, table);
    if (mapped) {
      form = Form::Mapped;
      link = std::move(*mapped);
      size = link.size();
    } else {
      form = Form::Title;
      size = convertedTitle.size();
    }
  } else if (!NeedsLinkMapping(convertedTitle, table)) {
    // A title without characters to map is its own link: no copy of a long title.
    form = Form::Title;
    size = convertedTitle.size();
  } else {
    form = Form::Streamed;
    size = MapLinkCharsInPieces(convertedTitle, table, [](std::string_view) {});
  }
}

void GeneratorRun::SubstitutePlaceholders(Lines& lines, const std::string& outFile,
                                          const std::string& inFile, std::string_view title) {
  PieceLink link;
  for (std::string& line : lines) {
    SubstituteLine(line, PlaceholdersIn(line), outFile, inFile, title, link, converted_);
  }
}

void GeneratorRun::SubstituteLine(std::string& line, uint32_t held, const std::string& outFile,
                                  const std::string& inFile, std::string_view title,
                                  PieceLink& link, ConvertMemo& memo) const {
  // Most template lines hold no placeholder.
  Filling filling{held};
  if (filling.held == 0) {
    return;
  }
  // A keyword line becomes a contents or index entry, where a reference's ";" would split
  // a field.
  const bool keywordLine = line.find(kMarkerPrefix) != std::string::npos;
  const Source pathSource = keywordLine ? Source::TextPath : Source::HtmlPath;
  const std::string_view in = ConvertedIn(memo, keywordLine ? 3 : 0, inFile, pathSource);
  const std::string_view out = ConvertedIn(memo, keywordLine ? 4 : 1, outFile, pathSource);
  const std::string_view convertedTitle = ConvertedIn(memo, 2, title);
  // Placeholders in a title are filled too, and each one filled with the title again would
  // make the line grow with the square of the title: the line's length is bounded instead.
  filling.limit = kFilledLineFactor * std::max(title.size(), convertedTitle.size()) +
                  std::max(kFilledLineSlack, line.size());
  // A long title makes a long line, filled placeholder by placeholder. The line's final size
  // (as it is when no value holds a placeholder itself) is reserved when it first grows, so
  // that the later placeholders fill it where it is rather than in a copy.
  size_t reserve = 0;
  if (convertedTitle.size() >= kMemoLimit) {
    const size_t links = CountNoCase(line, kPhLink);
    if (links > 0) {
      link.Work(convertedTitle, tables_.Chars);
    }
    reserve =
        line.size() +
        (CountNoCase(line, kPhTitle) + CountNoCase(line, kPhPageTitle)) * convertedTitle.size() +
        links * link.size;
  }
  // Date and time are read for every line, as a template expects of a clock.
  filling.Fill(
      line, kPhDate, [] { return ShortDateText(); }, reserve);
  filling.Fill(
      line, kPhTime, [] { return LongTimeText(); }, reserve);
  filling.Fill(
      line, kPhInputFile, [&] { return BareName(in); }, reserve);
  filling.Fill(
      line, kPhInputPath, [&] { return ExtractFilePath(in); }, reserve);
  filling.Fill(
      line, kPhInputExt, [&] { return ExtractFileExt(ExtractFileName(in)); }, reserve);
  filling.Fill(
      line, kPhOutputFile, [&] { return BareName(out); }, reserve);
  filling.Fill(
      line, kPhOutputPath, [&] { return ExtractFilePath(out); }, reserve);
  filling.Fill(
      line, kPhOutputExt, [&] { return ExtractFileExt(ExtractFileName(out)); }, reserve);
  filling.Fill(
      line, kPhTitle, [&] { return convertedTitle; }, reserve);
  std::string fileName; // the page title of a piece without a title
  filling.Fill(
      line, kPhPageTitle,
      [&]() -> std::string_view {
        if (convertedTitle.empty()) {
          fileName = ExtractFileName(in);
          return fileName;
        }
        return convertedTitle;
      },
      reserve);
  if (!filling.MayHold(kPhLink) || FindNoCase(line, kPhLink) == std::string::npos) {
    return;
  }
  link.Work(convertedTitle, tables_.Chars);
  filling.Check(line, kPhLink, link.size);
  if (link.form != PieceLink::Form::Streamed) {
    ReplaceAllNoCaseIn(line, kPhLink,
                       link.form == PieceLink::Form::Title ? convertedTitle : link.link, reserve);
    return;
  }
  const std::function<void(char*)> write = [&](char* dest) {
    MapLinkCharsInPieces(convertedTitle, tables_.Chars, [&dest](std::string_view piece) {
      std::memcpy(dest, piece.data(), piece.size());
      dest += piece.size();
    });
  };
  ReplaceAllNoCaseIn(line, kPhLink, link.size, write, reserve);
}

} // namespace qm
