// Compiled help files for the viewer's tests: pages written by hand, the help project written
// by Quillmark's own help-project writers, compiled by chmcmd, as a user's build would do.
#pragma once

#include "EntryText.h"
#include "TestUtil.h"

#include "base/TextFile.h"
#include "engine/CharTables.h"
#include "helpproject/AliasWriter.h"
#include "helpproject/BuildProject.h"
#include "helpproject/MapHeaderWriter.h"

class QString; // the helper below that uses Qt is built with the window tests only

#include <cstdio>
#include <string>
#include <sys/wait.h>
#include <utility>
#include <vector>

namespace qmtest {

inline const char* const kHelpCompiler = "/usr/bin/chmcmd";

/// Skips the calling test when no help compiler is installed.
#define QM_REQUIRE_HELP_COMPILER()                                                                 \
  do {                                                                                             \
    if (!::qmtest::Exists(::qmtest::kHelpCompiler)) {                                              \
      GTEST_SKIP() << "chmcmd is not installed";                                                   \
    }                                                                                              \
  } while (false)

/// One help project: pages (file name, Windows-1252 bytes) and the lists a conversion would
/// have collected for the kind "Doc". Context-id entries name the page by file name; they get
/// the output folder in front, as the conversion records full paths.
struct HelpProjectInput {
  std::vector<std::pair<std::string, std::string>> Files;
  qm::Lines Toc;
  qm::Lines Index;
  qm::Lines ContextIds;
  std::string DefaultPage; ///< file name; the project gets its full path, as the dialog sets it
  std::string Title = "Test";
};

/// Runs command in folder through the shell; returns its exit status, output gets both channels.
inline int RunIn(const std::string& folder, const std::string& command, std::string& output) {
  FILE* pipe = ::popen(("cd '" + folder + "' && " + command + " 2>&1").c_str(), "r");
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

/// Writes the files and the help project into out (ending in "/"), compiles it there and
/// returns the path of the compiled file.
inline std::string CompileHelpProject(const std::string& out, const HelpProjectInput& input) {
  for (const auto& [name, bytes] : input.Files) {
    WriteFile(out + name, bytes);
  }
  qm::Lines pages;
  for (const auto& [name, bytes] : input.Files) {
    if (name.ends_with(".htm")) {
      pages.push_back(out + name);
    }
  }
  std::vector<qm::ContextIdEntry> contextIds = Ids(input.ContextIds);
  for (qm::ContextIdEntry& id : contextIds) {
    id.Page = out + id.Page;
  }
  qm::TagTable tags;
  tags.Assign(qm::ReadTextLines(std::string(QM_SOURCE_DIR) + "/data/HTMLTags.txt"));
  qm::CharacterTable table;
  table.Assign(qm::ReadTextLines(std::string(QM_SOURCE_DIR) + "/data/Umlaute.txt"));

  qm::HelpProjectSettings settings;
  settings.Title = input.Title;
  settings.DocDefaultPage = input.DefaultPage.empty() ? "" : out + input.DefaultPage;
  settings.TechHelpEnabled = false;
  const std::vector<qm::KeywordEntry> toc = Entries(input.Toc);
  const std::vector<qm::KeywordEntry> index = Entries(input.Index);
  const qm::KindRecords lists{pages, toc, index, contextIds};
  qm::BuildProject(qm::DocKind::Doc, settings, lists, out, tags, table);
  if (!contextIds.empty()) {
    qm::WriteMapHeader(qm::DocKind::Doc, qm::MapLanguage::C, contextIds, out,
                       std::string(QM_SOURCE_DIR) + "/data/", table);
    qm::WriteAliasFile(qm::DocKind::Doc, contextIds, out, table);
  }
  std::string output;
  const std::string project = input.Title + ".Doc.hhp";
  const int status = RunIn(out, std::string(kHelpCompiler) + " '" + project + "'", output);
  EXPECT_EQ(status, 0) << output;
  const std::string chm = out + input.Title + ".Doc.chm";
  EXPECT_TRUE(Exists(chm)) << output;
  return chm;
}

/// A small help file with three pages, contents, index and three context numbers:
///   Welcome.Doc.htm (start page, 103): an umlaut, an image, a link to Main.Doc.htm#haupt
///   Main.Doc.htm (101): anchor "haupt", a link to Setup.Doc.htm#opt, a link to "#unten"
///     far down the page
///   Setup.Doc.htm (102): anchor "opt" far down the page
HelpProjectInput SampleHelpProject();

/// A PNG image of 8 x 8 pixels.
std::string SmallPng();

/// Every context number of the help file at chm opens the page that carries it in the help
/// window, and the file maps no other numbers. pages gives each number with its page path
/// ("/Main.Doc.htm"). Meant for any help file, the program's own included.
void ExpectContextNumbersOpenTheirPages(const std::string& chm,
                                        const std::vector<std::pair<int, QString>>& pages);

} // namespace qmtest
