// Runs the generator, with the shipped tables and templates, on a tree of one source file
// whose bytes come from the input, and then the help project on what the run collected. The
// first byte chooses:
//   bit 0: automatic line break; bit 1: OEM to ANSI; bit 2: one file per block;
//   bit 3: no output folder (the pages go beside the source);
//   bits 4-7: the source's extension (one of each source kind, and a name without one).
// A run may end with an error the user sees (a block without its end marker, a page name that
// leads out of its folder); it must never fault, write outside its folders, leave a temporary
// file, or list a page it did not write.
#include "FuzzWorld.h"

#include "base/Error.h"
#include "base/FileSystem.h"
#include "engine/Generator.h"
#include "helpproject/HelpProjectRun.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

constexpr const char* kSourceNames[] = {"Quelle.pas", "Quelle.dpr",  "Quelle.c",    "Quelle.h",
                                        "Quelle.cpp", "Quelle.java", "Quelle.bas",  "Quelle.sql",
                                        "Quelle.asm", "Quelle.htm",  "Quelle.html", "Quelle.rul",
                                        "Quelle.dpk", "Quelle.bpg",  "Quelle.p",    "Quelle"};

void Check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const qmfuzz::World& world = qmfuzz::TheWorld();
  static const qm::TGenerator generator(world.Program());
  if (size == 0) {
    return 0;
  }
  const std::uint8_t options = data[0];
  const std::string source = world.Src() + kSourceNames[options >> 4];
  qmfuzz::World::WriteFile(source, std::string(reinterpret_cast<const char*>(data) + 1, size - 1));

  qm::GeneratorOptions run;
  run.AutoLineBreak = (options & 1) != 0;
  run.OemToAnsi = (options & 2) != 0;
  run.OneFilePerBlock = (options & 4) != 0;
  run.OutputFolder = (options & 8) != 0 ? "/" : world.Out();
  qm::TQuelle quelle;
  quelle.Files = {source};
  qm::RunResult result;
  bool finished = true;
  try {
    generator.Run(quelle, run, generator.InstalledTemplates(), result);
  } catch (const qm::Error&) {
    finished = false;
  }
  Check(world.OnlyOwnFolders());
  Check(!world.TemporaryFilesLeft());
  if (finished) {
    for (const qm::KindRecords& records : result.Kinds) {
      for (const std::string& page : records.Pages) {
        Check(qm::FileExists(page));
      }
    }
    qm::HelpProjectSettings help;
    help.Title = "Hilfe";
    help.MapHeaderPascal = true;
    help.MapHeaderJava = true;
    qm::HelpProjectResult written;
    result.OutputFolder = world.Out();
    try {
      qm::RunHelpProject(result, generator.Tables(), help, world.Out() + "hilfe", world.Program(),
                         written);
    } catch (const qm::Error&) {
    }
    Check(world.OnlyOwnFolders());
    Check(!world.TemporaryFilesLeft());
  }
  std::filesystem::remove(source);
  // Pages beside the source land in the source folder.
  std::filesystem::remove_all(world.Src());
  std::filesystem::create_directories(world.Src());
  world.ClearOut();
  return 0;
}
