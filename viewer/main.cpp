// quillmark-help: shows any compiled help file in Quillmark's help window, at its start page,
// at a page or at a context number; or draws that window into a PNG file.
#include "desktop/HelpViewer.h"
#include "desktop/HelpViewerTexts.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

using namespace qm::helpviewer;

struct Arguments {
  QString file;
  QString target; ///< a page or a context number, empty for the start page
  std::optional<QString> screenshot;
  bool help = false;
  bool version = false;
};

void PrintError(const QString& text) {
  std::fprintf(stderr, "%s\n%s\n", text.toLocal8Bit().constData(), kUsageHint);
}

/// Reads the command line; returns nothing after a usage error (already reported).
std::optional<Arguments> ParseArguments(int argc, char** argv) {
  Arguments args;
  QStringList positional;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const QString arg = QString::fromLocal8Bit(argv[i]);
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
    } else if (!optionsEnded && (arg == "--help" || arg == "-h")) {
      args.help = true;
      return args;
    } else if (!optionsEnded && arg == "--version") {
      args.version = true;
      return args;
    } else if (!optionsEnded && arg == "--screenshot") {
      if (i + 1 >= argc) {
        PrintError(QString::fromUtf8(kErrScreenshotPath));
        return std::nullopt;
      }
      args.screenshot = QString::fromLocal8Bit(argv[++i]);
    } else if (!optionsEnded && arg.startsWith('-') && arg.size() > 1) {
      PrintError(QString::fromUtf8(kErrUnknownOption).arg(arg));
      return std::nullopt;
    } else {
      positional << arg;
    }
  }
  if (positional.isEmpty()) {
    PrintError(QString::fromUtf8(kErrMissingFile));
    return std::nullopt;
  }
  if (positional.size() > 2) {
    PrintError(QString::fromUtf8(kErrTooMany).arg(positional[2]));
    return std::nullopt;
  }
  args.file = positional[0];
  if (positional.size() == 2) {
    args.target = positional[1];
  }
  return args;
}

/// A context number: decimal digits only, within 32 bits.
std::optional<std::uint32_t> ContextNumber(const QString& text) {
  if (text.isEmpty()) {
    return std::nullopt;
  }
  for (const QChar c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
  }
  bool ok = false;
  const qulonglong value = text.toULongLong(&ok);
  if (!ok || value > 0xFFFFFFFFull) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

} // namespace

int main(int argc, char** argv) {
  const std::optional<Arguments> args = ParseArguments(argc, argv);
  if (!args) {
    return 2;
  }
  if (args->help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (args->version) {
    std::printf("%s %s\n", kToolName, QM_VERSION);
    return 0;
  }
  // A picture needs no display.
  if (args->screenshot && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(kToolName));

  qm::THelpViewer viewer;
  if (viewer.OpenFile(args->file)) {
    if (const auto number = ContextNumber(args->target)) {
      viewer.ShowContext(*number);
    } else {
      viewer.ShowTopic(args->target);
    }
  }
  viewer.show();

  if (args->screenshot) {
    QApplication::processEvents();
    if (!viewer.grab().save(*args->screenshot, "PNG")) {
      std::fprintf(
          stderr, "%s\n",
          QString::fromUtf8(kErrScreenshotWrite).arg(*args->screenshot).toLocal8Bit().constData());
      return 1;
    }
    if (!viewer.Message().isEmpty()) {
      std::fprintf(stderr, "%s: %s\n", kToolName, viewer.Message().toLocal8Bit().constData());
      return 1;
    }
    return 0;
  }
  return app.exec();
}
