#include "project/IniFile.h"

#include "TestUtil.h"

using namespace qm;
using qmtest::CrLf;

TEST(IniFile, ChangesTouchOnlyTheirOwnLines) {
  // Updates stay in place, new keys follow the last entry of their section, new sections go
  // to the end; header comments, unknown keys, comments and blank lines stay as they were.
  IniFile ini(CrLf({";Kopf", "", "[Eins]", "a=1", "; Notiz", "b = 2", "", "[Zwei]", "x=9"}));
  ini.Write("eins", "B", "neu");
  ini.Write("Eins", "c", "3");
  ini.Write("Drei", "d", "4");
  ini.Write("Zwei", "y", "");
  EXPECT_EQ(ini.Text(), CrLf({";Kopf", "", "[Eins]", "a=1", "; Notiz", "B=neu", "c=3", "", "[Zwei]",
                              "x=9", "y=", "[Drei]", "d=4"}));
}

TEST(IniFile, ErasedSectionsLoseAllTheirLines) {
  // Erasing removes every section of the name with its bracket line, entries and comments;
  // writing to it again starts a new section at the end.
  IniFile ini(CrLf({"[T]", "Zeile0=a", ";x", "[Rest]", "k=v", "[t]", "Zeile0=b", ""}));
  ini.EraseSection("T");
  ini.EraseSection("Fehlt");
  EXPECT_FALSE(ini.Read("T", "Zeile0"));
  EXPECT_EQ(ini.Text(), CrLf({"[Rest]", "k=v"}));
  ini.Write("T", "Zeile0", "c");
  EXPECT_EQ(ini.Text(), CrLf({"[Rest]", "k=v", "[T]", "Zeile0=c"}));
}

TEST(IniFile, ReadingIgnoresCaseBlanksAndLineEnds) {
  // Names compare by Windows-1252 case, blanks around names and values are dropped, LF and
  // CR end lines too; the header and comment lines are no entries; the first duplicate counts.
  const IniFile ini(std::string("k=kopf\n[ Main ]\n  Zus\xE4tzlicheDateien  =  /x y  \n") +
                    ";k=kommentar\rk=erst\r\nK=zweit\n[MAIN]\nneu=1\nohne\n");
  EXPECT_EQ(ini.Read("main", "ZUS\xC4TZLICHEDATEIEN"), "/x y");
  EXPECT_EQ(ini.Read("Main", "k"), "erst");
  EXPECT_FALSE(ini.Read("Main", "neu"));
  EXPECT_FALSE(ini.Read("Main", "ohne"));
  EXPECT_FALSE(ini.Read("", "k"));
  EXPECT_FALSE(ini.Read("Fehlt", "k"));
}

TEST(IniFile, WrittenValuesReadBackExactly) {
  // Values with blanks at their ends or quotes at both ends are quoted; everything else is
  // written as it is, so files stay readable for other programs.
  const std::vector<std::string> values = {"",
                                           " ",
                                           "  zwei Blanks vorn",
                                           "hinten ",
                                           "\tTab",
                                           "\"zitiert\"",
                                           "'einfach'",
                                           "\"",
                                           "'x\"",
                                           "a=b;c",
                                           "; kein Kommentar",
                                           "[keine Sektion]",
                                           " \"beides\" ",
                                           "\xE4\xF6"};
  IniFile ini;
  for (size_t i = 0; i < values.size(); ++i) {
    ini.Write("S", "k" + std::to_string(i), values[i]);
  }
  const IniFile reread(ini.Text());
  for (size_t i = 0; i < values.size(); ++i) {
    EXPECT_EQ(reread.Read("S", "k" + std::to_string(i)), values[i]) << "value " << i;
  }
  EXPECT_EQ(EncodeIniValue("hinten "), "\"hinten \"");
  EXPECT_EQ(EncodeIniValue("'einfach'"), "\"'einfach'\"");
  EXPECT_EQ(EncodeIniValue("'x\""), "'x\"");
  EXPECT_EQ(EncodeIniValue("a=b;c"), "a=b;c");
}

TEST(IniFile, NulBytesAreOrdinaryAndLineBreaksAreRefused) {
  // A NUL byte neither ends the text nor its line, so a rewritten file keeps what follows it
  // and such a value reads back; a value with CR or LF would split its line and is refused.
  const std::string withNul("[A]\r\nx=1\0z\r\n[B]\r\ny=2\r\n", 22);
  IniFile ini(withNul);
  EXPECT_EQ(ini.Read("A", "x"), std::string("1\0z", 3));
  EXPECT_EQ(ini.Read("B", "y"), "2");
  EXPECT_EQ(ini.Text(), withNul);

  EXPECT_TRUE(ini.Write("B", "n", std::string("a\0", 2)));
  EXPECT_EQ(IniFile(ini.Text()).Read("B", "n"), std::string("a\0", 2));

  EXPECT_FALSE(ini.Write("B", "y", "a\nb=c"));
  EXPECT_FALSE(ini.Write("C", "k", "a\rb"));
  EXPECT_EQ(ini.Text(), withNul + CrLf({std::string("n=\"a\0\"", 6)}));
}
