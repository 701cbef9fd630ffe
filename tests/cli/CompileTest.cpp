// "convert --help-project --compile" as a user runs it, with the help compiler of this machine.
#include "CliFixture.h"

#include "cli/Options.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#ifdef QM_HAVE_CHMLIB
#include <chm_lib.h>
#endif

using namespace qmtest;

namespace {

bool HaveCompiler() {
  return std::system("command -v chmcmd >/dev/null 2>&1") == 0;
}

/// Sets PATH for the programs this test starts, and puts it back.
class PathGuard {
public:
  explicit PathGuard(const std::string& path) {
    if (const char* old = std::getenv("PATH")) {
      old_ = old;
    }
    qmtest::SetEnv("PATH", path.c_str());
  }
  ~PathGuard() { qmtest::SetEnv("PATH", old_.c_str()); }

private:
  std::string old_;
};

/// The first bytes of every compiled help file.
bool IsHelpFile(const std::string& path) {
  return ReadFile(path).rfind("ITSF", 0) == 0;
}

#ifdef QM_HAVE_CHMLIB
/// The bytes of the object at path inside a compiled help file; empty when it is not there.
std::string ObjectOfHelpFile(const std::string& helpFile, const std::string& path) {
  std::string bytes;
  chmFile* file = chm_open(helpFile.c_str());
  chmUnitInfo ui{};
  if (file != nullptr && chm_resolve_object(file, path.c_str(), &ui) == CHM_RESOLVE_SUCCESS) {
    bytes.resize(static_cast<size_t>(ui.length));
    const auto got = chm_retrieve_object(file, &ui, reinterpret_cast<unsigned char*>(bytes.data()),
                                         0, static_cast<LONGINT64>(ui.length));
    bytes.resize(got < 0 ? 0 : static_cast<size_t>(got));
  }
  if (file != nullptr) {
    chm_close(file);
  }
  return bytes;
}
#endif

} // namespace

TEST(CliCompile, CompilesTheExampleProjectIntoHelpFiles) {
  // Both kinds of the example become help files named after the title, and the run says so
  // per project, in the order written. The project's output folder is relative to the folder
  // the command runs in, so the compiler, which runs inside it, must get the project's bare
  // name.
  if (!HaveCompiler()) {
    GTEST_SKIP() << "chmcmd is not installed";
  }
  TempDir tmp;
  const std::string work = tmp / "Mein Ordner/";
  std::filesystem::create_directories(work);
  std::filesystem::copy(QM_SOURCE_DIR "/examples", work + "examples",
                        std::filesystem::copy_options::recursive);
  const CliResult r = RunIn(
      work, {kCliPath, "convert", "--yes", "--help-project", "--compile", "examples/example.qmpr"});
  EXPECT_EQ(r.Status, 0) << r.Err;
  const std::string out = "build/example-output/";
  const std::string reports =
      out + "Kundenmanager.Tech.hhp: Hilfedatei " + out + "Kundenmanager.Tech.chm geschrieben\n" +
      out + "Kundenmanager.Doc.hhp: Hilfedatei " + out + "Kundenmanager.Doc.chm geschrieben\n";
  const size_t at = r.Err.find(reports);
  ASSERT_NE(at, std::string::npos) << r.Err;
  // Nothing else from the compiler: no fault line on the example.
  EXPECT_EQ(std::string(r.Err).erase(at, reports.size()).find(".hhp: "), std::string::npos)
      << r.Err;
  EXPECT_TRUE(IsHelpFile(work + out + "Kundenmanager.Doc.chm"));
  EXPECT_TRUE(IsHelpFile(work + out + "Kundenmanager.Tech.chm"));
#ifdef QM_HAVE_CHMLIB
  // The start page went in as the conversion wrote it.
  EXPECT_EQ(ObjectOfHelpFile(work + out + "Kundenmanager.Doc.chm", "/Erste_Schritte.Doc.htm"),
            ReadFile(work + out + "Erste_Schritte.Doc.htm"));
#endif
}

TEST(CliCompile, ACompilerErrorEndsWithStatusOneAndItsMessage) {
  // A contents entry names an anchor its page lacks: the compiler still writes the file and
  // exits with 0, but reports an error, which comes out with the project's name, and the
  // command fails.
  if (!HaveCompiler()) {
    GTEST_SKIP() << "chmcmd is not installed";
  }
  TempDir tmp;
  WriteFile(tmp / "src/Zweig.pas",
            CrLf({"// ###DocGen_Start Start", "// ###Toc Gruppe;Start;nirgends", "// Text",
                  "// ###DocGen_End"}));
  const std::string out = tmp / "out/";
  const CliResult r =
      RunCli({"convert", "--yes", "--quiet", "--help-project", "--compile", "--input", tmp / "src",
              "--output", out, "--kinds", "pascal", "--help-title", "T"});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Out, "");
  const std::string expected = out + "T.Doc.hhp: Error: Anchor Zweig.Doc.htm#nirgends undefined";
  EXPECT_EQ(r.Err.rfind(expected, 0), 0u) << r.Err;
  EXPECT_EQ(r.Err.find('\n'), r.Err.size() - 1) << "one line only:\n" << r.Err;
}

TEST(CliCompile, AMissingCompilerStopsBeforeAnythingIsWritten) {
  // Without chmcmd in PATH the command names the package to install and ends with 1 before
  // it converts, so no half-done output folder is left.
  CliWorld world;
  const PathGuard path(world / "leer");
  const CliResult r =
      RunCli({"convert", "--yes", "--help-project", "--compile", "--program-dir", world.Program(),
              "--input", world.Source(), "--output", world / "out", "--kinds", "pascal"});
  EXPECT_EQ(r.Status, 1);
  EXPECT_EQ(r.Err, "Der Hilfe-Compiler chmcmd wurde nicht gefunden (weder installiert noch im "
                   "Suchpfad PATH). Er gehört zum Paket fp-utils; installieren Sie es mit: sudo "
                   "apt-get install fp-utils\n");
  EXPECT_FALSE(Exists(world / "out"));
}

TEST(CliCompile, CompileGoesOnlyWithTheHelpProject) {
  EXPECT_THROW(qm::cli::ParseArguments({"convert", "--compile", "p.qmpr"}), qm::cli::UsageError);
  EXPECT_THROW(qm::cli::ParseArguments({"save", "--compile", "p.qmpr"}), qm::cli::UsageError);
  EXPECT_TRUE(
      qm::cli::ParseArguments({"convert", "--compile", "--help-project", "p.qmpr"}).Compile);
}

TEST(CliCompile, TargetsOutsideTheOutputFolderAreWarnedAndStopTheCompile) {
  // A contents entry's own Local value and a kept link lead out of the output folder: a plain
  // conversion warns with file and line, and with --compile nothing is compiled, so the help
  // file cannot carry the files they name.
  TempDir tmp;
  WriteFile(tmp / "geheim.txt", "geheim");
  const std::string source = tmp / "src/Zweig.pas";
  WriteFile(source, CrLf({"// ###DocGen_Start Start", "// ###Toc Gruppe;Start;x;../geheim.txt",
                          "// Siehe <A HREF=\"..\\geheim.txt\">hier</A>.", "// ###DocGen_End"}));
  const std::string out = tmp / "out/";
  const std::vector<std::string> args = {"convert", "--yes",     "--quiet",      "--help-project",
                                         "--input", tmp / "src", "--output",     out,
                                         "--kinds", "pascal",    "--help-title", "T"};
  const std::string warnings = source + ":2: Warnung: Das Ziel \"../geheim.txt\" liegt au\xC3\x9F" +
                               "erhalb des Ausgabeordners\n" + source +
                               ":3: Warnung: Das Ziel \"..\\geheim.txt\" liegt au\xC3\x9F" +
                               "erhalb des Ausgabeordners\n";
  const CliResult plain = RunCli(args);
  EXPECT_EQ(plain.Status, 0);
  EXPECT_EQ(plain.Err, warnings);

  if (!HaveCompiler()) {
    GTEST_SKIP() << "chmcmd is not installed";
  }
  std::vector<std::string> compile = args;
  compile.emplace_back("--compile");
  const CliResult refused = RunCli(compile);
  EXPECT_EQ(refused.Status, 1);
  EXPECT_EQ(refused.Err, warnings + "Datei " + source +
                             ": Zeile 2: Das Ziel \"../geheim.txt\" liegt au\xC3\x9F"
                             "erhalb des Ausgabeordners; es wird nichts kompiliert\n");
  EXPECT_FALSE(Exists(out + "T.Doc.chm"));
}
