// The values of one documentation job, as a project file holds them.
#pragma once

#include "engine/SourceEncoding.h"
#include "engine/SourceKinds.h"
#include "engine/Templates.h"
#include "helpproject/HelpProjectSettings.h"

#include <string>

namespace qm {

/// One documentation job. The initial values are those of a freshly started program (the
/// templates are empty until taken from a generator).
struct ProjectSettings {
  std::string ExtraFilesFolder;
  std::string InputPath;
  bool IncludeSubfolders = true;
  /// Patterns of paths relative to the input folder that the search leaves out (PathPatterns).
  Lines ExcludePatterns;
  SourceKindSet Kinds; ///< the ticked source kinds
  std::string OutputPath;
  bool AutoLineBreak = true;
  bool OemToAnsi = false;
  bool OneFilePerBlock = false;
  SourceEncoding Encoding = SourceEncoding::Auto;
  /// A conversion that reported warnings counts as failed (in quillmark-cli; the desktop
  /// program shows the warnings as always).
  bool WarningsAsErrors = false;
  TemplateSet Templates;
  HelpProjectSettings Help;
  bool operator==(const ProjectSettings&) const = default;
};

} // namespace qm
