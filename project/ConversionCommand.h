// The conversion command without a window: output-folder check, copy of the additional files,
// source search and the generator's run.
#pragma once

#include "base/RunLock.h"
#include "engine/Progress.h"
#include "engine/RunResult.h"
#include "project/ProjectSettings.h"

#include <string>
#include <vector>

namespace qm {

class TGenerator;

/// Texts of the conversion command.
inline constexpr const char* kMsgCreateOutputFolder =
    "Der Ordner\r\n\r\n%s\r\n\r\nexistiert nicht. Soll er erstellt werden?";
inline constexpr const char* kMsgNoInputPath = "Bitte geben Sie den Pfad der Eingabedateien an.";
inline constexpr const char* kCopyProgressTitle = "Kopiere zus\xE4tzliche Dateien...";
/// The input folder does not exist or is no folder: the input path as typed.
inline constexpr const char* kMsgNoInputFolder = "Der Eingabeordner %s existiert nicht.";
/// The output folder cannot be created: the folder and the system's reason.
inline constexpr const char* kMsgCannotCreateOutputFolder =
    "Der Ordner %s kann nicht erstellt werden: %s";
/// Another run writes into the folder: the folder.
inline constexpr const char* kMsgFolderBusy =
    "In den Ordner %s schreibt gerade eine andere Konvertierung. Bitte warten Sie, bis sie "
    "beendet ist.";

/// The answers and displays the command needs from its front end. Texts are Windows-1252;
/// a target is a path as the file system spells it (PathToText makes it text).
class ConversionInteraction {
public:
  virtual ~ConversionInteraction() = default;
  /// The output folder is missing: question is the full question text. true creates it.
  virtual bool ConfirmCreateFolder(const std::string& question) = 0;
  /// The copy of the additional files starts: title and the number of files to copy.
  virtual void BeginCopy(const std::string& /*title*/, int /*fileCount*/) {}
  /// One additional file was copied (or kept), target path.
  virtual void CopiedFile(const std::string& /*target*/) {}
  /// target exists already: true replaces it, false keeps it.
  virtual bool ConfirmReplace(const std::string& target) = 0;
  /// A file could not be copied (the message names it); the command goes on.
  virtual void CopyFailed(const std::string& /*message*/) {}
  virtual void EndCopy() {}
};

/// What became of a conversion.
enum class ConversionOutcome { Converted, Declined };

/// The lock of the folder that a run of settings writes into: its output folder, or its input
/// folder when it has none. A folder that cannot be opened gives a lock that is not held (the
/// run then fails on the folder itself). Throws Error(kMsgFolderBusy) at once when another run
/// holds the lock.
RunLock LockRunFolder(const ProjectSettings& settings);

/// Runs the conversion of settings (its templates included) with generator. The folders of
/// settings are Windows-1252 text, as typed; the run works on the paths they name. Returns
/// Declined when the user did not let the missing output folder be created (nothing happened
/// then). Throws Error for an empty input path (kMsgNoInputPath), an input path that is no
/// folder (kMsgNoInputFolder, before anything else happens), an output folder that cannot be
/// created (kMsgCannotCreateOutputFolder, before any page is written), for a folder another
/// run writes into (LockRunFolder, held while this run goes on) and for failures of the run. result
/// is left as it was until the generator's run starts; from then on it is the run's
/// (TGenerator::Run), also when the run fails. With folderLock the folder's lock goes to the
/// caller, who holds it on for the steps that follow (the help project and its compile), so
/// that no other run gets in between; without it the lock ends with the conversion.
ConversionOutcome RunConversion(const ProjectSettings& settings, const TGenerator& generator,
                                ConversionInteraction& interaction, RunResult& result,
                                ProgressSink* progress = nullptr, RunLock* folderLock = nullptr);

} // namespace qm
