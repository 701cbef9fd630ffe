// The program's images: the tool-bar images (32 x 32), the folder image of the picker buttons
// and the program image. They are the program's own on every desktop: no theme has an image
// for the conversion, and a tool bar of mixed styles reads badly.
#pragma once

#include <QIcon>

namespace qm::ui {

QIcon InfoImage();
QIcon ConvertImage();
QIcon ExitImage();
/// "Laden" and "Speichern" of the template editor's tool bar.
QIcon LoadImage();
QIcon SaveImage();
QIcon FolderImage();
QIcon ProgramImage();

} // namespace qm::ui
