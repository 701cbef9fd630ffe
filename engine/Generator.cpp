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
  const std::string base =
      IsBareSeparator(Trim(outputFolder)) ? source : outputFolder + ExtractFileName(source);
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
