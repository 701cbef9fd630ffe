#include "EntryText.h"
#include "TestUtil.h"

#include "base/Error.h"
#include "base/TextFile.h"
#include "helpproject/AliasWriter.h"

using namespace qm;
using namespace qmtest;

TEST(AliasWriter, OneLinePerContextIdAndNothingElse) {
  // Each entry gives symbol=page file name in list order; pages repeat, equal symbols are
  // kept, and an own page is named by its own file name.
  TempDir tmp;
  CharacterTable table;
  WriteAliasFile(DocKind::Doc,
                 Ids({"1001;Main Window;/hilfe/Main.Doc.htm", "1002;Optionen;/hilfe/Main.Doc.htm",
                      "1003;Kapitel;/hilfe/Kapitel1.Doc.htm", "1004;Optionen;/hilfe/Main.Doc.htm"}),
                 tmp.path(), table);
  EXPECT_EQ(ReadFile(tmp / "DocAlias.h"),
            CrLf({"IDH_MAIN_MAINWINDOW=Main.Doc.htm", "IDH_MAIN_OPTIONEN=Main.Doc.htm",
                  "IDH_KAPITEL1_KAPITEL=Kapitel1.Doc.htm", "IDH_MAIN_OPTIONEN=Main.Doc.htm"}));
}

TEST(AliasWriter, MissingFolderIsNotCreated) {
  // The alias writer does not create the output folder; the failure names the file.
  TempDir tmp;
  CharacterTable table;
  const std::string folder = tmp / "fehlt/";
  try {
    WriteAliasFile(DocKind::Tech, Ids({"1;T;/a/B.Tech.htm"}), folder, table);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(
        std::string(e.what()),
        Format(kMsgCannotCreateBecause, (folder + "TechAlias.h").c_str(), "Datei nicht gefunden"));
  }
  EXPECT_FALSE(Exists(folder));
}
