#include "project/ProjectJob.h"

#include "engine/Generator.h"

namespace qm {

JobOutcome ConvertProject(const ProjectSettings& settings, const TGenerator& generator,
                          ConversionInteraction& interaction, RunResult& result,
                          ProgressSink* progress) {
  if (RunConversion(settings, generator, interaction, result, progress) ==
      ConversionOutcome::Declined) {
    return JobOutcome::Declined;
  }
  if (progress != nullptr && progress->Cancelled()) {
    return JobOutcome::Cancelled;
  }
  return JobOutcome::Converted;
}

bool BuildHelpProject(const RunResult& run, const GeneratorTables& tables,
                      const ProjectSettings& settings, const std::string& programFolder,
                      HelpProjectMessages& messages, WarningList* warnings) {
  return RunHelpProject(run, tables, settings.Help, settings.OutputPath, programFolder, messages,
                        warnings);
}

} // namespace qm
