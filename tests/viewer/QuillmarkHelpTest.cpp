// quillmark-help as a user runs it.
#include "../desktop/HelpFileFixture.h"

#include <QImage>

using namespace qmtest;

namespace {

std::string Tool() {
  return std::string(QM_BIN_DIR) + "/quillmark-help";
}

} // namespace

TEST(QuillmarkHelp, ExplainsItselfAndRefusesWrongCalls) {
  std::string output;
  EXPECT_EQ(RunIn(QM_BIN_DIR, "'" + Tool() + "' --help", output), 0);
  EXPECT_EQ(output.rfind("Aufruf: quillmark-help DATEI.chm [SEITE | NUMMER]\n", 0), 0u) << output;
  output.clear();
  EXPECT_EQ(RunIn(QM_BIN_DIR, "'" + Tool() + "' --version", output), 0);
  EXPECT_EQ(output, std::string("quillmark-help ") + QM_VERSION + "\n");
  output.clear();
  EXPECT_EQ(RunIn(QM_BIN_DIR, "'" + Tool() + "'", output), 2);
  EXPECT_EQ(output, "quillmark-help: keine Hilfedatei angegeben\n"
                    "Aufruf: quillmark-help DATEI.chm [SEITE | NUMMER] (--help zeigt mehr)\n");
  output.clear();
  EXPECT_EQ(RunIn(QM_BIN_DIR, "'" + Tool() + "' a.chm 1 2", output), 2);
  EXPECT_EQ(output.rfind("quillmark-help: zu viele Angaben ab 2\n", 0), 0u) << output;
}

TEST(QuillmarkHelp, DrawsTheWindowAtANumberIntoAPicture) {
  QM_REQUIRE_HELP_COMPILER();
  TempDir tmp;
  const std::string chm = CompileHelpProject(tmp / "out/", SampleHelpProject());
  std::string output;
  const std::string png = tmp / "shot.png";
  EXPECT_EQ(
      RunIn(tmp.path(), "'" + Tool() + "' --screenshot '" + png + "' '" + chm + "' 102", output), 0)
      << output;
  const QImage image(QString::fromStdString(png));
  EXPECT_EQ(image.size(), QSize(1000, 700));
  // A number the file does not map: the picture shows the message, and the status says so.
  output.clear();
  EXPECT_EQ(
      RunIn(tmp.path(), "'" + Tool() + "' --screenshot '" + png + "' '" + chm + "' 4711", output),
      1);
  EXPECT_NE(output.find("Die Kontextnummer 4711 ist in der Hilfedatei " + chm +
                        " keiner Seite zugeordnet."),
            std::string::npos)
      << output;
}
