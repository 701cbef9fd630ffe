// The steps of a documentation job that the project model runs: a conversion, and the help
// project after it.
#pragma once

#include "base/Warnings.h"
#include "engine/Progress.h"
#include "helpproject/HelpProjectRun.h"
#include "project/ConversionCommand.h"
#include "project/ProjectSettings.h"

#include <string>

namespace qm {

/// How a conversion ended.
enum class JobOutcome {
  Declined,  ///< the missing output folder was not to be created; nothing happened
  Cancelled, ///< the progress display stopped the run; the finished pages stay
  Converted, ///< every found source was converted
};

/// Runs the conversion of settings with generator into result (RunConversion) and tells a
/// stopped run from a finished one. Failures leave as Error. A front end lists the run's
/// warnings, then builds the help project if it was asked for and the outcome is Converted.
/// folderLock as with RunConversion.
JobOutcome ConvertProject(const ProjectSettings& settings, const TGenerator& generator,
                          ConversionInteraction& interaction, RunResult& result,
                          ProgressSink* progress, RunLock* folderLock = nullptr);

/// The help project of settings from what the run collected, into the output folder of
/// settings (RunHelpProject into result), its names converted with tables. programFolder
/// (ending in "/") holds the map-file templates. Failures, the missing conversion among them,
/// leave as Error.
void BuildHelpProject(const RunResult& run, const GeneratorTables& tables,
                      const ProjectSettings& settings, const std::string& programFolder,
                      HelpProjectResult& result);

} // namespace qm
