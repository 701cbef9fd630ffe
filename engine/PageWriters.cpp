#include "base/FileSystem.h"
#include "base/Paths.h"
#include "base/TextFile.h"
#include "engine/BlockConvert.h"
#include "engine/Generator.h"
#include "engine/Markers.h"

#include <algorithm>
#include <cerrno>

namespace qm {

namespace {

// The title a page carries: the first line holding the title tag, without its tags. Of the
// start of a page (complete false) only its complete lines count, and nothing comes back
// when none of them holds the tag.
std::optional<std::string> TitleOfPage(std::string_view bytes, bool complete = true) {
  // A NUL ends the text, so a start holding one holds all of it that counts.
  complete = complete || bytes.find('\0') != std::string_view::npos;
  if (!complete) {
    const size_t lastBreak = bytes.find_last_of("\r\n");
    bytes = bytes.substr(0, lastBreak == std::string_view::npos ? 0 : lastBreak + 1);
  }
  // The first line holding the tag is the line of its first occurrence (a NUL ends the text,
  // as it ends the lines).
  bytes = bytes.substr(0, bytes.find('\0'));
  const size_t at = FindNoCase(bytes, kTitleOpen);
  if (at != std::string_view::npos) {
    const size_t before = bytes.find_last_of("\r\n", at);
    const size_t start = before == std::string_view::npos ? 0 : before + 1;
    const size_t end = std::min(bytes.find_first_of("\r\n", at), bytes.size());
    const std::string_view line = bytes.substr(start, end - start);
    return ReplaceAllNoCase(ReplaceAllNoCase(line, kTitleOpen, ""), kTitleClose, "");
  }
  if (!complete) {
    return std::nullopt;
  }
  return std::string();
}

// The title is near the top of a page: this much of it is read first.
constexpr size_t kTitleSearch = size_t{4} << 10;

} // namespace

void TGenerator::AppendToPage(const std::string& page, std::string_view bytes) {
  const int64_t start = NowNs();
  if (const auto it = pageStreams_.find(page); it != pageStreams_.end()) {
    it->second.Append(bytes);
  } else {
    AppendFileBytes(page, bytes);
  }
  AddTime(writeNs_, start);
}

void TGenerator::Emit(DocKind kind, const std::string& outFile, const std::string& inFile,
                      std::string_view title, const Lines& tmpl, const std::string& ownFile) {
  const std::string& target = ownFile.empty() ? outFile : ownFile;
  // Line by line: filled, its contents and index lines taken out (contents first, as two
  // passes over the piece would), then written, so a long line is let go before the next. A
  // line without placeholders is used where it stands; a filled line is a string of its own,
  // which a keyword line hands on to its entry without a copy.
  KeywordFilter toc(CharTable, target, kTocKeyword, TocList(kind));
  KeywordFilter index(CharTable, target, kIndexKeyword, IndexList(kind));
  PieceLink link;
  Lines kept;          // the lines for an own page
  std::string pending; // lines for the per-source page, written together
  for (const std::string& tmplLine : tmpl) {
    std::string filled;
    const bool fill = HoldsPlaceholder(tmplLine);
    if (fill) {
      filled = tmplLine;
      SubstituteLine(filled, outFile, inFile, title, link);
      if (!toc.Keep(filled) || !index.Keep(filled)) {
        continue;
      }
    } else if (!toc.Keep(std::string_view(tmplLine)) || !index.Keep(std::string_view(tmplLine))) {
      continue;
    }
    if (!ownFile.empty()) {
      kept.push_back(fill ? std::move(filled) : tmplLine);
      continue;
    }
    const std::string_view line = fill ? std::string_view(filled) : std::string_view(tmplLine);
    if (line.size() >= kPageMemoryLimit) {
      // A long line goes to the page as it is, not through a copy.
      AppendToPage(outFile, pending);
      pending.clear();
      AppendToPage(outFile, line);
      pending.append(kCrLf);
    } else {
      pending.append(line).append(kCrLf);
    }
  }
  if (ownFile.empty()) {
    AppendToPage(outFile, pending);
    return;
  }
  // A new own page gets its page header here, above these lines.
  ExtraFiles.Append(ownFile, std::move(kept));
}

void TGenerator::WritePageHeader(DocKind kind, const Lines& tmpl, const std::string& outFile,
                                 const std::string& inFile, std::string_view title,
                                 const std::string& ownFile) {
  const auto found = FindPageTitle(ownFile.empty() ? outFile : ownFile);
  if (!found) {
    Emit(kind, outFile, inFile, title, tmpl, ownFile);
    return;
  }
  Lines work = tmpl;
  for (std::string& line : work) {
    if (FindNoCase(line, kTitleOpen) != std::string::npos) {
      line = std::string(kTitleOpen) + *found + std::string(kTitleClose);
      break;
    }
  }
  Emit(kind, outFile, inFile, title, work, ownFile);
}

void TGenerator::WriteDocPageHeader(const std::string& outFile, const std::string& inFile,
                                    std::string_view title, const std::string& ownFile) {
  WritePageHeader(DocKind::Doc, Templates[TemplateId::DocPageHeader], outFile, inFile, title,
                  ownFile);
}

void TGenerator::WriteTechPageHeader(const std::string& outFile, const std::string& inFile,
                                     std::string_view title, const std::string& ownFile) {
  WritePageHeader(DocKind::Tech, Templates[TemplateId::TechPageHeader], outFile, inFile, title,
                  ownFile);
}

void TGenerator::WriteDocPageFooter(const std::string& outFile, const std::string& inFile,
                                    std::string_view title, const std::string& ownFile) {
  Emit(DocKind::Doc, outFile, inFile, title, Templates[TemplateId::DocPageFooter], ownFile);
}

void TGenerator::WriteTechPageFooter(const std::string& outFile, const std::string& inFile,
                                     std::string_view title, const std::string& ownFile) {
  Emit(DocKind::Tech, outFile, inFile, title, Templates[TemplateId::TechPageFooter], ownFile);
}

void TGenerator::WriteDocBlockHeader(const std::string& outFile, const std::string& inFile,
                                     std::string_view title, const std::string& ownFile) {
  Emit(DocKind::Doc, outFile, inFile, title, Templates[TemplateId::DocBlockHeader], ownFile);
}

void TGenerator::WriteDocBlockFooter(const std::string& outFile, const std::string& inFile,
                                     std::string_view title, const std::string& ownFile) {
  Emit(DocKind::Doc, outFile, inFile, title, Templates[TemplateId::DocBlockFooter], ownFile);
}

void TGenerator::WriteTechBlockHeader(const std::string& outFile, const std::string& inFile,
                                      std::string_view title, const std::string& ownFile) {
  Emit(DocKind::Tech, outFile, inFile, title, Templates[TemplateId::TechBlockHeader], ownFile);
}

void TGenerator::WriteTechBlockFooter(const std::string& outFile, const std::string& inFile,
                                      std::string_view title, const std::string& ownFile) {
  Emit(DocKind::Tech, outFile, inFile, title, Templates[TemplateId::TechBlockFooter], ownFile);
}

std::optional<std::string> TGenerator::PlainBlockBytes(std::string_view text) {
  const std::string expanded = ExpandEscapes(text);
  if (expanded.find(kMarkerPrefix) != std::string::npos) {
    return std::nullopt;
  }
  // No keyword line can be in it: the lines go through unchanged. The body is expanded a
  // second time as it is written; the escaped break behind it leaves one empty line after the
  // block.
  std::string body = NormalizeLineBreaks(expanded);
  body += kLineBreakPlain;
  return ExpandEscapes(body);
}

void TGenerator::WriteBlockText(const std::string& outFile, const std::string& text,
                                const std::string& ownFile) {
  WriteBlock(outFile, text, ownFile, PlainBlockBytes(text));
}

void TGenerator::WriteBlock(const std::string& outFile, const std::string& text,
                            const std::string& ownFile, std::optional<std::string> plain) {
  std::string written;
  if (plain) {
    written = std::move(*plain);
  } else {
    // Its keyword lines become entries of the page they are on: contents lines first, then
    // index lines among the lines that are left, in one pass over views of the lines.
    const std::string& target = ownFile.empty() ? outFile : ownFile;
    const std::string expanded = ExpandEscapes(text);
    const DocKind kind = KindOfPage(target);
    KeywordFilter toc(CharTable, target, kTocKeyword, TocList(kind));
    KeywordFilter index(CharTable, target, kIndexKeyword, IndexList(kind));
    std::string body;
    body.reserve(expanded.size() + expanded.size() / 8 + kLineBreakPlain.size() + 2);
    for (const std::string_view line : SplitLineViews(expanded)) {
      if (toc.Keep(line) && index.Keep(line)) {
        body.append(line).append(kCrLf);
      }
    }
    body += kLineBreakPlain;
    written = ExpandEscapes(body);
  }
  if (!ownFile.empty()) {
    // The page's lines all end in a break, so appending the text to the joined page and
    // splitting again is the same as appending the text's own lines.
    ExtraFiles.Append(ownFile, SplitLines(written));
  } else {
    // A per-source page gets a second empty line.
    written += "\r\n";
    AppendToPage(outFile, written);
  }
}

void TGenerator::CollectPageTitles() {
  const std::string folder = AddTrailingBackslash(OutputFolder);
  int error = 0;
  const std::vector<DirEntry> entries = ListFolder(folder, &error);
  KeepListing(folder, entries, error);
  PageTitles.clear();
  titleIndex_.clear();
  indexedTitles_ = 0;
  for (const std::string_view mask : {kDocPageMask, kTechPageMask}) {
    for (const DirEntry& e : entries) {
      // Only regular files hold a title: a folder of such a name would fail to read, and a
      // fifo would never give its bytes.
      if (!e.IsFile() || !MatchesMask(e.name, mask)) {
        continue;
      }
      const std::string path = folder + e.name;
      const std::optional<std::string> head = ReadListedFileBytes(path, kTitleSearch);
      if (!head) {
        continue;
      }
      std::optional<std::string> title = TitleOfPage(*head, head->size() < kTitleSearch);
      if (!title) {
        if (const std::optional<std::string> bytes = ReadListedFileBytes(path)) {
          title = TitleOfPage(*bytes);
        }
      }
      if (title) {
        PageTitles.push_back(PageTitle{path, std::move(*title)});
      }
    }
  }
}

void TGenerator::KeepListing(const std::string& folder, const std::vector<DirEntry>& entries,
                             int error) {
  if (!keepListings_) {
    return;
  }
  // A folder that is not there holds no page; one that cannot be read may hold any.
  if (error != 0 && error != ENOENT) {
    listings_[folder] = std::nullopt;
    return;
  }
  std::unordered_set<std::string> names;
  for (const DirEntry& e : entries) {
    if (!e.IsFolder()) {
      names.insert(e.name);
    }
  }
  listings_[folder] = std::move(names);
}

bool TGenerator::PageMayExist(const std::string& page) {
  if (!keepListings_) {
    return true;
  }
  const std::string folder = ExtractFilePath(page);
  auto it = listings_.find(folder);
  if (it == listings_.end()) {
    int error = 0;
    const std::vector<DirEntry> entries = ListFolder(folder, &error);
    KeepListing(folder, entries, error);
    it = listings_.find(folder);
  }
  return !it->second || it->second->contains(ExtractFileName(page));
}

void TGenerator::NotePage(const std::string& page, bool exists) {
  const auto it = listings_.find(ExtractFilePath(page));
  if (it == listings_.end() || !it->second) {
    return;
  }
  if (exists) {
    it->second->insert(ExtractFileName(page));
  } else {
    it->second->erase(ExtractFileName(page));
  }
}

std::optional<std::string> TGenerator::FindPageTitle(std::string_view name) const {
  if (PageTitles.size() < indexedTitles_) {
    titleIndex_.clear();
    indexedTitles_ = 0;
  }
  // Later records overwrite earlier ones for the same path, so the last match wins.
  for (; indexedTitles_ < PageTitles.size(); ++indexedTitles_) {
    const PageTitle& page = PageTitles[indexedTitles_];
    titleIndex_[PathCaseKey(page.Path)] = page.Title;
  }
  const auto it = titleIndex_.find(PathCaseKey(name));
  if (it == titleIndex_.end()) {
    return std::nullopt;
  }
  return it->second;
}

} // namespace qm
