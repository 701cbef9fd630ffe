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
  RecordedMessages messages;

  Job() {
    for (const char* name : {"a", "b"}) {
      WriteFile(root / ("src/" + std::string(name) + ".pas"),
                CrLf({"{###DocGen_Start Titel", "Hallo", "###DocGen_End}"}));
    }
    settings.InputPath = root / "src";
    settings.OutputPath = root / "out";
    settings.Kinds.Set(qm::SourceKind::Pascal);
    settings.Help.Title = "Handbuch";
  }
};

} // namespace

TEST(ProjectJob, OpenMakesTheProjectTemplatesTheGenerators) {
  // Opening replaces all eight templates, also those the project does not hold; a save
  // writes the generator's templates, whatever the settings carry.
  Job job;
  WriteFile(job.root / "p.qmpr", CrLf({"[Vorlagen.Entwickler.Fuss]", "Zeile0=Ende"}));
  const ProjectSettings opened = OpenProject(job.root / "p.qmpr", job.generator);
  EXPECT_EQ(job.generator.Templates[qm::TemplateId::TechPageFooter], (Lines{"Ende"}));
  EXPECT_TRUE(job.generator.Templates[qm::TemplateId::DocPageFooter].empty());
  EXPECT_EQ(opened.Templates, job.generator.Templates);

  job.generator.Templates[qm::TemplateId::DocPageHeader] = {"Kopf"};
  SaveProject(job.root / "q.qmpr", opened, job.generator);
  EXPECT_EQ(LoadProjectFile(job.root / "q.qmpr").Templates, job.generator.Templates);
}

TEST(ProjectJob, ConversionTellsDeclinedCancelledAndConvertedApart) {
  // A declined folder does nothing; a stop after the first file keeps that file's page; a
  // finished run converts all, and the help project then goes into the output folder.
  Job job;
  job.interaction.answer = false;
  EXPECT_EQ(ConvertProject(job.settings, job.generator, job.interaction, nullptr),
            JobOutcome::Declined);
  EXPECT_FALSE(Exists(job.root / "out"));

  job.interaction.answer = true;
  StopAfterFirst progress;
  EXPECT_EQ(ConvertProject(job.settings, job.generator, job.interaction, &progress),
            JobOutcome::Cancelled);
  EXPECT_EQ(FileNames(job.root / "out"), (std::vector<std::string>{"a.Doc.htm"}));

  EXPECT_EQ(ConvertProject(job.settings, job.generator, job.interaction, nullptr),
            JobOutcome::Converted);
  EXPECT_TRUE(BuildHelpProject(job.generator, job.settings, job.program, job.messages));
  EXPECT_TRUE(Exists(job.root / "out/Handbuch.Doc.hhp"));
  EXPECT_TRUE(Exists(job.root / "out/b.Doc.htm"));
}
