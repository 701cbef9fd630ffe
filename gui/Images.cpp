#include "gui/Images.h"

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

} // namespace

QIcon InfoImage() {
  return Resource("Info.png");
}

QIcon ConvertImage() {
  return Resource("Konvertieren.png");
}

QIcon ExitImage() {
  return Resource("Beenden.png");
}

QIcon LoadImage() {
  return Resource("Laden.png");
}

QIcon SaveImage() {
  return Resource("Speichern.png");
}

QIcon FolderImage() {
  return Resource("Ordner.png");
}

QIcon ProgramImage() {
  QIcon icon = Resource("Quillmark.png");
  icon.addFile(QStringLiteral(":/images/Quillmark32.png"));
  return icon;
}

} // namespace qm::ui
