#include "base/Clock.h"
#include "base/CodePages.h"
#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Paths.h"
#include "base/Prefetch.h"
#include "base/TextFile.h"
#include "engine/BlockConvert.h"
#include "engine/Generator.h"
#include "engine/Markers.h"
#include "engine/SourceLines.h"

#include <algorithm>
#include <array>
#include <exception>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

namespace qm {

namespace {

// True when name would put a page outside the page folder: an absolute name or one with a
// ".." segment.
bool LeavesFolder(std::string_view name) {
  if (!name.empty() && name.front() == kPathSep) {
    return true;
  }
  size_t start = 0;
  for (;;) {
    const size_t end = name.find(kPathSep, start);
    if (name.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start) ==
        "..") {
      return true;
    }
    if (end == std::string_view::npos) {
      return false;
    }
    start = end + 1;
  }
}

// The converted text of the block of inFile from start line i to end line end (exclusive).
// The start-marker line is never converted, so it is not copied: a long title line would be
// held twice. outputLine drops the block's first line, which names its own page.
template <typename Gen>
std::string ConvertLines(const SourceLines& lines, const std::string& inFile, size_t i, size_t end,
                         bool outputLine, const Gen& gen) {
  std::vector<std::string_view> block;
  block.reserve(end - i);
  for (size_t k = i + (outputLine ? 2 : 1); k < end; ++k) {
    block.push_back(lines[k]);
  }
  return ConvertBlockLines(block, ExtractFileExt(inFile), gen.AutoLineBreak, gen.HtmlTags,
                           gen.CharTable);
}

// The first line at or after a block's start that holds the end marker. Later blocks reuse
// the last answer while they start before it, so finding the ends of all blocks reads each
// line once.
struct EndSearch {
  size_t from = 0;
  size_t at = 0;
  bool known = false;

  size_t Find(const SourceLines& lines, std::string_view end, size_t start) {
    if (!known || start < from || start > at) {
      from = start;
      at = lines.FindLine(end, start);
      if (at == SourceLines::npos) {
        at = lines.size();
      }
      known = true;
    }
    return at;
  }
};

// The lines of a source's bytes, views into bytes or, with oemToAnsi, into converted.
void SplitSource(const std::string& bytes, bool oemToAnsi, SourceLines& lines, Lines& converted) {
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

// The key of a block in Prepared::blocks: its start line and its stream.
size_t BlockKey(size_t line, bool tech) {
  return line * 2 + (tech ? 1 : 0);
}

} // namespace

// A source file read and its blocks converted ahead of its turn. The lines are views into
// bytes or converted, so the object is never moved once made.
struct TGenerator::Prepared {
  std::exception_ptr readError;     // the read failed
  std::optional<EntryKind> notFile; // the source turned out to be no regular file
  std::string bytes;
  Lines converted;
  SourceLines lines;
  struct Block {
    std::string id;                   // its context id
    std::optional<std::string> text;  // the converted text, when plain is not known
    std::optional<std::string> plain; // PlainBlockBytes of it
  };
  std::unordered_map<size_t, Block> blocks; // by BlockKey
  bool complete = false; // false: the file is converted on its turn as if nothing was prepared
  size_t weight = 0;     // the bytes held
};

// The blocks of one source file: both streams, their per-source pages and their own pages.
struct TGenerator::BlockScan {
  // The values that differ between the two streams.
  struct Stream {
    Stream(const DocKindInfo& info, Lines& pageList, std::vector<ContextIdEntry>& idList)
        : kind(info.kind), start(info.startMarker), end(info.endMarker), pageExt(info.pageExt),
          pages(pageList), contextIds(idList) {}

    DocKind kind;
    std::string_view start;
    std::string_view end;
    std::string_view pageExt;
    Lines& pages;
    std::vector<ContextIdEntry>& contextIds;
    std::string page;  // the per-source page
    bool used = false; // whether the per-source page received a block and is kept
    EndSearch ends;
    // The block reaching furthest so far: its start line and its end line (0: none yet).
    size_t openStart = 0;
    size_t openEnd = 0;
  };

  TGenerator& gen;
  const std::string& inFile;
  Prepared* ready; // what a worker did of the file ahead of its turn, if anything
  std::string pageFolder;
  Stream doc;
  Stream tech;
  int64_t readNs = 0; // time spent reading the source here
  std::string bytes;  // the source file as read
  Lines converted;    // its lines after the OEM conversion, if that is on
  SourceLines lines;  // its lines, into bytes or converted
  // Of the last block of either stream: a view into its start line, so that a long title is
  // held once.
  std::string_view title;
  size_t keywordsCheckedTo = 0; // lines before this were checked for keyword lines

  BlockScan(TGenerator& g, const std::string& in, Prepared* prepared)
      : gen(g), inFile(in), ready(prepared),
        doc(DocKindInfoOf(DocKind::Doc), g.DocPages, g.DocContextIds),
        tech(DocKindInfoOf(DocKind::Tech), g.TechPages, g.TechContextIds) {
    gen.CurrentTitle.clear();
    // Without an output folder the pages go beside their source.
    const std::string base = Trim(gen.OutputFolder) == std::string(1, kPathSep)
                                 ? inFile
                                 : gen.OutputFolder + ExtractFileName(inFile);
    pageFolder = ExtractFilePath(base);
    doc.page = ChangeFileExt(base, doc.pageExt);
    tech.page = ChangeFileExt(base, tech.pageExt);
  }

  void WriteHeader(Stream& s, std::string_view pageTitle, const std::string& own) {
    if (s.kind == DocKind::Doc) {
      gen.WriteDocBlockHeader(s.page, inFile, pageTitle, own);
    } else {
      gen.WriteTechBlockHeader(s.page, inFile, pageTitle, own);
    }
  }

  void WriteFooter(Stream& s, std::string_view pageTitle, const std::string& own) {
    if (s.kind == DocKind::Doc) {
      gen.WriteDocBlockFooter(s.page, inFile, pageTitle, own);
    } else {
      gen.WriteTechBlockFooter(s.page, inFile, pageTitle, own);
    }
  }

  size_t FindEnd(Stream& s, size_t from) { return s.ends.Find(lines, s.end, from); }

  // The own page called name (Windows-1252 text of the source) in the page folder; a name
  // that leads out of it ends the run.
  std::string OwnPage(std::string_view name, std::string_view ext) const {
    if (LeavesFolder(name)) {
      ErrorParts parts;
      parts.operation = FileOperation::Source;
      parts.path = inFile;
      parts.format = kMsgBadPageName;
      parts.args = {ErrorArg::Path(inFile), ErrorArg::Text(name)};
      throw Error(std::move(parts));
    }
    return pageFolder + PathFromText(name) + std::string(ext);
  }

  void Warn(size_t index, const char* format, std::vector<ErrorArg> args = {}) {
    AddWarning(gen.Warnings, inFile, static_cast<int>(index + 1), format, std::move(args));
  }

  // Contents and index lines of the block's lines [from, end) that have too few fields. Each
  // source line is looked at once, also when blocks nest or both kinds share it.
  void CheckKeywordLines(size_t from, size_t end) {
    for (size_t k = lines.FindLine(kMarkerPrefix, std::max(from, keywordsCheckedTo)); k < end;
         k = lines.FindLine(kMarkerPrefix, k + 1)) {
      for (const std::string_view keyword : {kTocKeyword, kIndexKeyword}) {
        const std::string marker = std::string(kMarkerPrefix) + std::string(keyword) + " ";
        const size_t at = lines[k].find(marker);
        if (at != std::string_view::npos &&
            CountChar(lines[k].substr(at + marker.size()), kEntrySep[0]) + 1 < kMinKeywordFields) {
          Warn(k, kWarnFewFields,
               {ErrorArg::Text(std::string(kMarkerPrefix) + std::string(keyword)),
                ErrorArg::Number(kMinKeywordFields)});
        }
      }
    }
    keywordsCheckedTo = std::max(keywordsCheckedTo, end);
  }

  // The converted text of the block from start line i to end line end; outputLine drops its
  // first line, which names its own page.
  std::string ConvertBlockAt(size_t i, size_t end, bool outputLine) const {
    return ConvertLines(lines, inFile, i, end, outputLine, gen);
  }

  void HandleBlock(Stream& s, size_t i) {
    const std::string_view line = lines[i];
    std::string_view rest = line.substr(line.find(s.start) + s.start.size());
    rest = rest.substr(0, rest.find(kMarkerPrefix));
    title = TrimView(rest);

    if (i < s.openEnd) {
      Warn(i, kWarnNestedStart,
           {ErrorArg::Text(s.start), ErrorArg::Number(static_cast<int>(s.openStart + 1))});
    }
    if (title.empty()) {
      Warn(i, kWarnNoTitle);
    }
    const size_t end = FindEnd(s, i);
    if (end == lines.size()) {
      ErrorParts parts;
      parts.operation = FileOperation::Source;
      parts.path = inFile;
      parts.line = static_cast<int>(i + 1);
      parts.format = kMsgUnterminatedBlock;
      parts.args = {ErrorArg::Path(inFile), ErrorArg::Number(parts.line), ErrorArg::Text(s.start),
                    ErrorArg::Text(s.end)};
      throw Error(std::move(parts));
    }
    if (end > s.openEnd) {
      s.openStart = i;
      s.openEnd = end;
    }
    CheckKeywordLines(i, end);
    // The marker counts only at the start of the line; behind comment syntax it becomes text
    // of the page, so the user is told.
    if (end > i + 1 && lines[i + 1].find(kOutputMarker) != std::string_view::npos &&
        !Trim(lines[i + 1]).starts_with(kOutputMarker)) {
      Warn(i + 1, kWarnOutputNotAtLineStart);
    }
    std::string own;
    bool outputLine = false; // the block's first line names its own page
    if (end - i < 2) {
      s.used = true;
    } else if (const std::string second = Trim(lines[i + 1]); second.starts_with(kOutputMarker)) {
      own = OwnPage(second.size() > kOutputNameOffset
                        ? std::string_view(second).substr(kOutputNameOffset)
                        : std::string_view(),
                    s.pageExt);
      outputLine = true;
      s.pages.push_back(own);
    } else if (gen.OneFilePerBlock) {
      own = OwnPage(title, s.pageExt);
      s.used = false;
      s.pages.push_back(own);
    } else {
      s.used = true;
    }

    std::string text;
    std::string id;
    std::optional<std::string> plain;
    Prepared::Block* prepared = nullptr;
    if (ready != nullptr) {
      const auto it = ready->blocks.find(BlockKey(i, s.kind == DocKind::Tech));
      prepared = it == ready->blocks.end() ? nullptr : &it->second;
    }
    if (prepared != nullptr) {
      id = std::move(prepared->id);
      text = std::move(prepared->text).value_or(std::string());
      plain = std::move(prepared->plain);
    } else {
      text = ConvertBlockAt(i, end, outputLine);
      id = ExtractContextId(text);
      plain = PlainBlockBytes(text);
    }

    gen.CurrentOutputFile = s.page;
    gen.CurrentInputFile = inFile;
    // The header of a new own page shows the title; a per-source page never asks for it.
    if (!own.empty()) {
      gen.CurrentTitle.assign(title);
    }
    WriteHeader(s, title, own);
    gen.WriteBlock(s.page, text, own, std::move(plain));
    WriteFooter(s, title, own);

    if (!id.empty()) {
      const std::string& target = own.empty() ? s.page : own;
      gen.CheckContextId(s.kind, inFile, static_cast<int>(i + 1), target, id, title);
      s.contextIds.push_back(ContextIdEntry{std::move(id), std::string(title), target,
                                            Origin(inFile, static_cast<int>(i + 1))});
    }
  }

  void FinishPage(Stream& s) {
    if (!s.used) {
      gen.DropPage(s.page);
      return;
    }
    if (s.kind == DocKind::Doc) {
      gen.WriteDocPageFooter(s.page, inFile, title, "");
    } else {
      gen.WriteTechPageFooter(s.page, inFile, title, "");
    }
    gen.FlushPage(s.page);
    gen.pagesWritten_.insert(PathCaseKey(s.page));
    gen.pageSources_[PathCaseKey(s.page)] = inFile;
    s.pages.push_back(s.page);
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
        AddWarning(gen.Warnings, inFile, 0, kWarnNotAFile,
                   {ErrorArg::Text(EntryKindText(*ready->notFile))});
        return std::nullopt;
      }
    } else {
      const int64_t start = NowNs();
      try {
        EntryKind kind = EntryKind::File;
        std::optional<std::string> read = ReadRegularFileBytes(inFile, &kind);
        if (!read) {
          // It changed since the search (into a fifo, say): skipped as the search skips it.
          AddWarning(gen.Warnings, inFile, 0, kWarnNotAFile, {ErrorArg::Text(EntryKindText(kind))});
          return std::nullopt;
        }
        bytes = std::move(*read);
      } catch (const Error&) {
        readError = std::current_exception();
      }
      readNs += NowNs() - start;
    }
    const bool readFailed = readError != nullptr;
    const std::string& source = ready != nullptr ? ready->bytes : bytes;
    const std::string_view text = std::string_view(source).substr(0, source.find('\0'));
    gen.ClaimPage(doc.page, inFile);
    gen.ClaimPage(tech.page, inFile);
    gen.BeginPage(doc.page, !readFailed && text.find(doc.start) != std::string_view::npos);
    gen.WriteDocPageHeader(doc.page, inFile, "", "");
    gen.BeginPage(tech.page, !readFailed && text.find(tech.start) != std::string_view::npos);
    gen.WriteTechPageHeader(tech.page, inFile, "", "");
    if (readFailed) {
      std::rethrow_exception(readError);
    }

    if (ready != nullptr) {
      lines = std::move(ready->lines);
    } else {
      SplitSource(bytes, gen.OemToAnsi, lines, converted);
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

void TGenerator::BeginPage(const std::string& page, bool create) {
  const int64_t start = NowNs();
  pagesTouched_.insert(PathCaseKey(page));
  pageStreams_.insert_or_assign(page, PageStream(page, create, PageMayExist(page)));
  NotePage(page, create);
  AddTime(writeNs_, start);
}

void TGenerator::FlushPage(const std::string& page) {
  const auto it = pageStreams_.find(page);
  if (it == pageStreams_.end()) {
    return;
  }
  const int64_t start = NowNs();
  PageStream stream = std::move(it->second);
  pageStreams_.erase(it);
  NotePage(page, true);
  stream.Finish();
  AddTime(writeNs_, start);
}

void TGenerator::DropPage(const std::string& page) {
  const int64_t start = NowNs();
  pagesTouched_.insert(PathCaseKey(page));
  const auto it = pageStreams_.find(page);
  if (it == pageStreams_.end()) {
    if (PageMayExist(page)) {
      DeleteFileAt(page);
    }
  } else {
    it->second.Discard();
    pageStreams_.erase(it);
  }
  NotePage(page, false);
  AddTime(writeNs_, start);
}

void TGenerator::FlushAllPages() noexcept {
  for (auto& [page, stream] : pageStreams_) {
    NotePage(page, true);
    try {
      stream.Finish();
    } catch (...) {
      // The failure that ended the file is the one reported.
    }
  }
  pageStreams_.clear();
}

void TGenerator::CheckContextId(DocKind kind, const std::string& inFile, int line,
                                const std::string& page, const std::string& id,
                                std::string_view title) {
  const size_t k = DocKindIndex(kind);
  if (id.find_first_not_of("0123456789") != std::string::npos) {
    AddWarning(Warnings, inFile, line, kWarnIdNotNumber, {ErrorArg::Text(id)});
  }
  if (title.find('=') != std::string::npos) {
    AddWarning(Warnings, inFile, line, kWarnTitleWithEquals, {ErrorArg::Text(title)});
  }
  const auto [seen, fresh] = idSeen_[k].try_emplace(id, SourceLine{inFile, line});
  if (!fresh) {
    AddWarning(Warnings, inFile, line, kWarnDuplicateId,
               {ErrorArg::Text(id), ErrorArg::Path(seen->second.file),
                ErrorArg::Number(seen->second.line)});
  }
  const auto [first, firstOnPage] = pageIds_[k].try_emplace(PathCaseKey(page), id);
  if (!firstOnPage) {
    AddWarning(Warnings, inFile, line, kWarnSecondIdOnPage,
               {ErrorArg::Path(ExtractFileName(page)), ErrorArg::Text(first->second)});
  }
}

void TGenerator::ClaimPage(const std::string& page, const std::string& inFile) {
  const auto it = pageSources_.find(PathCaseKey(page));
  if (it != pageSources_.end() && it->second != inFile) {
    AddWarning(Warnings, inFile, 0, kWarnPageReplaced,
               {ErrorArg::Path(page), ErrorArg::Path(it->second)});
    pageSources_.erase(it);
  }
}

int TGenerator::ProcessFile(const std::string& inFile) {
  return ProcessSource(inFile).value_or(0);
}

int64_t TGenerator::NowNs() {
  return SteadyNanoseconds();
}

int64_t TGenerator::AddTime(std::atomic<int64_t>& counter, int64_t start) {
  const int64_t spent = NowNs() - start;
  counter.fetch_add(spent, std::memory_order_relaxed);
  return spent;
}

std::unique_ptr<TGenerator::Prepared> TGenerator::Prepare(const std::string& inFile) const {
  auto p = std::make_unique<Prepared>();
  int64_t start = NowNs();
  try {
    EntryKind kind = EntryKind::File;
    std::optional<std::string> read = ReadRegularFileBytes(inFile, &kind);
    if (read) {
      p->bytes = std::move(*read);
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
  p->weight = p->bytes.size();
  if (p->readError != nullptr || p->notFile) {
    return p;
  }
  try {
    SplitSource(p->bytes, OemToAnsi, p->lines, p->converted);
    // The blocks as BlockScan::Scan finds them; its checks and failures stay with it.
    struct StreamEnds {
      std::string_view start;
      std::string_view end;
      bool tech;
      EndSearch ends;
    };
    std::array<StreamEnds, 2> streams{};
    for (const DocKindInfo& kind : kDocKindTable) {
      streams[DocKindIndex(kind.kind)] = {
          kind.startMarker, kind.endMarker, kind.kind == DocKind::Tech, {}};
    }
    const SourceLines& lines = p->lines;
    for (size_t i = lines.FindLine(kMarkerPrefix, 0); i != SourceLines::npos;
         i = lines.FindLine(kMarkerPrefix, i + 1)) {
      for (StreamEnds& s : streams) {
        if (lines[i].find(s.start) == std::string::npos) {
          continue;
        }
        const size_t end = s.ends.Find(lines, s.end, i);
        if (end == lines.size()) {
          // The scan fails here; nothing after it is needed.
          return p;
        }
        const bool outputLine = end - i >= 2 && Trim(lines[i + 1]).starts_with(kOutputMarker);
        std::string text = ConvertLines(lines, inFile, i, end, outputLine, *this);
        Prepared::Block block;
        block.id = ExtractContextId(text);
        block.plain = PlainBlockBytes(text);
        if (!block.plain) {
          block.text = std::move(text);
        }
        p->weight += block.id.size() + (block.plain ? block.plain->size() : block.text->size());
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
constexpr size_t kFilesAhead = 4;
constexpr size_t kBytesAhead = size_t{32} << 20;

} // namespace

void TGenerator::StopPreparing::operator()(Preparing* ahead) const {
  delete ahead;
}

std::unique_ptr<TGenerator::Preparing, TGenerator::StopPreparing>
TGenerator::StartPreparing(const Lines& files) {
  const unsigned threads =
      Threads != 0 ? Threads : std::max(1U, std::thread::hardware_concurrency());
  if (threads <= 1 || files.size() <= 1) {
    return nullptr;
  }
  return std::unique_ptr<Preparing, StopPreparing>(new Preparing(
      files.size(), threads, kFilesAhead * threads, kBytesAhead,
      [this, &files](size_t i) { return Prepare(files[i]); },
      [](const std::unique_ptr<Prepared>& p) { return p ? p->weight : 0; }));
}

void TGenerator::ConvertFiles(const Lines& files, ProgressSink* progress, Preparing* ahead) {
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
    if (ahead != nullptr) {
      const int64_t start = NowNs();
      ready = ahead->Take(i);
      AddTime(waitNs_, start);
      // A source that is also a page of this run was read before that page was written.
      if (pagesTouched_.contains(PathCaseKey(files[i]))) {
        ready.reset();
      }
    }
    const std::optional<int> lines = ProcessSource(files[i], ready.get());
    SourcesRead += lines ? 1 : 0;
    if (progress != nullptr) {
      progress->StepFile(files[i], lines.value_or(0));
    }
  }
}

std::optional<int> TGenerator::ProcessSource(const std::string& inFile, Prepared* ready) {
  pageStreams_.clear();
  keepConverted_ = true;
  struct ForgetConverted {
    TGenerator& gen;
    ~ForgetConverted() {
      gen.keepConverted_ = false;
      for (ConvertedText& memo : gen.converted_) {
        memo.valid = false;
      }
    }
  } forget{*this};
  BlockScan scan(*this, inFile, ready != nullptr && ready->complete ? ready : nullptr);
  // The time here that is neither reading nor writing is converting.
  const int64_t start = NowNs();
  const int64_t written = writeNs_.load(std::memory_order_relaxed);
  struct CountTime {
    TGenerator& gen;
    BlockScan& scan;
    int64_t start;
    int64_t written;
    ~CountTime() {
      const int64_t writing = gen.writeNs_.load(std::memory_order_relaxed) - written;
      gen.readNs_.fetch_add(scan.readNs, std::memory_order_relaxed);
      gen.convertNs_.fetch_add(NowNs() - start - writing - scan.readNs, std::memory_order_relaxed);
    }
  } count{*this, scan, start, written};
  try {
    return scan.Scan();
  } catch (...) {
    FlushAllPages();
    throw;
  }
}

} // namespace qm
