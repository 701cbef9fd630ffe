// The values of one documentation job, as a project file holds them.
#pragma once

#include "engine/Templates.h"
#include "helpproject/HelpProjectSettings.h"

#include <string>

namespace qm {

/// The eight source kinds that can be ticked.
struct SourceKinds {
  bool Pascal = false;
  bool C = false;
  bool Java = false;
  bool InstallShield = false;
  bool Basic = false;
  bool SQL = false;
  bool Assembler = false;
  bool HTML = false;
  bool operator==(const SourceKinds&) const = default;
};

/// One documentation job. The initial values are those of a freshly started program (the
/// templates are empty until taken from a generator).
struct ProjectSettings {
  std::string ExtraFilesFolder;
  std::string InputPath;
  bool IncludeSubfolders = true;
  SourceKinds Kinds;
  std::string OutputPath;
  bool AutoLineBreak = true;
  bool OemToAnsi = false;
  bool OneFilePerBlock = false;
  TemplateSet Templates;
  HelpProjectSettings Help;
  bool operator==(const ProjectSettings&) const = default;
};

} // namespace qm
