// Feeds the help-project writers with entry lists. The input is read as lines; the first
// line's first byte gives the boxes (bit 0-7: Doc project, Tech project, contents, index,
// alias files, C, Pascal and Java maps), the rest of it is the title. Every other line is an
// entry chosen by its first character:
//   "P" a Doc page, "p" a Tech page, "T"/"t" a contents entry, "I"/"i" an index entry,
//   "C"/"c" a context id (Doc/Tech), "D" the default page, "L" the language.
// Lines never hold a line break, as the conversion's lists never do, so no written line may
// hold one either. The whole run then goes to disk: a title that would leave the output
// folder is refused, and nothing appears outside it.
#include "FuzzWorld.h"

#include "EntryText.h"
#include "base/Error.h"
#include "engine/Generator.h"
#include "helpproject/AliasWriter.h"
#include "helpproject/HelpProjectRun.h"
#include "helpproject/MapHeaderWriter.h"
#include "helpproject/ProjectFileWriter.h"
#include "helpproject/SitemapWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void Check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

void CheckWhole(const qm::Lines& lines) {
  for (const std::string& line : lines) {
    Check(line.find_first_of("\r\n") == std::string::npos);
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const qmfuzz::World& world = qmfuzz::TheWorld();
  static const qm::TGenerator generator(world.Program());
  const qm::GeneratorTables& tables = generator.Tables();
  static const qm::MapHeadTemplates head = qm::ReadMapHeadTemplates(world.Program());
  const qm::Lines lines =
      qm::SplitLines(std::string_view(reinterpret_cast<const char*>(data), size));
  if (lines.empty() || lines[0].empty()) {
    return 0;
  }
  const auto boxes = static_cast<std::uint8_t>(lines[0][0]);
  qm::HelpProjectSettings settings;
  settings.Title = lines[0].substr(1);
  settings.DocHelpEnabled = (boxes & 1) != 0;
  settings.TechHelpEnabled = (boxes & 2) != 0;
  settings.DocToc = settings.TechToc = (boxes & 4) != 0;
  settings.DocIndex = settings.TechIndex = (boxes & 8) != 0;
  settings.AliasHeaders = (boxes & 16) != 0;
  settings.MapHeaderC = (boxes & 32) != 0;
  settings.MapHeaderPascal = (boxes & 64) != 0;
  settings.MapHeaderJava = (boxes & 128) != 0;

  qm::RunResult run;
  qm::KindRecords& doc = run.Of(qm::DocKind::Doc);
  qm::KindRecords& tech = run.Of(qm::DocKind::Tech);
  qm::Lines docToc, techToc, docIndex, techIndex, docIds, techIds;
  for (size_t i = 1; i < lines.size(); ++i) {
    if (lines[i].empty()) {
      continue;
    }
    const std::string value = lines[i].substr(1);
    switch (lines[i][0]) {
    case 'P':
      doc.Pages.push_back(world.Out() + value);
      break;
    case 'p':
      tech.Pages.push_back(world.Out() + value);
      break;
    case 'T':
      docToc.push_back(value);
      break;
    case 't':
      techToc.push_back(value);
      break;
    case 'I':
      docIndex.push_back(value);
      break;
    case 'i':
      techIndex.push_back(value);
      break;
    case 'C':
      docIds.push_back(value);
      break;
    case 'c':
      techIds.push_back(value);
      break;
    case 'D':
      settings.DocDefaultPage = value;
      break;
    case 'L':
      settings.Language = value;
      break;
    default:
      break;
    }
  }

  // Entries as the conversion records them: the text, then the page behind the last ";".
  doc.Toc = qmtest::Entries(docToc);
  tech.Toc = qmtest::Entries(techToc);
  doc.Index = qmtest::Entries(docIndex);
  tech.Index = qmtest::Entries(techIndex);
  doc.ContextIds = qmtest::Ids(docIds);
  tech.ContextIds = qmtest::Ids(techIds);

  CheckWhole(qm::ProjectFileLines(qm::DocKind::Doc, settings, doc));
  CheckWhole(qm::ContentsFileLines(doc.Toc, tables.Tags, tables.Chars));
  CheckWhole(qm::IndexFileLines(doc.Index, tables.Tags, tables.Chars));
  CheckWhole(qm::AliasFileLines(doc.ContextIds, tables.Chars));
  qm::Lines map;
  qm::WriteJavaMapPart(map, "Doc", qm::MapPart::Head, {}, {}, head);
  for (const qm::ContextIdEntry& entry : doc.ContextIds) {
    qm::WriteCMapPart(map, "Doc", qm::MapPart::Constant, entry.Id,
                      qm::ContextSymbol(entry, tables.Chars), head);
  }
  CheckWhole(map);

  run.OutputFolder = world.Out();
  qm::HelpProjectResult written;
  const std::string folder = world.Out() + "hilfe/";
  bool refused = false;
  try {
    qm::RunHelpProject(run, tables, settings, folder, world.Program(), written);
  } catch (const qm::Error&) {
    refused = true;
  }
  Check(refused || qm::IsValidHelpTitle(settings.Title));
  Check(world.OnlyOwnFolders());
  Check(!world.TemporaryFilesLeft());
  // Every file stays directly in the help folder.
  for (const auto& e : std::filesystem::recursive_directory_iterator(world.Out())) {
    Check(e.path().parent_path().string() + "/" == folder || e.path().string() + "/" == folder);
  }
  world.ClearOut();
  return 0;
}
