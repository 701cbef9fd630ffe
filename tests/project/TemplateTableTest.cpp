// Every template's file and project-file section, written out by hand: the generator reads
// each file into its own template, in a fixed order, and a project file keeps each template in
// its own section, in a fixed order.
#include "engine/EngineFixture.h"
#include "engine/Templates.h"
#include "project/ProjectFile.h"

using namespace qmtest;
using qm::TemplateId;

namespace {

/// A template with its file and, in this order, its section in a project file.
struct Template {
  TemplateId id;
  std::string file, section;
};
const std::vector<Template> kTemplates = {
    {TemplateId::DocPageHeader, "HTMLHeader_Usr.htt", "Vorlagen.Benutzer.Kopf"},
    {TemplateId::DocPageFooter, "HTMLFooter_Usr.htt", "Vorlagen.Benutzer.Fuss"},
    {TemplateId::DocBlockHeader, "HTMLBlockHeader_Usr.htt", "Vorlagen.Benutzer.Block.Kopf"},
    {TemplateId::DocBlockFooter, "HTMLBlockFooter_Usr.htt", "Vorlagen.Benutzer.Block.Fuss"},
    {TemplateId::TechPageHeader, "HTMLHeader_Dev.htt", "Vorlagen.Entwickler.Kopf"},
    {TemplateId::TechPageFooter, "HTMLFooter_Dev.htt", "Vorlagen.Entwickler.Fuss"},
    {TemplateId::TechBlockHeader, "HTMLBlockHeader_Dev.htt", "Vorlagen.Entwickler.Block.Kopf"},
    {TemplateId::TechBlockFooter, "HTMLBlockFooter_Dev.htt", "Vorlagen.Entwickler.Block.Fuss"},
};

} // namespace

TEST(TemplateTable, EveryFileFillsItsOwnTemplateAndSection) {
  // Each file lands in its own template, which a save writes into its own section; the
  // sections stand in the order above and read back into the same templates.
  EngineFixture fx;
  const std::string folder = fx.dir / "Templates/";
  for (const Template& t : kTemplates) {
    WriteFile(folder + t.file, CrLf({t.file}));
  }
  const qm::TGenerator gen(fx.ProgramFolder());
  std::string sections;
  for (const Template& t : kTemplates) {
    EXPECT_EQ(gen.InstalledTemplates()[t.id], (qm::Lines{t.file})) << t.file;
    sections += CrLf({"[" + t.section + "]", "Zeile0=" + t.file});
  }

  qm::ProjectSettings settings;
  settings.Templates = gen.InstalledTemplates();
  const std::string project = fx.dir / "p.qmpr";
  qm::SaveProjectFile(project, settings);
  const std::string saved = ReadFile(project);
  EXPECT_NE(saved.find(CrLf({"EigeneDateien=0"}) + sections + "[HelpWorkshop]"), std::string::npos)
      << saved;
  EXPECT_EQ(qm::LoadProjectFile(project).Templates, gen.InstalledTemplates());
}

TEST(TemplateTable, FilesAreReadBlocksFirstDocBeforeTech) {
  // With every file missing, the generator names them one after the other as each is put
  // back: the order in which it reads them.
  EngineFixture fx;
  const std::string folder = fx.dir / "Templates/";
  for (const Template& t : kTemplates) {
    std::filesystem::remove(folder + t.file);
  }
  for (const char* file : {"HTMLBlockHeader_Usr.htt", "HTMLBlockFooter_Usr.htt",
                           "HTMLHeader_Usr.htt", "HTMLFooter_Usr.htt", "HTMLBlockHeader_Dev.htt",
                           "HTMLBlockFooter_Dev.htt", "HTMLHeader_Dev.htt", "HTMLFooter_Dev.htt"}) {
    EXPECT_EQ(ErrorText([&] { qm::TGenerator missing(fx.ProgramFolder()); }),
              "Datei " + fx.ProgramFolder() + "../Templates/" + file +
                  " kann nicht ge\xF6"
                  "ffnet werden");
    WriteFile(folder + file, "");
  }
}
