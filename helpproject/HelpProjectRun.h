// The OK run of the Help Workshop dialog without the dialog: every Help Workshop input file
// from what the last conversion collected.
#pragma once

#include "base/Warnings.h"
#include "engine/Generator.h"
#include "engine/RunResult.h"
#include "helpproject/HelpProjectSettings.h"

#include <string>
#include <vector>

namespace qm {

/// What a help-project run has written, in the order it wrote it, and what the user should
/// know about it.
struct HelpProjectResult {
  /// The projects of the enabled kinds, "Tech" first; each is listed once its contents and
  /// index files are written too.
  std::vector<std::string> ProjectFiles;
  /// Every enabled kind's project is written; the map and alias files come next.
  bool ProjectsComplete = false;
  /// The map and alias files, "Doc" first within each language.
  std::vector<std::string> MapFiles;
  /// What the help compiler or a program using the map headers will trip over: an empty
  /// title, context symbols that are no C identifiers (with the source and line of their
  /// block). The files are written all the same.
  WarningList Warnings;
  /// With the web help on, written after the map and alias files: its page per enabled kind,
  /// "Tech" first, each listed once its shared files and search data are written too.
  std::vector<std::string> WebHelpFiles;
};

/// Writes every Help Workshop input file from what the conversion of run collected:
/// BuildProject per enabled kind ("Tech" first) from run's records, then the map headers and
/// alias files ("Doc" first), then with settings.WebHelp the web help per enabled kind ("Tech"
/// first); names are converted with tables. outputFolderText is the output folder as the user
/// typed it (the trailing "/" is added here); programFolder (ending in "/") holds "Header.txt",
/// "Comment.txt" and the web help's shared files in "webhelp/". result receives the files as they
/// are written and the warnings; a front end shows the warnings and then kMsgProjectsWritten.
///
/// Failures throw Error, and result tells what was written before: before any conversion into
/// an output folder, operation Precondition with the expanded kMsgNoConversionYet (shown with
/// kHelpNoConversionYet) and nothing written; a title that cannot name files inside the output
/// folder, kMsgBadHelpTitle before anything is written; a failing writer, its file step. Files
/// written before a failure stay, and the file being replaced stays as it was.
void RunHelpProject(const RunResult& run, const GeneratorTables& tables,
                    const HelpProjectSettings& settings, const std::string& outputFolderText,
                    const std::string& programFolder, HelpProjectResult& result);

/// The project files that RunHelpProject writes for settings into the output folder typed as
/// outputFolderText, in the order it writes them ("Tech" first), one per enabled kind.
std::vector<std::string> ProjectFilesOf(const HelpProjectSettings& settings,
                                        const std::string& outputFolderText);

/// True when symbol is a C identifier: a letter or "_", then letters, digits and "_".
bool IsCIdentifier(std::string_view symbol);

} // namespace qm
