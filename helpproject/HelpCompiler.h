// Compiling the written Help Workshop projects into help files with the help compiler, run in
// the output folder because it resolves the project's "#include" lines against its working
// folder.
#pragma once

#include "base/ExternalProgram.h"
#include "helpproject/HelpTexts.h"

#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

/// How one project compiled.
struct HelpCompileResult {
  std::string ProjectFile;  ///< the project file, as the file system spells it
  std::string CompiledFile; ///< the help file the project names (".chm" for ".hhp")
  ProgramRun Run;           ///< how the compiler ended and what it printed
  HelpCompilerKind Compiler = std::end(kHelpCompilers)[-1]; ///< which compiler it was
  /// The lines of its output that report a fault (CompilerFaults), as it printed them.
  std::vector<std::string> Faults;

  /// The compiler ended with its status of success and reported no error. It exits with 0 also when
  /// a contents or index link names an anchor that its page lacks, and says so only in an "Error:"
  /// line.
  bool Ok() const;
};

/// The help compiler's path: the first of kHelpCompilers that runner finds (on Windows
/// HTML Help Workshop's hhc.exe first in its installation folder, then along PATH). Throws Error
/// (operation Run, kErrNoHelpCompiler naming the compilers) when runner finds none.
std::string FindHelpCompiler(ProgramRunner& runner);

/// Runs compiler on projectFile inside the project's folder, with the project's file name as
/// its one argument; which of kHelpCompilers it is follows from its file name. Throws Error
/// when the compiler cannot be started.
HelpCompileResult CompileHelpProject(ProgramRunner& runner, const std::string& compiler,
                                     const std::string& projectFile);

/// The lines of output (ending in LF or CR LF) that report a fault: those whose first word,
/// before a ":", is a fault word of the compiler ("Error", "Warning", any case) or the name of
/// an exception that ended it ("EFOpenError": "E", a capital, letters). Trailing CRs go.
std::vector<std::string> CompilerFaults(std::string_view output);

/// The lines that tell the user how result went (UTF-8): each fault as "project: fault", then
/// the compiler's exit status or signal when it was not 0, and, when withSuccess and the
/// compile is Ok, "project: Hilfedatei X geschrieben".
std::vector<std::string> CompileReport(const HelpCompileResult& result, bool withSuccess);

} // namespace qm
