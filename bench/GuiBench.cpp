// Times a conversion started in the desktop program's main window against quillmark-cli on
// the same generated tree and project: into an emptied folder and over unchanged pages, the
// median of five each. The window runs without a display (offscreen) and answers no message
// box; its progress window does not linger after the run.
//
//   quillmark_gui_bench [--files N] [--seed S]
#include "SourceTree.h"

#include "base/FileSystem.h"
#include "desktop/UserDialogs.h"
#include "gui/Hauptmenue.h"
#include "project/ProjectModel.h"

#include <QApplication>
#include <QEventLoop>
#include <QSettings>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRepeats = 5;
constexpr double kTarget = 1.2; // the window against the command line

// Every message box is closed at once, as if by its default button: a run's warning box
// would otherwise wait for a click.
class NoDialogs final : public qm::UserDialogs {
public:
  qm::MessageButton Message(QWidget* /*parent*/, const qm::MessageRequest& /*request*/) override {
    return qm::MessageButton::Ok;
  }
  std::optional<QString> OpenFile(QWidget* /*parent*/, const qm::FileRequest& /*r*/) override {
    return std::nullopt;
  }
  std::optional<QString> SaveFile(QWidget* /*parent*/, const qm::FileRequest& /*r*/) override {
    return std::nullopt;
  }
  std::optional<QString> PickFolder(QWidget* /*parent*/, const QString& /*title*/,
                                    const QString& /*root*/) override {
    return std::nullopt;
  }
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Seconds(const std::function<void()>& f) {
  const auto start = Clock::now();
  f();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void Shell(const std::string& command) {
  if (std::system(command.c_str()) != 0) {
    throw std::runtime_error("failed: " + command);
  }
}

void Empty(const std::string& folder) {
  fs::remove_all(folder);
  fs::create_directories(folder);
  Shell("sync");
}

int Main(int argc, char** argv) {
  qmbench::TreeShape shape;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--files") == 0 && i + 1 < argc) {
      shape.files = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--seed") == 0 && i + 1 < argc) {
      shape.seed = std::strtoull(argv[++i], nullptr, 10);
    } else {
      std::fprintf(stderr, "usage: %s [--files N] [--seed S]\n", argv[0]);
      return 2;
    }
  }
  std::string pattern = (fs::temp_directory_path() / "quillmark-gui-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot create a temporary folder");
  }
  const std::string root = pattern + "/";
  struct RemoveRoot {
    std::string path;
    ~RemoveRoot() {
      std::error_code ec;
      fs::remove_all(path, ec);
    }
  } removeRoot{root};
  // The window's state goes to the scratch folder, not to the user's settings.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     QString::fromStdString(root + "settings"));
  NoDialogs noDialogs;
  qm::InstallDialogs(&noDialogs);

  const std::string sources = root + "src/";
  const std::string output = root + "out/";
  const std::string project = root + "bench.qmpr";
  fs::create_directories(sources);
  fs::create_directories(output);
  const qmbench::TreeStats tree = qmbench::WriteSourceTree(sources, shape);
  Shell("sync");

  const std::string programFolder = qm::ProgramFolder();
  qm::ui::TLex_Hauptmenue window(programFolder, {});
  window.SetProgressPause(0);
  qm::ProjectSettings& settings = window.Model().Edit();
  settings.InputPath = sources;
  settings.OutputPath = output;
  settings.IncludeSubfolders = true;
  for (const qm::SourceKindInfo& kind : qm::kSourceKindTable) {
    settings.Kinds.Set(kind.kind);
  }
  window.Model().SaveAs(project);

  const std::string cli = "'" + programFolder + "quillmark-cli' convert --yes --quiet '" + project +
                          "' > /dev/null 2>&1";
  const auto runCli = [&] { static_cast<void>(std::system(cli.c_str())); };
  const auto runWindow = [&] {
    QEventLoop loop;
    QObject::connect(&window, &qm::ui::TLex_Hauptmenue::ConversionEnded, &loop, &QEventLoop::quit);
    window.OnConvert();
    loop.exec();
  };

  std::printf("Window against command line: %d sources, %.1f MB, every kind (median of %d)\n",
              tree.files, static_cast<double>(tree.bytes) / 1e6, kRepeats);
  for (const bool emptied : {true, false}) {
    std::vector<double> cliTimes;
    std::vector<double> windowTimes;
    runCli(); // the pages of an unchanged run
    for (int i = 0; i < kRepeats; ++i) {
      if (emptied) {
        Empty(output);
      }
      cliTimes.push_back(Seconds(runCli));
      if (emptied) {
        Empty(output);
      }
      windowTimes.push_back(Seconds(runWindow));
    }
    const double c = Median(cliTimes);
    const double w = Median(windowTimes);
    std::printf("  %-24s quillmark-cli %7.3f s   window %7.3f s   %5.2f x (target %.1f: %s)\n",
                emptied ? "into an emptied folder" : "over unchanged pages", c, w, w / c, kTarget,
                w / c <= kTarget ? "met" : "MISSED");
  }
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  try {
    return Main(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quillmark_gui_bench: %s\n", e.what());
  }
  return 1;
}
