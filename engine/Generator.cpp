#include "engine/Generator.h"

#include "base/AnsiText.h"
#include "base/Paths.h"
#include "base/TextFile.h"
#include "engine/GeneratorRun.h"

namespace qm {

TGenerator::TGenerator(const std::string& programFolder)
    : installed_(ReadTemplateFiles(programFolder + kTemplatesFolder)) {
  tables_.Tags.Assign(ReadTextLines(programFolder + kTagTableFile));
  tables_.Chars.Assign(ReadTextLines(programFolder + kCharTableFile));
}

std::string SourcePagePath(const std::string& outputFolder, const std::string& source,
                           DocKind kind) {
  // Asked several times for every source of a run: no copies on the way.
  if (IsBareSeparator(TrimView(outputFolder))) {
    return ChangeFileExt(source, DocKindInfoOf(kind).pageExt);
  }
  std::string base;
  const std::string_view name = FileNameIn(source);
  base.reserve(outputFolder.size() + name.size());
  base.append(outputFolder).append(name);
  return ChangeFileExt(base, DocKindInfoOf(kind).pageExt);
}

RunResult TGenerator::Run(const TQuelle& quelle, const GeneratorOptions& options,
                          const TemplateSet& templates, ProgressSink* progress) const {
  RunResult result;
  Run(quelle, options, templates, result, progress);
  return result;
}

void TGenerator::Run(const TQuelle& quelle, const GeneratorOptions& options,
                     const TemplateSet& templates, RunResult& result,
                     ProgressSink* progress) const {
  result = RunResult();
  result.OutputFolder = options.OutputFolder;
  result.Counts.FoldersExcluded = quelle.FoldersExcluded;
  result.Counts.FilesExcluded = quelle.FilesExcluded;
  result.Sources = quelle.Files;
  GeneratorRun(tables_, options, templates, result).Run(quelle, progress);
}

} // namespace qm
