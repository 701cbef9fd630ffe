#include "engine/Generator.h"

#include "engine/Clock.h"
#include "engine/Error.h"
#include "engine/Markers.h"
#include "engine/Paths.h"
#include "engine/TextFile.h"

#include <array>

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
  ExtraFiles.Clear();
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
  ExtraFiles.SaveAll();
}

void TGenerator::SubstitutePlaceholders(Lines& lines, const std::string& outFile,
                                        const std::string& inFile, const std::string& title) {
  // Most template lines hold no placeholder; the values are worked out only when one does.
  std::array<std::string, 8> values;
  bool haveValues = false;
  for (std::string& line : lines) {
    if (line.find(kPlaceholderChar) == std::string::npos) {
      continue;
    }
    if (!haveValues) {
      const std::string out = ConvertChars(outFile, HtmlTags, CharTable);
      const std::string in = ConvertChars(inFile, HtmlTags, CharTable);
      const std::string inName = ExtractFileName(in);
      const std::string outName = ExtractFileName(out);
      const std::string inExt = ExtractFileExt(inName);
      const std::string outExt = ExtractFileExt(outName);
      const std::string convertedTitle = ConvertChars(title, HtmlTags, CharTable);
      values = {inName.substr(0, inName.size() - inExt.size()),
                ExtractFilePath(in),
                inExt,
                outName.substr(0, outName.size() - outExt.size()),
                ExtractFilePath(out),
                outExt,
                convertedTitle,
                MapLinkChars(convertedTitle, CharTable)};
      haveValues = true;
    }
    // Date and time are read for every line, as a template expects of a clock.
    line = ReplaceAllNoCase(line, kPhDate, ShortDateText());
    line = ReplaceAllNoCase(line, kPhTime, LongTimeText());
    static constexpr std::array<std::string_view, 8> kFilePlaceholders = {
        kPhInputFile,  kPhInputPath, kPhInputExt, kPhOutputFile,
        kPhOutputPath, kPhOutputExt, kPhTitle,    kPhLink};
    for (size_t k = 0; k < kFilePlaceholders.size(); ++k) {
      line = ReplaceAllNoCase(line, kFilePlaceholders[k], values[k]);
    }
  }
}

} // namespace qm
