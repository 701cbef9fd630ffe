#include "base/CodePages.h"
#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Paths.h"
#include "base/Prefetch.h"
#include "base/TextFile.h"
#include "engine/BlockConvert.h"
#include "engine/GeneratorRun.h"
#include "engine/LinkTargets.h"
#include "engine/Markers.h"
#include "engine/SourceEncoding.h"
#include "engine/SourceLines.h"

#include <algorithm>
#include <array>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <thread>
#include <vector>

namespace qm {

namespace {

// The converted text of the block of inFile from start line i to end line end (exclusive).
// The start-marker line is never converted, so it is not copied: a long title line would be
// held twice. outputLine drops the block's first line, which names its own page.
std::string ConvertLines(const SourceLines& lines, const std::string& inFile, size_t i, size_t end,
                         bool outputLine, bool autoLineBreak, const GeneratorTables& tables) {
  std::vector<std::string_view> block;
  block.reserve(end - i);
  lines.AppendLines(i + (outputLine ? 2 : 1), end, block);
  return ConvertBlockLines(block, ExtractFileExt(inFile), autoLineBreak, tables.Tags, tables.Chars);
}

// The first line at or after a block's start that holds the end marker, or npos. Later blocks
// reuse the last answer while they start before it, so finding the ends of all blocks reads
// each line once. (Not the line count for "none": that would count the lines of the whole file
// at the first block, and the searches for the later blocks would count them again.)
struct EndSearch {
  size_t from = 0;
  size_t at = 0;
  bool known = false;

  size_t Find(const SourceLines& lines, std::string_view end, size_t start) {
    if (!known || start < from || start > at) {
      from = start;
      at = lines.FindLine(end, start);
      known = true;
    }
    return at;
  }
};

// The lines of a source's bytes, views into bytes or, with oemToAnsi, into converted.
void SplitSource(std::string_view bytes, bool oemToAnsi, SourceLines& lines, Lines& converted) {
  if (!oemToAnsi) {
    // The text is searched as a whole; only the lines of blocks are looked at one by one.
    lines = SourceLines(bytes);
    return;
  }
  const std::vector<std::string_view> split = SplitLineViews(bytes);
  converted.reserve(split.size());
  for (const std::string_view l : split) {
    converted.push_back(Trim(qm::OemToAnsi(l)));
  }
  lines = SourceLines(std::vector<std::string_view>(converted.begin(), converted.end()));
}

// The field (from 0) of a contents line that names the page it leads to.
constexpr size_t kTocLocalField = 3;
// Only lines with this can hold a link attribute.
constexpr std::string_view kAttributeValueSep = "=";

// Field n (from 0) of a line's ";"-separated fields; empty when it has fewer.
std::string_view NthField(std::string_view text, size_t n) {
  for (size_t k = 0; k < n; ++k) {
    const size_t sep = text.find(kEntrySep);
    if (sep == std::string_view::npos) {
      return {};
    }
    text.remove_prefix(sep + 1);
  }
  return text.substr(0, text.find(kEntrySep));
}

// What a title may not bring into the name of its own page, and what stands there instead.
constexpr std::string_view kTitleSeparators = "/\\";
constexpr char kSeparatorReplacement = '_';

// The title of a block: its start line after the start marker, up to a further marker.
std::string_view BlockTitle(std::string_view line, std::string_view startMarker) {
  std::string_view rest = line.substr(line.find(startMarker) + startMarker.size());
  return TrimView(rest.substr(0, rest.find(kMarkerPrefix)));
}

// The key of a block in Prepared::blocks: its start line and its stream.
size_t BlockKey(size_t line, bool tech) {
  return line * 2 + (tech ? 1 : 0);
}

} // namespace

// A source file read and its blocks converted ahead of its turn. The lines are views into
// bytes, made or converted, so the object is never moved once made.
struct GeneratorRun::Prepared {
  std::exception_ptr readError;     // the read failed
  std::optional<EntryKind> notFile; // the source turned out to be no regular file
  FileBytes bytes;                  // as read
  std::string made;                 // the text when decoding had to make it
  DecodedSource decoded;
  Lines converted;
  SourceLines lines;
  struct Block {
    std::string id;   // its context id
    BlockBytes bytes; // what it puts on its page
    std::optional<PreparedTitle> title;
    // Its header and footer on its per-source page (TemplateBytes), when made ahead.
    std::optional<BlockBytes> header;
    std::optional<BlockBytes> footer;
  };
  std::unordered_map<size_t, Block> blocks; // by BlockKey
  // The source's per-source pages as they were read here, by kind (regular files only).
  std::array<std::shared_ptr<const FileSnapshot>, 2> pages;
  bool complete = false; // false: the file is converted on its turn as if nothing was prepared
  size_t weight = 0;     // the bytes held
};

// The blocks of one source file: both streams, their per-source pages and their own pages.
struct GeneratorRun::BlockScan {
  // The values that differ between the two streams.
  struct Stream {
    Stream(const DocKindInfo& info, KindRecords& kindRecords)
        : kind(info.kind), start(info.startMarker), end(info.endMarker), pageExt(info.pageExt),
          records(kindRecords) {}

    DocKind kind;
    std::string_view start;
    std::string_view end;
    std::string_view pageExt;
    KindRecords& records;
    std::string page;                   // the per-source page
    size_t claimed = std::string::npos; // the warning that an earlier source wrote the page
    bool used = false;                  // whether the per-source page received a block and is kept
    EndSearch ends;
    // The block reaching furthest so far: its start line and its end line (0: none yet).
    size_t openStart = 0;
    size_t openEnd = 0;
  };

  GeneratorRun& run;
  const std::string& inFile;
  // The source's name, shared by the origins of all records the file gives.
  std::shared_ptr<const std::string> source;
  Prepared* ready; // what a worker did of the file ahead of its turn, if anything
  std::string pageFolder;
  Stream doc;
  Stream tech;
  int64_t readNs = 0; // time spent reading the source here
  FileBytes bytes;    // the source file as read
  std::string made;   // its text when decoding had to make it
  DecodedSource decoded;
  Lines converted;   // its lines after the OEM conversion, if that is on
  SourceLines lines; // its lines, into bytes, made or converted
  // Of the last block of either stream: a view into its start line, so that a long title is
  // held once.
  std::string_view title;
  size_t titleLine = 0;         // its start line (from 1), 0 before the first block
  size_t keywordsCheckedTo = 0; // lines before this were checked for keyword lines
  size_t targetsCheckedTo = 0;  // and for link targets
  size_t pageDepth = 0;         // the folders between the output folder and pageFolder

  BlockScan(GeneratorRun& r, const std::string& in, Prepared* prepared, const SourcePages* pages)
      : run(r), inFile(in), source(std::make_shared<const std::string>(in)), ready(prepared),
        doc(DocKindInfoOf(DocKind::Doc), r.result_.Of(DocKind::Doc)),
        tech(DocKindInfoOf(DocKind::Tech), r.result_.Of(DocKind::Tech)) {
    // Without an output folder the pages go beside their source.
    const std::string& folder = run.options_.OutputFolder;
    const std::string base =
        IsBareSeparator(Trim(folder)) ? inFile : folder + ExtractFileName(inFile);
    pageFolder = ExtractFilePath(base);
    for (Stream* s : {&doc, &tech}) {
      s->page = pages != nullptr ? (*pages)[EnumIndex(s->kind)] : run.PagePathOf(inFile, s->kind);
    }
    const std::string& root = run.pageRoot_;
    if (!root.empty() && pageFolder.starts_with(root)) {
      pageDepth = static_cast<size_t>(
          std::ranges::count_if(std::string_view(pageFolder).substr(root.size()), IsPathSep));
    }
  }

  size_t FindEnd(Stream& s, size_t from) { return s.ends.Find(lines, s.end, from); }

  // What was read of the stream's per-source page ahead of this turn; else, for a page that
  // the disk held before the run, the page read now (fresh), so that the look for a
  // hand-written page and the comparison when the page is finished read it once between them.
  std::shared_ptr<const FileSnapshot> SeenPage(const Stream& s, bool& fresh) const {
    fresh = false;
    std::shared_ptr<const FileSnapshot> seen =
        run.SeenAtStart(s.page, ready != nullptr ? ready->pages[EnumIndex(s.kind)] : nullptr);
    if (seen == nullptr && run.MayHoldOldPage(s.page)) {
      if (std::optional<FileSnapshot> now = TakeSnapshot(s.page, kPageReadLimit)) {
        seen = std::make_shared<const FileSnapshot>(std::move(*now));
        fresh = true;
      }
    }
    return seen;
  }

  // The own page called name (Windows-1252 text of the source, on line index) in the page
  // folder; a name that leads out of it ends the run, and one the file system cannot hold is
  // made into one it can, with a warning.
  std::string OwnPage(std::string_view name, std::string_view ext, size_t index) {
    if (NameLeavesFolder(name)) {
      throw MakeError(FileOperation::Source, inFile, 0, kMsgBadPageName, ErrorArg::Path(inFile),
                      ErrorArg::Text(name));
    }
    const std::string given = PathFromText(name) + std::string(ext);
    const std::string stored = StorablePath(given);
    if (stored != given) {
      Warn(index, kWarnPageNameNotStorable, ErrorArg::Text(name), ErrorArg::Path(stored));
    }
    std::string page = pageFolder + stored;
    const std::string fileName = ExtractFileName(page);
    if (fileName.starts_with('.')) {
      AddWarning(run.result_.Warnings, inFile, static_cast<int>(titleLine), kWarnHiddenPageName,
                 ErrorArg::Path(fileName));
    }
    run.CheckPageName(page, inFile, static_cast<int>(titleLine));
    return page;
  }

  template <class... Args>
  void Warn(size_t index, MessageFormat<Args...> format, const Args&... args) {
    AddWarning(run.result_.Warnings, inFile, static_cast<int>(index + 1), format, args...);
  }

  // Contents and index lines of the block's lines [from, end) that have too few fields. Each
  // source line is looked at once, also when blocks nest or both kinds share it.
  void CheckKeywordLines(size_t from, size_t end) {
    struct KeywordMarker {
      std::string_view keyword;
      std::string marker; // "###" keyword " "
    };
    static const KeywordMarker kKeywordMarkers[] = {
        {kTocKeyword, std::string(kMarkerPrefix) + std::string(kTocKeyword) + " "},
        {kIndexKeyword, std::string(kMarkerPrefix) + std::string(kIndexKeyword) + " "}};
    for (size_t k = lines.FindLine(kMarkerPrefix, std::max(from, keywordsCheckedTo)); k < end;
         k = lines.FindLine(kMarkerPrefix, k + 1)) {
      for (const auto& [keyword, marker] : kKeywordMarkers) {
        const size_t at = lines[k].find(marker);
        if (at == std::string_view::npos) {
          continue;
        }
        const std::string_view text = lines[k].substr(at + marker.size());
        if (CountChar(text, kEntrySep[0]) + 1 < kMinKeywordFields) {
          Warn(k, kWarnFewFields, ErrorArg::Text(std::string(kMarkerPrefix) + std::string(keyword)),
               ErrorArg::Number(kMinKeywordFields));
        }
        // A contents line's fourth field is the page it leads to, seen from the output folder.
        if (keyword == kTocKeyword) {
          const std::string_view local = NthField(text, kTocLocalField);
          if (TargetLeavesFolder(local, 0)) {
            TargetOutside(k, local);
          }
        }
      }
    }
    keywordsCheckedTo = std::max(keywordsCheckedTo, end);
  }

  // A link or contents entry of line k that leads to target outside the output folder.
  void TargetOutside(size_t k, std::string_view target) {
    Warn(k, kWarnTargetOutside, ErrorArg::Text(target));
    run.result_.OutsideTargets.push_back(
        OutsideTarget{SourceLine{inFile, static_cast<int>(k + 1)}, std::string(target)});
  }

  // The HREF and SRC values of the block's lines [from, end) that lead out of the output
  // folder, where a help compiler would follow them. Each source line is looked at once.
  void CheckTargets(size_t from, size_t end) {
    // The search for the next "=" stops at the block's end, however far the source goes on.
    for (size_t k = lines.FindLineBefore(kAttributeValueSep, std::max(from, targetsCheckedTo), end);
         k != SourceLines::npos; k = lines.FindLineBefore(kAttributeValueSep, k + 1, end)) {
      ForEachLinkTarget(lines[k], [this, k](std::string_view target) {
        if (TargetLeavesFolder(target, pageDepth)) {
          TargetOutside(k, target);
        }
      });
    }
    targetsCheckedTo = std::max(targetsCheckedTo, end);
  }

  // The converted text of the block from start line i to end line end; outputLine drops its
  // first line, which names its own page.
  std::string ConvertBlockAt(size_t i, size_t end, bool outputLine) const {
    return ConvertLines(lines, inFile, i, end, outputLine, run.options_.AutoLineBreak, run.tables_);
  }

  void HandleBlock(Stream& s, size_t i) {
    title = BlockTitle(lines[i], s.start);
    titleLine = i + 1;

    if (i < s.openEnd) {
      Warn(i, kWarnNestedStart, ErrorArg::Text(s.start),
           ErrorArg::Number(static_cast<int>(s.openStart + 1)));
    }
    if (title.empty()) {
      Warn(i, kWarnNoTitle);
    } else if (HoldsPlaceholder(title)) {
      Warn(i, kWarnTitleWithPlaceholder);
    }
    const size_t end = FindEnd(s, i);
    if (end == SourceLines::npos) {
      const int startLine = static_cast<int>(i + 1);
      throw MakeError(FileOperation::Source, inFile, startLine, kMsgUnterminatedBlock,
                      ErrorArg::Path(inFile), ErrorArg::Number(startLine), ErrorArg::Text(s.start),
                      ErrorArg::Text(s.end));
    }
    if (end > s.openEnd) {
      s.openStart = i;
      s.openEnd = end;
    }
    CheckKeywordLines(i, end);
    CheckTargets(i + 1, end);
    // The marker counts only at the start of the line; behind comment syntax it becomes text
    // of the page, so the user is told.
    if (end > i + 1 && lines[i + 1].find(kOutputMarker) != std::string_view::npos &&
        !TrimView(lines[i + 1]).starts_with(kOutputMarker)) {
      Warn(i + 1, kWarnOutputNotAtLineStart);
    }
    std::string own;
    bool outputLine = false; // the block's first line names its own page
    if (end - i < 2) {
      s.used = true;
    } else if (const std::string_view second = TrimView(lines[i + 1]);
               second.starts_with(kOutputMarker)) {
      own = OwnPage(second.size() > kOutputNameOffset ? second.substr(kOutputNameOffset)
                                                      : std::string_view(),
                    s.pageExt, i + 1);
      outputLine = true;
      run.ClaimOwnPage(own, inFile);
      s.records.Pages.push_back(own);
    } else if (run.options_.OneFilePerBlock) {
      // A title is text, not a path: a separator in it would name a folder, so it becomes "_".
      std::string name(title);
      if (name.find_first_of(kTitleSeparators) != std::string::npos) {
        for (char& c : name) {
          c = kTitleSeparators.find(c) != std::string_view::npos ? kSeparatorReplacement : c;
        }
        Warn(i, kWarnSlashInTitle, ErrorArg::Text(name));
      }
      own = OwnPage(name, s.pageExt, i);
      run.ClaimOwnPage(own, inFile);
      s.used = false;
      s.records.Pages.push_back(own);
    } else {
      s.used = true;
    }

    std::string id;
    BlockBytes madeHere;
    Prepared::Block* prepared = nullptr;
    if (ready != nullptr) {
      const auto it = ready->blocks.find(BlockKey(i, s.kind == DocKind::Tech));
      prepared = it == ready->blocks.end() ? nullptr : &it->second;
    }
    GeneratorRun::PreparedTitle* madeTitle = nullptr;
    if (prepared != nullptr) {
      id = std::move(prepared->id);
      madeTitle = prepared->title ? &*prepared->title : nullptr;
    } else {
      std::string text = ConvertBlockAt(i, end, outputLine);
      id = ExtractContextId(text);
      madeHere = SplitBlock(std::move(text), run.tables_.Chars, true);
    }
    // A worker's bytes stay where they are, so that the worker frees them with the rest of
    // the file: a free on this thread would wait for the worker's allocator.
    BlockBytes& written = prepared != nullptr ? prepared->bytes : madeHere;

    const Origin origin(source, static_cast<int>(i + 1));
    const Piece piece{s.page, inFile, title, own, origin, madeTitle};
    // A header or footer a worker made is written as it is; the rest are filled here.
    const auto writePart = [&](TemplatePart part, std::optional<BlockBytes>* ahead) {
      if (ahead != nullptr && *ahead && own.empty()) {
        run.WriteTemplateBytes(s.kind, piece, **ahead);
      } else {
        run.WriteTemplate(s.kind, part, piece);
      }
    };
    writePart(TemplatePart::BlockHeader, prepared != nullptr ? &prepared->header : nullptr);
    run.WriteBlock(piece, written);
    writePart(TemplatePart::BlockFooter, prepared != nullptr ? &prepared->footer : nullptr);

    if (!id.empty()) {
      const std::string& target = own.empty() ? s.page : own;
      run.CheckContextId(s.kind, inFile, origin.Line(), target, id, title);
      s.records.ContextIds.push_back(
          ContextIdEntry{std::move(id), std::string(title), target, origin});
    }
  }

  // The header or footer of a stream's per-source page: it belongs to no block.
  void WritePagePart(Stream& s, TemplatePart part, std::string_view pageTitle) {
    const std::string none;
    const Origin origin(source, 0);
    run.WriteTemplate(s.kind, part, Piece{s.page, inFile, pageTitle, none, origin});
  }

  void FinishPage(Stream& s) {
    if (!s.used) {
      run.DropPage(s.page, inFile, s.claimed);
      return;
    }
    WritePagePart(s, TemplatePart::PageFooter, title);
    run.CheckPageName(s.page, inFile, 0);
    run.FlushPage(s.page);
    run.pageBook_[run.PageKey(s.page)].source = inFile;
    s.records.Pages.push_back(s.page);
  }

  std::optional<int> Scan() {
    // The source is read before the pages are made so that a stream without any start marker
    // gets no page file at all: it would be created and deleted again in this call. The old
    // page is deleted all the same, and the page header is still written (into memory) for
    // the contents and index entries it records. Should the file fail, every page is put on
    // disk as it stands then.
    std::exception_ptr readError;
    if (ready != nullptr) {
      readError = ready->readError;
      if (ready->notFile) {
        AddWarning(run.result_.Warnings, inFile, 0, kWarnNotAFile,
                   ErrorArg::Text(EntryKindText(*ready->notFile)));
        return std::nullopt;
      }
    } else {
      const int64_t start = NowNs();
      try {
        EntryKind kind = EntryKind::File;
        std::optional<FileBytes> read = ReadRegularFileBytes(inFile, &kind);
        if (!read) {
          // It changed since the search (into a fifo, say): skipped as the search skips it.
          AddWarning(run.result_.Warnings, inFile, 0, kWarnNotAFile,
                     ErrorArg::Text(EntryKindText(kind)));
          return std::nullopt;
        }
        bytes = std::move(*read);
        decoded = DecodeSource(bytes.View(), run.SourceEncodingOf(), made);
      } catch (const Error&) {
        readError = std::current_exception();
      }
      readNs += NowNs() - start;
    }
    const bool readFailed = readError != nullptr;
    if (!readFailed) {
      run.NoteReading(inFile, ready != nullptr ? ready->decoded : decoded);
    }
    // Whether the text holds a stream's start marker. The lines a worker split the text into
    // know their marker lines, so they answer without another walk over the text; lines of
    // the OEM conversion are not the text as read, which is asked then.
    const SourceLines* split =
        ready != nullptr && !run.options_.OemToAnsi ? &ready->lines : nullptr;
    const std::string_view read = ready != nullptr ? ready->decoded.text : decoded.text;
    const std::string_view text =
        split != nullptr ? std::string_view() : read.substr(0, read.find('\0'));
    const auto holdsStart = [&](std::string_view start) {
      return split != nullptr ? split->FindLine(start, 0) != SourceLines::npos
                              : text.find(start) != std::string_view::npos;
    };
    std::array<std::shared_ptr<const FileSnapshot>, 2> seen;
    // Whether a regular file was just found at the page: its write check need not look again.
    std::array<bool, 2> plain{};
    for (Stream* s : {&doc, &tech}) {
      bool fresh = false;
      const size_t k = EnumIndex(s->kind);
      seen[k] = SeenPage(*s, fresh);
      s->claimed = run.ClaimPage(s->page, inFile, seen[k].get(), fresh, &plain[k]);
    }
    for (Stream* s : {&doc, &tech}) {
      const size_t k = EnumIndex(s->kind);
      run.BeginPage(s->page, !readFailed && holdsStart(s->start), std::move(seen[k]), plain[k]);
      WritePagePart(*s, TemplatePart::PageHeader, "");
    }
    if (readFailed) {
      std::rethrow_exception(readError);
    }

    if (ready != nullptr) {
      lines = std::move(ready->lines);
    } else {
      SplitSource(decoded.text, run.options_.OemToAnsi, lines, converted);
    }
    for (size_t i = lines.FindLine(kMarkerPrefix, 0); i != SourceLines::npos;
         i = lines.FindLine(kMarkerPrefix, i + 1)) {
      // A block's own lines are looked at again: a start marker inside a block starts
      // another block.
      if (lines[i].find(doc.start) != std::string::npos) {
        HandleBlock(doc, i);
      }
      if (lines[i].find(tech.start) != std::string::npos) {
        HandleBlock(tech, i);
      }
    }
    FinishPage(doc);
    FinishPage(tech);
    return static_cast<int>(lines.size());
  }
};

int GeneratorRun::ProcessFile(const std::string& inFile) {
  return ProcessSource(inFile).value_or(0);
}

std::unique_ptr<GeneratorRun::Prepared> GeneratorRun::Prepare(const std::string& inFile,
                                                              const SourcePages& pages) const {
  auto p = std::make_unique<Prepared>();
  int64_t start = NowNs();
  try {
    EntryKind kind = EntryKind::File;
    std::optional<FileBytes> read = ReadRegularFileBytes(inFile, &kind);
    if (read) {
      p->bytes = std::move(*read);
      p->decoded = DecodeSource(p->bytes.View(), SourceEncodingOf(), p->made);
      // Pages beside their sources are read here too, off the writing thread: whether one was
      // written by hand, and whether it already holds what the run writes, is answered from
      // these bytes while the file stays as it was read. Pages in the output folder were read
      // with their titles at the start of the run.
      if (IsBareSeparator(Trim(options_.OutputFolder))) {
        for (const DocKindInfo& info : kDocKindTable) {
          if (auto seen = TakeSnapshot(pages[EnumIndex(info.kind)], kPageReadLimit)) {
            p->weight += seen->bytes.size();
            p->pages[EnumIndex(info.kind)] = std::make_shared<const FileSnapshot>(std::move(*seen));
          }
        }
      }
    } else {
      p->notFile = kind;
    }
  } catch (const Error&) {
    p->readError = std::current_exception();
  } catch (...) {
    // Anything else happens again on the file's turn, where it belongs.
    p = std::make_unique<Prepared>();
    return p;
  }
  start += AddTime(readNs_, start);
  p->complete = true;
  p->weight += p->bytes.size() + p->made.size();
  if (p->readError != nullptr || p->notFile) {
    return p;
  }
  try {
    SplitSource(p->decoded.text, options_.OemToAnsi, p->lines, p->converted);
    // The blocks as BlockScan::Scan finds them; its checks and failures stay with it.
    struct StreamEnds {
      std::string_view start;
      std::string_view end;
      bool tech;
      EndSearch ends;
    };
    std::array<StreamEnds, 2> streams{};
    for (const DocKindInfo& kind : kDocKindTable) {
      streams[EnumIndex(kind.kind)] = {
          kind.startMarker, kind.endMarker, kind.kind == DocKind::Tech, {}};
    }
    const SourceLines& lines = p->lines;
    // The conversions of this source's paths, kept for its blocks as on its turn.
    ConvertMemo memo;
    memo.keep = true;
    const std::string none;
    const Origin noOrigin;
    for (size_t i = lines.FindLine(kMarkerPrefix, 0); i != SourceLines::npos;
         i = lines.FindLine(kMarkerPrefix, i + 1)) {
      for (StreamEnds& s : streams) {
        if (lines[i].find(s.start) == std::string::npos) {
          continue;
        }
        const size_t end = s.ends.Find(lines, s.end, i);
        if (end == SourceLines::npos) {
          // The scan fails here; nothing after it is needed.
          return p;
        }
        const bool outputLine = end - i >= 2 && TrimView(lines[i + 1]).starts_with(kOutputMarker);
        std::string text =
            ConvertLines(lines, inFile, i, end, outputLine, options_.AutoLineBreak, tables_);
        Prepared::Block block;
        block.id = ExtractContextId(text);
        block.bytes = SplitBlock(std::move(text), tables_.Chars, true);
        const std::string_view title = BlockTitle(lines[i], s.start);
        block.title = PrepareTitle(title);
        p->weight += block.id.size() + block.bytes.Weight();
        if (block.title) {
          p->weight += block.title->converted.size() + block.title->link.link.size();
          // A block on the per-source page: its header and footer too (an own page's name is
          // known on the block's turn only).
          if (templatesAhead_ && !outputLine && !options_.OneFilePerBlock) {
            const DocKind kind = s.tech ? DocKind::Tech : DocKind::Doc;
            const Piece piece{pages[EnumIndex(kind)], inFile, title, none, noOrigin, &*block.title};
            block.header = TemplateBytes(kind, TemplatePart::BlockHeader, piece, memo);
            block.footer = TemplateBytes(kind, TemplatePart::BlockFooter, piece, memo);
            p->weight += (block.header ? block.header->Weight() : 0) +
                         (block.footer ? block.footer->Weight() : 0);
          }
        }
        p->blocks.emplace(BlockKey(i, s.tech), std::move(block));
      }
    }
    // size() counts the lines once and keeps the count: asked here on the worker, it is known
    // when the file's turn reports it.
    static_cast<void>(lines.size());
  } catch (...) {
    // The file is converted on its turn instead, failing there as it would have.
    p->complete = false;
    p->blocks.clear();
  }
  AddTime(convertNs_, start);
  return p;
}

namespace {

// How far worker threads may read ahead of the file being written: files per thread, and
// the bytes their results may hold together (the next file's result is always made).
constexpr size_t kFilesAhead = 16;
constexpr size_t kBytesAhead = size_t{32} << 20;
// From this many threads on, the workers fill the block headers and footers too. They are
// ahead of the writing thread then, which bounds the run; with fewer the threads share the
// cores, and handing the filled bytes over would only add to the work.
constexpr unsigned kTemplatesAheadFrom = 4;

} // namespace

void GeneratorRun::StopPreparing::operator()(Preparing* ahead) const {
  delete ahead;
}

std::unique_ptr<GeneratorRun::Preparing, GeneratorRun::StopPreparing>
GeneratorRun::StartPreparing(const Lines& files) {
  const unsigned threads =
      options_.Threads != 0 ? options_.Threads : std::max(1U, std::thread::hardware_concurrency());
  templatesAhead_ = threads >= kTemplatesAheadFrom;
  if (threads <= 1 || files.size() <= 1) {
    return nullptr;
  }
  return std::unique_ptr<Preparing, StopPreparing>(new Preparing(
      files.size(), threads, kFilesAhead * threads, kBytesAhead,
      [this, &files](size_t i) { return Prepare(files[i], pagesOfSources_[i]); },
      [](const std::unique_ptr<Prepared>& p) { return p ? p->weight : 0; }));
}

void GeneratorRun::ConvertFiles(const Lines& files, ProgressSink* progress, Preparing* ahead) {
  // Worker threads read and convert the files ahead of their turn; everything that reaches
  // the disk, the lists or the progress display happens here, file by file in order.
  const size_t count = files.size();
  for (size_t i = 0; i < count; ++i) {
    if (progress != nullptr) {
      progress->ProcessEvents();
      if (progress->Cancelled()) {
        break;
      }
    }
    std::unique_ptr<Prepared> ready;
    bool stale = false;
    if (ahead != nullptr) {
      const int64_t start = NowNs();
      ready = ahead->Take(i);
      AddTime(waitNs_, start);
      // A source that is also a page of this run was read before that page was written.
      const PageBook* book = BookOf(PathCaseKey(files[i]));
      stale = book != nullptr && book->touched;
    }
    sourceIndex_ = i;
    const std::optional<int> lines =
        ProcessSource(files[i], stale ? nullptr : ready.get(),
                      i < pagesOfSources_.size() ? &pagesOfSources_[i] : nullptr);
    if (ready != nullptr) {
      // Freed by the worker that made it, whose allocations it came from.
      ahead->GiveBack(i, std::move(ready));
    }
    result_.Counts.SourcesRead += lines ? 1 : 0;
    if (progress != nullptr) {
      progress->StepFile(files[i], lines.value_or(0));
    }
  }
  // Pages whose last source was skipped or not reached.
  heldPages_.PutAllInPlace(folders_);
}

SourceEncoding GeneratorRun::SourceEncodingOf() const {
  return options_.OemToAnsi ? SourceEncoding::Ansi : options_.Encoding;
}

void GeneratorRun::NoteReading(const std::string& inFile, const DecodedSource& decoded) {
  if (decoded.badUtf8Line != 0) {
    AddWarning(result_.Warnings, inFile, decoded.badUtf8Line, kWarnNotUtf8);
  }
  result_.Counts.SourcesUtf8 += decoded.reading == SourceReading::Utf8 ? 1 : 0;
  result_.Counts.SourcesUtf16 += decoded.reading == SourceReading::Utf16 ? 1 : 0;
  foreign_ = foreign_ || decoded.foreign;
}

std::optional<int> GeneratorRun::ProcessSource(const std::string& inFile, Prepared* ready,
                                               const SourcePages* pages) {
  pageStreams_.clear();
  converted_.keep = true;
  struct ForgetConverted {
    GeneratorRun& run;
    ~ForgetConverted() {
      run.converted_.keep = false;
      for (ConvertedText& memo : run.converted_.slots) {
        memo.valid = false;
      }
    }
  } forget{*this};
  BlockScan scan(*this, inFile, ready != nullptr && ready->complete ? ready : nullptr, pages);
  // The time here that is neither reading nor writing is converting.
  const int64_t start = NowNs();
  const int64_t written = writeNs_.load(std::memory_order_relaxed);
  struct CountTime {
    GeneratorRun& run;
    BlockScan& scan;
    int64_t start;
    int64_t written;
    ~CountTime() {
      const int64_t writing = run.writeNs_.load(std::memory_order_relaxed) - written;
      run.readNs_.fetch_add(scan.readNs, std::memory_order_relaxed);
      run.convertNs_.fetch_add(NowNs() - start - writing - scan.readNs, std::memory_order_relaxed);
    }
  } count{*this, scan, start, written};
  try {
    return scan.Scan();
  } catch (const std::bad_alloc&) {
    FlushAllPages();
    throw OutOfMemoryError(inFile);
  } catch (const FilledLineTooLong&) {
    FlushAllPages();
    // Ends the run as an unterminated block does.
    throw MakeError(FileOperation::Source, inFile, static_cast<int>(scan.titleLine),
                    kMsgFilledLineTooLong, ErrorArg::Path(inFile),
                    ErrorArg::Number(static_cast<int>(scan.titleLine)),
                    ErrorArg::Number(static_cast<int>(kFilledLineFactor)));
  } catch (...) {
    FlushAllPages();
    throw;
  }
}

} // namespace qm
