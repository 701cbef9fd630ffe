#include "desktop/DirectoryPickerDialog.h"

#include "ScriptedDialogs.h"

#include <QWidget>

#include <gtest/gtest.h>

using qm::DirectoryPickerDialog;

TEST(DirectoryPickerDialog, ExecuteReportsTheChosenFolderAsItIs) {
  // The picker starts at Root with the Title; a chosen folder comes back unchanged, a cancel
  // empties Directory and gives false.
  qmtest::ScriptedDialogs dialogs;
  QWidget owner;
  DirectoryPickerDialog picker(&owner);
  EXPECT_EQ(picker.Root(), QStringLiteral("/"));
  picker.SetTitle(QStringLiteral("Wählen Sie den Ordner"));
  dialogs.folders = {QStringLiteral("/home/anna/Quellen"), std::nullopt, QString()};

  EXPECT_TRUE(picker.Execute());
  EXPECT_EQ(picker.Directory(), QStringLiteral("/home/anna/Quellen"));
  EXPECT_FALSE(picker.Execute());
  EXPECT_EQ(picker.Directory(), QString());
  EXPECT_FALSE(picker.Execute());

  ASSERT_EQ(dialogs.folderRequests.size(), 3u);
  EXPECT_EQ(dialogs.folderRequests[0],
            std::make_pair(QStringLiteral("Wählen Sie den Ordner"), QStringLiteral("/")));
  // The last choice is not proposed again.
  EXPECT_EQ(dialogs.folderRequests[1].second, QStringLiteral("/"));
}
