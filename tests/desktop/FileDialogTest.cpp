// The file dialogs behind the dialog seam: filter entries shown as written and matching as
// meant, and Qt's own texts in German.
#include "TestUtil.h"
#include "desktop/QtTranslations.h"
#include "desktop/UserDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QKeySequence>
#include <QListView>
#include <QTest>
#include <QTimer>

using namespace qmtest;

TEST(FileDialogs, AllFilesListsNamesWithoutADot) {
  // In the real dialog the combo box shows the entries as written; the web pages entry lists
  // only pages, "Alle Dateien (*.*)" every file, "README" included.
  TempDir dir;
  for (const char* name : {"README", "a.htm", "b.HTML", "c.txt"}) {
    WriteFile(dir / name, "");
  }
  qm::FileRequest request;
  request.Title = QStringLiteral("Laden");
  request.Filters = {QStringLiteral("Webseiten (*.htm;*.html)"),
                     QStringLiteral("Alle Dateien (*.*)")};
  request.Directory = QString::fromStdString(dir.path());
  QStringList captions;
  int pages = -1;
  int all = -1;
  QObject guard;
  QTimer::singleShot(0, &guard, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"));
    ASSERT_TRUE(combo != nullptr && list != nullptr);
    for (int i = 0; i < combo->count(); ++i) {
      captions.append(combo->itemText(i));
    }
    const auto rows = [list] { return list->model()->rowCount(list->rootIndex()); };
    (void)QTest::qWaitFor([&] { return rows() == 2; }); // the folder is read in the background
    pages = rows();
    // As a user's choice: the dialog follows the combo box's activated signal.
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    (void)QTest::qWaitFor([&] { return rows() == 4; });
    all = rows();
    dialog->reject();
  });
  EXPECT_FALSE(qm::Dialogs().OpenFile(nullptr, request).has_value());
  EXPECT_EQ(captions, request.Filters);
  EXPECT_EQ(pages, 2);
  EXPECT_EQ(all, 4);
}

TEST(QtTranslations, ShortcutsNameTheControlKeyInGerman) {
  // The menus show "Strg+O" once Qt's German texts are loaded.
  if (!qm::InstallQtTranslations()) {
    GTEST_SKIP() << "Qt's German translations (qt6-translations-l10n) are not installed";
  }
  EXPECT_EQ(QKeySequence(QStringLiteral("Ctrl+O")).toString(QKeySequence::NativeText),
            QStringLiteral("Strg+O"));
}
