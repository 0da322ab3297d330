#include "ui/program_icon.h"

#include <QPainter>
#include <QPixmap>

namespace quill {

QImage programIconImage(int side) {
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.scale(side / 16.0, side / 16.0);
  painter.setPen(QColor(60, 60, 60));
  painter.setBrush(QColor(230, 230, 230));
  painter.drawRect(1, 1, 10, 10);
  painter.setBrush(Qt::white);
  painter.drawRect(5, 5, 10, 10);
  painter.fillRect(QRectF(9, 9, 3, 3), QColor(220, 40, 40));
  return image;
}

QIcon programIcon() {
  QIcon icon;
  for (int side : {16, 32, 64}) icon.addPixmap(QPixmap::fromImage(programIconImage(side)));
  return icon;
}

}  // namespace quill
