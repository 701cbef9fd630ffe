#include "project/ConversionCommand.h"

#include "base/AnsiText.h"
#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Paths.h"
#include "engine/Generator.h"
#include "engine/Quelle.h"
#include "engine/SourceKinds.h"
#include "project/CopyFolder.h"

#include <cerrno>

namespace qm {

RunLock LockRunFolder(const ProjectSettings& settings) {
  const std::string& typed = settings.OutputPath.empty() ? settings.InputPath : settings.OutputPath;
  const std::string folder = PathFromText(AddTrailingBackslash(typed));
  RunLock lock;
  if (lock.TryLock(folder) == EWOULDBLOCK) {
    throw MakeError(FileOperation::None, folder, 0, kMsgFolderBusy, ErrorArg::Path(folder));
  }
  return lock;
}

ConversionOutcome RunConversion(const ProjectSettings& settings, const TGenerator& generator,
                                ConversionInteraction& interaction, RunResult& result,
                                ProgressSink* progress, RunLock* folderLock) {
  // An empty input path would search the whole file system.
  if (settings.InputPath.empty()) {
    throw MakeError(FileOperation::Input, {}, 0, kMsgNoInputPath);
  }
  // The folders are typed text; from here on they are paths.
  const std::string inputFolder = PathFromText(AddTrailingBackslash(settings.InputPath));
  const std::string outputFolder = PathFromText(AddTrailingBackslash(settings.OutputPath));
  // A mistyped input folder would convert nothing and still create the output folder.
  if (!DirectoryExists(inputFolder)) {
    throw MakeError(FileOperation::Input, PathFromText(settings.InputPath), 0, kMsgNoInputFolder,
                    ErrorArg::Text(settings.InputPath));
  }

  if (!DirectoryExists(outputFolder)) {
    if (!interaction.ConfirmCreateFolder(
            Format(kMsgCreateOutputFolder, settings.OutputPath.c_str()))) {
      return ConversionOutcome::Declined;
    }
    int error = 0;
    if (!ForceDirectories(outputFolder, &error)) {
      throw Error::File(FileOperation::CreateFolder, kMsgCannotCreateOutputFolder,
                        PathFromText(settings.OutputPath), error);
    }
  }

  // Pages cut off by two runs writing at once, and temporary files of one removed by the other,
  // are ruled out by one run per folder.
  RunLock ownLock;
  RunLock& lock = folderLock != nullptr ? *folderLock : ownLock;
  lock = LockRunFolder(settings);

  const std::string extraFolder = PathFromText(AddTrailingBackslash(settings.ExtraFilesFolder));
  if (!IsBareSeparator(extraFolder)) {
    // Without an output folder the top-level pages land in the input folder; so do the
    // additional files that they refer to.
    const bool noOutputFolder = IsBareSeparator(outputFolder);
    CopyFolderContents(extraFolder, noOutputFolder ? inputFolder : outputFolder, kCopyProgressTitle,
                       interaction);
  }

  TQuelle quelle;
  quelle.IncludeSubfolders = settings.IncludeSubfolders;
  quelle.Masks = MasksForKinds(settings.Kinds);
  if (!settings.ExcludePatterns.empty()) {
    Lines patterns;
    for (const std::string& pattern : settings.ExcludePatterns) {
      patterns.push_back(PathFromText(pattern));
    }
    quelle.ExcludePatterns = PathPatterns(patterns);
  }
  // Pages are never read back as sources.
  if (!IsBareSeparator(outputFolder)) {
    quelle.Excluded = outputFolder;
  }
  quelle.Search(inputFolder);

  GeneratorOptions options;
  options.OutputFolder = outputFolder;
  options.AutoLineBreak = settings.AutoLineBreak;
  options.OemToAnsi = settings.OemToAnsi;
  options.OneFilePerBlock = settings.OneFilePerBlock;
  options.Encoding = settings.Encoding;
  generator.Run(quelle, options, settings.Templates, result, progress);
  return ConversionOutcome::Converted;
}

} // namespace qm
