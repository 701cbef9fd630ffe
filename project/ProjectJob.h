// What both front ends do with a documentation job: open a project into the settings and the
// generator's templates, save it back, convert, and build the help project after a conversion.
#pragma once

#include "base/Warnings.h"
#include "engine/Progress.h"
#include "helpproject/HelpProjectRun.h"
#include "project/ConversionCommand.h"
#include "project/ProjectSettings.h"

#include <string>

namespace qm {

class TGenerator;

/// Reads the project file at path (as LoadProjectFile does) and makes its eight templates the
/// generator's, also when it holds none. The returned settings carry the same templates.
ProjectSettings OpenProject(const std::string& path, TGenerator& generator);

/// Saves settings into path with the generator's eight templates in place of
/// settings.Templates. Throws Error as SaveProjectFile does.
void SaveProject(const std::string& path, ProjectSettings settings, const TGenerator& generator);

/// How a conversion ended.
enum class JobOutcome {
  Declined,  ///< the missing output folder was not to be created; nothing happened
  Cancelled, ///< the progress display stopped the run; the finished pages stay
  Converted, ///< every found source was converted
};

/// Runs the conversion of settings on generator (RunConversion) and tells a stopped run from
/// a finished one. The run's warnings and counts are in generator afterwards; failures leave
/// as Error. A front end lists the warnings, then builds the help project if it was asked for
/// and the outcome is Converted.
JobOutcome ConvertProject(const ProjectSettings& settings, TGenerator& generator,
                          ConversionInteraction& interaction, ProgressSink* progress);

/// The help project of settings from what the last conversion collected, into the output
/// folder of settings (RunHelpProject). programFolder (ending in "/") holds the map-file
/// templates. Returns false when the help project's precondition failed (it said why).
bool BuildHelpProject(const TGenerator& generator, const ProjectSettings& settings,
                      const std::string& programFolder, HelpProjectMessages& messages,
                      WarningList* warnings = nullptr);

} // namespace qm
