#include "project/ConversionCommand.h"

#include "TestUtil.h"
#include "base/Error.h"
#include "base/Paths.h"
#include "engine/Generator.h"

using namespace qm;
using qmtest::CrLf;
using qmtest::Exists;
using qmtest::ReadFile;
using qmtest::WriteFile;

namespace {

// Answers the command's questions as told and logs every call in order.
class ScriptedInteraction : public ConversionInteraction {
public:
  bool createFolder = true;
  bool replace = false;
  std::vector<std::string> log;

  bool ConfirmCreateFolder(const std::string& question) override {
    log.push_back("create? " + question);
    return createFolder;
  }
  void BeginCopy(const std::string& title, int fileCount) override {
    log.push_back("begin " + title + " " + std::to_string(fileCount));
  }
  void CopiedFile(const std::string& target) override { log.push_back("copied " + target); }
  bool ConfirmReplace(const std::string& target) override {
    log.push_back("replace? " + target);
    return replace;
  }
  void CopyFailed(const std::string& message) override { log.push_back("failed " + message); }
  void EndCopy() override { log.push_back("end"); }
};

// A program folder with empty tables and one-line templates, a source with one user block,
// and the settings that convert it.
class Conversion {
public:
  Conversion() {
    WriteFile(root / "bin/HTMLTags.txt", "");
    WriteFile(root / "bin/Umlaute.txt", "");
    for (const char* kind : {"Usr", "Dev"}) {
      const std::string k(kind);
      WriteFile(root / ("Templates/HTMLHeader_" + k + ".htt"), "H\r\n");
      WriteFile(root / ("Templates/HTMLFooter_" + k + ".htt"), "F\r\n");
      WriteFile(root / ("Templates/HTMLBlockHeader_" + k + ".htt"), "BH\r\n");
      WriteFile(root / ("Templates/HTMLBlockFooter_" + k + ".htt"), "BF\r\n");
    }
    WriteFile(root / "src/a.pas", CrLf({"{###DocGen_Start Titel", "Hallo", "###DocGen_End}"}));
    settings.InputPath = root / "src";
    settings.Kinds.Set(qm::SourceKind::Pascal);
  }

  ConversionOutcome Run() {
    const TGenerator generator(root / "bin/");
    settings.Templates = generator.InstalledTemplates();
    RunResult result;
    const ConversionOutcome outcome = RunConversion(settings, generator, interaction, result);
    outputFolder = result.OutputFolder;
    return outcome;
  }

  qmtest::TempDir root;
  ProjectSettings settings;
  ScriptedInteraction interaction;
  std::string outputFolder;
};

// The user page of a.pas with the templates above.
const std::string kPage = CrLf({"H", "BH", "Hallo", "", "", "BF", "F"});

} // namespace

TEST(ConversionCommand, DeclinedOutputFolderChangesNothing) {
  // "No" to creating the output folder ends the command: no folder, no copy, no pages.
  Conversion c;
  c.settings.OutputPath = c.root / "out/neu";
  c.settings.ExtraFilesFolder = c.root / "extra";
  WriteFile(c.root / "extra/bild.png", "png");
  c.interaction.createFolder = false;
  EXPECT_EQ(c.Run(), ConversionOutcome::Declined);
  EXPECT_EQ(c.interaction.log,
            (std::vector<std::string>{"create? Der Ordner\r\n\r\n" + c.root / "out/neu" +
                                      "\r\n\r\nexistiert nicht. Soll er erstellt werden?"}));
  EXPECT_FALSE(Exists(c.root / "out"));
  EXPECT_FALSE(Exists(c.root / "src/a.Doc.htm"));
}

TEST(ConversionCommand, CreatesTheFolderCopiesExtrasAndWritesPages) {
  // "Yes" creates the output folder; the additional files arrive there with their
  // sub-folders and hidden files, then the pages are written.
  Conversion c;
  c.settings.OutputPath = c.root / "out/neu/";
  c.settings.ExtraFilesFolder = c.root / "extra";
  WriteFile(c.root / "extra/style.css", "css");
  WriteFile(c.root / "extra/.versteckt", "v");
  WriteFile(c.root / "extra/bilder/a.png", "png");
  std::filesystem::create_directories(c.root / "extra/leer");
  EXPECT_EQ(c.Run(), ConversionOutcome::Converted);

  const std::string out = c.root / "out/neu/";
  EXPECT_EQ(c.outputFolder, out);
  EXPECT_EQ(c.interaction.log.size(), 6u);
  EXPECT_EQ(std::vector<std::string>(c.interaction.log.begin() + 1, c.interaction.log.end()),
            (std::vector<std::string>{
                "begin " + std::string(kCopyProgressTitle) + " 3", "copied " + out + ".versteckt",
                "copied " + out + "bilder/a.png", "copied " + out + "style.css", "end"}));
  EXPECT_EQ(ReadFile(out + ".versteckt"), "v");
  EXPECT_EQ(ReadFile(out + "bilder/a.png"), "png");
  EXPECT_EQ(ReadFile(out + "style.css"), "css");
  EXPECT_TRUE(std::filesystem::is_directory(out + "leer"));
  EXPECT_EQ(ReadFile(out + "a.Doc.htm"), kPage);
  EXPECT_FALSE(Exists(out + "a.Tech.htm"));
}

TEST(ConversionCommand, ExistingFilesAreReplacedOnlyWhenConfirmed) {
  // The copy asks before replacing a file; "no" keeps the old content.
  Conversion c;
  c.settings.OutputPath = c.root / "out";
  c.settings.ExtraFilesFolder = c.root / "extra/";
  WriteFile(c.root / "extra/style.css", "neu");
  WriteFile(c.root / "out/style.css", "alt");
  c.Run();
  EXPECT_EQ(c.interaction.log,
            (std::vector<std::string>{"begin " + std::string(kCopyProgressTitle) + " 1",
                                      "replace? " + c.root / "out/style.css",
                                      "copied " + c.root / "out/style.css", "end"}));
  EXPECT_EQ(ReadFile(c.root / "out/style.css"), "alt");

  c.interaction.replace = true;
  c.Run();
  EXPECT_EQ(ReadFile(c.root / "out/style.css"), "neu");
}

TEST(ConversionCommand, WithoutOutputPathExtrasGoBesideTheTopLevelPages) {
  // No output folder: the pages land beside their sources, so the additional files are
  // copied into the input folder; nothing is asked.
  Conversion c;
  c.settings.ExtraFilesFolder = c.root / "extra";
  WriteFile(c.root / "extra/style.css", "css");
  EXPECT_EQ(c.Run(), ConversionOutcome::Converted);
  EXPECT_EQ(c.outputFolder, std::string(1, kPathSep));
  EXPECT_EQ(ReadFile(c.root / "src/style.css"), "css");
  EXPECT_EQ(ReadFile(c.root / "src/a.Doc.htm"), kPage);
  EXPECT_EQ(c.interaction.log.front(), "begin " + std::string(kCopyProgressTitle) + " 1");
}

TEST(ConversionCommand, CopyProblemsAreReportedAndTheRunGoesOn) {
  // A missing extra folder is reported; an output folder inside the extra folder is not
  // copied into itself; the pages are written in both cases.
  Conversion c;
  c.settings.OutputPath = c.root / "out";
  c.settings.ExtraFilesFolder = c.root / "fehlt";
  c.Run();
  EXPECT_EQ(c.interaction.log,
            (std::vector<std::string>{"create? Der Ordner\r\n\r\n" + c.root / "out" +
                                          "\r\n\r\nexistiert nicht. Soll er erstellt werden?",
                                      "failed Der Ordner " + c.root / "fehlt/" +
                                          " der zus\xE4tzlichen Dateien existiert nicht"}));
  EXPECT_EQ(ReadFile(c.root / "out/a.Doc.htm"), kPage);

  Conversion inside;
  inside.settings.ExtraFilesFolder = inside.root / "extra";
  inside.settings.OutputPath = inside.root / "extra/out";
  WriteFile(inside.root / "extra/x.txt", "x");
  inside.Run();
  EXPECT_EQ(ReadFile(inside.root / "extra/out/x.txt"), "x");
  EXPECT_FALSE(Exists(inside.root / "extra/out/out"));
  EXPECT_EQ(ReadFile(inside.root / "extra/out/a.Doc.htm"), kPage);
}

TEST(ConversionCommand, EmptyInputPathIsRefused) {
  // An empty input path fails before anything is asked, copied or written.
  Conversion c;
  c.settings.InputPath.clear();
  c.settings.OutputPath = c.root / "out";
  try {
    c.Run();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), kMsgNoInputPath);
  }
  EXPECT_TRUE(c.interaction.log.empty());
  EXPECT_FALSE(Exists(c.root / "out"));
}
