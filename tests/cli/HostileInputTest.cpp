// quillmark-cli on trees and settings that other people made: entries that are no regular
// files, names that the help files cannot hold, titles that point out of the output folder,
// and errors that the run went past.
#include "CliFixture.h"

#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#endif

using namespace qmtest;

namespace {

const std::string kWarn = ": Warnung: ";
const std::string kSkipped = "; sie wird \xC3\xBC"
                             "bersprungen\n";

std::vector<std::string> Args(const CliWorld& world, const std::string& in, const std::string& out,
                              std::vector<std::string> extra) {
  std::vector<std::string> args = {
      "convert", "--program-dir", world.Program(), "--input", in, "--output",
      out,       "--kinds",       "pascal",        "--yes"};
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

} // namespace

TEST(CliHostile, EntriesThatAreNoRegularFilesAreSkippedWithAWarning) {
#ifdef _WIN32
  GTEST_SKIP() << "dangling links, fifos and sockets are POSIX entries";
#else
  // A link that leads nowhere, a link to /dev/zero (which would fill the memory), a fifo, a
  // socket and a name with a line feed match the mask: each is skipped with a warning naming it
  // (the line feed shown as an escape, so the warning stays one line), nothing waits on the fifo,
  // and the rest converts into pages and a help project whose lines are whole.
  CliWorld world;
  const std::string in = world / "baum/";
  WriteFile(in + "Gut.pas", CrLf({"{###DocGen_Start Gut", "###DocGen_End}"}));
  WriteFile(in + "zwei\nZeilen.pas", CrLf({"{###DocGen_Start Zwei", "###DocGen_End}"}));
  ASSERT_EQ(symlink((in + "fehlt.txt").c_str(), (in + "Kaputt.pas").c_str()), 0);
  ASSERT_EQ(symlink("/dev/zero", (in + "Null.pas").c_str()), 0);
  ASSERT_EQ(mkfifo((in + "Rohr.pas").c_str(), 0644), 0);
  const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = in + "Sockel.pas";
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  std::copy(socketPath.begin(), socketPath.end(), address.sun_path);
  ASSERT_EQ(bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  const std::string out = world / "aus/";

  const CliResult result =
      RunCli(Args(world, in, out, {"--help-title", "Hilfe", "--help-project"}));
  close(sock);
  EXPECT_EQ(result.Status, 0) << result.Err;
  EXPECT_EQ(result.Err,
            in + "Kaputt.pas" + kWarn +
                "Keine gew\xC3\xB6hnliche Datei (Verkn\xC3\xBCpfung ohne erreichbares Ziel)" +
                kSkipped + in + "Null.pas" + kWarn +
                "Keine gew\xC3\xB6hnliche Datei (Ger\xC3\xA4t)" + kSkipped + in + "Rohr.pas" +
                kWarn + "Keine gew\xC3\xB6hnliche Datei (Named Pipe)" + kSkipped + in +
                "Sockel.pas" + kWarn + "Keine gew\xC3\xB6hnliche Datei (Socket)" + kSkipped + in +
                "zwei\\nZeilen.pas" + kWarn +
                "Der Dateiname enth\xC3\xA4lt ein Steuerzeichen und kann in den Dateien des "
                "Help-Projekts nicht stehen; die Datei wird \xC3\xBC"
                "bersprungen\n"
                "Das/die Projekt(e) wurde(n) im Ausgabeordner erzeugt!\n"
                "1 Quelle(n) gelesen, 1 Seite(n) geschrieben (davon 0 eigene), 5 Warnung(en)\n");
  EXPECT_TRUE(Exists(out + "Gut.Doc.htm"));
  EXPECT_FALSE(Exists(out + "zwei\nZeilen.Doc.htm"));
  EXPECT_EQ(ReadFile(out + "Hilfe.Doc.hhp"), CliWorld::DocHelpProject("Hilfe", "Gut.Doc.htm"));
#endif
}

TEST(CliHostile, HelpTitleThatLeavesTheOutputFolderIsRefused) {
  // "../raus" would put the help project beside the output folder: the conversion is done,
  // then the help project is refused with the title named and status 1, and no help file is
  // written anywhere.
  CliWorld world;
  const std::string out = world / "ausgabe/aus/";
  const CliResult result =
      RunCli(Args(world, world.Source(), out, {"--help-title", "../raus", "--help-project"}));
  EXPECT_EQ(result.Status, 1);
  EXPECT_EQ(result.Err, "Der Titel \"../raus\" ist kein g\xC3\xBCltiger Dateiname\n");
  EXPECT_TRUE(Exists(out + "Unit1.Doc.htm"));
  EXPECT_FALSE(Exists(world / "ausgabe/raus.Doc.hhp"));
  for (const auto& e : std::filesystem::directory_iterator(out)) {
    EXPECT_EQ(e.path().extension(), ".htm") << e.path();
  }
}

TEST(CliHostile, AFailedCopyEndsWithStatusOneAfterTheWholeRun) {
  // An additional file that cannot be copied (a folder stands at its place) is named, the
  // run goes on to its pages, help project and summary, and the status is 1 so that a build
  // script notices. Warnings alone leave it at 0.
  CliWorld world;
  WriteFile(world / "extra/stil.css", "body {}");
  WriteFile(world / "extra/logo.txt", "Logo");
  const std::string out = world / "aus/";
  std::filesystem::create_directories(out + "stil.css");
  const CliResult failed =
      RunCli(Args(world, world.Source(), out,
                  {"--extra-files", world / "extra", "--help-title", "Hilfe", "--help-project"}));
  EXPECT_EQ(failed.Status, 1);
  EXPECT_EQ(failed.Err, "Datei " + world / "extra/stil.css" + " kann nicht nach " + out +
                            "stil.css kopiert werden: Ist ein Ordner\n"
                            "Das/die Projekt(e) wurde(n) im Ausgabeordner erzeugt!\n"
                            "1 Quelle(n) gelesen, 2 Seite(n) geschrieben (davon 0 eigene), "
                            "0 Warnung(en)\n");
  EXPECT_EQ(ReadFile(out + "logo.txt"), "Logo");
  EXPECT_EQ(ReadFile(out + "Unit1.Tech.htm"), CliWorld::TechPage());
  EXPECT_TRUE(Exists(out + "Hilfe.Doc.hhp"));

  std::filesystem::remove(out + "stil.css");
  const CliResult warned = RunCli(
      Args(world, world.Source(), out, {"--extra-files", world / "extra", "--help-project"}));
  EXPECT_EQ(warned.Status, 0) << warned.Err;
  EXPECT_EQ(ReadFile(out + "stil.css"), "body {}");
}

TEST(CliHostile, AFifoOrADeviceIsNeverReadAsAProjectFile) {
#ifdef _WIN32
  GTEST_SKIP() << "fifos and links to devices are POSIX entries";
#else
  // A fifo would make the read wait forever, /dev/zero would fill the memory: each is refused
  // at once with its name (as sources they are in the test of entries above).
  CliWorld world;
  ASSERT_EQ(mkfifo((world / "rohr.qmpr").c_str(), 0644), 0);
  ASSERT_EQ(symlink("/dev/zero", (world / "null.qmpr").c_str()), 0);
  for (const std::string name : {"rohr.qmpr", "null.qmpr"}) {
    const CliResult result = RunCli({"convert", "--program-dir", world.Program(), world / name});
    EXPECT_EQ(result.Status, 1);
    EXPECT_EQ(result.Err, "Datei " + world / name +
                              " kann nicht ge\xC3\xB6"
                              "ffnet werden: Sie ist keine gew\xC3\xB6hnliche Datei\n");
  }
#endif
}
