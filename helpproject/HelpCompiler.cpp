#include "helpproject/HelpCompiler.h"

#include "base/AnsiText.h"
#include "base/Error.h"
#include "base/Paths.h"
#include "helpproject/HelpTexts.h"

namespace qm {

namespace {

bool IsUpper(char c) {
  return c >= 'A' && c <= 'Z';
}
bool IsLetter(char c) {
  return IsUpper(c) || (c >= 'a' && c <= 'z');
}

/// The exception names of the compiler's run-time library: "E", a capital, then letters.
bool IsExceptionName(std::string_view word) {
  if (word.size() < 2 || word[0] != 'E' || !IsUpper(word[1])) {
    return false;
  }
  for (const char c : word) {
    if (!IsLetter(c)) {
      return false;
    }
  }
  return true;
}

/// The line's first word when a ":" ends it; empty otherwise.
std::string_view LeadingWord(std::string_view line) {
  const size_t colon = line.find(':');
  if (colon == std::string_view::npos) {
    return {};
  }
  const std::string_view word = line.substr(0, colon);
  for (const char c : word) {
    if (!IsLetter(c)) {
      return {};
    }
  }
  return word;
}

bool IsFaultWord(std::string_view word) {
  for (const char* fault : kCompilerFaultWords) {
    if (SameText(word, fault)) {
      return true;
    }
  }
  return IsExceptionName(word);
}

/// One line of the report: format with the project file and further args, in UTF-8.
std::string ReportLine(const char* format, const std::string& project, std::vector<ErrorArg> args) {
  ErrorParts parts;
  parts.format = format;
  parts.args.push_back(ErrorArg::Path(project));
  parts.args.insert(parts.args.end(), args.begin(), args.end());
  return WordError(parts, true);
}

} // namespace

bool HelpCompileResult::Ok() const {
  if (!Run.Succeeded()) {
    return false;
  }
  for (const std::string& fault : Faults) {
    if (SameText(LeadingWord(fault), kCompilerErrorWord)) {
      return false;
    }
  }
  return true;
}

std::string FindHelpCompiler(ProgramRunner& runner) {
  std::string compiler = runner.Find(kHelpCompiler);
  if (compiler.empty()) {
    throw Error(ErrorParts{FileOperation::Run,
                           kHelpCompiler,
                           0,
                           0,
                           kErrNoHelpCompiler,
                           {ErrorArg::Text(kHelpCompiler), ErrorArg::Text(kHelpCompilerPackage),
                            ErrorArg::Text(kHelpCompilerPackage)}});
  }
  return compiler;
}

HelpCompileResult CompileHelpProject(ProgramRunner& runner, const std::string& compiler,
                                     const std::string& projectFile) {
  HelpCompileResult result;
  result.ProjectFile = projectFile;
  result.CompiledFile = ChangeFileExt(projectFile, kCompiledFileExt);
  const std::string folder = ExtractFilePath(projectFile);
  result.Run = runner.Run(compiler, {ExtractFileName(projectFile)}, folder.empty() ? "." : folder);
  result.Faults = CompilerFaults(result.Run.Output);
  return result;
}

std::vector<std::string> CompilerFaults(std::string_view output) {
  std::vector<std::string> faults;
  size_t start = 0;
  while (start < output.size()) {
    size_t end = output.find('\n', start);
    if (end == std::string_view::npos) {
      end = output.size();
    }
    std::string_view line = output.substr(start, end - start);
    while (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    if (IsFaultWord(LeadingWord(line))) {
      faults.emplace_back(line);
    }
    start = end + 1;
  }
  return faults;
}

std::vector<std::string> CompileReport(const HelpCompileResult& result, bool withSuccess) {
  std::vector<std::string> lines;
  for (const std::string& fault : result.Faults) {
    lines.push_back(ReportLine(kMsgCompileFault, result.ProjectFile, {ErrorArg::Path(fault)}));
  }
  if (result.Run.Signal != 0) {
    lines.push_back(
        ReportLine(kMsgCompileSignal, result.ProjectFile,
                   {ErrorArg::Text(kHelpCompiler), ErrorArg::Number(result.Run.Signal)}));
  } else if (result.Run.ExitStatus != 0) {
    lines.push_back(
        ReportLine(kMsgCompileStatus, result.ProjectFile,
                   {ErrorArg::Text(kHelpCompiler), ErrorArg::Number(result.Run.ExitStatus)}));
  } else if (withSuccess && result.Ok()) {
    lines.push_back(
        ReportLine(kMsgCompiled, result.ProjectFile, {ErrorArg::Path(result.CompiledFile)}));
  }
  return lines;
}

} // namespace qm
