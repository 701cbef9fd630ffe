// The documentation engine: the installed templates and tables, and the run that converts the
// sources of a search into pages and gives back what it wrote and collected.
#pragma once

#include "engine/CharTables.h"
#include "engine/Progress.h"
#include "engine/Quelle.h"
#include "engine/RunResult.h"
#include "engine/SourceEncoding.h"
#include "engine/Templates.h"

#include <string>

namespace qm {

/// File names of the installation data.
/// The folder of the template files, beside the program folder.
inline constexpr const char* kTemplatesFolder = "../Templates/";
inline constexpr const char* kTagTableFile = "HTMLTags.txt";
inline constexpr const char* kCharTableFile = "Umlaute.txt";

/// The tables a run converts text with. They do not change once read, so any number of runs,
/// also at the same time, may share them.
struct GeneratorTables {
  TagTable Tags;        ///< the lines of "HTMLTags.txt", then their closing forms
  CharacterTable Chars; ///< the rows of "Umlaute.txt"
};

/// What a run is told besides its sources and templates.
struct GeneratorOptions {
  std::string OutputFolder; ///< ends in "/"; "/" alone: pages go beside their sources
  bool AutoLineBreak = false;
  bool OemToAnsi = false;
  bool OneFilePerBlock = false;
  /// What the sources are; with OemToAnsi they are read as Windows-1252 whatever it says.
  SourceEncoding Encoding = SourceEncoding::Auto;
  /// Threads that read and convert sources ahead of their turn: 0 as many as the machine has
  /// cores, 1 none (every file is handled on the thread that calls Run). The pages, records,
  /// warnings and progress calls are the same either way.
  unsigned Threads = 0;
};

/// The per-source page of kind for source: in outputFolder (ending in "/"), or beside the
/// source when outputFolder is "/" (no output folder given).
std::string SourcePagePath(const std::string& outputFolder, const std::string& source,
                           DocKind kind);

class TGenerator {
public:
  /// Reads the eight templates from programFolder + "../Templates/" and the two tables from
  /// programFolder (which ends in "/"). Throws Error("Datei %s kann nicht geöffnet werden")
  /// naming the first file that cannot be read.
  explicit TGenerator(const std::string& programFolder);

  /// The templates as read from the Templates folder.
  const TemplateSet& InstalledTemplates() const { return installed_; }
  const GeneratorTables& Tables() const { return tables_; }

  /// Converts every file of quelle into pages with options and templates, and gives back what
  /// the run wrote and collected (the search's warnings first). The titles of existing pages
  /// are recorded before any page is written; the files are processed in order, stopping
  /// before the next file when progress reports a cancel; the own pages are saved in every
  /// case, also when a failure ends the run (the failure is thrown).
  RunResult Run(const TQuelle& quelle, const GeneratorOptions& options,
                const TemplateSet& templates, ProgressSink* progress = nullptr) const;
  /// Run into result, which is filled from scratch and, when a failure ends the run, holds what
  /// was done up to it.
  void Run(const TQuelle& quelle, const GeneratorOptions& options, const TemplateSet& templates,
           RunResult& result, ProgressSink* progress = nullptr) const;

private:
  TemplateSet installed_;
  GeneratorTables tables_;
};

} // namespace qm
