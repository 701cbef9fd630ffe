// The source kinds in the project file: their keys and order come from the table, so a row
// added to it shows there.
#include "engine/NineKinds.h"
#include "project/ProjectFile.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

using namespace qmtest;

TEST(SourceKindTable, ANinthKindIsSavedAfterTheOthersAndReadBack) {
  TempDir dir;
  const std::string file = dir / "p.qmpr";
  qm::ProjectSettings settings;
  settings.Kinds = {qm::SourceKind::C, kCobol};
  qm::SaveProjectFile(file, settings, kNineKinds);
  EXPECT_NE(ReadFile(file).find(
                CrLf({"[Main.Eingabe.Quellen]", "Pascal=0", "C++=1", "Java=0", "Installshield=0",
                      "Basic=0", "SQL=0", "Assembler=0", "HTML=0", "Cobol=1", "[Main.Ausgabe]"})),
            std::string::npos);
  EXPECT_EQ(qm::LoadProjectFile(file, kNineKinds).Kinds, settings.Kinds);
  // Read with the table of eight, the file's ninth key is not a kind.
  EXPECT_EQ(qm::LoadProjectFile(file).Kinds, qm::SourceKindSet{qm::SourceKind::C});
}
