// A program folder with small tables and one-line templates, a source folder and an output
// folder in a temporary folder, and a generator built from them with the inputs of its runs.
#pragma once

#include "TestUtil.h"
#include "base/Error.h"
#include "engine/Generator.h"
#include "engine/GeneratorRun.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qmtest {

/// Date and time of every page: tests run with SOURCE_DATE_EPOCH for 26.11.2025 10:00:00 UTC.
inline constexpr const char* kNow = "26.11.2025 10:00:00";

/// The message of the qm::Error that f throws, or "<no error>".
inline std::string ErrorText(const std::function<void()>& f) {
  try {
    f();
  } catch (const qm::Error& e) {
    return e.what();
  }
  return "<no error>";
}

/// A generator with the inputs of its runs (its installed templates to begin with) and the
/// result of the last run.
struct Engine {
  explicit Engine(const std::string& programFolder)
      : generator(programFolder), templates(generator.InstalledTemplates()) {}

  /// A run on which a test calls the parts of a run by hand, made on first use; it fills
  /// result and reads options and templates as they are at each call.
  qm::GeneratorRun& Parts() {
    if (!parts) {
      parts = std::make_unique<qm::GeneratorRun>(generator.Tables(), options, templates, result);
    }
    return *parts;
  }
  const qm::KindRecords& Doc() const { return result.Of(qm::DocKind::Doc); }
  const qm::KindRecords& Tech() const { return result.Of(qm::DocKind::Tech); }

  qm::TGenerator generator;
  qm::GeneratorOptions options;
  qm::TemplateSet templates;
  qm::RunResult result;
  std::unique_ptr<qm::GeneratorRun> parts;
};

/// Layout: bin/ holds the tables, Templates/ lies beside it, sources in src/, pages in out/.
///
/// The templates name their piece, so a page shows what was written in which order:
///   Doc:  page header "<TITLE>%TITLE%</TITLE>" + "DH %INPUTFILE%%INPUTEXTENSION% %OUTPUTFILE%",
///         block header "DBH %TITLE%", block footer "DBF",
///         page footer "DF %INPUTFILE%|%TITLE%|%DATE% %TIME%"
///   Tech: page header "<TITLE>%TITLE%</TITLE>" + "TH %INPUTFILE%%INPUTEXTENSION%",
///         block header "TBH %TITLE%", block footer "TBF", page footer "TF %TITLE%"
/// Tag table: B, BR. Character table: "&auml;" links as "ae"; "&", "<", ">" and the byte 0xE4
/// become entities.
class EngineFixture {
public:
  EngineFixture() {
    const std::string bin = dir / "bin/";
    WriteFile(bin + "HTMLTags.txt", CrLf({"B", "BR"}));
    WriteFile(bin + "Umlaute.txt",
              CrLf({"&auml;,&auml;,ae", "&,&amp;,_", "<,&lt;,", ">,&gt;,", "\xE4,&auml;,ae"}));
    const std::string t = dir / "Templates/";
    WriteFile(t + "HTMLHeader_Usr.htt",
              CrLf({"<TITLE>%TITLE%</TITLE>", "DH %INPUTFILE%%INPUTEXTENSION% %OUTPUTFILE%"}));
    WriteFile(t + "HTMLBlockHeader_Usr.htt", CrLf({"DBH %TITLE%"}));
    WriteFile(t + "HTMLBlockFooter_Usr.htt", CrLf({"DBF"}));
    WriteFile(t + "HTMLFooter_Usr.htt", CrLf({"DF %INPUTFILE%|%TITLE%|%DATE% %TIME%"}));
    WriteFile(t + "HTMLHeader_Dev.htt",
              CrLf({"<TITLE>%TITLE%</TITLE>", "TH %INPUTFILE%%INPUTEXTENSION%"}));
    WriteFile(t + "HTMLBlockHeader_Dev.htt", CrLf({"TBH %TITLE%"}));
    WriteFile(t + "HTMLBlockFooter_Dev.htt", CrLf({"TBF"}));
    WriteFile(t + "HTMLFooter_Dev.htt", CrLf({"TF %TITLE%"}));
    std::filesystem::create_directories(dir / "out");
    std::filesystem::create_directories(dir / "src");
  }

  std::string ProgramFolder() const { return dir / "bin/"; }
  std::string Src(const std::string& rel = "") const { return dir / ("src/" + rel); }
  std::string Out(const std::string& rel = "") const { return dir / ("out/" + rel); }

  /// Writes a source file below src/ (lines ended by CR LF).
  void Source(const std::string& rel, const std::vector<std::string>& lines) const {
    WriteFile(Src(rel), CrLf(lines));
  }

  /// A generator of this program folder with options that write into out/.
  std::unique_ptr<Engine> MakeGenerator() const {
    auto gen = std::make_unique<Engine>(ProgramFolder());
    gen->options.OutputFolder = Out();
    return gen;
  }

  /// Runs gen over the given files (full paths), in this order, into gen.result.
  static void RunFiles(Engine& gen, const std::vector<std::string>& files,
                       qm::ProgressSink* progress = nullptr) {
    qm::TQuelle quelle;
    quelle.Files = files;
    gen.generator.Run(quelle, gen.options, gen.templates, gen.result, progress);
  }

  TempDir dir;
};

} // namespace qmtest
