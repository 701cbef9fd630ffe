// quillmark: the desktop program. Starts the application, shows the main window and runs
// until it is closed.
#include "base/FileSystem.h"
#include "base/Process.h"
#include "desktop/HelpViewer.h"
#include "desktop/HtmlHelpGateway.h"
#include "desktop/QtTranslations.h"
#include "gui/Hauptmenue.h"
#include "gui/Images.h"
#include "gui/UiTexts.h"

#include <QApplication>
#include <QLineEdit>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

using namespace qm::ui;

/// "--help" and "--version" count only as the one argument, so that any other command line
/// keeps its meaning for the window.
bool AnswerInfoRequest(int argc, char** argv) {
  if (argc != 2) {
    return false;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    std::fputs(kUsage, stdout);
    return true;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::printf("%s %s\n", kProgramName, QM_VERSION);
    return true;
  }
  return false;
}

/// The start check: once the window is shown (and its project loaded), print the path fields
/// and close the window the way the user would.
void ScheduleStartCheck(TLex_Hauptmenue& window) {
  QTimer::singleShot(0, &window, [&window] {
    for (const char* name : {"Edt_Eingabepfad", "Edt_Ausgabepfad"}) {
      const auto* edit = window.findChild<QLineEdit*>(QLatin1String(name));
      std::printf("%s=%s\n", name, edit != nullptr ? edit->text().toLocal8Bit().constData() : "");
    }
    std::fflush(stdout);
    window.close();
  });
}

} // namespace

int main(int argc, char** argv) {
  if (AnswerInfoRequest(argc, argv)) {
    return 0;
  }
  // Qt takes its own options (-platform, -style, ...) out of argc and argv.
  QApplication app(argc, argv);
  // Dates and times in pages and project files follow the user's LC_TIME.
  qm::UseUserLocale();
  QApplication::setOrganizationName(QString::fromUtf8(kOrganisation));
  QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
  QApplication::setWindowIcon(ProgramImage());
  // Ties the window to the installed desktop entry (its name and icon on Wayland).
  QApplication::setDesktopFileName(QString::fromUtf8(kProgramName));
  // Qt's own dialogs and the shortcut names in the menus in German, where the translations
  // are installed.
  qm::InstallQtTranslations();
  // Every help request (F1, "&Hilfe", the menu "&?") reaches Quillmark's own help window.
  qm::HtmlHelpEntry = qm::ShowInHelpViewer;

  TLex_Hauptmenue window(qm::ProgramFolder(), QApplication::arguments().mid(1));
  window.show();
  if (qEnvironmentVariableIsSet(kStartCheckVariable)) {
    ScheduleStartCheck(window);
  }
  return QApplication::exec();
}
