#include "engine/Generator.h"

#include "base/TextFile.h"
#include "engine/GeneratorRun.h"

namespace qm {

TGenerator::TGenerator(const std::string& programFolder)
    : installed_(ReadTemplateFiles(programFolder + kTemplatesFolder)) {
  tables_.Tags.Assign(ReadTextLines(programFolder + kTagTableFile));
  tables_.Chars.Assign(ReadTextLines(programFolder + kCharTableFile));
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
  GeneratorRun(tables_, options, templates, result).Run(quelle, progress);
}

} // namespace qm
