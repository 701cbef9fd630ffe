#include "project/ProjectModel.h"

#include "base/Error.h"
#include "base/RunLock.h"
#include "engine/Generator.h"
#include "helpproject/HelpTestUtil.h"
#include "project/ProjectFile.h"

#include <cerrno>

using namespace qm;
using namespace qmtest;

namespace {

// Answers yes to every question.
class Yes final : public ConversionInteraction {
public:
  bool ConfirmCreateFolder(const std::string&) override { return true; }
  bool ConfirmReplace(const std::string&) override { return true; }
};

// Runs edit once the first file of a run is done.
class EditAfterFirstFile final : public ProgressSink {
public:
  explicit EditAfterFirstFile(std::function<void()> edit) : edit_(std::move(edit)) {}
  void SetFileCount(int) override {}
  void StepFile(const std::string&, int) override {
    if (edit_) {
      std::exchange(edit_, nullptr)();
    }
  }

private:
  std::function<void()> edit_;
};

// An installed program with one-line templates and two Pascal sources with a user block.
struct Installed {
  TempDir root;
  ProjectModel model{MakeProgramFolder(root)};
  Yes yes;
  int changes = 0;

  Installed() {
    for (const char* kind : {"Usr", "Dev"}) {
      WriteFile(root / ("Templates/HTMLHeader_" + std::string(kind) + ".htt"), "H\r\n");
      WriteFile(root / ("Templates/HTMLFooter_" + std::string(kind) + ".htt"), "F\r\n");
    }
    for (const char* name : {"a", "b"}) {
      WriteFile(root / ("src/" + std::string(name) + ".pas"),
                CrLf({"{###DocGen_Start Titel", "Hallo", "###DocGen_End}"}));
    }
    model.Observe([this] { ++changes; });
    model.ReadInstallation();
    model.StartFresh();
    model.Edit().InputPath = root / "src";
    model.Edit().OutputPath = root / "out";
    model.Edit().Kinds.Set(SourceKind::Pascal);
  }
};

// The user page of a source under the one-line templates, with page header header.
std::string Page(const std::string& header) {
  return CrLf({header, "Hallo", "", "", "F"});
}

} // namespace

TEST(ProjectModel, FreshStartTakesTheInstalledTemplatesOrNoneWithoutAnInstallation) {
  // A missing template file leaves the model without a generator; its fresh start has empty
  // templates and every other default.
  Installed job;
  EXPECT_EQ(job.changes, 1);
  EXPECT_EQ(job.model.Settings().Templates[TemplateId::TechPageHeader], (Lines{"H"}));
  EXPECT_EQ(job.model.CurrentProjectFile(), "");

  std::filesystem::remove(job.root / "Templates/HTMLFooter_Dev.htt");
  ProjectModel broken(job.root / "bin/");
  EXPECT_THROW(broken.ReadInstallation(), Error);
  EXPECT_EQ(broken.Generator(), nullptr);
  broken.StartFresh();
  EXPECT_EQ(broken.Settings(), ProjectSettings());
}

TEST(ProjectModel, OpenReplacesEveryValueAndSaveWritesTheEditedOnes) {
  // Opening replaces all eight templates, also those the project lacks, and tells the
  // observers; a file that cannot be read changes nothing. A save writes the model's values
  // into the current file; a failed "save as" keeps the current file.
  Installed job;
  const std::string project = job.root / "p.qmpr";
  WriteFile(project,
            CrLf({"[Main.Eingabe]", "Pfad=/q", "[Vorlagen.Entwickler.Fuss]", "Zeile0=Ende"}));
  job.model.Open(project);
  EXPECT_EQ(job.changes, 2);
  EXPECT_EQ(job.model.CurrentProjectFile(), project);
  EXPECT_EQ(job.model.Settings().InputPath, "/q");
  EXPECT_EQ(job.model.Settings().Templates[TemplateId::TechPageFooter], (Lines{"Ende"}));
  EXPECT_TRUE(job.model.Settings().Templates[TemplateId::DocPageHeader].empty());

  std::filesystem::create_directories(job.root / "ordner.qmpr");
  const ProjectSettings before = job.model.Settings();
  EXPECT_THROW(job.model.Open(job.root / "ordner.qmpr"), Error);
  EXPECT_EQ(job.model.Settings(), before);
  EXPECT_EQ(job.model.CurrentProjectFile(), project);
  EXPECT_EQ(job.changes, 2);

  job.model.Edit().OutputPath = "/neu";
  job.model.Edit().Templates[TemplateId::DocPageHeader] = {"Kopf"};
  job.model.Save();
  const std::string saved = ReadFile(project);
  EXPECT_NE(saved.find("[Main.Ausgabe]\r\nPfad=/neu\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("[Vorlagen.Benutzer.Kopf]\r\nZeile0=Kopf\r\n"), std::string::npos);

  EXPECT_THROW(job.model.SaveAs(job.root / "fehlt/q.qmpr"), Error);
  EXPECT_EQ(job.model.CurrentProjectFile(), project);
  job.model.SaveAs(job.root / "q.qmpr");
  EXPECT_EQ(job.model.CurrentProjectFile(), job.root / "q.qmpr");
}

TEST(ProjectModel, AFileWithoutAProjectIsRefusedAndChangesNothing) {
  // Random bytes and a text file hold no section of a project: opening either is refused with
  // its name, the values stay and no observer is told, so nothing empty is stored later.
  Installed job;
  WriteFile(job.root / "zufall.qmpr", std::string("\x89PNG\r\n\x1A\n\0\0\xFF[", 12));
  WriteFile(job.root / "notiz.qmpr", CrLf({"Einkaufsliste", "Pfad=/anders"}));
  const ProjectSettings before = job.model.Settings();
  for (const std::string name : {"zufall.qmpr", "notiz.qmpr"}) {
    try {
      job.model.Open(job.root / name);
      ADD_FAILURE() << name << " opened";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), "Die Datei " + job.root / name +
                                           " enth\xE4lt keine Projekteinstellungen und wird "
                                           "nicht ge\xF6"
                                           "ffnet");
    }
    EXPECT_EQ(job.model.Settings(), before);
    EXPECT_EQ(job.model.CurrentProjectFile(), "");
    EXPECT_EQ(job.changes, 1);
  }
}

TEST(ProjectModel, EachUseChecksTheFieldsItReadsInItsOrder) {
  // A conversion reads the two folders, a save every text, the help project its own texts
  // and then the output folder. A refusing check stops the use before it writes anything.
  Installed job;
  std::vector<std::string> checked;
  const std::pair<TextField, const char*> fields[] = {
      {TextField::InputPath, "in"},       {TextField::OutputPath, "out"},
      {TextField::HelpTitle, "title"},    {TextField::HelpLanguage, "language"},
      {TextField::DocDefaultPage, "doc"}, {TextField::TechDefaultPage, "tech"}};
  for (const auto& [field, name] : fields) {
    job.model.SetFieldCheck(field, [&checked, name = name] { checked.push_back(name); });
  }
  job.model.NewConversion();
  EXPECT_EQ(checked, (std::vector<std::string>{"in", "out"}));
  checked.clear();
  job.model.SaveAs(job.root / "p.qmpr");
  EXPECT_EQ(checked, (std::vector<std::string>{"in", "out", "title", "tech", "doc", "language"}));
  checked.clear();
  HelpProjectResult help;
  EXPECT_THROW(job.model.BuildHelpProject(help), Error);
  EXPECT_EQ(checked, (std::vector<std::string>{"title", "tech", "doc", "language", "out"}));

  job.model.SetFieldCheck(TextField::HelpTitle, [] { throw std::runtime_error("Titel"); });
  EXPECT_THROW(job.model.SaveAs(job.root / "r.qmpr"), std::runtime_error);
  EXPECT_FALSE(Exists(job.root / "r.qmpr"));
  EXPECT_EQ(job.model.CurrentProjectFile(), job.root / "p.qmpr");
  EXPECT_EQ(job.model.Convert(job.yes, nullptr), JobOutcome::Converted);
}

TEST(ProjectModel, HelpProjectIsBuiltFromTheLastConversion) {
  // Before any conversion the help project's precondition refuses; after one it writes the
  // project of the pages that conversion wrote.
  Installed job;
  job.model.Edit().Help.Title = "Handbuch";
  job.model.Edit().Help.TechHelpEnabled = false;
  HelpProjectResult refused;
  try {
    job.model.BuildHelpProject(refused);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Parts().operation, FileOperation::Precondition);
  }

  EXPECT_EQ(job.model.Convert(job.yes, nullptr), JobOutcome::Converted);
  HelpProjectResult built;
  job.model.BuildHelpProject(built);
  EXPECT_EQ(built.ProjectFiles, std::vector<std::string>{job.root / "out/Handbuch.Doc.hhp"});
  EXPECT_EQ(FileNames(job.root / "out"),
            (std::vector<std::string>{"Handbuch.Doc.hhp", "a.Doc.htm", "b.Doc.htm"}));
  EXPECT_NE(
      ReadFile(job.root / "out/Handbuch.Doc.hhp").find("[FILES]\r\na.Doc.htm\r\nb.Doc.htm\r\n"),
      std::string::npos);
}

TEST(ProjectModel, AJobHoldsItsFolderFromTheConversionThroughTheHelpProject) {
  // A conversion that hands its lock over keeps the folder from every other run until the
  // help project is written under that lock. A help project on its own (the Workshop dialog)
  // takes the lock itself and is refused, writing nothing, while another run holds it.
  Installed job;
  job.model.Edit().Help.Title = "Handbuch";
  job.model.Edit().Help.TechHelpEnabled = false;
  const std::string out = job.root / "out";
  RunLock folderLock;
  EXPECT_EQ(job.model.Convert(job.yes, nullptr, &folderLock), JobOutcome::Converted);
  EXPECT_TRUE(folderLock.Held());
  RunLock other;
  EXPECT_EQ(other.TryLock(out), EWOULDBLOCK);
  HelpProjectResult built;
  job.model.BuildHelpProject(built, &folderLock);
  EXPECT_TRUE(Exists(out + "/Handbuch.Doc.hhp"));
  folderLock = RunLock();

  std::filesystem::remove(out + "/Handbuch.Doc.hhp");
  ASSERT_EQ(other.TryLock(out), 0);
  HelpProjectResult refused;
  try {
    job.model.BuildHelpProject(refused);
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(e.Parts().format, kMsgFolderBusy);
  }
  EXPECT_EQ(FileNames(out), (std::vector<std::string>{"a.Doc.htm", "b.Doc.htm"}));
  other = RunLock();
  job.model.BuildHelpProject(refused);
  EXPECT_TRUE(Exists(out + "/Handbuch.Doc.hhp"));
}

TEST(ProjectModel, ARunKeepsTheSettingsItStartedWith) {
  // Edits made while a run goes on (a template, the output folder, the kinds) do not reach
  // it: its second page is written as its first. The next run takes them.
  Installed job;
  EditAfterFirstFile editing([&] {
    job.model.Edit().Templates[TemplateId::DocPageHeader] = {"Neu"};
    job.model.Edit().OutputPath = job.root / "anders";
    job.model.Edit().Kinds.Set(SourceKind::Pascal, false);
  });
  EXPECT_EQ(job.model.Convert(job.yes, &editing), JobOutcome::Converted);
  EXPECT_EQ(ReadFile(job.root / "out/a.Doc.htm"), Page("H"));
  EXPECT_EQ(ReadFile(job.root / "out/b.Doc.htm"), Page("H"));
  EXPECT_FALSE(Exists(job.root / "anders"));

  job.model.Edit().Kinds.Set(SourceKind::Pascal);
  std::unique_ptr<ConversionJob> next = job.model.NewConversion();
  job.model.Edit().OutputPath = job.root / "out";
  EXPECT_EQ(next->Settings().OutputPath, job.root / "anders");
  EXPECT_EQ(next->Run(job.yes, nullptr), JobOutcome::Converted);
  EXPECT_EQ(ReadFile(job.root / "anders/b.Doc.htm"), Page("Neu"));
}
