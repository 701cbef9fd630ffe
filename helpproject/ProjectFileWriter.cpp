#include "helpproject/ProjectFileWriter.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "base/Paths.h"
#include "base/TextFile.h"
#include "helpproject/HelpTexts.h"

#include <unordered_set>

namespace qm {

bool IsValidHelpTitle(std::string_view title) {
  if (title == "." || title == "..") {
    return false;
  }
  for (const char c : title) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || byte < 0x20 || byte == 0x7F) {
      return false;
    }
  }
  return true;
}

void CheckHelpTitle(std::string_view title) {
  if (!IsValidHelpTitle(title)) {
    throw MakeError(FileOperation::None, {}, 0, kMsgBadHelpTitle, ErrorArg::Text(title));
  }
}

std::string ProjectFilePath(std::string_view folder, std::string_view title, DocKind kind) {
  std::string path(folder);
  path += PathFromText(title);
  path += kNamePieceSep;
  path += DocKindName(kind);
  path += kProjectFileExt;
  return path;
}

Lines ProjectFileLines(DocKind kind, const HelpProjectSettings& settings,
                       const KindRecords& records) {
  const KindOptions options = OptionsOf(settings, kind);
  const std::string k(DocKindName(kind));
  const bool hasContextIds = !records.ContextIds.empty();

  Lines lines;
  lines.reserve(records.Pages.size() + 20);
  lines.emplace_back(kHhpOptions);
  lines.emplace_back(kHhpCompatibility);
  // Values that name files are spelled as on disk, so that the help compiler finds them.
  lines.push_back(kHhpCompiledFile + PathFromText(settings.Title) + kNamePieceSep + k +
                  kCompiledFileExt);
  if (options.Toc && !records.Toc.empty()) {
    lines.push_back(std::string(kHhpContentsFile) + kContentsFilePrefix + k + kContentsFileExt);
  }
  lines.push_back(kHhpDefaultTopic + PathFromText(options.DefaultPage));
  lines.emplace_back(kHhpCompileProgress);
  lines.emplace_back(kHhpFullTextSearch);
  if (options.Index && !records.Index.empty()) {
    lines.push_back(std::string(kHhpIndexFile) + kIndexFilePrefix + k + kIndexFileExt);
  }
  lines.push_back(kHhpLanguage + settings.Language);
  lines.emplace_back();
  lines.emplace_back(kHhpFiles);
  // A page named by several blocks is listed once, where it is first named; a second line
  // would store it twice.
  std::unordered_set<std::string> listed;
  for (const std::string& page : records.Pages) {
    std::string name = ExtractFileName(page);
    if (listed.insert(PathCaseKey(name)).second) {
      lines.push_back(std::move(name));
    }
  }
  if (settings.AliasHeaders && hasContextIds) {
    lines.emplace_back();
    lines.emplace_back(kHhpAlias);
    lines.push_back(Format(kHhpIncludeAlias, k.c_str()));
  }
  if (settings.MapHeaderC && hasContextIds) {
    lines.emplace_back();
    lines.emplace_back(kHhpMap);
    lines.push_back(Format(kHhpIncludeMap, k.c_str()));
  }
  lines.emplace_back();
  lines.emplace_back(kHhpInfoTypes);
  return lines;
}

void WriteProjectFile(DocKind kind, const HelpProjectSettings& settings, const KindRecords& records,
                      const std::string& folder) {
  CheckHelpTitle(settings.Title);
  const Lines lines = ProjectFileLines(kind, settings, records);
  CreateFolder(folder);
  ReplaceTextFile(ProjectFilePath(folder, settings.Title, kind), lines);
}

} // namespace qm
