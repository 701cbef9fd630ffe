#include "helpproject/HelpCompiler.h"

#include "base/AnsiText.h"
#include "base/Error.h"
#include "base/FileReplace.h"
#include "base/Paths.h"
#include "base/TextFile.h"
#include "helpproject/HelpTexts.h"

#include <cerrno>

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

// A compile that leaves the old help file whole until the new one is complete. The compiler
// writes the file its project names in place, cutting the old one first; so it is given a copy
// of the project that names the file inside a temporary folder beside it, and only a finished
// file is renamed over the old one. Whatever stops the compiler (an error, Ctrl+C, a kill of
// this process) the old file stays; the temporaries go with this object, or with the next run
// in the folder.
class StagedCompile {
public:
  StagedCompile(const std::string& projectFile, const std::string& compiledFile)
      : compiledFile_(compiledFile) {
    try {
      Stage(projectFile);
    } catch (...) {
      RemoveTemp(tempProject_);
      RemoveTemp(tempFolder_);
      throw;
    }
  }
  StagedCompile(const StagedCompile&) = delete;
  StagedCompile& operator=(const StagedCompile&) = delete;
  ~StagedCompile() {
    RemoveTemp(tempProject_);
    RemoveTemp(tempFolder_);
  }

  /// The project file to compile, in the folder of the real one.
  const std::string& Project() const { return tempProject_; }
  /// Puts the compiled file in its place; nothing when the compiler wrote none.
  void Commit() {
    const std::string made = tempFolder_ + ExtractFileName(compiledFile_);
    if (!FileExists(made)) {
      return;
    }
    if (const int err = MoveIntoPlace(made, compiledFile_); err != 0) {
      throw Error::File(FileOperation::Write, kMsgWriteFailed, compiledFile_, err);
    }
  }

private:
  void Stage(const std::string& projectFile) {
    const std::string folder = ExtractFilePath(projectFile);
    tempFolder_ = MakeTempFolderIn(folder);
    if (tempFolder_.empty()) {
      throw Error::File(FileOperation::Create, kMsgCannotCreateBecause, compiledFile_, errno);
    }
    std::string project = ReadFileBytes(projectFile);
    const std::string_view key = kHhpCompiledFile;
    size_t value = std::string::npos;
    if (project.starts_with(key)) {
      value = key.size();
    } else if (const size_t at = project.find("\n" + std::string(key)); at != std::string::npos) {
      value = at + 1 + key.size();
    }
    if (value != std::string::npos) {
      project.insert(value, tempFolder_.substr(folder.size()));
    }
    tempProject_ = WriteTempBeside(projectFile, project, kProjectFileExt);
  }

  std::string compiledFile_;
  std::string tempFolder_;
  std::string tempProject_;
};

// The kind of the compiler at path, told by its file name without extension; any other
// program is taken as the last kind, which reports success with 0 as programs usually do.
HelpCompilerKind KindOf(const std::string& path) {
  const std::string name = ExtractFileName(ChangeFileExt(path, ""));
  for (const HelpCompilerKind& kind : kHelpCompilers) {
    if (SameText(name, kind.name)) {
      return kind;
    }
  }
  return std::end(kHelpCompilers)[-1];
}

} // namespace

bool HelpCompileResult::Ok() const {
  if (Run.Signal != 0 || Run.ExitStatus != Compiler.successStatus) {
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
#ifdef _WIN32
  for (const std::string& folder : ProgramFilesFolders()) {
    if (std::string hhc = runner.Find(AddTrailingBackslash(folder) + kHhcInstallPath);
        !hhc.empty()) {
      return hhc;
    }
  }
#endif
  for (const HelpCompilerKind& kind : kHelpCompilers) {
    if (std::string compiler = runner.Find(kind.name); !compiler.empty()) {
      return compiler;
    }
  }
#ifdef _WIN32
  throw MakeError(FileOperation::Run, kHelpCompilers[0].name, 0, kErrNoHelpCompiler,
                  ErrorArg::Text(kHelpCompilers[0].name), ErrorArg::Text(kHelpCompilers[1].name));
#else
  throw MakeError(FileOperation::Run, kHelpCompilers[0].name, 0, kErrNoHelpCompiler,
                  ErrorArg::Text(kHelpCompilers[0].name), ErrorArg::Text(kHelpCompilerPackage),
                  ErrorArg::Text(kHelpCompilerPackage));
#endif
}

HelpCompileResult CompileHelpProject(ProgramRunner& runner, const std::string& compiler,
                                     const std::string& projectFile) {
  HelpCompileResult result;
  result.ProjectFile = projectFile;
  result.CompiledFile = ChangeFileExt(projectFile, kCompiledFileExt);
  result.Compiler = KindOf(compiler);
  const std::string folder = ExtractFilePath(projectFile);
  StagedCompile staged(projectFile, result.CompiledFile);
  // A name that begins with "-" would be read as an option: it is given as a path instead.
  std::string name = ExtractFileName(staged.Project());
  if (name.starts_with('-')) {
    name.insert(0, "./");
  }
  result.Run = runner.Run(compiler, {name}, folder.empty() ? "." : folder);
  result.Faults = CompilerFaults(result.Run.Output);
  // The compiler may write its file also when it reports errors; it is kept then, as it
  // would have been written in place.
  if (result.Run.Signal == 0 && result.Run.ExitStatus == result.Compiler.successStatus) {
    staged.Commit();
  }
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
  const auto project = ErrorArg::Path(result.ProjectFile);
  for (const std::string& fault : result.Faults) {
    lines.push_back(WordMessage(kMsgCompileFault, project, ErrorArg::Path(fault)));
  }
  const char* compiler = result.Compiler.name;
  if (result.Run.Signal != 0) {
    lines.push_back(WordMessage(kMsgCompileSignal, project, ErrorArg::Text(compiler),
                                ErrorArg::Number(result.Run.Signal)));
  } else if (result.Run.ExitStatus != result.Compiler.successStatus) {
    lines.push_back(WordMessage(kMsgCompileStatus, project, ErrorArg::Text(compiler),
                                ErrorArg::Number(result.Run.ExitStatus)));
  } else if (withSuccess && result.Ok()) {
    lines.push_back(WordMessage(kMsgCompiled, project, ErrorArg::Path(result.CompiledFile)));
  }
  return lines;
}

} // namespace qm
