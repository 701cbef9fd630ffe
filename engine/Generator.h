// The documentation engine: templates, tables, the run over all sources of a conversion and
// the lists it collects for the help project.
#pragma once

#include "engine/AnsiText.h"
#include "engine/CharTables.h"
#include "engine/ExtraFiles.h"
#include "engine/Progress.h"
#include "engine/Quelle.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace qm {

/// File names of the installation data.
inline constexpr const char* kTemplatesFolder = "../Templates/";
inline constexpr const char* kDocBlockHeaderFile = "HTMLBlockHeader_Usr.htt";
inline constexpr const char* kDocBlockFooterFile = "HTMLBlockFooter_Usr.htt";
inline constexpr const char* kDocPageHeaderFile = "HTMLHeader_Usr.htt";
inline constexpr const char* kDocPageFooterFile = "HTMLFooter_Usr.htt";
inline constexpr const char* kTechBlockHeaderFile = "HTMLBlockHeader_Dev.htt";
inline constexpr const char* kTechBlockFooterFile = "HTMLBlockFooter_Dev.htt";
inline constexpr const char* kTechPageHeaderFile = "HTMLHeader_Dev.htt";
inline constexpr const char* kTechPageFooterFile = "HTMLFooter_Dev.htt";
inline constexpr const char* kTagTableFile = "HTMLTags.txt";
inline constexpr const char* kCharTableFile = "Umlaute.txt";

class TGenerator {
public:
  /// Loads the eight templates from programFolder + "../Templates/" and the two tables from
  /// programFolder (which ends in "/"). Throws Error("Datei %s kann nicht geöffnet werden")
  /// naming the first file that cannot be read.
  explicit TGenerator(const std::string& programFolder);
  TGenerator(const TGenerator&) = delete;
  TGenerator& operator=(const TGenerator&) = delete;

  std::string OutputFolder; ///< ends in "/"; "/" alone: pages go beside their sources
  std::string CurrentTitle;
  std::string CurrentOutputFile;
  std::string CurrentInputFile;
  bool AutoLineBreak = false;
  bool OemToAnsi = false;
  bool OneFilePerBlock = false;

  Lines DocBlockHeader, DocBlockFooter, DocPageHeader, DocPageFooter;
  Lines TechBlockHeader, TechBlockFooter, TechPageHeader, TechPageFooter;

  Lines TechPages, DocPages;
  Lines TechTocEntries, DocTocEntries;
  Lines TechIndexEntries, DocIndexEntries;
  TExtraAusgabeDateien ExtraFiles{*this};
  Lines DocContextIds, TechContextIds;
  TagTable HtmlTags;
  CharacterTable CharTable;
  Lines PageTitles; ///< path + "?" + title of the pages found at the start of the run

  /// Converts every file of quelle: clears the result lists, records the titles of existing
  /// pages, processes the files in order (stopping when progress reports a cancel), and saves
  /// the own pages in every case, also when a failure ends the run (the failure is rethrown).
  void Run(const TQuelle& quelle, ProgressSink* progress = nullptr);
  /// Processes one source file; returns its number of lines.
  int ProcessFile(const std::string& inFile);
  /// Fills the placeholders ("%DATE%", "%TITLE%", ...) of lines in place.
  void SubstitutePlaceholders(Lines& lines, const std::string& outFile, const std::string& inFile,
                              const std::string& title);

  // Page writers. A piece goes to the own page ownFile when it is not empty, else to outFile.
  void WriteTemplate(const std::string& outFile, const std::string& inFile,
                     const std::string& title, const Lines& tmpl, const std::string& ownFile);
  void WriteDocPageHeader(const std::string& outFile, const std::string& inFile,
                          const std::string& title, const std::string& ownFile);
  void WriteTechPageHeader(const std::string& outFile, const std::string& inFile,
                           const std::string& title, const std::string& ownFile);
  void WriteDocPageFooter(const std::string& outFile, const std::string& inFile,
                          const std::string& title, const std::string& ownFile);
  void WriteTechPageFooter(const std::string& outFile, const std::string& inFile,
                           const std::string& title, const std::string& ownFile);
  void WriteDocBlockHeader(const std::string& outFile, const std::string& inFile,
                           const std::string& title, const std::string& ownFile);
  void WriteDocBlockFooter(const std::string& outFile, const std::string& inFile,
                           const std::string& title, const std::string& ownFile);
  void WriteTechBlockHeader(const std::string& outFile, const std::string& inFile,
                            const std::string& title, const std::string& ownFile);
  void WriteTechBlockFooter(const std::string& outFile, const std::string& inFile,
                            const std::string& title, const std::string& ownFile);
  void WriteBlockText(const std::string& outFile, const std::string& text,
                      const std::string& ownFile);

  /// Records path + "?" + title of every "*.Doc.htm" and "*.Tech.htm" page in OutputFolder.
  void CollectPageTitles();
  /// The recorded title of the page name (compared without regard to case; the last match
  /// wins), or nothing.
  std::optional<std::string> FindPageTitle(std::string_view name) const;

  /// Takes the lines holding "###" + keyword + " " out of lines and adds their texts
  /// (UnmapChars applied) + ";" + the file name of page to list.
  void ExtractKeywordEntries(const std::string& page, std::string_view keyword, Lines& list,
                             Lines& lines);

private:
  Lines loadedTags_; ///< the lines of "HTMLTags.txt" as loaded
  std::unordered_map<std::string, std::string> titleIndex_; ///< upper-case path -> title
  /// Per-source pages of the file being processed, kept in memory and written once.
  std::unordered_map<std::string, std::string> pageBuffers_;
};

} // namespace qm
