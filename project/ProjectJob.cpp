#include "project/ProjectJob.h"

#include "engine/Generator.h"

namespace qm {

JobOutcome ConvertProject(const ProjectSettings& settings, const TGenerator& generator,
                          ConversionInteraction& interaction, RunResult& result,
                          ProgressSink* progress, RunLock* folderLock) {
  if (RunConversion(settings, generator, interaction, result, progress, folderLock) ==
      ConversionOutcome::Declined) {
    return JobOutcome::Declined;
  }
  if (progress != nullptr && progress->Cancelled()) {
    return JobOutcome::Cancelled;
  }
  return JobOutcome::Converted;
}

void BuildHelpProject(const RunResult& run, const GeneratorTables& tables,
                      const ProjectSettings& settings, const std::string& programFolder,
                      HelpProjectResult& result) {
  RunHelpProject(run, tables, settings.Help, settings.OutputPath, programFolder, result);
}

} // namespace qm
