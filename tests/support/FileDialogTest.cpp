// The file dialogs behind the dialog seam: filter entries shown as written and matching as
// meant, the proposed file, and Qt's own texts in German.
#include "TestUtil.h"
#include "support/FilePickerDialog.h"
#include "support/QtTranslations.h"
#include "support/ScriptedDialogs.h"
#include "support/UserDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QKeySequence>
#include <QListView>
#include <QTest>
#include <QTimer>

using namespace qmtest;

TEST(FileDialogs, FilterEntriesBecomeQtPatterns) {
  // Semicolons separate patterns for the user, blanks for Qt; "*.*" takes names without a
  // dot too. The caption before the last group stays as written.
  EXPECT_EQ(qm::QtNameFilter(QStringLiteral("Webseiten (*.htm;*.html)")),
            QStringLiteral("Webseiten (*.htm;*.html) (*.htm *.html)"));
  EXPECT_EQ(qm::QtNameFilter(QStringLiteral("Alle Dateien (*.*)")),
            QStringLiteral("Alle Dateien (*.*) (*)"));
  EXPECT_EQ(qm::QtNameFilter(QStringLiteral("ohne Muster")), QStringLiteral("ohne Muster"));
}

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

TEST(FileDialogs, PickerProposesTheFileChosenLast) {
  // A cancelled dialog keeps the name; the folder set first is used only while there is none.
  ScriptedDialogs dialogs;
  QWidget owner;
  qm::FilePickerDialog picker(&owner, qm::FilePickerDialog::Kind::Save);
  picker.SetInitialDir(QStringLiteral("/ausgabe"));
  dialogs.files = {QStringLiteral("/x/a.htm"), std::nullopt};
  EXPECT_TRUE(picker.Execute());
  EXPECT_FALSE(picker.Execute());
  EXPECT_EQ(picker.FileName(), QStringLiteral("/x/a.htm"));
  ASSERT_EQ(dialogs.saveRequests.size(), 2u);
  EXPECT_EQ(dialogs.saveRequests[0].FileName, QString());
  EXPECT_EQ(dialogs.saveRequests[0].Directory, QStringLiteral("/ausgabe"));
  EXPECT_EQ(dialogs.saveRequests[1].FileName, QStringLiteral("/x/a.htm"));
}

TEST(QtTranslations, ShortcutsNameTheControlKeyInGerman) {
  // The menus show "Strg+O" once Qt's German texts are loaded.
  if (!qm::InstallQtTranslations()) {
    GTEST_SKIP() << "Qt's German translations (qt6-translations-l10n) are not installed";
  }
  EXPECT_EQ(QKeySequence(QStringLiteral("Ctrl+O")).toString(QKeySequence::NativeText),
            QStringLiteral("Strg+O"));
}
