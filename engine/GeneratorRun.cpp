#include "engine/GeneratorRun.h"

#include "base/Clock.h"
#include "base/Error.h"
#include "base/FileScan.h"
#include "base/ForeignChars.h"
#include "base/Paths.h"
#include "base/Prefetch.h"
#include "engine/Markers.h"

namespace qm {

namespace {

// Whether text is well-formed UTF-8 (no stray continuation bytes, no overlong forms).
bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    size_t len = 1;
    unsigned min = 0;
    if (c >= 0xF0 && c <= 0xF4) {
      len = 4;
      min = 0x10000;
    } else if (c >= 0xE0) {
      len = c <= 0xEF ? 3 : 0;
      min = 0x800;
    } else if (c >= 0xC2) {
      len = 2;
      min = 0x80;
    } else if (c >= 0x80) {
      len = 0;
    }
    if (len == 0 || i + len > text.size()) {
      return false;
    }
    unsigned code = len == 1 ? c : c & (0x7F >> len);
    for (size_t k = 1; k < len; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) {
        return false;
      }
      code = (code << 6) | (next & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      return false;
    }
    i += len;
  }
  return true;
}

} // namespace

GeneratorRun::GeneratorRun(const GeneratorTables& tables, const GeneratorOptions& options,
                           const TemplateSet& templates, RunResult& result)
    : tables_(tables), options_(options), templates_(templates), result_(result) {}

void GeneratorRun::Run(const TQuelle& quelle, ProgressSink* progress) {
  result_.Warnings = quelle.Warnings;
  if (quelle.Files.empty()) {
    AddWarning(result_.Warnings, quelle.Folders.empty() ? std::string() : quelle.Folders.front(), 0,
               kWarnNoSources);
  }
  const std::string& output = options_.OutputFolder;
  pageRoot_ = !IsBareSeparator(Trim(output)) ? output
              : quelle.Folders.empty()       ? std::string()
                                             : quelle.Folders.front();
  // What the run learns about the page folders holds only while it goes on.
  folders_.Start();
  struct ForgetListings {
    PageFolders& folders;
    ~ForgetListings() { folders.Stop(); }
  } forgetListings{folders_};
  struct ReportTimes {
    GeneratorRun& run;
    ~ReportTimes() {
      const auto seconds = [](const std::atomic<int64_t>& ns) {
        return static_cast<double>(ns) / 1e9;
      };
      run.result_.Times = {seconds(run.readNs_), seconds(run.convertNs_), seconds(run.writeNs_),
                           seconds(run.waitNs_)};
    }
  } reportTimes{*this};
  // The templates stay as they are while the run goes on, so their lines are looked at once.
  for (const TemplateInfo& info : kTemplateTable) {
    std::vector<TemplateLine>& looked = templateLines_[EnumIndex(info.id)];
    looked.clear();
    for (const std::string& line : templates_[info.id]) {
      looked.push_back(LookAt(line));
    }
  }
  struct ForgetTemplateLines {
    GeneratorRun& run;
    ~ForgetTemplateLines() {
      for (std::vector<TemplateLine>& looked : run.templateLines_) {
        looked.clear();
      }
    }
  } forgetTemplateLines{*this};

  // Worker threads start on the sources while the titles of the existing pages are read: they
  // only read sources and the tables, which stay as they are during the run.
  const Lines files = SourcesWithoutPages(quelle.Files);
  const auto ahead = StartPreparing(files);
  CollectPageTitles();

  const size_t count = files.size();
  if (progress != nullptr) {
    progress->SetFileCount(static_cast<int>(count));
  }
  try {
    ConvertFiles(files, progress, ahead.get());
  } catch (...) {
    // The own pages collected so far are saved also when a file fails; the file's failure is
    // the one reported.
    if (progress != nullptr) {
      progress->Finished();
    }
    heldPages_.PutAllInPlaceQuietly(folders_);
    try {
      SaveOwnPages();
    } catch (const Error&) {
    }
    throw;
  }
  if (progress != nullptr) {
    progress->Finished();
  }
  if (result_.Counts.SourcesUtf8 + result_.Counts.SourcesUtf16 > 0) {
    AddWarning(result_.Warnings, quelle.Folders.empty() ? std::string() : quelle.Folders.front(), 0,
               kWarnDecodedSources, ErrorArg::Number(result_.Counts.SourcesUtf8),
               ErrorArg::Number(result_.Counts.SourcesUtf16));
  }
  // Counted before the save, whose failure is thrown: a page that failed was not written.
  RunCounts& counts = result_.Counts;
  counts.PagesWritten = static_cast<int>(std::ranges::count_if(
      pageBook_, [](const auto& page) { return !page.second.source.empty(); }));
  const int64_t start = NowNs();
  struct CountSave {
    GeneratorRun& run;
    int64_t start;
    ~CountSave() { AddTime(run.writeNs_, start); }
  } countSave{*this, start};
  counts.OwnPagesWritten = static_cast<int>(SaveOwnPages());
  counts.PagesWritten += counts.OwnPagesWritten;
}

void GeneratorRun::AppendToOwnPage(const Piece& piece, Lines lines) {
  if (!ownPages_.Contains(piece.ownFile)) {
    // A page new to the run gets its page header first, with the values of the piece that
    // opens it; the header's entries follow the piece's.
    ownPages_.Add(piece.ownFile);
    WriteTemplate(KindByName(piece.ownFile, DocKind::Doc), TemplatePart::PageHeader, piece);
  }
  if (foreign_) {
    for (std::string& line : lines) {
      if (HoldsForeignCodes(line)) {
        line = ExpandForeignCodes(line, ForeignForm::Html);
      }
    }
  }
  ownPages_.Append(piece.ownFile, std::move(lines));
}

size_t GeneratorRun::SaveOwnPages() {
  // The footers are written when no source, block or title is at hand any more.
  const std::string none;
  const Origin noOrigin;
  for (size_t i = 0; i < ownPages_.Count(); ++i) {
    const std::string& page = ownPages_.Item(i).FileName;
    if (page.empty()) {
      continue;
    }
    try {
      WriteTemplate(KindByName(page, DocKind::Doc), TemplatePart::PageFooter,
                    Piece{none, none, {}, page, noOrigin});
    } catch (const FilledLineTooLong&) {
      throw MakeError(FileOperation::None, page, 0, kMsgFilledPagePartTooLong, ErrorArg::Path(page),
                      ErrorArg::Number(static_cast<int>(kFilledLineFactor)));
    }
  }
  return ownPages_.SaveAll(folders_);
}

DocKind GeneratorRun::KindByName(std::string_view page, DocKind named) {
  const std::string_view ext = DocKindInfoOf(named).pageExtLower;
  return AnsiLowerCase(page).find(ext) != std::string::npos ? named : OtherKind(named);
}

void GeneratorRun::CheckContextId(DocKind kind, const std::string& inFile, int line,
                                  const std::string& page, const std::string& id,
                                  std::string_view title) {
  const size_t k = EnumIndex(kind);
  WarningList& warnings = result_.Warnings;
  const bool digits = id.find_first_not_of("0123456789") == std::string::npos;
  if (!digits) {
    AddWarning(warnings, inFile, line, kWarnIdNotNumber, ErrorArg::Text(id));
  }
  // A help file's map holds 32 bits; the alias file cannot hold a ";".
  const std::string_view value =
      std::string_view(id).substr(std::min(id.find_first_not_of('0'), id.size()));
  if ((digits && (value.size() > 10 || (value.size() == 10 && value > kMaxContextId))) ||
      id.find(kEntrySep) != std::string::npos) {
    AddWarning(warnings, inFile, line, kWarnIdUnfit, ErrorArg::Text(id));
  }
  if (title.find('=') != std::string::npos) {
    AddWarning(warnings, inFile, line, kWarnTitleWithEquals, ErrorArg::Text(title));
  }
  const auto [seen, fresh] = idSeen_[k].try_emplace(id, SourceLine{inFile, line});
  if (!fresh) {
    AddWarning(warnings, inFile, line, kWarnDuplicateId, ErrorArg::Text(id),
               ErrorArg::Path(seen->second.file), ErrorArg::Number(seen->second.line));
  }
  const auto [first, firstOnPage] = pageIds_[k].try_emplace(PathCaseKey(page), id);
  if (!firstOnPage) {
    AddWarning(warnings, inFile, line, kWarnSecondIdOnPage, ErrorArg::Path(ExtractFileName(page)),
               ErrorArg::Text(first->second));
  }
}

void GeneratorRun::ClaimOwnPage(const std::string& page, const std::string& inFile) {
  const auto it = sourcePages_.find(page);
  if (it != sourcePages_.end() && it->second != inFile) {
    AddWarning(result_.Warnings, inFile, 0, kWarnPageReplaced, ErrorArg::Path(page),
               ErrorArg::Path(it->second));
  }
}

std::string GeneratorRun::PagePathOf(const std::string& inFile, DocKind kind) const {
  return SourcePagePath(options_.OutputFolder, inFile, kind);
}

Lines GeneratorRun::SourcesWithoutPages(const Lines& files) {
  std::vector<SourcePages> pages(files.size());
  sourcePages_.clear();
  for (size_t i = 0; i < files.size(); ++i) {
    for (const DocKindInfo& kind : kDocKindTable) {
      pages[i][EnumIndex(kind.kind)] = PagePathOf(files[i], kind.kind);
      sourcePages_.try_emplace(pages[i][EnumIndex(kind.kind)], files[i]);
    }
  }
  Lines sources;
  sources.reserve(files.size());
  pagesOfSources_.clear();
  pagesOfSources_.reserve(files.size());
  for (auto& [key, book] : pageBook_) {
    book.lastSource = std::string::npos;
  }
  for (size_t i = 0; i < files.size(); ++i) {
    // A file at the place of a page is that page, also when its name matches a mask.
    if (!sourcePages_.contains(files[i])) {
      for (const std::string& page : pages[i]) {
        pageBook_[PathCaseKey(page)].lastSource = sources.size();
      }
      sources.push_back(files[i]);
      pagesOfSources_.push_back(std::move(pages[i]));
    }
  }
  return sources;
}

void GeneratorRun::CheckPageName(const std::string& page, const std::string& inFile, int line) {
  const std::string name = ExtractFileName(page);
  if (name.find_first_of(kUnfitNameChars) != std::string::npos || !IsValidUtf8(name)) {
    AddWarning(result_.Warnings, inFile, line, kWarnUnfitPageName, ErrorArg::Path(name));
  }
}

const GeneratorRun::PageBook* GeneratorRun::BookOf(const std::string& key) const {
  const auto it = pageBook_.find(key);
  return it != pageBook_.end() ? &it->second : nullptr;
}

bool GeneratorRun::MayHoldOldPage(const std::string& page) {
  const PageBook* book = BookOf(PageKey(page));
  return (book == nullptr || !book->touched) && folders_.MayExist(page);
}

size_t GeneratorRun::ClaimPage(const std::string& page, const std::string& inFile,
                               const FileSnapshot* seen, bool fresh, bool* plain) {
  static const FileNeedles kHandWrittenStarts{kHandWrittenDocStart, kHandWrittenTechStart};
  // Only the first source of the run to claim a page finds what the disk held before the run;
  // what was read of the page earlier in the run stands in for it while the file is unchanged.
  const bool old = MayHoldOldPage(page);
  const bool asSeen = old && seen != nullptr && (fresh || StillAsSeen(page, *seen));
  if (plain != nullptr) {
    *plain = asSeen;
  }
  if (old &&
      (asSeen ? kHandWrittenStarts.FoundInText(seen->bytes) : kHandWrittenStarts.FoundIn(page))) {
    AddWarning(result_.Warnings, page, 0, kWarnHandWrittenPage, ErrorArg::Path(inFile));
  }
  const PageBook* book = BookOf(PageKey(page));
  if (book == nullptr || book->source.empty() || book->source == inFile) {
    return std::string::npos;
  }
  // Worded for a page that inFile writes; should it have no block for the page, KeepPage
  // words it anew in the same place, so the warnings keep the order of the sources' lines.
  AddWarning(result_.Warnings, inFile, 0, kWarnPageReplaced, ErrorArg::Path(page),
             ErrorArg::Path(book->source));
  return result_.Warnings.size() - 1;
}

void GeneratorRun::KeepPage(const std::string& page, const std::string& inFile, size_t claimed) {
  const PageBook* book = BookOf(PageKey(page));
  if (book == nullptr || book->source.empty() || claimed >= result_.Warnings.size()) {
    return;
  }
  WarningList kept;
  AddWarning(kept, inFile, 0, kWarnPageKept, ErrorArg::Path(page), ErrorArg::Path(book->source));
  result_.Warnings[claimed] = std::move(kept.front());
}

int64_t GeneratorRun::NowNs() {
  return SteadyNanoseconds();
}

int64_t GeneratorRun::AddTime(std::atomic<int64_t>& counter, int64_t start) {
  const int64_t spent = NowNs() - start;
  counter.fetch_add(spent, std::memory_order_relaxed);
  return spent;
}

} // namespace qm
