// Recursive copy of the additional files into the output folder, asking before it replaces a
// file and reporting every step through the conversion's interaction.
#pragma once

#include "project/ConversionCommand.h"

#include <string>

namespace qm {

/// Messages of the copy; the first "%s" is always the file or folder concerned.
inline constexpr const char* kMsgExtraFolderMissing =
    "Der Ordner %s der zus\xE4tzlichen Dateien existiert nicht";
/// The source, the target and the reason.
inline constexpr const char* kMsgCopyFailed = "Datei %s kann nicht nach %s kopiert werden: %s";
/// The reason for an entry that is neither file nor folder (a fifo, a device).
inline constexpr const char* kReasonNotRegular = "Keine gew\xF6hnliche Datei";
inline constexpr const char* kMsgFolderNotCreated = "Ordner %s kann nicht erstellt werden";

/// Copies everything inside the folder source (hidden entries included) into the folder
/// target, keeping the sub-folders. Both end in "/"; target exists.
///
/// Reports BeginCopy(title, number of files), then per file CopiedFile(target path) once it
/// was copied or kept, ConfirmReplace(target path) before an existing file is replaced (false
/// keeps it), CopyFailed(message) for a file or folder that could not be copied, and EndCopy.
/// A missing source is reported through CopyFailed alone. Nothing is thrown: every failure is
/// reported and the copy goes on with the next file.
///
/// Each file is written beside its target under a temporary name and renamed over it, so an
/// interrupted copy never leaves half a file. A target folder inside the source, and folders
/// reached twice through links, are not copied again, so the copy always ends. Copying a
/// folder onto itself does nothing.
void CopyFolderContents(const std::string& source, const std::string& target,
                        const std::string& title, ConversionInteraction& interaction);

} // namespace qm
