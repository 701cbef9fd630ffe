#include "EntryText.h"
#include "TestUtil.h"

#include "base/Error.h"
#include "base/TextFile.h"
#include "helpproject/MapHeaderWriter.h"

using namespace qm;
using namespace qmtest;

namespace {

/// A program folder whose templates are "%TYPE%%FILE%" and "Stand: %DATETIME%".
std::string SimpleTemplates(const TempDir& tmp) {
  WriteFile(tmp / "bin/Header.txt", "%TYPE%%FILE%\r\n");
  WriteFile(tmp / "bin/Comment.txt", "Stand: %DATETIME%\r\n");
  return tmp / "bin/";
}

const std::vector<ContextIdEntry> kTwoIds =
    Ids({"1001;Main Window;/hilfe/Main.Doc.htm", "1002;Optionen;/hilfe/Main.Doc.htm"});

} // namespace

TEST(MapHeaderWriter, WritesTheCHeader) {
  // The C header: boxed template header, include guard, comment template, one #define per
  // context id.
  TempDir tmp;
  const std::string program = SimpleTemplates(tmp);
  CharacterTable table;
  WriteMapHeader(DocKind::Doc, MapLanguage::C, Ids({"1001;Main Window;/hilfe/Main.Doc.htm"}),
                 tmp.path(), program, table);
  EXPECT_EQ(ReadFile(tmp / "DocMap.h"),
            CrLf({"/*", "FILE:       DocMap    ", "*/", "", "#ifndef _DOCMAP_H_",
                  "#define _DOCMAP_H_", "", "/*", "", "Stand: 26.11.2025 10:00:00", "", "*/", "",
                  "#define IDH_MAIN_MAINWINDOW 1001", "", "#endif"}));
}

TEST(MapHeaderWriter, WritesThePascalUnit) {
  // The Pascal unit: constants in list order, indented, with no lines between them.
  TempDir tmp;
  const std::string program = SimpleTemplates(tmp);
  CharacterTable table;
  WriteMapHeader(DocKind::Doc, MapLanguage::Pascal, kTwoIds, tmp.path(), program, table);
  EXPECT_EQ(ReadFile(tmp / "DocMapU.pas"), CrLf({"{",
                                                 "UNIT:       DocMapU   ",
                                                 "}",
                                                 "unit DocMapU;",
                                                 "",
                                                 "{",
                                                 "",
                                                 "Stand: 26.11.2025 10:00:00",
                                                 "",
                                                 "}",
                                                 "",
                                                 "interface",
                                                 "",
                                                 "const",
                                                 "  IDH_MAIN_MAINWINDOW = 1001;",
                                                 "  IDH_MAIN_OPTIONEN = 1002;",
                                                 "",
                                                 "implementation",
                                                 "",
                                                 "end."}));
}

TEST(MapHeaderWriter, WritesTheJavaClass) {
  // The Java class: each constant between empty lines, so two constants are two empty lines
  // apart.
  TempDir tmp;
  const std::string program = SimpleTemplates(tmp);
  CharacterTable table;
  WriteMapHeader(DocKind::Doc, MapLanguage::Java, kTwoIds, tmp.path(), program, table);
  EXPECT_EQ(ReadFile(tmp / "DocMap.java"),
            CrLf({"/*", "CLASS:      DocMap    ", "*/", "", "", "/*", "",
                  "Stand: 26.11.2025 10:00:00", "", "*/", "", "public class DocMap {", "",
                  "  final public int IDH_MAIN_MAINWINDOW = 1001;", "", "",
                  "  final public int IDH_MAIN_OPTIONEN = 1002;", "", "}"}));
}

TEST(MapHeaderWriter, FillsHeaderPlaceholdersCaseSensitively) {
  // "%FILE%" is padded to ten characters but never cut; every occurrence of each
  // placeholder is replaced, and only in its exact spelling.
  TempDir tmp;
  WriteFile(tmp / "bin/Header.txt", "[%FILE%]%YEAR%\r\n%TYPE%%FILE%|%type%|%YEAR%\r\n");
  WriteFile(tmp / "bin/Comment.txt", "");
  CharacterTable table;
  WriteMapHeader(DocKind::Tech, MapLanguage::Pascal, {}, tmp.path(), tmp / "bin/", table);
  EXPECT_EQ(
      ReadFile(tmp / "TechMapU.pas"),
      CrLf({"{", "[TechMapU  ]2025", "UNIT:       TechMapU  |%type%|2025", "}", "unit TechMapU;",
            "", "{", "", "", "}", "", "interface", "", "const", "", "implementation", "", "end."}));

  Lines lines;
  WriteCMapPart(lines, "Handbuch", MapPart::Head, "", "", MapHeadTemplates{{"%TYPE%%FILE%|"}, {}});
  EXPECT_EQ(lines.at(1), "FILE:       HandbuchMap|");
}

TEST(MapHeaderWriter, ContextSymbolNamesPageAndTitle) {
  // IDH + every dot piece of the page name but the last two + the title, blanks and "-"
  // dropped, "." and "::" as "_", link characters mapped, upper-cased.
  CharacterTable table;
  table.Assign({"\xE4,&auml;,ae"});
  EXPECT_EQ(ContextSymbol(Ids({"1001;Main Window;/hilfe/Main.Doc.htm"})[0], table),
            "IDH_MAIN_MAINWINDOW");
  EXPECT_EQ(ContextSymbol(Ids({"7;Ver. 2-3;/hilfe/Setup.Tech.htm"})[0], table), "IDH_SETUP_VER_23");
  EXPECT_EQ(ContextSymbol(Ids({"1;;/hilfe/Main.Doc.htm"})[0], table), "IDH_MAIN_");
  EXPECT_EQ(ContextSymbol(Ids({"1;Titel;/hilfe/README"})[0], table), "IDH_TITEL");
  EXPECT_EQ(ContextSymbol(Ids({"1;Titel;/hilfe/Seite.htm"})[0], table), "IDH_TITEL");
  EXPECT_EQ(ContextSymbol(Ids({"1;TForm::Show;/h/my.unit.Tech.htm"})[0], table),
            "IDH_MY_UNIT_TFORM_SHOW");
  EXPECT_EQ(ContextSymbol(Ids({"1;M\xE4rz (1/2);/h/a.Doc.htm"})[0], table), "IDH_A_MAERZ(1/2)");
  EXPECT_EQ(ContextSymbol(Ids({"1;sch\xF6n;/h/a.Doc.htm"})[0], table), "IDH_A_SCH\xD6N");
}

TEST(MapHeaderWriter, MissingTemplateNamesItAndWritesNothing) {
  // The head templates are read for every file; a missing one ends the write with the
  // template named, before the map file is created.
  TempDir tmp;
  WriteFile(tmp / "bin/Header.txt", "x\r\n");
  CharacterTable table;
  try {
    WriteMapHeader(DocKind::Doc, MapLanguage::C, kTwoIds, tmp.path(), tmp / "bin/", table);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), Format(kMsgCannotOpen, (tmp / "bin/Comment.txt").c_str()));
  }
  EXPECT_FALSE(Exists(tmp / "DocMap.h"));
}

TEST(MapHeaderWriter, ShippedTemplatesFitIntoEveryComment) {
  // The installed templates stand inside C, Java and Pascal comments, so they must not
  // close one; they name the file and carry the year (the time of the run is covered by the
  // data files' own check).
  const std::string header = ReadFile(std::string(QM_SOURCE_DIR) + "/data/Header.txt");
  const std::string comment = ReadFile(std::string(QM_SOURCE_DIR) + "/data/Comment.txt");
  for (const std::string* text : {&header, &comment}) {
    EXPECT_EQ(text->find("*/"), std::string::npos);
    EXPECT_EQ(text->find('}'), std::string::npos);
    EXPECT_EQ(text->substr(text->size() - 2), "\r\n");
  }
  EXPECT_NE(header.find("%TYPE%%FILE%"), std::string::npos);
  EXPECT_NE(header.find("%YEAR%"), std::string::npos);
}
