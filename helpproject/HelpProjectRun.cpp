#include "helpproject/HelpProjectRun.h"

#include "base/Paths.h"
#include "base/Warnings.h"
#include "engine/BlockConvert.h"
#include "engine/Generator.h"
#include "helpproject/AliasWriter.h"
#include "helpproject/BuildProject.h"
#include "helpproject/HelpTexts.h"
#include "helpproject/MapHeaderWriter.h"
#include "helpproject/ProjectFileWriter.h"
#include "helpproject/SitemapWriter.h"
#include "helpproject/WebHelpWriter.h"

namespace qm {

namespace {

/// The kinds in the order their projects are written.
constexpr DocKind kProjectOrder[] = {DocKind::Tech, DocKind::Doc};

/// The map files of one language, "Doc" first, for each kind that has context ids.
void WriteMapHeaders(const RunResult& run, const CharacterTable& table, MapLanguage language,
                     const std::string& folder, const std::string& programFolder,
                     std::vector<std::string>& written) {
  for (const DocKind kind : kDocKinds) {
    const std::vector<ContextIdEntry>& ids = run.Of(kind).ContextIds;
    if (!ids.empty()) {
      WriteMapHeader(kind, language, ids, folder, programFolder, table);
      written.push_back(MapFilePath(folder, kind, language));
    }
  }
}

void CheckHelpProject(const RunResult& run, const CharacterTable& table,
                      const HelpProjectSettings& settings, const std::string& folder,
                      WarningList& warnings) {
  if (settings.Title.empty()) {
    AddWarning(warnings, folder, 0, kWarnEmptyHelpTitle);
  }
  if (!settings.AliasHeaders && !settings.MapHeaderC && !settings.MapHeaderPascal &&
      !settings.MapHeaderJava) {
    return;
  }
  for (const DocKind kind : kDocKinds) {
    for (const ContextIdEntry& id : run.Of(kind).ContextIds) {
      const std::string symbol = ContextSymbol(id, table);
      if (!IsCIdentifier(symbol)) {
        // Lists filled by hand have no origins; the page stands in for the source then.
        const bool known = !id.Where.File().empty();
        AddWarning(warnings, known ? id.Where.File() : id.Page, known ? id.Where.Line() : 0,
                   kWarnBadSymbol, ErrorArg::Text(symbol));
      }
    }
  }
}

} // namespace

std::vector<std::string> ProjectFilesOf(const HelpProjectSettings& settings,
                                        const std::string& outputFolderText) {
  const std::string folder = PathFromText(AddTrailingBackslash(outputFolderText));
  std::vector<std::string> files;
  for (const DocKind kind : kProjectOrder) {
    if (OptionsOf(settings, kind).Enabled) {
      files.push_back(ProjectFilePath(folder, settings.Title, kind));
    }
  }
  return files;
}

bool IsCIdentifier(std::string_view symbol) {
  auto isAlpha = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
  };
  if (symbol.empty() || !isAlpha(symbol.front())) {
    return false;
  }
  for (const char c : symbol) {
    if (!isAlpha(c) && !(c >= '0' && c <= '9')) {
      return false;
    }
  }
  return true;
}

void BuildProject(DocKind kind, const HelpProjectSettings& settings, const KindRecords& records,
                  const std::string& folder, const TagTable& tags, const CharacterTable& table) {
  WriteProjectFile(kind, settings, records, folder);
  WriteContentsFile(kind, records.Toc, folder, tags, table);
  WriteIndexFile(kind, records.Index, folder, tags, table);
}

void RunHelpProject(const RunResult& run, const GeneratorTables& tables,
                    const HelpProjectSettings& settings, const std::string& outputFolderText,
                    const std::string& programFolder, HelpProjectResult& result) {
  // An output folder of "/" alone means no conversion has filled the records in this session.
  if (IsBareSeparator(AddTrailingBackslash(run.OutputFolder))) {
    throw MakeError(FileOperation::Precondition, {}, 0, "%s",
                    ErrorArg::Text(ExpandEscapes(kMsgNoConversionYet)));
  }
  // A title such as "../x" would put the files outside the output folder: refused before
  // anything is written, whichever front end runs this.
  CheckHelpTitle(settings.Title);
  // The folder is typed text; the files go where the file system spells it.
  const std::string folder = PathFromText(AddTrailingBackslash(outputFolderText));
  CheckHelpProject(run, tables.Chars, settings, folder, result.Warnings);

  // Projects "Tech" first; map and alias files "Doc" first, whether or not the kind's project
  // is built.
  for (const DocKind kind : kProjectOrder) {
    if (OptionsOf(settings, kind).Enabled) {
      BuildProject(kind, settings, run.Of(kind), folder, tables.Tags, tables.Chars);
      result.ProjectFiles.push_back(ProjectFilePath(folder, settings.Title, kind));
    }
  }
  result.ProjectsComplete = true;
  if (settings.MapHeaderC) {
    WriteMapHeaders(run, tables.Chars, MapLanguage::C, folder, programFolder, result.MapFiles);
  }
  if (settings.MapHeaderPascal) {
    WriteMapHeaders(run, tables.Chars, MapLanguage::Pascal, folder, programFolder, result.MapFiles);
  }
  if (settings.MapHeaderJava) {
    WriteMapHeaders(run, tables.Chars, MapLanguage::Java, folder, programFolder, result.MapFiles);
  }
  if (settings.AliasHeaders) {
    for (const DocKind kind : kDocKinds) {
      const std::vector<ContextIdEntry>& ids = run.Of(kind).ContextIds;
      if (!ids.empty()) {
        WriteAliasFile(kind, ids, folder, tables.Chars);
        result.MapFiles.push_back(AliasFilePath(folder, kind));
      }
    }
  }
  // The web help last: the files of the help project are all written when it fails.
  if (settings.WebHelp) {
    for (const DocKind kind : kProjectOrder) {
      if (OptionsOf(settings, kind).Enabled) {
        WriteWebHelp(kind, settings, run.Of(kind), folder, programFolder, tables.Tags,
                     tables.Chars);
        result.WebHelpFiles.push_back(WebHelpFilePath(folder, settings.Title, kind));
      }
    }
  }
}

} // namespace qm
