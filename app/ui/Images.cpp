#include "app/ui/Images.h"

// The resources are linked from a static library; they are registered on first use.
static void InitImageResources() {
  Q_INIT_RESOURCE(Images);
}

namespace qm::ui {

namespace {

QIcon Resource(const char* file) {
  static const bool initialised = [] {
    InitImageResources();
    return true;
  }();
  (void)initialised;
  return QIcon(QStringLiteral(":/images/") + QLatin1String(file));
}

// The theme's icon when the desktop has one of that name, else ours.
QIcon Themed(const char* themeName, const char* file) {
  return QIcon::fromTheme(QLatin1String(themeName), Resource(file));
}

} // namespace

QIcon InfoImage() {
  return Themed("help-about", "Info.png");
}

QIcon ConvertImage() {
  // No theme names a conversion; the program's own image is used everywhere.
  return Resource("Konvertieren.png");
}

QIcon ExitImage() {
  return Themed("application-exit", "Beenden.png");
}

QIcon LoadImage() {
  return Themed("document-open", "Laden.png");
}

QIcon SaveImage() {
  return Themed("document-save", "Speichern.png");
}

QIcon FolderImage() {
  return Themed("folder", "Ordner.png");
}

QIcon ProgramImage() {
  QIcon icon = Resource("Quillmark.png");
  icon.addFile(QStringLiteral(":/images/Quillmark32.png"));
  return icon;
}

} // namespace qm::ui
