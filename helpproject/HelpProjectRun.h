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

/// How the run speaks to the user: message boxes in the desktop program, stderr in the CLI.
class HelpProjectMessages {
public:
  virtual ~HelpProjectMessages() = default;
  /// An error box (caption "Fehler") with its help context number.
  virtual void ShowError(const std::string& text, int helpContext) = 0;
  /// An information box (caption "Information") with its help context number.
  virtual void ShowInformation(const std::string& text, int helpContext) = 0;
  /// The enabled kinds' projects are written; the map and alias files come next. A dialog
  /// that stays open when writing the projects fails closes after a failure from here on.
  virtual void ProjectsWritten() {}
};

/// Runs the precondition (run filled by a conversion into an output folder), BuildProject per
/// enabled kind ("Tech" first) from run's records, the map headers and alias files ("Doc"
/// first) and the completion message; names are converted with tables. outputFolderText is the
/// output folder as the user typed it (the trailing "/" is added here); programFolder (ending in
/// "/") holds "Header.txt" and "Comment.txt". Returns false when the precondition failed (the error
/// was shown, nothing written). A title that cannot name files inside the output folder throws
/// Error(kMsgBadHelpTitle) before anything is written. A failing writer throws Error; files written
/// before it stay, the file it was replacing stays as it was, and no completion message is shown.
///
/// warnings, when given, receives what the help compiler or a program using the map headers
/// will trip over (an empty title, context symbols that are no C identifiers, the latter with
/// the source and line of their block); the files are written all the same.
bool RunHelpProject(const RunResult& run, const GeneratorTables& tables,
                    const HelpProjectSettings& settings, const std::string& outputFolderText,
                    const std::string& programFolder, HelpProjectMessages& messages,
                    WarningList* warnings = nullptr);

/// The project files that RunHelpProject writes for settings into the output folder typed as
/// outputFolderText, in the order it writes them ("Tech" first), one per enabled kind.
std::vector<std::string> ProjectFilesOf(const HelpProjectSettings& settings,
                                        const std::string& outputFolderText);

/// True when symbol is a C identifier: a letter or "_", then letters, digits and "_".
bool IsCIdentifier(std::string_view symbol);

} // namespace qm
