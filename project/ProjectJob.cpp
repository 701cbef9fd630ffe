#include "project/ProjectJob.h"

#include "engine/Generator.h"
#include "project/ProjectFile.h"

namespace qm {

ProjectSettings OpenProject(const std::string& path, TGenerator& generator) {
  ProjectSettings settings = LoadProjectFile(path);
  generator.Templates = settings.Templates;
  return settings;
}

void SaveProject(const std::string& path, ProjectSettings settings, const TGenerator& generator) {
  settings.Templates = generator.Templates;
  SaveProjectFile(path, settings);
}

JobOutcome ConvertProject(const ProjectSettings& settings, TGenerator& generator,
                          ConversionInteraction& interaction, ProgressSink* progress) {
  if (RunConversion(settings, generator, interaction, progress) == ConversionOutcome::Declined) {
    return JobOutcome::Declined;
  }
  if (progress != nullptr && progress->Cancelled()) {
    return JobOutcome::Cancelled;
  }
  return JobOutcome::Converted;
}

bool BuildHelpProject(const TGenerator& generator, const ProjectSettings& settings,
                      const std::string& programFolder, HelpProjectMessages& messages,
                      WarningList* warnings) {
  return RunHelpProject(generator, settings.Help, settings.OutputPath, programFolder, messages,
                        warnings);
}

} // namespace qm
