#include "cli/Options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using qm::ProjectSettings;
using qm::SourceKind;
using qm::SourceKindSet;
using qm::cli::ApplySettingFlags;
using qm::cli::Command;
using qm::cli::Options;
using qm::cli::ParseArguments;
using qm::cli::ParseKinds;
using qm::cli::UsageError;

using Args = std::vector<std::string>;

// The settings a command line gives when applied over a freshly started program.
ProjectSettings SettingsOf(const Args& args) {
  ProjectSettings settings;
  ApplySettingFlags(ParseArguments(args).Settings, settings);
  return settings;
}

TEST(CliOptions, KindsListNamesTheTickedKinds) {
  // Every name of the list ticks its kind; case and blanks around names do not matter.
  EXPECT_EQ(ParseKinds("pascal, C ,JAVA"),
            (SourceKindSet{SourceKind::Pascal, SourceKind::C, SourceKind::Java}));
  EXPECT_EQ(ParseKinds("installshield,basic,sql,assembler,html"),
            (SourceKindSet{SourceKind::InstallShield, SourceKind::Basic, SourceKind::SQL,
                           SourceKind::Assembler, SourceKind::HTML}));
  EXPECT_EQ(ParseKinds("c,c"), (SourceKindSet{SourceKind::C}));
}

TEST(CliOptions, KindsListRejectsUnknownAndEmptyNames) {
  // A name that is no kind, or an empty one, is a usage error naming it.
  try {
    ParseKinds("pascal,cobol");
    FAIL() << "no usage error";
  } catch (const UsageError& e) {
    EXPECT_NE(std::string(e.what()).find("\"cobol\""), std::string::npos) << e.what();
  }
  // The name is quoted as typed: lower-casing the UTF-8 bytes of "Ä" would print no "Ä".
  try {
    ParseKinds("pascal, \xC3\x84pfel ");
    FAIL() << "no usage error";
  } catch (const UsageError& e) {
    EXPECT_NE(std::string(e.what()).find("\"\xC3\x84pfel\""), std::string::npos) << e.what();
  }
  EXPECT_THROW(ParseKinds(""), UsageError);
  EXPECT_THROW(ParseKinds("pascal,,c"), UsageError);
  EXPECT_THROW(ParseKinds("pascal,"), UsageError);
  EXPECT_THROW(ParseArguments({"convert", "--input", "src", "--kinds", "cpp"}), UsageError);
}

TEST(CliOptions, FlagModeNeedsInputAndKinds) {
  // Without a project file, convert needs both the input folder and the kinds.
  EXPECT_THROW(ParseArguments({"convert", "--kinds", "c"}), UsageError);
  EXPECT_THROW(ParseArguments({"convert", "--input", "src"}), UsageError);
  EXPECT_THROW(ParseArguments({"convert"}), UsageError);

  const Options options = ParseArguments({"convert", "--input", "src", "--kinds", "c", "--yes"});
  EXPECT_EQ(options.Cmd, Command::Convert);
  EXPECT_TRUE(options.ProjectFile.empty());
  EXPECT_TRUE(options.Yes);
}

TEST(CliOptions, FlagModeStartsFromAFreshProgram) {
  // Unnamed settings keep the values of a freshly started program; switches change them.
  ProjectSettings expected;
  expected.InputPath = "src";
  expected.Kinds.Set(SourceKind::Basic);
  EXPECT_EQ(SettingsOf({"convert", "--input", "src", "--kinds", "basic"}), expected);

  expected.OutputPath = "out";
  expected.ExtraFilesFolder = "extra";
  expected.IncludeSubfolders = false;
  expected.AutoLineBreak = false;
  expected.OemToAnsi = true;
  expected.OneFilePerBlock = true;
  EXPECT_EQ(SettingsOf({"convert", "--no-subfolders", "--input", "src", "--kinds", "basic",
                        "--output=out", "--extra-files", "extra", "--no-line-break", "--oem",
                        "--one-file-per-block"}),
            expected);
}

TEST(CliOptions, ProjectModeTakesTheProjectFileAlone) {
  // A project file carries all settings: setting flags beside it are a usage error.
  const Options options =
      ParseArguments({"convert", "--yes", "--quiet", "--help-project", "job.qmpr"});
  EXPECT_EQ(options.ProjectFile, "job.qmpr");
  EXPECT_TRUE(options.HelpProject);
  EXPECT_TRUE(options.Quiet);

  EXPECT_THROW(ParseArguments({"convert", "--output", "out", "job.qmpr"}), UsageError);
  EXPECT_THROW(ParseArguments({"convert", "job.qmpr", "--no-oem"}), UsageError);
  EXPECT_THROW(ParseArguments({"convert", "a.qmpr", "b.qmpr"}), UsageError);
}

TEST(CliOptions, SaveFlagsReplaceLoadedValues) {
  // A flag replaces the loaded value (--kinds the whole set); the rest stays as loaded.
  const Options options =
      ParseArguments({"save", "--kinds", "java", "--line-break", "--help-title", "Handbuch",
                      "--no-map-c", "--tech-default-page", "start.htm", "--web-help", "new.qmpr"});
  EXPECT_EQ(options.Cmd, Command::Save);
  EXPECT_EQ(options.ProjectFile, "new.qmpr");

  ProjectSettings loaded;
  loaded.InputPath = "src";
  loaded.OutputPath = "out";
  loaded.Kinds = {SourceKind::Pascal, SourceKind::C};
  loaded.AutoLineBreak = false;
  loaded.OemToAnsi = true;
  loaded.Templates[qm::TemplateId::DocPageHeader] = {"<html>"};
  loaded.Help.Title = "Alt";
  loaded.Help.Language = "0x409";

  ProjectSettings expected = loaded;
  expected.Kinds = {SourceKind::Java};
  expected.AutoLineBreak = true;
  expected.Help.Title = "Handbuch";
  expected.Help.MapHeaderC = false;
  expected.Help.TechDefaultPage = "start.htm";
  expected.Help.WebHelp = true;

  ApplySettingFlags(options.Settings, loaded);
  EXPECT_EQ(loaded, expected);
}

TEST(CliOptions, SourceEncodingFlagSetsTheProjectsEncoding) {
  // Each of the three values, in any case, for convert and save; without the flag the
  // setting stays as it was.
  const std::pair<const char*, qm::SourceEncoding> values[] = {{"auto", qm::SourceEncoding::Auto},
                                                               {"ANSI", qm::SourceEncoding::Ansi},
                                                               {"utf-8", qm::SourceEncoding::Utf8}};
  for (const auto& [value, encoding] : values) {
    EXPECT_EQ(SettingsOf({"convert", "--input", "s", "--kinds", "c", "--source-encoding", value})
                  .Encoding,
              encoding)
        << value;
    ProjectSettings loaded;
    loaded.Encoding = qm::SourceEncoding::Ansi;
    ApplySettingFlags(
        ParseArguments({"save", std::string("--source-encoding=") + value, "p.qmpr"}).Settings,
        loaded);
    EXPECT_EQ(loaded.Encoding, encoding) << value;
  }
  EXPECT_EQ(SettingsOf({"convert", "--input", "s", "--kinds", "c"}).Encoding,
            qm::SourceEncoding::Auto);
}

TEST(CliOptions, ArgumentsBecomeWindows1252) {
  // Settings are Windows-1252 texts: they arrive as UTF-8 and are converted. Paths of the
  // command itself (program folder, project files) keep the file system's spelling.
  const Options convert = ParseArguments({"convert", "--input=Quellen-\xC3\xA4", "--kinds", "c",
                                          "--program-dir", "Programm-\xC3\xBC"});
  EXPECT_EQ(*convert.Settings.InputPath, "Quellen-\xE4");
  EXPECT_EQ(convert.ProgramDir, "Programm-\xC3\xBC");
  const Options save = ParseArguments({"save", "--from", "alt-\xC3\xB6.qmpr", "--help-title",
                                       "\xC3\x9C"
                                       "bersicht",
                                       "neu-\xC3\xB6.qmpr"});
  EXPECT_EQ(save.FromFile, "alt-\xC3\xB6.qmpr");
  EXPECT_EQ(save.ProjectFile, "neu-\xC3\xB6.qmpr");
  EXPECT_EQ(*save.Settings.HelpTitle, "\xDC"
                                      "bersicht");
}

TEST(CliOptions, MalformedCommandLinesAreUsageErrors) {
  // Each of these cannot be carried out as written.
  const std::vector<Args> bad = {
      {},
      {"konvertieren"},
      {"--input", "src"},
      {"convert", "--input", "src", "--kinds", "c", "--colour"},
      {"convert", "--kinds", "c", "--input"},
      {"convert", "--input", "src", "--kinds", "c", "--oem=1"},
      {"convert", "--input", "src", "--kinds", "c", "--from", "old.qmpr"},
      {"save", "--yes", "p.qmpr"},
      {"save", "--help-project", "p.qmpr"},
      {"save", "--kinds", "c"},
      {"save", "a.qmpr", "b.qmpr"},
      {"help", "convert", "save"},
      {"convert", "--input", "src", "--kinds", "c", "--source-encoding", "latin1"},
      {"save", "--source-encoding", "p.qmpr"},
  };
  for (const Args& args : bad) {
    std::string line;
    for (const std::string& arg : args) {
      line += arg + " ";
    }
    EXPECT_THROW(ParseArguments(args), UsageError) << line;
  }
}

TEST(CliOptions, HelpAndVersionWinOverTheRest) {
  // "--help" shows the help of the command it follows, whatever else stands on the line.
  EXPECT_EQ(ParseArguments({"--help"}).Cmd, Command::Help);
  EXPECT_EQ(ParseArguments({"--version"}).Cmd, Command::Version);
  const Options convertHelp = ParseArguments({"convert", "--help", "--bogus"});
  EXPECT_EQ(convertHelp.Cmd, Command::Help);
  EXPECT_EQ(convertHelp.HelpTopic, Command::Convert);
  EXPECT_EQ(ParseArguments({"help", "save"}).HelpTopic, Command::Save);
  EXPECT_EQ(ParseArguments({"help"}).HelpTopic, Command::Help);
}

} // namespace
