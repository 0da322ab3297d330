#include "shell/look.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QRadioButton>
#include <QStyleFactory>

namespace quill {

namespace {

constexpr int kFontPointSize = 9;
constexpr qint64 kLargestCursorFile = 1 << 20;

QString sansSerifFamily() {
  for (const char* family : {"Arial", "Liberation Sans", "DejaVu Sans"}) {
    if (QFontDatabase::hasFamily(family)) return family;
  }
  return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

void paintButtonFace(QWidget& widget) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Button));
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

// The hot spot of the first image of a .cur file: bytes 10 to 13, after the 6-byte header
// and the entry's width, height, colour count and reserved byte.
QPoint curHotSpot(const QByteArray& bytes) {
  constexpr int kHotSpotOffset = 10;
  if (bytes.size() < kHotSpotOffset + 4) return QPoint(-1, -1);
  auto word = [&](int at) { return int(uchar(bytes[at])) | int(uchar(bytes[at + 1])) << 8; };
  return QPoint(word(kHotSpotOffset), word(kHotSpotOffset + 2));
}

}  // namespace

void applyLook(QApplication& application) {
  if (QStyle* style = QStyleFactory::create("Fusion")) application.setStyle(style);
  application.setFont(QFont(sansSerifFamily(), kFontPointSize));
}

void applyButtonFaceColours(QWidget& window) {
  paintButtonFace(window);
  for (QWidget* child : window.findChildren<QWidget*>()) {
    if (qobject_cast<QGroupBox*>(child) || qobject_cast<QLabel*>(child) ||
        qobject_cast<QRadioButton*>(child) || qobject_cast<QCheckBox*>(child))
      paintButtonFace(*child);
  }
}

QCursor handCursor(const QString& programFolder) {
  QFile file(programFolder + "/HAND-M.CUR");
  if (file.size() > 0 && file.size() <= kLargestCursorFile && file.open(QIODevice::ReadOnly)) {
    const QByteArray bytes = file.readAll();
    QPixmap pixmap;
    if (pixmap.loadFromData(bytes, "CUR")) {
      const QPoint hotSpot = curHotSpot(bytes);
      return QCursor(pixmap, hotSpot.x(), hotSpot.y());
    }
  }
  return QCursor(Qt::PointingHandCursor);
}

NormalCursorWhileShown::NormalCursorWhileShown()
    : overridden_(QApplication::overrideCursor() != nullptr) {
  if (overridden_) QApplication::setOverrideCursor(Qt::ArrowCursor);
}

NormalCursorWhileShown::~NormalCursorWhileShown() {
  if (overridden_) QApplication::restoreOverrideCursor();
}

BusyCursor::BusyCursor() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor() {
  QApplication::restoreOverrideCursor();
}

}  // namespace quill
