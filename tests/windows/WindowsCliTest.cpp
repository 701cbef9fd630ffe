// quillmark-cli.exe on what only Windows has: own page names that Windows cannot store, and
// --compile with HTML Help Workshop's compiler, which reports success with status 1, or with
// chmcmd.exe. Both compilers are stand-ins of ours (stand-ins/StandIn.cpp).
#include "cli/CliFixture.h"

#include <cstdlib>

using namespace qmtest;

namespace {

const std::string kStandIns = QM_STAND_INS;

/// Sets an environment variable for the programs started in its scope, and puts it back.
class EnvGuard {
public:
  EnvGuard(const char* name, const std::string& value) : name_(name) {
    if (const char* old = std::getenv(name)) {
      old_ = old;
    }
    SetEnv(name, value);
  }
  ~EnvGuard() { SetEnv(name_, old_); }
  EnvGuard(const EnvGuard&) = delete;
  EnvGuard& operator=(const EnvGuard&) = delete;

private:
  const char* name_;
  std::string old_;
};

std::vector<std::string> Convert(const CliWorld& world, std::vector<std::string> extra) {
  std::vector<std::string> args = {"convert",      "--program-dir", world.Program(), "--input",
                                   world.Source(), "--output",      world / "aus/",  "--kinds",
                                   "pascal",       "--yes",         "--quiet"};
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

} // namespace

TEST(WindowsCli, OwnPageNamesWindowsCannotStoreGetAnUnderscore) {
  CliWorld world;
  WriteFile(world.Source() + "Namen.pas",
            CrLf({"{###DocGen_Start Zeit", "###Output Ein:Aus", "Text", "###DocGen_End}",
                  "{###DocGen_Start Drucker", "###Output PRN", "Text", "###DocGen_End}"}));
  const CliResult result = RunCli(Convert(world, {}));
  EXPECT_EQ(result.Status, 0) << result.Err;
  const std::string warn = world.Source() + "Namen.pas:";
  EXPECT_EQ(result.Err, warn +
                            "2: Warnung: Der Seitenname \"Ein:Aus\" ist kein g\xC3\xBCltiger "
                            "Dateiname; die Seite hei\xC3\x9Ft Ein_Aus.Doc.htm\n" +
                            warn +
                            "6: Warnung: Der Seitenname \"PRN\" ist kein g\xC3\xBCltiger "
                            "Dateiname; die Seite hei\xC3\x9Ft PRN_.Doc.htm\n");
  EXPECT_TRUE(Exists(world / "aus/Ein_Aus.Doc.htm"));
  EXPECT_TRUE(Exists(world / "aus/PRN_.Doc.htm"));
}

TEST(WindowsCli, CompilesWithHhcOrChmcmdAndReadsTheirExitStatus) {
  // hhc.exe is found in its installation folder before PATH; its status 1 is success and 0
  // failure. Without it, chmcmd.exe from PATH, whose 0 is success. Without either, the
  // message names both.
  CliWorld world;
  TempDir programs;
  const std::string workshop = programs / "HTML Help Workshop/hhc.exe";
  std::filesystem::create_directories(FsPath(programs / "HTML Help Workshop"));
  std::filesystem::copy_file(FsPath(kStandIns + "/hhc/hhc.exe"), FsPath(workshop));
  const std::string project = world / "aus/Hilfe.Doc.hhp";
  const std::vector<std::string> compile = {"--help-title", "Hilfe", "--help-project", "--compile",
                                            "--no-tech-help"};
  struct Case {
    std::string programFiles;
    std::string path;
    bool fail;
    int status;
    std::string err;
  };
  const std::string none = programs / "leer";
  const std::string failed = project + ": Error: the project cannot be compiled\n";
  for (const Case& c : std::vector<Case>{
           {programs.path(), none, false, 0, ""},
           {programs.path(), none, true, 1, failed + project + ": hhc endete mit Status 0\n"},
           {none, kStandIns + "/hhc", true, 1, failed + project + ": hhc endete mit Status 0\n"},
           {none, kStandIns + "/chmcmd", false, 0, ""},
           {none, kStandIns + "/chmcmd", true, 1,
            failed + project + ": chmcmd endete mit Status 1\n"},
           {none, none, false, 1,
            "Es wurde kein Hilfe-Compiler gefunden: weder hhc.exe (HTML Help Workshop, in seinem "
            "Installationsordner oder im Suchpfad PATH) noch chmcmd.exe (Free Pascal, im "
            "Suchpfad PATH)\n"},
       }) {
    SCOPED_TRACE(c.path + (c.fail ? " failing" : ""));
    std::filesystem::remove_all(FsPath(world / "aus"));
    const EnvGuard programFiles("ProgramFiles(x86)", c.programFiles);
    const EnvGuard path("PATH", c.path);
    const EnvGuard fail("QM_STAND_IN_FAIL", c.fail ? "1" : "");
    const CliResult result = RunCli(Convert(world, compile));
    EXPECT_EQ(result.Status, c.status);
    EXPECT_EQ(result.Err, c.err);
    EXPECT_EQ(ReadFile(world / "aus/Hilfe.Doc.chm"),
              c.status == 0 ? std::string("ITSF") : std::string("<missing>"));
  }
}
