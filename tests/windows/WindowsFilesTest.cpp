// What only Windows has: "\" and drive letters in the paths users type, UNC names, names the
// ANSI code page lacks, names Windows forbids, the read-only attribute, and the command line
// a started program has to take apart again.
#include "TestUtil.h"

#include "base/AnsiText.h"
#include "base/Error.h"
#include "base/ExternalProgram.h"
#include "base/FileSystem.h"
#include "base/Paths.h"
#include "base/RunLock.h"
#include "base/TextFile.h"

#include <cstdlib>
#include <functional>

using namespace qm;
using namespace qmtest;

namespace {

// The test folder as a user types it on Windows: "\" throughout, starting with its drive.
std::string Backslashed(std::string path) {
  for (char& c : path) {
    if (c == '/') {
      c = '\\';
    }
  }
  return path;
}

std::vector<std::string> Listed(const std::string& folder) {
  std::vector<std::string> names;
  for (const DirEntry& e : ListFolder(folder)) {
    names.push_back(e.name + (e.IsFolder() ? "\\" : ""));
  }
  return names;
}

} // namespace

TEST(WindowsPaths, SeparatorsAndDrives) {
  struct Case {
    const char* path;
    const char* name;
    const char* folder;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"C:\\Quellen\\Unit1.pas", "Unit1.pas", "C:\\Quellen\\"},
           {"C:/Quellen/Unit1.pas", "Unit1.pas", "C:/Quellen/"},
           {"C:\\Quellen/sub\\Unit1.pas", "Unit1.pas", "C:\\Quellen/sub\\"},
           {"C:Unit1.pas", "Unit1.pas", "C:"},
           {"\\\\server\\share\\Unit1.pas", "Unit1.pas", "\\\\server\\share\\"},
       }) {
    EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
    EXPECT_EQ(ExtractFilePath(c.path), c.folder) << c.path;
  }
  // A folder gets the separator it already uses.
  EXPECT_EQ(AddTrailingBackslash("C:\\aus"), "C:\\aus\\");
  EXPECT_EQ(AddTrailingBackslash("C:/aus"), "C:/aus/");
  EXPECT_EQ(AddTrailingBackslash("aus"), "aus\\");
  EXPECT_EQ(AddTrailingBackslash(""), "\\");
  EXPECT_EQ(ChangeFileExt("C:\\a.b\\Unit1", ".Doc.htm"), "C:\\a.b\\Unit1.Doc.htm");
}

TEST(WindowsPaths, NamesWindowsCannotStoreGetAnUnderscore) {
  struct Case {
    const char* given;
    const char* stored;
  };
  for (const Case& c : std::initializer_list<Case>{
           {"Ein:Aus.Doc.htm", "Ein_Aus.Doc.htm"},
           {"Was?.Doc.htm", "Was_.Doc.htm"},
           {"a*b<c>d|e\"f.Doc.htm", "a_b_c_d_e_f.Doc.htm"},
           {"CON.Doc.htm", "CON_.Doc.htm"},
           {"com1", "com1_"},
           {"Console.Doc.htm", "Console.Doc.htm"},
           {"Ende.", "Ende_"},
           {"sub\\LPT1.htm", "sub\\LPT1_.htm"},
           {"../Gut.htm", "../Gut.htm"},
       }) {
    EXPECT_EQ(StorablePath(c.given), c.stored) << c.given;
  }
}

TEST(WindowsFiles, EverySpellingOfAPathReachesTheSameFile) {
  // Written through a backslashed drive path, listed through a "/" one, read through both;
  // the name outside Windows-1252 (Greek Omega, CJK) comes back as the same UTF-8.
  TempDir dir;
  const std::string slashed = dir / "Quellen/";
  const std::string backslashed = Backslashed(slashed);
  ASSERT_EQ(backslashed[1], ':');
  ASSERT_TRUE(ForceDirectories(backslashed + "Unter\\Ordner"));
  const std::string omega = "\xCE\xA9mega-\xE4\xB8\xAD.pas";
  WriteFileBytes(backslashed + omega, "{###DocGen_Start}\r\n");
  WriteFileBytes(backslashed + "\xC3\x84nderung.pas", "x");
  // Sorted by the Windows-1252 form, in which the Omega name starts with "?".
  EXPECT_EQ(Listed(slashed), (std::vector<std::string>{"\xCE\xA9mega-\xE4\xB8\xAD.pas", "Unter\\",
                                                       "\xC3\x84nderung.pas"}));
  EXPECT_EQ(ReadFileBytes(slashed + omega), "{###DocGen_Start}\r\n");
  EXPECT_TRUE(FileExists(slashed + "Unter/../" + omega));
  EXPECT_TRUE(DirectoryExists(backslashed + "Unter\\Ordner\\"));
  // In page text the name that Windows-1252 lacks becomes references, not a wrong letter.
  EXPECT_EQ(PathToHtmlText(omega), "&#937;mega-&#20013;.pas");
}

TEST(WindowsFiles, UncNamesReachTheShare) {
  // Wine serves "\\server\share" from dosdevices\unc\server\share of its prefix.
  const char* prefix = std::getenv("WINEPREFIX");
  if (prefix == nullptr) {
    GTEST_SKIP() << "needs a share; under Wine one is made in the prefix";
  }
  const std::string share = "Z:" + std::string(prefix) + "/dosdevices/unc/qmhost/teil";
  ASSERT_TRUE(ForceDirectories(share));
  WriteFileBytes("\\\\qmhost\\teil\\Seite.Doc.htm", "<html>\r\n");
  EXPECT_EQ(ReadFile(share + "/Seite.Doc.htm"), "<html>\r\n");
  EXPECT_EQ(Listed("\\\\qmhost\\teil\\"), std::vector<std::string>{"Seite.Doc.htm"});
  EXPECT_TRUE(DeleteFileAt("\\\\qmhost\\teil\\Seite.Doc.htm"));
  std::filesystem::remove_all(
      FsPath(Backslashed(std::string(prefix)) + "\\dosdevices\\unc\\qmhost"));
}

TEST(WindowsFiles, AReadOnlyTargetIsRefusedAndKept) {
  // A page or project file marked read-only is neither overwritten nor replaced by a rename;
  // the error names it with the reason, and it keeps its bytes.
  TempDir dir;
  const std::string page = dir / "Seite.Doc.htm";
  WriteFile(page, "alt\r\n");
  std::filesystem::permissions(FsPath(page), std::filesystem::perms::owner_read |
                                                 std::filesystem::perms::group_read |
                                                 std::filesystem::perms::others_read);
  const std::string refused = "Datei " + page + ": Dateizugriff verweigert";
  for (const auto& write : std::initializer_list<std::function<void()>>{
           [&] { WriteFileAtomic(page, "neu\r\n", "nach %s kann nicht geschrieben werden"); },
           [&] { ReplaceFileIfChanged(page, "neu\r\n"); },
       }) {
    try {
      write();
      ADD_FAILURE() << "the read-only file was written";
    } catch (const Error& e) {
      EXPECT_EQ(e.Parts().path, page);
      EXPECT_EQ(e.Parts().systemError, EACCES);
    }
    EXPECT_EQ(ReadFile(page), "alt\r\n");
  }
  std::filesystem::permissions(FsPath(page), std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  EXPECT_EQ(Listed(dir.path()), std::vector<std::string>{"Seite.Doc.htm"});
}

TEST(WindowsPrograms, FoundAlongTheSemicolonPathWithTheirExtension) {
  TempDir dir;
  WriteFile(dir / "a/hhc.txt", "");
  std::filesystem::create_directories(FsPath(dir / "b/hhc.exe"));
  WriteFile(dir / "c/HHC.EXE", "MZ");
  WriteFile(dir / "d/hhc.exe", "MZ");
  const std::string path = dir / "a;" + dir / "b;;" + dir / "nirgends;" + dir / "c;" + dir / "d";
  EXPECT_TRUE(SameText(FindInSearchPath("hhc", path), dir / "c/hhc.exe"));
  EXPECT_TRUE(SameText(FindInSearchPath("hhc.exe", path), dir / "c/hhc.exe"));
  EXPECT_EQ(FindInSearchPath("hhc", dir / "a;" + dir / "b"), "");
  EXPECT_EQ(FindInSearchPath(Backslashed(dir / "d\\hhc"), ""), Backslashed(dir / "d\\hhc.exe"));
}

TEST(WindowsPrograms, ArgumentsArriveWholeAndTheExitStatusIsKept) {
  // Blanks, quotes, backslashes before a quote and at the end, an empty argument and a name
  // outside the ANSI code page's letters each arrive as one argument, unchanged.
  TempDir dir;
  std::filesystem::create_directories(FsPath(dir / "Arbeits ordner"));
  SystemProgramRunner runner;
  const std::string hhc = QM_STAND_INS "/hhc/hhc.exe";
  const ProgramRun run = runner.Run(
      hhc, {"Hand buch.Doc.hhp", "a\"b", "C:\\Pfad mit\\", "\\\\\"x", "", "tab\there", "\xC3\xBC"},
      dir / "Arbeits ordner");
  EXPECT_EQ(run.Output, "[Hand buch.Doc.hhp]\r\n[a\"b]\r\n[C:\\Pfad mit\\]\r\n[\\\\\"x]\r\n[]\r\n"
                        "[tab\there]\r\n[\xC3\xBC]\r\n");
  EXPECT_EQ(run.ExitStatus, 1);

  try {
    runner.Run(dir / "fehlt.exe", {}, dir.path());
    ADD_FAILURE() << "a missing program started";
  } catch (const Error& e) {
    EXPECT_EQ(e.Text(), "Das Programm " + dir / "fehlt.exe" +
                            " kann nicht gestartet werden: Datei nicht gefunden");
  }
}

TEST(WindowsFiles, OneRunLockPerFolderWhateverItsSpelling) {
  // The lock belongs to the folder, not to the text naming it; it ends with its holder.
  TempDir dir;
  ASSERT_TRUE(ForceDirectories(dir / "aus"));
  RunLock first;
  ASSERT_EQ(first.TryLock(dir / "aus/"), 0);
  RunLock second;
  EXPECT_EQ(second.TryLock(Backslashed(dir / "aus")), EWOULDBLOCK);
  EXPECT_FALSE(second.Held());
  first = RunLock();
  EXPECT_EQ(second.TryLock(dir / "aus"), 0);
  EXPECT_EQ(first.TryLock(dir / "fehlt"), ENOENT);
}
