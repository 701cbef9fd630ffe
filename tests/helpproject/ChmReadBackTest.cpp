// A help project whose pages carry letters beyond ASCII in their names compiles, and the
// compiled file holds every page, entry and context id.
#include "HelpTestUtil.h"

#include "base/Paths.h"
#include "engine/Generator.h"
#include "engine/Quelle.h"

#include <cstdio>
#include <map>
#include <sys/wait.h>

#ifdef QM_HAVE_CHMLIB
#include <chm_lib.h>
#endif

using namespace qm;
using namespace qmtest;

namespace {

const char* const kCompiler = "/usr/bin/chmcmd";

int RunCommand(const std::string& command, std::string& output) {
  FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) {
    return -1;
  }
  char buf[4096];
  size_t n = 0;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) {
    output.append(buf, n);
  }
  const int status = ::pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

#ifdef QM_HAVE_CHMLIB
/// The objects of a compiled help file, by their path inside it.
class ChmArchive {
public:
  explicit ChmArchive(const std::string& path) : file_(chm_open(path.c_str())) {}
  ~ChmArchive() {
    if (file_ != nullptr) {
      chm_close(file_);
    }
  }
  ChmArchive(const ChmArchive&) = delete;
  ChmArchive& operator=(const ChmArchive&) = delete;

  bool IsOpen() const { return file_ != nullptr; }

  /// The object's bytes, or nothing when the archive has no such object.
  std::optional<std::string> Read(const std::string& path) {
    chmUnitInfo ui{};
    if (chm_resolve_object(file_, path.c_str(), &ui) != CHM_RESOLVE_SUCCESS) {
      return std::nullopt;
    }
    std::string bytes(static_cast<size_t>(ui.length), '\0');
    const auto got = chm_retrieve_object(file_, &ui, reinterpret_cast<unsigned char*>(bytes.data()),
                                         0, static_cast<LONGINT64>(ui.length));
    bytes.resize(got < 0 ? 0 : static_cast<size_t>(got));
    return bytes;
  }

  /// The context map: each number with the topic it opens, from "#IVB" (a byte count, then
  /// pairs of number and offset) and "#STRINGS" (zero-terminated texts).
  std::map<uint32_t, std::string> ContextMap() {
    std::map<uint32_t, std::string> map;
    const std::string ivb = Read("/#IVB").value_or("");
    const std::string strings = Read("/#STRINGS").value_or("");
    auto word = [&ivb](size_t at) {
      uint32_t v = 0;
      for (size_t k = 0; k < 4; ++k) {
        v |= static_cast<uint32_t>(static_cast<unsigned char>(ivb[at + k])) << (8 * k);
      }
      return v;
    };
    for (size_t at = 4; at + 8 <= ivb.size(); at += 8) {
      const uint32_t offset = word(at + 4);
      if (offset < strings.size()) {
        map[word(at)] = std::string(strings.c_str() + offset);
      }
    }
    return map;
  }

private:
  chmFile* file_;
};
#endif

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

} // namespace

TEST(ChmReadBack, PageNamesBeyondAsciiCompileAndReadBack) {
  // "Übersicht.pas" and the own page "Tastenkürzel" (named in a Windows-1252 source): the help
  // files name both pages as they are spelled on disk, the compiler finds them without an
  // error or a warning, and the compiled file holds the pages, their contents and index
  // entries and their context ids.
  if (!Exists(kCompiler)) {
    GTEST_SKIP() << "chmcmd is not installed";
  }
  TempDir tmp;
  const std::string src = tmp / "src/";
  const std::string overview = "\xC3\x9C"
                               "bersicht";        // UTF-8, as the file system spells it
  const std::string keys = "Tastenk\xC3\xBCrzel"; // the own page on disk
  WriteFile(src + overview + ".pas", "{###DocGen_Start Hauptfenster\r\n"
                                     "###ContextID 1001\r\n"
                                     "###Toc Bedienung;Hauptfenster;Hauptfenster\r\n"
                                     "###Index Fenster;Hauptfenster\r\n"
                                     "Das Hauptfenster zeigt alles.\r\n"
                                     "###DocGen_End}\r\n"
                                     "{###DocGen_Start Tasten\r\n"
                                     "###Output Tastenk\xFCrzel\r\n"
                                     "###ContextID 1002\r\n"
                                     "###Toc Bedienung;Tasten;Tasten\r\n"
                                     "###Index Tasten;Tasten\r\n"
                                     "Strg+S speichert.\r\n"
                                     "###DocGen_End}\r\n"
                                     "unit Uebersicht;\r\n");
  const std::string out = tmp / "out/";
  std::filesystem::create_directories(out);

  // The shipped tables and templates.
  const TGenerator generator(std::string(QM_BIN_DIR) + "/");
  TQuelle quelle;
  quelle.Masks = {"*.pas"};
  quelle.Search(src);
  GeneratorOptions options;
  options.OutputFolder = out;
  const RunResult run = generator.Run(quelle, options, generator.InstalledTemplates());
  EXPECT_TRUE(run.Warnings.empty()) << run.Warnings.front().text;

  HelpProjectSettings settings;
  settings.Title = "Hilfe";
  settings.DocDefaultPage = "\xDC"
                            "bersicht.Doc.htm"; // typed, Windows-1252
  settings.TechHelpEnabled = false;
  HelpProjectResult written;
  RunHelpProject(run, generator.Tables(), settings, out, std::string(QM_BIN_DIR) + "/", written);
  EXPECT_TRUE(written.Warnings.empty()) << written.Warnings.front().text;
  const std::string project = ReadFile(out + "Hilfe.Doc.hhp");
  EXPECT_TRUE(Contains(project, "Default topic=" + overview + ".Doc.htm\r\n")) << project;
  EXPECT_TRUE(Contains(project, "[FILES]\r\n" + keys + ".Doc.htm\r\n" + overview + ".Doc.htm\r\n"))
      << project;
  EXPECT_EQ(ReadFile(out + "DocAlias.h"),
            CrLf({"IDH_UEBERSICHT_HAUPTFENSTER=" + overview + ".Doc.htm",
                  "IDH_TASTENKUERZEL_TASTEN=" + keys + ".Doc.htm"}));

  std::string output;
  const int status = RunCommand("cd '" + out + "' && " + kCompiler + " 'Hilfe.Doc.hhp'", output);
  EXPECT_EQ(status, 0) << output;
  const std::string lower = AnsiLowerCase(output);
  for (const char* fault : {"error", "warn", "unable", "corrupt"}) {
    EXPECT_FALSE(Contains(lower, fault)) << output;
  }
  ASSERT_TRUE(Exists(out + "Hilfe.Doc.chm")) << output;

#ifdef QM_HAVE_CHMLIB
  ChmArchive chm(out + "Hilfe.Doc.chm");
  ASSERT_TRUE(chm.IsOpen());
  const auto overviewPage = chm.Read("/" + overview + ".Doc.htm");
  const auto keysPage = chm.Read("/" + keys + ".Doc.htm");
  ASSERT_TRUE(overviewPage.has_value());
  ASSERT_TRUE(keysPage.has_value());
  EXPECT_EQ(*overviewPage, ReadFile(out + overview + ".Doc.htm"));
  EXPECT_EQ(*keysPage, ReadFile(out + keys + ".Doc.htm"));

  const std::string contents = chm.Read("/Table of Contents.Doc.hhc").value_or("");
  EXPECT_TRUE(Contains(contents, "value=\"" + overview + ".Doc.htm#Hauptfenster\"")) << contents;
  EXPECT_TRUE(Contains(contents, "value=\"" + keys + ".Doc.htm#Tasten\"")) << contents;
  // The shipped templates add no contents entry of their own: each topic is listed once.
  EXPECT_EQ(CountChar(contents, '#'), 2) << contents;
  const std::string index = chm.Read("/Index.Doc.hhk").value_or("");
  EXPECT_TRUE(Contains(index, "<param name=\"Name\" value=\"Fenster\">")) << index;
  EXPECT_TRUE(Contains(index, "value=\"" + overview + ".Doc.htm\"")) << index;
  EXPECT_TRUE(Contains(index, "value=\"" + keys + ".Doc.htm\"")) << index;

  // This compiler stores the topic with the folder it compiled in; the page is what counts.
  std::map<uint32_t, std::string> topics;
  for (const auto& [id, topic] : chm.ContextMap()) {
    topics[id] = ExtractFileName(topic);
  }
  const std::map<uint32_t, std::string> expectedMap{{1001, overview + ".Doc.htm"},
                                                    {1002, keys + ".Doc.htm"}};
  EXPECT_EQ(topics, expectedMap);
#else
  GTEST_SKIP() << "CHMLib is not installed: the compiled file was not read back";
#endif
}
