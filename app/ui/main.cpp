// quillmark: the desktop program. Starts the application, shows the main window and runs
// until it is closed.
#include "app/ui/Hauptmenue.h"
#include "app/ui/Images.h"
#include "app/ui/UiTexts.h"
#include "engine/FileSystem.h"
#include "support/HelpViewer.h"
#include "support/HtmlHelpGateway.h"
#include "support/QtTranslations.h"

#include <QApplication>

#include <clocale>

int main(int argc, char** argv) {
  using namespace qm::ui;
  // Qt takes its own options (-platform, -style, ...) out of argc and argv.
  QApplication app(argc, argv);
  // Dates and times in pages and project files follow the user's LC_TIME.
  std::setlocale(LC_ALL, "");
  QApplication::setOrganizationName(QString::fromUtf8(kOrganisation));
  QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
  QApplication::setWindowIcon(ProgramImage());
  // Qt's own dialogs and the shortcut names in the menus in German, where the translations
  // are installed.
  qm::InstallQtTranslations();
  // Every help request (F1, "&Hilfe", the menu "&?") reaches Quillmark's own help window.
  qm::HtmlHelpEntry = qm::ShowInHelpViewer;

  TLex_Hauptmenue window(qm::ProgramFolder(), QApplication::arguments().mid(1));
  window.show();
  return QApplication::exec();
}
