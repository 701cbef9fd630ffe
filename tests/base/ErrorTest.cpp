#include "base/Error.h"
#include "base/TextFile.h"
#include "base/Warnings.h"

#include <gtest/gtest.h>

#include <cerrno>

using namespace qm;

TEST(Error, MadeInOneLineItKeepsItsPartsAndWordsThemForEachReader) {
  // A path in UTF-8 with a line break, a Windows-1252 text, a number, "%%" and a "%" that is
  // no placeholder.
  const std::string path = "/q/\xC3\xA4\n.pas";
  const Error e = MakeError(FileOperation::Source, path, 7, "Datei %s: Zeile %d: \"%s\" 100%% %x",
                            ErrorArg::Path(path), ErrorArg::Number(7), ErrorArg::Text("\xFC"));
  EXPECT_EQ(e.Parts().operation, FileOperation::Source);
  EXPECT_EQ(e.Parts().path, path);
  EXPECT_EQ(e.Parts().line, 7);
  EXPECT_EQ(e.Parts().systemError, 0);
  EXPECT_EQ(std::string(e.what()), "Datei /q/\xE4\n.pas: Zeile 7: \"\xFC\" 100% %x");
  EXPECT_EQ(e.Text(), "Datei /q/\xC3\xA4\\n.pas: Zeile 7: \"\xC3\xBC\" 100% %x");

  WarningList warnings;
  AddWarning(warnings, path, 3, "\"%s\" braucht %d Felder", ErrorArg::Text("###Toc"),
             ErrorArg::Number(2));
  AddWarning(warnings, path, 0, "Block ohne Titel");
  EXPECT_EQ(warnings,
            (WarningList{{path, 3, "\"###Toc\" braucht 2 Felder"}, {path, 0, "Block ohne Titel"}}));
}

TEST(Error, AFileStepKeepsItsReasonAlsoWhereTheMessageDoesNotShowIt) {
  // A caller that tells a missing file from a locked one reads the reason from the parts.
  const Error open = Error::File(FileOperation::Open, kMsgCannotOpen, "/a.pas", EISDIR);
  EXPECT_EQ(open.Parts().systemError, EISDIR);
  EXPECT_EQ(std::string(open.what()), "Datei /a.pas kann nicht ge\xF6"
                                      "ffnet werden");
  const Error write = Error::File(FileOperation::Write, kMsgWriteFailed, "/a.pas", EACCES);
  EXPECT_EQ(write.Parts().systemError, EACCES);
  EXPECT_EQ(std::string(write.what()), "Datei /a.pas: Dateizugriff verweigert");
}

TEST(Error, AFormatThatDoesNotFitItsArgumentsIsAFaultNotAMessageWithAHole) {
  // The checked makers cannot produce such parts; wording them anyway must not drop a
  // placeholder or an argument without a word.
  for (const auto& [format, args] : std::vector<std::pair<std::string, std::vector<ErrorArg>>>{
           {"Datei %s: %s", {ErrorArg::Path("/a")}},
           {"Datei %s", {ErrorArg::Path("/a"), ErrorArg::Number(2)}}}) {
    EXPECT_THROW(detail::WordParts(ErrorParts{FileOperation::None, {}, 0, 0, format, args}, true),
                 std::logic_error)
        << format;
  }
}
