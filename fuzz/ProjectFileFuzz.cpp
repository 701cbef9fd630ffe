// The input is an existing project file (as any editor may have left it: Windows-1252, UTF-8
// with a byte-order mark, odd sections, NUL bytes). It is loaded; its settings are saved back
// into it, and then a shuffled set of the same values; each time the file must read back as
// exactly the settings saved, and a save must not fail on values that came from a file.
#include "FuzzWorld.h"

#include "base/Error.h"
#include "project/ProjectFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

namespace {

void Check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

// Other values of the same kinds, each taken from another field, so that a save changes
// entries in place, adds some and empties others.
qm::ProjectSettings Shuffled(qm::ProjectSettings s) {
  std::swap(s.InputPath, s.OutputPath);
  std::swap(s.ExtraFilesFolder, s.Help.Title);
  std::swap(s.Help.Language, s.Help.DocDefaultPage);
  std::swap(s.Templates[qm::TemplateId::DocPageHeader],
            s.Templates[qm::TemplateId::TechBlockFooter]);
  s.Templates[qm::TemplateId::DocBlockHeader].push_back(s.Help.TechDefaultPage);
  s.IncludeSubfolders = !s.IncludeSubfolders;
  s.Kinds.Set(qm::SourceKind::Java, !s.Kinds[qm::SourceKind::Java]);
  s.OemToAnsi = !s.OemToAnsi;
  s.Help.MapHeaderJava = !s.Help.MapHeaderJava;
  s.Help.TechIndex = !s.Help.TechIndex;
  return s;
}

void SaveAndReload(const std::string& path, const qm::ProjectSettings& settings) {
  qm::SaveProjectFile(path, settings);
  Check(qm::LoadProjectFile(path) == settings);
  Check(qm::HoldsProjectSection(path));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const qmfuzz::World& world = qmfuzz::TheWorld();
  const std::string path = world.Out() + "projekt.qmpr";
  qmfuzz::World::WriteFile(path, std::string(reinterpret_cast<const char*>(data), size));
  (void)qm::HoldsProjectSection(path);
  qm::ProjectSettings loaded;
  try {
    loaded = qm::LoadProjectFile(path);
  } catch (const qm::Error&) {
    // A UTF-8 value that Windows-1252 cannot hold; the file stays as it is.
    world.ClearOut();
    return 0;
  }
  SaveAndReload(path, loaded);
  SaveAndReload(path, Shuffled(loaded));
  Check(!world.TemporaryFilesLeft());
  world.ClearOut();
  return 0;
}
