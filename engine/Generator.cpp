#include "engine/Generator.h"

#include "engine/Clock.h"
#include "engine/Error.h"
#include "engine/Markers.h"
#include "engine/Paths.h"
#include "engine/TextFile.h"

namespace qm {

TGenerator::TGenerator(const std::string& programFolder) {
  const std::string templates = programFolder + kTemplatesFolder;
  DocBlockHeader = ReadTextLines(templates + kDocBlockHeaderFile);
  DocBlockFooter = ReadTextLines(templates + kDocBlockFooterFile);
  DocPageHeader = ReadTextLines(templates + kDocPageHeaderFile);
  DocPageFooter = ReadTextLines(templates + kDocPageFooterFile);
  TechBlockHeader = ReadTextLines(templates + kTechBlockHeaderFile);
  TechBlockFooter = ReadTextLines(templates + kTechBlockFooterFile);
  TechPageHeader = ReadTextLines(templates + kTechPageHeaderFile);
  TechPageFooter = ReadTextLines(templates + kTechPageFooterFile);
  loadedTags_ = ReadTextLines(programFolder + kTagTableFile);
  HtmlTags.Assign(loadedTags_);
  CharTable.Assign(ReadTextLines(programFolder + kCharTableFile));
}

TGenerator::Kind TGenerator::KindOfPage(std::string_view page) {
  return AnsiLowerCase(page).find(kTechPageExtLower) != std::string::npos ? Kind::Tech : Kind::Doc;
}

void TGenerator::Run(const TQuelle& quelle, ProgressSink* progress) {
  for (Lines* list : {&DocPages, &TechPages, &TechTocEntries, &DocTocEntries, &TechIndexEntries,
                      &DocIndexEntries, &DocContextIds, &TechContextIds}) {
    list->clear();
  }
  DocContextIdOrigins.clear();
  TechContextIdOrigins.clear();
  ExtraFiles.Clear();
  Warnings = quelle.Warnings;
  if (quelle.Files.empty()) {
    AddWarning(Warnings, quelle.Folders.empty() ? std::string() : quelle.Folders.front(), 0,
               kWarnNoSources);
  }
  SourcesRead = 0;
  PagesWritten = 0;
  OwnPagesWritten = 0;
  for (auto& map : idSeen_) {
    map.clear();
  }
  for (auto& map : pageIds_) {
    map.clear();
  }
  pageSources_.clear();
  pagesWritten_.clear();
  CollectPageTitles();
  // The closing forms are added afresh from the loaded lines, so repeated runs do not pile
  // them up.
  HtmlTags.Assign(loadedTags_);

  const size_t count = quelle.Files.size();
  if (progress != nullptr) {
    progress->SetFileCount(static_cast<int>(count));
  }
  try {
    for (size_t i = 0; i < count; ++i) {
      if (progress != nullptr) {
        progress->ProcessEvents();
        if (progress->Cancelled()) {
          break;
        }
      }
      const int lines = ProcessFile(quelle.Files[i]);
      ++SourcesRead;
      if (progress != nullptr) {
        progress->StepFile(quelle.Files[i], lines);
      }
    }
  } catch (...) {
    // The own pages collected so far are saved also when a file fails; the file's failure is
    // the one reported.
    if (progress != nullptr) {
      progress->Finished();
    }
    try {
      ExtraFiles.SaveAll();
    } catch (const Error&) {
    }
    throw;
  }
  if (progress != nullptr) {
    progress->Finished();
  }
  // Counted before the save, whose failure is thrown: a page that failed was not written.
  PagesWritten = static_cast<int>(pagesWritten_.size());
  OwnPagesWritten = static_cast<int>(ExtraFiles.SaveAll());
  PagesWritten += OwnPagesWritten;
}

namespace {

// A path as page text: the characters Windows-1252 has go through ConvertChars, each other one
// becomes its numeric character reference afterwards (ConvertChars would escape its "&").
std::string PathAsHtml(std::string_view path, const TagTable& tags, const CharacterTable& table) {
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

const std::string& TGenerator::Converted(size_t slot, const std::string& raw, Source source) {
  ConvertedText& memo = converted_[slot];
  if (!keepConverted_ || !memo.valid || memo.raw != raw) {
    memo.raw = raw;
    // A path is the file system's spelling; in a page it is Windows-1252 text.
    switch (source) {
    case Source::Text:
      memo.converted = ConvertChars(raw, HtmlTags, CharTable);
      break;
    case Source::HtmlPath:
      memo.converted = PathAsHtml(raw, HtmlTags, CharTable);
      break;
    case Source::TextPath:
      memo.converted = ConvertChars(PathToText(raw), HtmlTags, CharTable);
      break;
    }
    memo.valid = keepConverted_;
  }
  return memo.converted;
}

namespace {

// Replaces placeholder in line by value() when it occurs; value is only worked out then.
template <typename Value>
void Fill(std::string& line, std::string_view placeholder, const Value& value) {
  if (FindNoCase(line, placeholder) != std::string::npos) {
    line = ReplaceAllNoCase(line, placeholder, value());
  }
}

// The file name without its folder and its last extension.
std::string BareName(std::string_view path) {
  const std::string name = ExtractFileName(path);
  return name.substr(0, name.size() - ExtractFileExt(name).size());
}

} // namespace

void TGenerator::SubstitutePlaceholders(Lines& lines, const std::string& outFile,
                                        const std::string& inFile, const std::string& title) {
  std::string link; // worked out once, when a line first asks for it
  bool haveLink = false;
  for (std::string& line : lines) {
    // Most template lines hold no placeholder.
    if (line.find(kPlaceholderChar) == std::string::npos) {
      continue;
    }
    // A keyword line becomes a contents or index entry, where a reference's ";" would split
    // a field.
    const bool keywordLine = line.find(kMarkerPrefix) != std::string::npos;
    const Source pathSource = keywordLine ? Source::TextPath : Source::HtmlPath;
    const std::string& in = Converted(keywordLine ? 3 : 0, inFile, pathSource);
    const std::string& out = Converted(keywordLine ? 4 : 1, outFile, pathSource);
    const std::string& convertedTitle = Converted(2, title);
    // Date and time are read for every line, as a template expects of a clock.
    Fill(line, kPhDate, [] { return ShortDateText(); });
    Fill(line, kPhTime, [] { return LongTimeText(); });
    Fill(line, kPhInputFile, [&] { return BareName(in); });
    Fill(line, kPhInputPath, [&] { return ExtractFilePath(in); });
    Fill(line, kPhInputExt, [&] { return ExtractFileExt(ExtractFileName(in)); });
    Fill(line, kPhOutputFile, [&] { return BareName(out); });
    Fill(line, kPhOutputPath, [&] { return ExtractFilePath(out); });
    Fill(line, kPhOutputExt, [&] { return ExtractFileExt(ExtractFileName(out)); });
    Fill(line, kPhTitle, [&] { return convertedTitle; });
    Fill(line, kPhPageTitle,
         [&] { return convertedTitle.empty() ? ExtractFileName(in) : convertedTitle; });
    Fill(line, kPhLink, [&] {
      if (!haveLink) {
        link = MapLinkChars(convertedTitle, CharTable);
        haveLink = true;
      }
      return link;
    });
  }
}

} // namespace qm
