#include "shape_widget.h"

#include <QPainter>

ShapeWidget::ShapeWidget(QWidget* parent, const QColor& outline, std::optional<QColor> fill)
    : QWidget(parent), outline_(outline), fill_(fill) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(outline_, 1));
  p.setBrush(fill_ ? QBrush(*fill_) : Qt::NoBrush);
  p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}
