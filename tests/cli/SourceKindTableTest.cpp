// The source kinds in the command line's help and in the project file: their text and order
// come from the table, so a row added to it shows in both.
#include "cli/HelpText.h"
#include "engine/NineKinds.h"
#include "project/ProjectFile.h"

#include "TestUtil.h"

#include <gtest/gtest.h>

using namespace qmtest;
using qm::cli::Command;
using qm::cli::HelpText;

TEST(SourceKindTable, HelpListsTheKindsInTheLineOfKinds) {
  // The names in table order, wrapped at 80 columns under the first name.
  for (Command topic : {Command::Help, Command::Convert, Command::Save}) {
    EXPECT_NE(HelpText(topic).find(
                  "\n  --kinds ART[,ART...]        Quellarten: pascal, c, java, installshield, "
                  "basic,\n                              sql, assembler, html\n  --extra-files "),
              std::string::npos);
  }
  EXPECT_NE(HelpText(Command::Help, kNineKinds)
                .find("Quellarten: pascal, c, java, installshield, basic,\n"
                      "                              sql, assembler, html, cobol\n"),
            std::string::npos);
}

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
