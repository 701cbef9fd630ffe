// "cmake --install" of this build folder into a temporary DESTDIR, and the installed programs
// run as a user runs them: through the links in bin/, from another folder.
#include "../cli/CliFixture.h"

#include "base/ExternalProgram.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

using namespace qmtest;
namespace fs = std::filesystem;

namespace {

/// The full path of a tool in PATH; empty when it is not installed.
std::string Tool(const char* name) {
  const char* path = std::getenv("PATH");
  return qm::FindInSearchPath(name, path != nullptr ? path : "");
}

#define QM_REQUIRE_TOOL(var, name)                                                                 \
  const std::string var = Tool(name);                                                              \
  if (var.empty()) {                                                                               \
    GTEST_SKIP() << name << " is not installed (scripts/install-deps installs it)";                \
  }

/// This build folder installed into a temporary DESTDIR under kPrefix, another prefix than the
/// build was configured for, as a package is.
class Installed : public ::testing::Test {
protected:
  static constexpr const char* kPrefix = "/opt/quillmark-probe";

  void SetUp() override {
    const CliResult r =
        RunIn(tmp_.path(), {QM_CMAKE_COMMAND, "--install", QM_BUILD_DIR, "--prefix", kPrefix},
              {"DESTDIR=" + tmp_ / "dest"});
    ASSERT_EQ(r.Status, 0) << r.Out << r.Err;
    fs::create_directories(Scratch(""));
  }

  /// The installed prefix + relative.
  std::string Root(std::string_view relative = "") const {
    return (tmp_ / "dest").append(kPrefix).append("/").append(relative);
  }
  /// A scratch folder of the test + relative.
  std::string Scratch(std::string_view relative) const {
    return (tmp_ / "scratch/").append(relative);
  }

  /// A copy of the installed example ("examples/" with the project and its sources) in a
  /// new folder; returns that folder.
  std::string CopyOfInstalledExample(std::string_view name) const {
    const std::string folder = Scratch(name) + "/";
    fs::create_directories(folder);
    fs::copy(Root("share/doc/quillmark/examples"), folder + "examples",
             fs::copy_options::recursive);
    return folder;
  }

private:
  TempDir tmp_;
};

/// Every file, link and empty folder below root, relative and sorted; folders end in "/",
/// links show their target.
std::vector<std::string> Listing(const std::string& root) {
  std::vector<std::string> entries;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
    const std::string relative = e.path().lexically_relative(root).string();
    if (e.is_symlink()) {
      entries.push_back(relative + " -> " + fs::read_symlink(e.path()).string());
    } else if (e.is_directory() && fs::is_empty(e.path())) {
      entries.push_back(relative + "/");
    } else if (!e.is_directory()) {
      entries.push_back(relative);
    }
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

/// Width and height of a PNG file, from its header.
std::pair<int, int> PngSize(const std::string& path) {
  const std::string bytes = ReadFile(path);
  if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) {
    return {0, 0};
  }
  const auto number = [&bytes](size_t at) {
    int n = 0;
    for (size_t i = at; i < at + 4; ++i) {
      n = n * 256 + static_cast<unsigned char>(bytes[i]);
    }
    return n;
  };
  return {number(16), number(20)};
}

/// Literal text written in roff: "\-" is "-", "\e" is "\", and a "\&" that starts a line is
/// nothing.
std::string FromRoff(std::string_view roff) {
  std::string text;
  for (size_t i = 0; i < roff.size(); ++i) {
    const bool lineStart = i == 0 || roff[i - 1] == '\n';
    if (roff[i] == '\\' && i + 1 < roff.size()) {
      const char next = roff[++i];
      if (next == '-') {
        text += '-';
      } else if (next == 'e') {
        text += '\\';
      } else if (!(next == '&' && lineStart)) {
        text += '\\';
        text += next;
      }
    } else {
      text += roff[i];
    }
  }
  return text;
}

/// The long options ("--name") that a roff text names.
std::vector<std::string> LongOptions(std::string_view roff) {
  std::vector<std::string> options;
  const std::string text = FromRoff(roff);
  for (size_t at = text.find("--"); at != std::string::npos; at = text.find("--", at + 2)) {
    size_t end = at + 2;
    while (end < text.size() && ((text[end] >= 'a' && text[end] <= 'z') || text[end] == '-')) {
      ++end;
    }
    if (end > at + 2) {
      options.push_back(text.substr(at, end - at));
    }
    at = end - 2;
  }
  return options;
}

} // namespace

TEST_F(Installed, LaysOutTheProgramFolderTheProgramsExpect) {
  // Programs, tables and help file in lib/quillmark/bin/, templates in ../Templates/ beside it,
  // relative links in bin/, and the data of the desktop, the manual and the example.
  std::vector<std::string> expected = {
      "bin/quillmark-cli -> ../lib/quillmark/bin/quillmark-cli",
      "lib/quillmark/Templates/HTMLBlockFooter_Dev.htt",
      "lib/quillmark/Templates/HTMLBlockFooter_Usr.htt",
      "lib/quillmark/Templates/HTMLBlockHeader_Dev.htt",
      "lib/quillmark/Templates/HTMLBlockHeader_Usr.htt",
      "lib/quillmark/Templates/HTMLFooter_Dev.htt",
      "lib/quillmark/Templates/HTMLFooter_Usr.htt",
      "lib/quillmark/Templates/HTMLHeader_Dev.htt",
      "lib/quillmark/Templates/HTMLHeader_Usr.htt",
      "lib/quillmark/bin/Comment.txt",
      "lib/quillmark/bin/Extra Files/",
      "lib/quillmark/bin/HTMLTags.txt",
      "lib/quillmark/bin/Header.txt",
      "lib/quillmark/bin/Umlaute.txt",
      "lib/quillmark/bin/quillmark-cli",
      "lib/quillmark/bin/webhelp/lunr.min.js",
      "lib/quillmark/bin/webhelp/webhilfe.css",
      "lib/quillmark/bin/webhelp/webhilfe.js",
      "share/doc/quillmark/examples/example.qmpr",
      "share/doc/quillmark/examples/src/Formulare/Export.bas",
      "share/doc/quillmark/examples/src/Formulare/Hauptfenster.pas",
      "share/doc/quillmark/examples/src/Kunden/Kunde.java",
      "share/doc/quillmark/examples/src/Kunden/kunden.sql",
      "share/doc/quillmark/examples/src/Kundenmanager.dpr",
      "share/doc/quillmark/examples/src/Rechner/Rechner.c",
      "share/doc/quillmark/examples/src/Rechner/RechnerAPI.h",
      "share/doc/quillmark/examples/src/Rechner/pruefsumme.asm",
      "share/doc/quillmark/examples/src/einleitung.html",
      "share/man/man1/quillmark-cli.1.gz",
  };
  if (QM_INSTALLS_GUI) {
    expected.insert(
        expected.end(),
        {"bin/quillmark -> ../lib/quillmark/bin/quillmark",
         "bin/quillmark-help -> ../lib/quillmark/bin/quillmark-help", "lib/quillmark/bin/quillmark",
         "lib/quillmark/bin/quillmark-help", "share/applications/quillmark.desktop",
         "share/icons/hicolor/128x128/apps/quillmark.png",
         "share/icons/hicolor/16x16/apps/quillmark.png",
         "share/icons/hicolor/256x256/apps/quillmark.png",
         "share/icons/hicolor/32x32/apps/quillmark.png",
         "share/icons/hicolor/48x48/apps/quillmark.png",
         "share/icons/hicolor/64x64/apps/quillmark.png", "share/man/man1/quillmark-help.1.gz",
         "share/man/man1/quillmark.1.gz", "share/mime/packages/quillmark.xml"});
  }
  // The program's own help file goes with it once the build makes it.
  if (Exists(QM_BIN_DIR "/Quillmark.Doc.chm")) {
    expected.push_back("lib/quillmark/bin/Quillmark.Doc.chm");
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Listing(Root()), expected);
  EXPECT_EQ(ReadFile(Root("lib/quillmark/Templates/HTMLHeader_Usr.htt")),
            ReadFile(QM_SOURCE_DIR "/data/Templates/HTMLHeader_Usr.htt"));
  EXPECT_EQ(ReadFile(Root("lib/quillmark/bin/Umlaute.txt")),
            ReadFile(QM_SOURCE_DIR "/data/Umlaute.txt"));
  if (QM_INSTALLS_GUI) {
    for (const int size : {16, 32, 48, 64, 128, 256}) {
      const std::string name = std::to_string(size) + "x" + std::to_string(size);
      EXPECT_EQ(PngSize(Root("share/icons/hicolor/" + name + "/apps/quillmark.png")),
                std::make_pair(size, size))
          << name;
    }
  }
}

TEST_F(Installed, CliConvertsTheExampleFromAnotherFolderAsTheBuildDoes) {
  // The installed program, called through its link from a folder of the user's, finds its
  // tables and templates through the resolved link and writes the same pages, byte for byte,
  // as the program in the build folder.
  const std::string work = CopyOfInstalledExample("work");
  const CliResult installed = RunIn(
      work, {Root("bin/quillmark-cli"), "convert", "--yes", "--quiet", "examples/example.qmpr"});
  ASSERT_EQ(installed.Status, 0) << installed.Err;

  const std::string reference = Scratch("reference") + "/";
  fs::create_directories(reference);
  fs::copy(QM_SOURCE_DIR "/examples", reference + "examples", fs::copy_options::recursive);
  const CliResult built = RunIn(reference, {QM_BIN_DIR "/quillmark-cli", "convert", "--yes",
                                            "--quiet", "examples/example.qmpr"});
  ASSERT_EQ(built.Status, 0) << built.Err;

  const std::string pages = work + "build/example-output/";
  const std::string referencePages = reference + "build/example-output/";
  const std::vector<std::string> names = Listing(referencePages);
  EXPECT_EQ(Listing(pages), names);
  EXPECT_GE(names.size(), 10u);
  for (const std::string& name : names) {
    EXPECT_EQ(ReadFile(pages + name), ReadFile(referencePages + name)) << name;
  }
}

TEST_F(Installed, DesktopProgramStartsWithTheProjectFileItIsGiven) {
  // As a file manager starts it for a project file: the window comes up offscreen with the
  // installed templates and tables, loads the project, and closes again.
  if (!QM_INSTALLS_GUI) {
    GTEST_SKIP() << "built without the desktop program";
  }
  const std::string work = CopyOfInstalledExample("work");
  const CliResult r =
      RunIn(Scratch(""), {Root("bin/quillmark"), work + "examples/example.qmpr"},
            {"QT_QPA_PLATFORM=offscreen", "QUILLMARK_START_CHECK=1",
             "XDG_CONFIG_HOME=" + Scratch("config"), "XDG_RUNTIME_DIR=" + Scratch("")});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_EQ(r.Out, "Edt_Eingabepfad=examples/src\nEdt_Ausgabepfad=build/example-output\n") << r.Err;
}

TEST_F(Installed, DesktopEntryAndFileTypePassTheirValidators) {
  if (!QM_INSTALLS_GUI) {
    GTEST_SKIP() << "built without the desktop program";
  }
  QM_REQUIRE_TOOL(validate, "desktop-file-validate");
  QM_REQUIRE_TOOL(mimeDatabase, "update-mime-database");
  QM_REQUIRE_TOOL(desktopDatabase, "update-desktop-database");
  const std::string entry = Root("share/applications/quillmark.desktop");
  CliResult r = RunIn(Scratch(""), {validate, entry});
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(r.Out + r.Err, "");

  // The file type compiles without a word, and "*.qmpr" is its pattern.
  const std::string share = Scratch("share") + "/";
  fs::create_directories(share + "mime/packages");
  fs::copy(Root("share/mime/packages/quillmark.xml"), share + "mime/packages/");
  r = RunIn(Scratch(""), {mimeDatabase, share + "mime"}, {"XDG_DATA_DIRS=" + share});
  EXPECT_EQ(r.Status, 0);
  EXPECT_EQ(r.Out + r.Err, "");
  EXPECT_NE(ReadFile(share + "mime/globs2").find("\n50:application/x-quillmark-project:*.qmpr\n"),
            std::string::npos);

  // The desktop entry is the program for that type, which is what a file manager asks.
  fs::create_directories(share + "applications");
  fs::copy(entry, share + "applications/");
  r = RunIn(Scratch(""), {desktopDatabase, share + "applications"});
  EXPECT_EQ(r.Status, 0) << r.Err;
  EXPECT_NE(ReadFile(share + "applications/mimeinfo.cache")
                .find("\napplication/x-quillmark-project=quillmark.desktop;\n"),
            std::string::npos);
  EXPECT_NE(ReadFile(entry).find("\nExec=quillmark %f\n"), std::string::npos);
}

TEST_F(Installed, ManualPagesHoldEachProgramsHelpText) {
  // Each page carries its program's --help output word for word, its synopsis names no
  // option the program does not know, and groff formats it without a warning.
  QM_REQUIRE_TOOL(gzip, "gzip");
  QM_REQUIRE_TOOL(groff, "groff");
  std::vector<std::string> programs = {"quillmark-cli"};
  if (QM_INSTALLS_GUI) {
    programs.insert(programs.end(), {"quillmark", "quillmark-help"});
  }
  for (const std::string& program : programs) {
    SCOPED_TRACE(program);
    const CliResult help = RunIn(Scratch(""), {Root("bin/" + program), "--help"});
    ASSERT_EQ(help.Status, 0);
    // Every program names the one version of the build.
    const CliResult version = RunIn(Scratch(""), {Root("bin/" + program), "--version"});
    EXPECT_EQ(version.Status, 0);
    EXPECT_EQ(version.Out, program + " " + QM_VERSION + "\n");
    const CliResult page =
        RunIn(Scratch(""), {gzip, "-dc", Root("share/man/man1/" + program + ".1.gz")});
    ASSERT_EQ(page.Status, 0);

    // The text between ".nf" and ".fi", with roff's escapes taken back out.
    const size_t start = page.Out.find("\n.nf\n");
    const size_t end = page.Out.find("\n.fi\n");
    ASSERT_NE(start, std::string::npos);
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(FromRoff(page.Out.substr(start + 5, end + 1 - (start + 5))), help.Out);
    // The synopsis is written by hand: it names only options the program knows.
    const size_t synopsis = page.Out.find(".SH \\(:UBERSICHT\n");
    ASSERT_NE(synopsis, std::string::npos);
    const std::string_view synopsisText =
        std::string_view(page.Out).substr(synopsis, page.Out.find("\n.SH ", synopsis) - synopsis);
    for (const std::string& name : LongOptions(synopsisText)) {
      EXPECT_NE(help.Out.find(name), std::string::npos) << name;
    }

    // The folders named are those of the prefix the page was installed under.
    EXPECT_NE(page.Out.find(".I " + std::string(kPrefix) + "/lib/quillmark/bin/\n"),
              std::string::npos);
    EXPECT_EQ(page.Out.find("@PREFIX@"), std::string::npos);
    EXPECT_EQ(page.Out.find(QM_INSTALL_PREFIX "/lib/"), std::string::npos);

    const std::string plain = Scratch(program + ".1");
    WriteFile(plain, page.Out);
    const CliResult lint = RunIn(Scratch(""), {groff, "-man", "-Tutf8", "-ww", "-z", "-k", plain});
    EXPECT_EQ(lint.Status, 0);
    EXPECT_EQ(lint.Err, "");
  }
}
