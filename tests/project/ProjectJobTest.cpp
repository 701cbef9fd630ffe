#include "project/ProjectJob.h"

#include "engine/Generator.h"
#include "helpproject/HelpTestUtil.h"
#include "project/ProjectFile.h"

using namespace qm;
using namespace qmtest;

namespace {

// Answers yes and reports nothing.
class Yes final : public ConversionInteraction {
public:
  bool ConfirmCreateFolder(const std::string&) override { return answer; }
  bool ConfirmReplace(const std::string&) override { return answer; }
  bool answer = true;
};

// Counts the files and reports a cancel once the first is done.
class StopAfterFirst final : public ProgressSink {
public:
  void SetFileCount(int) override {}
  bool Cancelled() const override { return done > 0; }
  void StepFile(const std::string&, int) override { ++done; }
  int done = 0;
};

struct Job {
  TempDir root;
  std::string program = MakeProgramFolder(root);
  TGenerator generator{program};
  ProjectSettings settings;
  Yes interaction;

  Job() {
    for (const char* name : {"a", "b"}) {
      WriteFile(root / ("src/" + std::string(name) + ".pas"),
                CrLf({"{###DocGen_Start Titel", "Hallo", "###DocGen_End}"}));
    }
    settings.InputPath = root / "src";
    settings.OutputPath = root / "out";
    settings.Kinds.Set(qm::SourceKind::Pascal);
    settings.Help.Title = "Handbuch";
    settings.Templates = generator.InstalledTemplates();
  }
};

} // namespace

TEST(ProjectJob, OpenBringsAllEightTemplatesOfTheProject) {
  // An opened project's templates replace all eight, also those the project does not hold;
  // a save writes the templates the settings carry.
  Job job;
  WriteFile(job.root / "p.qmpr", CrLf({"[Vorlagen.Entwickler.Fuss]", "Zeile0=Ende"}));
  ProjectSettings opened = LoadProjectFile(job.root / "p.qmpr");
  EXPECT_EQ(opened.Templates[qm::TemplateId::TechPageFooter], (Lines{"Ende"}));
  EXPECT_TRUE(opened.Templates[qm::TemplateId::DocPageFooter].empty());

  opened.Templates[qm::TemplateId::DocPageHeader] = {"Kopf"};
  SaveProjectFile(job.root / "q.qmpr", opened);
  EXPECT_EQ(LoadProjectFile(job.root / "q.qmpr").Templates, opened.Templates);
}

TEST(ProjectJob, ConversionTellsDeclinedCancelledAndConvertedApart) {
  // A declined folder does nothing; a stop after the first file keeps that file's page; a
  // finished run converts all, and the help project then goes into the output folder.
  Job job;
  job.interaction.answer = false;
  RunResult run;
  EXPECT_EQ(ConvertProject(job.settings, job.generator, job.interaction, run, nullptr),
            JobOutcome::Declined);
  EXPECT_FALSE(run.Ran());
  EXPECT_FALSE(Exists(job.root / "out"));

  job.interaction.answer = true;
  StopAfterFirst progress;
  EXPECT_EQ(ConvertProject(job.settings, job.generator, job.interaction, run, &progress),
            JobOutcome::Cancelled);
  EXPECT_EQ(FileNames(job.root / "out"), (std::vector<std::string>{"a.Doc.htm"}));

  EXPECT_EQ(ConvertProject(job.settings, job.generator, job.interaction, run, nullptr),
            JobOutcome::Converted);
  HelpProjectResult help;
  BuildHelpProject(run, job.generator.Tables(), job.settings, job.program, help);
  EXPECT_TRUE(Exists(job.root / "out/Handbuch.Doc.hhp"));
  EXPECT_TRUE(Exists(job.root / "out/b.Doc.htm"));
}
