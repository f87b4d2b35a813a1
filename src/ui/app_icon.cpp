#include "app_icon.h"

#include <QPainter>
#include <QPolygonF>

QPixmap VentoraIconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / 32.0, size / 32.0);
  p.setPen(QPen(QColor(0, 0, 192), 1.5));
  p.setBrush(QColor(255, 255, 192));
  p.drawEllipse(QRectF(1.5, 1.5, 29, 29));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 0, 0));
  p.drawPolygon(QPolygonF({{16, 3}, {19.5, 16}, {12.5, 16}}));
  p.setBrush(QColor(0, 0, 255));
  p.drawPolygon(QPolygonF({{16, 29}, {19.5, 16}, {12.5, 16}}));
  p.setBrush(QColor(0, 160, 0));
  p.drawEllipse(QPointF(26, 8), 3, 3);
  p.setBrush(QColor(192, 255, 255));
  p.setPen(QPen(QColor(0, 0, 255), 1));
  p.drawEllipse(QPointF(16, 16), 3, 3);
  return pixmap;
}

QIcon VentoraIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64, 128}) icon.addPixmap(VentoraIconPixmap(size));
  return icon;
}
