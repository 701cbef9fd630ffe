#include "engine/BlockConvert.h"
#include "engine/FileSystem.h"
#include "engine/Generator.h"
#include "engine/Markers.h"
#include "engine/Paths.h"
#include "engine/TextFile.h"

#include <algorithm>

namespace qm {

namespace {

// The title a page carries: the first line holding the title tag, without its tags.
std::string TitleOfPage(std::string_view bytes) {
  for (const std::string_view line : SplitLineViews(bytes)) {
    if (FindNoCase(line, kTitleOpen) != std::string_view::npos) {
      return ReplaceAllNoCase(ReplaceAllNoCase(line, kTitleOpen, ""), kTitleClose, "");
    }
  }
  return {};
}

// JoinLines(SplitLines(text)) without copying each line: every line break becomes CR LF, the
// last line gets one, and a NUL ends the text.
std::string NormalizeLines(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (const std::string_view line : SplitLineViews(text)) {
    out.append(line);
    out.append("\r\n");
  }
  return out;
}

} // namespace

void TGenerator::AppendToPage(const std::string& page, std::string_view bytes) {
  if (const auto it = pageBuffers_.find(page); it != pageBuffers_.end()) {
    it->second.bytes.append(bytes);
  } else {
    AppendFileBytes(page, bytes);
  }
}

void TGenerator::Emit(Kind kind, const std::string& outFile, const std::string& inFile,
                      const std::string& title, Lines work, const std::string& ownFile) {
  const std::string& target = ownFile.empty() ? outFile : ownFile;
  SubstitutePlaceholders(work, outFile, inFile, title);
  ExtractKeywordEntries(target, kTocKeyword, TocList(kind), work);
  ExtractKeywordEntries(target, kIndexKeyword, IndexList(kind), work);
  if (!ownFile.empty()) {
    // A new own page gets its page header here, above these lines.
    Lines& page = ExtraFiles.LinesFor(ownFile);
    page.insert(page.end(), std::make_move_iterator(work.begin()),
                std::make_move_iterator(work.end()));
  } else {
    AppendToPage(outFile, JoinLines(work));
  }
}

void TGenerator::WriteTemplate(const std::string& outFile, const std::string& inFile,
                               const std::string& title, const Lines& tmpl,
                               const std::string& ownFile) {
  Emit(KindOfPage(ownFile.empty() ? outFile : ownFile), outFile, inFile, title, tmpl, ownFile);
}

void TGenerator::WritePageHeader(Kind kind, const Lines& tmpl, const std::string& outFile,
                                 const std::string& inFile, const std::string& title,
                                 const std::string& ownFile) {
  Lines work = tmpl;
  if (const auto found = FindPageTitle(ownFile.empty() ? outFile : ownFile)) {
    for (std::string& line : work) {
      if (FindNoCase(line, kTitleOpen) != std::string::npos) {
        line = std::string(kTitleOpen) + *found + std::string(kTitleClose);
        break;
      }
    }
  }
  Emit(kind, outFile, inFile, title, std::move(work), ownFile);
}

void TGenerator::WriteDocPageHeader(const std::string& outFile, const std::string& inFile,
                                    const std::string& title, const std::string& ownFile) {
  WritePageHeader(Kind::Doc, DocPageHeader, outFile, inFile, title, ownFile);
}

void TGenerator::WriteTechPageHeader(const std::string& outFile, const std::string& inFile,
                                     const std::string& title, const std::string& ownFile) {
  WritePageHeader(Kind::Tech, TechPageHeader, outFile, inFile, title, ownFile);
}

void TGenerator::WriteDocPageFooter(const std::string& outFile, const std::string& inFile,
                                    const std::string& title, const std::string& ownFile) {
  Emit(Kind::Doc, outFile, inFile, title, DocPageFooter, ownFile);
}

void TGenerator::WriteTechPageFooter(const std::string& outFile, const std::string& inFile,
                                     const std::string& title, const std::string& ownFile) {
  Emit(Kind::Tech, outFile, inFile, title, TechPageFooter, ownFile);
}

void TGenerator::WriteDocBlockHeader(const std::string& outFile, const std::string& inFile,
                                     const std::string& title, const std::string& ownFile) {
  Emit(Kind::Doc, outFile, inFile, title, DocBlockHeader, ownFile);
}

void TGenerator::WriteDocBlockFooter(const std::string& outFile, const std::string& inFile,
                                     const std::string& title, const std::string& ownFile) {
  Emit(Kind::Doc, outFile, inFile, title, DocBlockFooter, ownFile);
}

void TGenerator::WriteTechBlockHeader(const std::string& outFile, const std::string& inFile,
                                      const std::string& title, const std::string& ownFile) {
  Emit(Kind::Tech, outFile, inFile, title, TechBlockHeader, ownFile);
}

void TGenerator::WriteTechBlockFooter(const std::string& outFile, const std::string& inFile,
                                      const std::string& title, const std::string& ownFile) {
  Emit(Kind::Tech, outFile, inFile, title, TechBlockFooter, ownFile);
}

void TGenerator::WriteBlockText(const std::string& outFile, const std::string& text,
                                const std::string& ownFile) {
  const std::string& target = ownFile.empty() ? outFile : ownFile;
  const std::string expanded = ExpandEscapes(text);
  std::string body;
  if (expanded.find(kMarkerPrefix) == std::string::npos) {
    // No keyword line can be in it: the lines go through unchanged.
    body = NormalizeLines(expanded);
  } else {
    Lines lines = SplitLines(expanded);
    const Kind kind = KindOfPage(target);
    ExtractKeywordEntries(target, kTocKeyword, TocList(kind), lines);
    ExtractKeywordEntries(target, kIndexKeyword, IndexList(kind), lines);
    body = JoinLines(lines);
  }
  // The body is expanded a second time as it is written; the escaped break behind it leaves
  // one empty line after the block.
  body += kLineBreakPlain;
  std::string written = ExpandEscapes(body);
  if (!ownFile.empty()) {
    // The page's lines all end in a break, so appending the text to the joined page and
    // splitting again is the same as appending the text's own lines.
    Lines& page = ExtraFiles.LinesFor(ownFile);
    Lines added = SplitLines(written);
    page.insert(page.end(), std::make_move_iterator(added.begin()),
                std::make_move_iterator(added.end()));
  } else {
    // A per-source page gets a second empty line.
    written += "\r\n";
    AppendToPage(outFile, written);
  }
}

void TGenerator::CollectPageTitles() {
  const std::string folder = AddTrailingBackslash(OutputFolder);
  const std::vector<DirEntry> entries = ListFolder(folder);
  PageTitles.clear();
  titleIndex_.clear();
  indexedTitles_ = 0;
  for (const std::string_view mask : {kDocPageMask, kTechPageMask}) {
    for (const DirEntry& e : entries) {
      // A folder of such a name holds no title; reading it would only fail.
      if (e.isDir || !MatchesMask(e.name, mask)) {
        continue;
      }
      const std::string path = folder + e.name;
      PageTitles.push_back(path + kTitleSep + TitleOfPage(ReadFileBytes(path)));
    }
  }
}

std::optional<std::string> TGenerator::FindPageTitle(std::string_view name) const {
  if (PageTitles.size() < indexedTitles_) {
    titleIndex_.clear();
    indexedTitles_ = 0;
  }
  // Later lines overwrite earlier ones for the same path, so the last match wins.
  for (; indexedTitles_ < PageTitles.size(); ++indexedTitles_) {
    const std::string& line = PageTitles[indexedTitles_];
    const size_t sep = line.find(kTitleSep);
    if (sep != std::string::npos) {
      titleIndex_[PathCaseKey(line.substr(0, sep))] = line.substr(sep + 1);
    } else if (!line.empty()) {
      // Not written by CollectPageTitles: the path is all but the last character.
      titleIndex_[PathCaseKey(line.substr(0, line.size() - 1))] = line;
    }
  }
  const auto it = titleIndex_.find(PathCaseKey(name));
  if (it == titleIndex_.end()) {
    return std::nullopt;
  }
  return it->second;
}

} // namespace qm
