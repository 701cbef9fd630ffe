#include "desktop/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qm {

bool InstallQtTranslations() {
  auto* translator = new QTranslator(QCoreApplication::instance());
  // "qtbase_de.qm" holds the texts of the widgets and of QKeySequence.
  if (!translator->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

} // namespace qm
