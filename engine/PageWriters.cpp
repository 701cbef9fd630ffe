#include "engine/GeneratorRun.h"

#include "base/FileSystem.h"
#include "base/ForeignChars.h"
#include "base/Paths.h"
#include "base/TextFile.h"
#include "engine/BlockConvert.h"
#include "engine/KeywordEntries.h"
#include "engine/Markers.h"

#include <algorithm>

namespace qm {

void GeneratorRun::AppendToPage(const std::string& page, std::string_view bytes) {
  std::string expanded;
  if (foreign_ && HoldsForeignCodes(bytes)) {
    expanded = ExpandForeignCodes(bytes, ForeignForm::Html);
    bytes = expanded;
  }
  const auto it = StreamOf(page);
  if (it != pageStreams_.end() && !it->WillSpill(bytes.size())) {
    it->Append(bytes); // bytes that stay in memory are no writing: not timed
    return;
  }
  const int64_t start = NowNs();
  if (it != pageStreams_.end()) {
    it->Append(bytes);
  } else {
    AppendFileBytes(page, bytes);
  }
  AddTime(writeNs_, start);
}

const std::string& GeneratorRun::PageKey(std::string_view page) const {
  for (const PageKeyMemo& memo : pageKeys_) {
    if (memo.page == page) {
      return memo.key;
    }
  }
  PageKeyMemo& memo = pageKeys_[nextPageKey_];
  nextPageKey_ = (nextPageKey_ + 1) % pageKeys_.size();
  memo.page = page;
  memo.key = PathCaseKey(page);
  return memo.key;
}

std::vector<PageStream>::iterator GeneratorRun::StreamOf(std::string_view page) {
  return std::find_if(pageStreams_.begin(), pageStreams_.end(),
                      [page](const PageStream& s) { return s.Path() == page; });
}

namespace {

// The largest buffer Emit keeps for the next piece.
constexpr size_t kScratchLimit = size_t{64} << 10;

// The bytes of a template as it stands, each line with its break: the room a filled piece
// needs at least.
size_t TemplateSize(const Lines& tmpl) {
  size_t size = 0;
  for (const std::string& line : tmpl) {
    size += line.size() + kCrLf.size();
  }
  return size;
}

// Files a piece's contents and index texts as entries of target with their origin, in order.
void FileEntries(KindRecords& records, Lines& toc, Lines& index, const std::string& target,
                 const Origin& origin) {
  for (std::string& text : toc) {
    records.Toc.emplace_back(std::move(text), FileNameIn(target), origin);
  }
  for (std::string& text : index) {
    records.Index.emplace_back(std::move(text), FileNameIn(target), origin);
  }
}

} // namespace

template <typename Take>
void GeneratorRun::FillTemplate(TemplateId id, const Piece& piece, PieceLink& link,
                                ConvertMemo& memo, KeywordFilter& toc, KeywordFilter& index,
                                std::string& filled, size_t replacedAt,
                                std::string_view replacement, const Take& take) const {
  const Lines& tmpl = templates_[id];
  const std::vector<TemplateLine>& looked = templateLines_[EnumIndex(id)];
  const bool known = looked.size() == tmpl.size();
  TemplateLine fresh; // a line looked at here
  for (size_t k = 0; k < tmpl.size(); ++k) {
    const bool replaced = k == replacedAt;
    const std::string_view tmplLine = replaced ? replacement : std::string_view(tmpl[k]);
    if (replaced || !known) {
      fresh = LookAt(tmplLine);
    }
    const TemplateLine& info = replaced || !known ? fresh : looked[k];
    const bool fill = info.held != 0;
    if (fill) {
      if (!FillInOnePass(filled, tmplLine, info, piece.outFile, piece.inFile, piece.title, link,
                         memo, piece.madeTitle)) {
        filled = tmplLine;
        SubstituteLine(filled, info.held, piece.outFile, piece.inFile, piece.title, link, memo);
      }
      if (!toc.Keep(filled) || !index.Keep(filled)) {
        continue;
      }
    } else if (info.marked ? !toc.Keep(tmplLine) || !index.Keep(tmplLine)
                           : !toc.KeepUnmarked(tmplLine) || !index.KeepUnmarked(tmplLine)) {
      continue;
    }
    take(tmplLine, fill);
  }
}

void GeneratorRun::Emit(DocKind kind, TemplateId id, const Piece& piece, size_t replacedAt,
                        std::string_view replacement) {
  const Lines& tmpl = templates_[id];
  const std::string& outFile = piece.outFile;
  const std::string& ownFile = piece.ownFile;
  const std::string& target = ownFile.empty() ? outFile : ownFile;
  // Line by line: filled, its contents and index lines taken out (contents first, as two
  // passes over the piece would), then written, so a long line is let go before the next. A
  // line without placeholders is used where it stands; a filled line is a string of its own,
  // which a keyword line hands on to its entry without a copy.
  KindRecords& records = result_.Of(kind);
  KeywordFilter toc(tables_.Chars, target, kTocKeyword, records.Toc, piece.origin);
  KeywordFilter index(tables_.Chars, target, kIndexKeyword, records.Index, piece.origin);
  PieceLink ownLink;
  PieceLink& link = piece.madeTitle != nullptr ? piece.madeTitle->link : ownLink;
  Lines kept; // the lines for an own page
  // Lines for the per-source page, written together, and a filled line, whose buffer serves
  // the next one unless it was handed on. Both buffers are kept for the next piece: a page
  // is made of many pieces. (Taken out while in use, so that a nested call makes its own.)
  std::string pending = std::move(emitScratch_.pending);
  std::string filled = std::move(emitScratch_.filled);
  pending.clear();
  struct GiveBack {
    EmitScratch& scratch;
    std::string& pending;
    std::string& filled;
    // A buffer that a long title made large is let go.
    ~GiveBack() {
      if (pending.capacity() <= kScratchLimit) {
        scratch.pending = std::move(pending);
      }
      if (filled.capacity() <= kScratchLimit) {
        scratch.filled = std::move(filled);
      }
    }
  } giveBack{emitScratch_, pending, filled};
  if (ownFile.empty()) {
    // Room for the template as it stands; filled placeholders may need more.
    pending.reserve(TemplateSize(tmpl));
  }
  FillTemplate(id, piece, link, converted_, toc, index, filled, replacedAt, replacement,
               [&](std::string_view tmplLine, bool fill) {
                 if (!ownFile.empty()) {
                   kept.push_back(fill ? std::move(filled) : std::string(tmplLine));
                   return;
                 }
                 const std::string_view line = fill ? std::string_view(filled) : tmplLine;
                 if (line.size() >= kPageMemoryLimit) {
                   // A long line goes to the page as it is, not through a copy.
                   AppendToPage(outFile, pending);
                   pending.clear();
                   AppendToPage(outFile, line);
                   pending.append(kCrLf);
                 } else {
                   pending.append(line).append(kCrLf);
                 }
               });
  if (ownFile.empty()) {
    AppendToPage(outFile, pending);
    return;
  }
  AppendToOwnPage(piece, std::move(kept));
}

std::optional<GeneratorRun::BlockBytes> GeneratorRun::TemplateBytes(DocKind kind, TemplatePart part,
                                                                    const Piece& piece,
                                                                    ConvertMemo& memo) const {
  const TemplateId id = TemplateOf(kind, part);
  const std::vector<TemplateLine>& looked = templateLines_[EnumIndex(id)];
  // The clock is read as the piece is written, so a template that shows it is filled then.
  if (looked.size() != templates_[id].size() || std::ranges::any_of(looked, ShowsClock)) {
    return std::nullopt;
  }
  BlockBytes bytes;
  // Room for the template as it stands, and some for filled placeholders.
  const size_t size = TemplateSize(templates_[id]);
  bytes.written.reserve(size + size / 2);
  KeywordFilter toc(tables_.Chars, kTocKeyword, bytes.toc);
  KeywordFilter index(tables_.Chars, kIndexKeyword, bytes.index);
  PieceLink ownLink;
  PieceLink& link = piece.madeTitle != nullptr ? piece.madeTitle->link : ownLink;
  std::string& filled = memo.filled;
  try {
    FillTemplate(id, piece, link, memo, toc, index, filled, std::string::npos, {},
                 [&](std::string_view tmplLine, bool fill) {
                   bytes.written.append(fill ? std::string_view(filled) : tmplLine).append(kCrLf);
                 });
  } catch (...) {
    // A line that cannot be filled fails on the piece's turn, where it is worded.
    return std::nullopt;
  }
  return bytes;
}

void GeneratorRun::WriteTemplateBytes(DocKind kind, const Piece& piece, BlockBytes& bytes) {
  FileEntries(result_.Of(kind), bytes.toc, bytes.index, piece.outFile, piece.origin);
  AppendToPage(piece.outFile, bytes.written);
}

void GeneratorRun::WritePageHeader(DocKind kind, TemplateId id, const Piece& piece) {
  const auto found = FindPageTitle(piece.ownFile.empty() ? piece.outFile : piece.ownFile);
  if (!found) {
    Emit(kind, id, piece);
    return;
  }
  const Lines& tmpl = templates_[id];
  for (size_t k = 0; k < tmpl.size(); ++k) {
    if (FindNoCase(tmpl[k], kTitleOpen) != std::string::npos) {
      Emit(kind, id, piece, k, std::string(kTitleOpen) + *found + std::string(kTitleClose));
      return;
    }
  }
  Emit(kind, id, piece);
}

void GeneratorRun::WriteTemplate(DocKind kind, TemplatePart part, const Piece& piece) {
  const TemplateId id = TemplateOf(kind, part);
  if (part == TemplatePart::PageHeader) {
    WritePageHeader(kind, id, piece);
  } else {
    Emit(kind, id, piece);
  }
}

namespace {

// The bytes of a block's text that holds no keyword line: expanded is the text with its escapes
// expanded (escaped: it held any).
std::string PlainBytes(std::string&& text, std::string_view expanded, bool escaped, bool inLines) {
  if (!escaped) {
    // Its lines joined again hold no escape either: of the escaped break behind them only the
    // break is left. Lines joined already are the body as they are.
    std::string body = inLines ? std::move(text) : NormalizeLineBreaks(text);
    body += kCrLf;
    return body;
  }
  // The lines go through unchanged. The body is expanded a second time as it is written; the
  // escaped break behind it leaves one empty line after the block.
  std::string body = NormalizeLineBreaks(expanded);
  body += kLineBreakPlain;
  return ExpandEscapes(body);
}

} // namespace

void GeneratorRun::WriteBlockText(const Piece& piece, const std::string& text) {
  BlockBytes bytes = SplitBlock(text, tables_.Chars);
  WriteBlock(piece, bytes);
}

size_t GeneratorRun::BlockBytes::Weight() const {
  size_t weight = written.size();
  for (const Lines* texts : {&toc, &index}) {
    for (const std::string& text : *texts) {
      weight += text.size();
    }
  }
  return weight;
}

GeneratorRun::BlockBytes GeneratorRun::SplitBlock(std::string text, const CharacterTable& chars,
                                                  bool inLines) {
  BlockBytes bytes;
  // A text without escapes is its own expansion.
  std::string expandedText;
  const bool escaped = HoldsEscapes(text);
  if (escaped) {
    expandedText = ExpandEscapes(text);
  }
  const std::string_view expanded = escaped ? std::string_view(expandedText) : text;
  if (expanded.find(kMarkerPrefix) == std::string_view::npos) {
    bytes.written = PlainBytes(std::move(text), expanded, escaped, inLines);
    return bytes;
  }
  // Its keyword lines become entries of the page they are on: contents lines first, then
  // index lines among the lines that are left, in one pass over views of the lines.
  KeywordFilter toc(chars, kTocKeyword, bytes.toc);
  KeywordFilter index(chars, kIndexKeyword, bytes.index);
  std::string body;
  body.reserve(expanded.size() + expanded.size() / 8 + kLineBreakPlain.size() + 2);
  ForEachLineView(expanded, [&](std::string_view line) {
    if (toc.Keep(line) && index.Keep(line)) {
      body.append(line).append(kCrLf);
    }
  });
  body += kLineBreakPlain;
  bytes.written = ExpandEscapes(body);
  return bytes;
}

void GeneratorRun::WriteBlock(const Piece& piece, BlockBytes& bytes) {
  const std::string& outFile = piece.outFile;
  const std::string& ownFile = piece.ownFile;
  if (!bytes.toc.empty() || !bytes.index.empty()) {
    const std::string& target = ownFile.empty() ? outFile : ownFile;
    FileEntries(result_.Of(KindByName(target, DocKind::Tech)), bytes.toc, bytes.index, target,
                piece.origin);
  }
  std::string& written = bytes.written;
  if (!ownFile.empty()) {
    // The page's lines all end in a break, so appending the text to the joined page and
    // splitting again is the same as appending the text's own lines.
    AppendToOwnPage(piece, SplitLines(written));
  } else {
    // A per-source page gets a second empty line.
    written += "\r\n";
    AppendToPage(outFile, written);
  }
}

void GeneratorRun::BeginPage(const std::string& page, bool create,
                             std::shared_ptr<const FileSnapshot> seen, bool plain) {
  const int64_t start = NowNs();
  pageBook_[PageKey(page)].touched = true;
  PageStream stream(page, create, folders_.MayExist(page), std::move(seen), plain);
  if (const auto it = StreamOf(page); it != pageStreams_.end()) {
    *it = std::move(stream);
  } else {
    pageStreams_.push_back(std::move(stream));
  }
  AddTime(writeNs_, start);
}

void GeneratorRun::FlushPage(const std::string& page) {
  const auto it = StreamOf(page);
  if (it == pageStreams_.end()) {
    return;
  }
  const int64_t start = NowNs();
  PageStream stream = std::move(*it);
  pageStreams_.erase(it);
  const std::string& key = PageKey(page);
  // What an earlier source wrote of the page is replaced before it reached the disk.
  heldPages_.Drop(key);
  if (LastSourceOf(key)) {
    folders_.Note(page, true);
    stream.Finish();
  } else {
    stream.Compact();
    heldPages_.Hold(key, std::move(stream));
  }
  AddTime(writeNs_, start);
}

bool GeneratorRun::LastSourceOf(const std::string& key) const {
  const PageBook* book = BookOf(key);
  return book == nullptr || book->lastSource == std::string::npos ||
         book->lastSource <= sourceIndex_;
}

void GeneratorRun::DropPage(const std::string& page, const std::string& inFile, size_t claimed) {
  const int64_t start = NowNs();
  const std::string& key = PageKey(page);
  PageBook& book = pageBook_[key];
  book.touched = true;
  // A page that an earlier source of this run wrote keeps that source's documentation.
  const bool kept = !book.source.empty();
  if (kept) {
    KeepPage(page, inFile, claimed);
  }
  if (const auto it = StreamOf(page); it != pageStreams_.end()) {
    it->Abandon();
    pageStreams_.erase(it);
  }
  if (!LastSourceOf(key)) {
    // A later source may still write the page; the file is left alone until then.
    if (!kept) {
      heldPages_.HoldDeletion(key, page);
    }
  } else if (kept) {
    heldPages_.PutInPlace(key, folders_);
  } else {
    heldPages_.Drop(key);
    if (folders_.MayExist(page)) {
      DeleteFileAt(page);
    }
    folders_.Note(page, false);
  }
  AddTime(writeNs_, start);
}

void GeneratorRun::FlushAllPages() noexcept {
  for (PageStream& stream : pageStreams_) {
    heldPages_.Drop(PathCaseKey(stream.Path()));
    folders_.Note(stream.Path(), true);
    try {
      stream.Finish();
    } catch (...) {
      // The failure that ended the file is the one reported.
    }
  }
  pageStreams_.clear();
}

} // namespace qm
