// Loading and saving project files (".qmpr").
#pragma once

#include "project/ProjectSettings.h"

#include <span>
#include <string>

namespace qm {

/// Reads a project file. A missing file, section or key gives the loading defaults, a missing
/// template section an empty template. A file that starts with a UTF-8 byte-order mark (saved
/// by another editor) is read as UTF-8: its values become Windows-1252 text, and a value with
/// a character that Windows-1252 lacks throws Error(kMsgValueNotAnsi) naming its key; any
/// other file is Windows-1252 bytes. A file that exists but cannot be read (no permission,
/// a folder, a read error) throws Error("Datei %s kann nicht geöffnet werden") with the
/// system's reason: loading it as defaults would lose its settings at the next save. A file
/// that exists but holds no section of a project file throws Error(kMsgNotAProject). The
/// source kinds are those of kinds, by their project keys.
ProjectSettings LoadProjectFile(const std::string& path,
                                std::span<const SourceKindInfo> kinds = kSourceKindTable);

/// True when the file at path exists and holds at least one section of a project file. A
/// save into an existing file without one would merge a project into some other file.
bool HoldsProjectSection(const std::string& path);

/// Saves settings into path: a new file gets the seven-line header first; an existing one is
/// merged into (its other lines stay, and a file with a UTF-8 mark stays UTF-8 with its mark).
/// The source kinds are written by the project keys of kinds, in their order; the template
/// sections are erased and written anew. The save is atomic: on failure the file stays as it
/// was and Error(kMsgCannotWriteProject) is thrown with the system's reason; a read-only file
/// is refused so. A value with a line break cannot be stored in its line and fails the save
/// with kMsgValueWithLineBreak.
void SaveProjectFile(const std::string& path, const ProjectSettings& settings,
                     std::span<const SourceKindInfo> kinds = kSourceKindTable);

} // namespace qm
