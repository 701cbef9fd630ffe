// Draws the program's images into PNG files: the tool-bar images (32 x 32), the folder image
// of the picker buttons (16 x 16) and the program image. Run by "make images"; the PNGs are
// kept in the repository and built into the program as Qt resources. Given a second folder,
// it also draws the program image at the sizes of the desktop's icon theme, as
// "quillmark-SIZE.png" for the installed application icon.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>
#include <functional>

namespace {

using Draw = std::function<void(QPainter&)>;

// Every image is drawn on a 32 x 32 grid and scaled to its size.
bool WritePng(const QString& folder, const char* name, int size, const Draw& draw) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 32.0, size / 32.0);
  draw(p);
  p.end();
  const QString path = QDir(folder).filePath(QString::fromLatin1(name));
  if (!image.save(path, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

// A sheet of paper with a folded corner.
void Sheet(QPainter& p, QRectF r) {
  const qreal fold = r.width() * 0.3;
  QPainterPath sheet;
  sheet.moveTo(r.left(), r.top());
  sheet.lineTo(r.right() - fold, r.top());
  sheet.lineTo(r.right(), r.top() + fold);
  sheet.lineTo(r.right(), r.bottom());
  sheet.lineTo(r.left(), r.bottom());
  sheet.closeSubpath();
  p.setPen(QPen(QColor(0x55, 0x5F, 0x6B), 1.2));
  p.setBrush(QColor(0xFB, 0xFB, 0xF7));
  p.drawPath(sheet);
  QPainterPath corner;
  corner.moveTo(r.right() - fold, r.top());
  corner.lineTo(r.right() - fold, r.top() + fold);
  corner.lineTo(r.right(), r.top() + fold);
  p.setBrush(QColor(0xD8, 0xDC, 0xE2));
  p.drawPath(corner);
}

void TextLines(QPainter& p, qreal left, qreal top, const std::initializer_list<qreal>& widths,
               const QColor& colour) {
  p.setPen(QPen(colour, 1.6, Qt::SolidLine, Qt::RoundCap));
  qreal y = top;
  for (qreal w : widths) {
    p.drawLine(QPointF(left, y), QPointF(left + w, y));
    y += 3.5;
  }
}

// A fat arrow pointing right, its tip at tip.
QPainterPath RightArrow(QPointF tip, qreal length, qreal height) {
  const qreal shaft = height * 0.42;
  const qreal head = length * 0.5;
  QPainterPath a;
  a.moveTo(tip);
  a.lineTo(tip.x() - head, tip.y() - height / 2);
  a.lineTo(tip.x() - head, tip.y() - shaft / 2);
  a.lineTo(tip.x() - length, tip.y() - shaft / 2);
  a.lineTo(tip.x() - length, tip.y() + shaft / 2);
  a.lineTo(tip.x() - head, tip.y() + shaft / 2);
  a.lineTo(tip.x() - head, tip.y() + height / 2);
  a.closeSubpath();
  return a;
}

void Info(QPainter& p) {
  QRadialGradient fill(QPointF(12, 10), 20);
  fill.setColorAt(0, QColor(0x6F, 0xA8, 0xF0));
  fill.setColorAt(1, QColor(0x1F, 0x5A, 0xB8));
  p.setPen(QPen(QColor(0x17, 0x45, 0x8F), 1.2));
  p.setBrush(fill);
  p.drawEllipse(QRectF(2, 2, 28, 28));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(14, 6.5, 4.2, 4.2));
  p.drawRoundedRect(QRectF(14.1, 13, 4, 12.5), 1, 1);
  p.drawRect(QRectF(12, 13, 4, 2));
  p.drawRect(QRectF(12, 23.5, 8.4, 2));
}

void Convert(QPainter& p) {
  Sheet(p, QRectF(2.5, 2.5, 17, 22));
  TextLines(p, 5.5, 9, {6, 10, 8, 11, 7}, QColor(0x7A, 0x84, 0x90));
  QLinearGradient fill(QPointF(14, 16), QPointF(30, 30));
  fill.setColorAt(0, QColor(0x5C, 0xC2, 0x4E));
  fill.setColorAt(1, QColor(0x2A, 0x86, 0x25));
  p.setPen(QPen(QColor(0x1E, 0x66, 0x1B), 1.2));
  p.setBrush(fill);
  p.drawPath(RightArrow(QPointF(30.5, 23), 17, 14));
}

void Exit(QPainter& p) {
  // An open door in its frame, and an arrow leaving through it.
  p.setPen(QPen(QColor(0x4A, 0x3A, 0x2A), 1.2));
  p.setBrush(QColor(0xE9, 0xE4, 0xDA));
  p.drawRect(QRectF(4.5, 2.5, 16, 27));
  QPainterPath door;
  door.moveTo(4.5, 2.5);
  door.lineTo(13.5, 6);
  door.lineTo(13.5, 31);
  door.lineTo(4.5, 29.5);
  door.closeSubpath();
  QLinearGradient wood(QPointF(4, 0), QPointF(14, 0));
  wood.setColorAt(0, QColor(0xB0, 0x70, 0x3A));
  wood.setColorAt(1, QColor(0x7E, 0x4A, 0x20));
  p.setBrush(wood);
  p.drawPath(door);
  p.setBrush(QColor(0xF2, 0xC9, 0x4C));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QRectF(10.5, 17, 2, 2));
  QLinearGradient red(QPointF(16, 10), QPointF(30, 24));
  red.setColorAt(0, QColor(0xF0, 0x5A, 0x4A));
  red.setColorAt(1, QColor(0xB8, 0x22, 0x1A));
  p.setPen(QPen(QColor(0x8C, 0x1A, 0x14), 1.2));
  p.setBrush(red);
  p.drawPath(RightArrow(QPointF(31, 16.5), 15, 13));
}

// A yellow folder; open shows its front flap tilted.
void Folder(QPainter& p, bool open) {
  QLinearGradient back(QPointF(0, 6), QPointF(0, 28));
  back.setColorAt(0, QColor(0xF3, 0xC6, 0x4E));
  back.setColorAt(1, QColor(0xD9, 0x9A, 0x1E));
  p.setPen(QPen(QColor(0x9A, 0x6A, 0x10), 1.2));
  p.setBrush(back);
  QPainterPath body;
  body.moveTo(2.5, 7.5);
  body.lineTo(11, 7.5);
  body.lineTo(13.5, 10.5);
  body.lineTo(29.5, 10.5);
  body.lineTo(29.5, 27.5);
  body.lineTo(2.5, 27.5);
  body.closeSubpath();
  p.drawPath(body);
  QLinearGradient front(QPointF(0, 13), QPointF(0, 28));
  front.setColorAt(0, QColor(0xFF, 0xE0, 0x7A));
  front.setColorAt(1, QColor(0xF0, 0xB8, 0x36));
  p.setBrush(front);
  QPainterPath flap;
  if (open) {
    flap.moveTo(6.5, 14.5);
    flap.lineTo(31, 14.5);
    flap.lineTo(27.5, 27.5);
    flap.lineTo(2.5, 27.5);
  } else {
    flap.moveTo(2.5, 13.5);
    flap.lineTo(29.5, 13.5);
    flap.lineTo(29.5, 27.5);
    flap.lineTo(2.5, 27.5);
  }
  flap.closeSubpath();
  p.drawPath(flap);
}

void Load(QPainter& p) {
  Folder(p, true);
}

void Disk(QPainter& p) {
  // A floppy disk: body, shutter and label.
  QLinearGradient body(QPointF(0, 2), QPointF(0, 30));
  body.setColorAt(0, QColor(0x4E, 0x7C, 0xC8));
  body.setColorAt(1, QColor(0x23, 0x4C, 0x96));
  p.setPen(QPen(QColor(0x17, 0x34, 0x6A), 1.2));
  p.setBrush(body);
  QPainterPath disk;
  disk.moveTo(3.5, 3.5);
  disk.lineTo(25, 3.5);
  disk.lineTo(28.5, 7);
  disk.lineTo(28.5, 28.5);
  disk.lineTo(3.5, 28.5);
  disk.closeSubpath();
  p.drawPath(disk);
  p.setBrush(QColor(0xC9, 0xCF, 0xD8));
  p.drawRect(QRectF(9.5, 3.5, 13, 8));
  p.setBrush(QColor(0x23, 0x4C, 0x96));
  p.setPen(Qt::NoPen);
  p.drawRect(QRectF(18, 5, 2.8, 5));
  p.setPen(QPen(QColor(0x17, 0x34, 0x6A), 1.2));
  p.setBrush(QColor(0xFB, 0xFB, 0xF7));
  p.drawRect(QRectF(7.5, 16.5, 17, 12));
  TextLines(p, 10, 20, {12, 9}, QColor(0x7A, 0x84, 0x90));
}

void Program(QPainter& p) {
  // A page with a quill pen laid across it.
  Sheet(p, QRectF(3.5, 4.5, 19, 25));
  TextLines(p, 6.5, 11, {9, 12, 7, 11, 8}, QColor(0x7A, 0x84, 0x90));
  QPainterPath feather;
  feather.moveTo(11, 27);
  feather.cubicTo(14, 15, 22, 5, 30.5, 1.5);
  feather.cubicTo(28, 9, 21, 19, 11, 27);
  QLinearGradient vane(QPointF(12, 27), QPointF(30, 2));
  vane.setColorAt(0, QColor(0x6A, 0x2C, 0x91));
  vane.setColorAt(1, QColor(0xB5, 0x7E, 0xDC));
  p.setPen(QPen(QColor(0x45, 0x1A, 0x60), 1.0));
  p.setBrush(vane);
  p.drawPath(feather);
  p.setPen(QPen(QColor(0x30, 0x12, 0x45), 1.3, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(9, 30), QPointF(24, 9));
}

} // namespace

/// The application icon at the sizes an icon theme looks for first.
bool WriteIcons(const QString& folder) {
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    const QByteArray name = QByteArray("quillmark-") + QByteArray::number(size) + ".png";
    if (!WritePng(folder, name.constData(), size, Program)) {
      return false;
    }
  }
  return true;
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: %s FOLDER [ICON-FOLDER]\n", argv[0]);
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  if (argc == 3 && !WriteIcons(QString::fromLocal8Bit(argv[2]))) {
    return 1;
  }
  const bool ok =
      WritePng(folder, "Info.png", 32, Info) && WritePng(folder, "Konvertieren.png", 32, Convert) &&
      WritePng(folder, "Beenden.png", 32, Exit) && WritePng(folder, "Laden.png", 32, Load) &&
      WritePng(folder, "Speichern.png", 32, Disk) &&
      WritePng(folder, "Ordner.png", 16, [](QPainter& p) { Folder(p, false); }) &&
      WritePng(folder, "Quillmark.png", 64, Program) &&
      WritePng(folder, "Quillmark32.png", 32, Program);
  return ok ? 0 : 1;
}
