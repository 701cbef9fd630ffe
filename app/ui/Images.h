// The program's images: the tool-bar images (32 x 32), the folder image of the picker buttons
// and the program image. Each prefers the desktop theme's icon of the same meaning.
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
