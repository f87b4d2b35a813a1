#include "picture_box.h"

#include <QPainter>

#include "twips.h"

PictureBox::PictureBox(QWidget* parent, const QColor& background, const QColor& drawColour,
                       double penTwips)
    : QWidget(parent), drawColour_(drawColour), penTwips_(penTwips) {
  QPalette pal = palette();
  pal.setColor(QPalette::Window, background);
  setPalette(pal);
  setAutoFillBackground(true);
}

void PictureBox::Draw(const Drawing& steps) {
  for (const DrawOp& op : steps) {
    if (op.kind == DrawOp::Kind::Clear)
      steps_.clear();
    else
      steps_.push_back(op);
  }
  update();
}

void PictureBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(1.0 / TwipsPerPixel, 1.0 / TwipsPerPixel);
  QPointF current(0, 0);
  for (const DrawOp& op : steps_) {
    QPen pen(op.colour ? QColor::fromRgb(*op.colour) : drawColour_, penTwips_);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    switch (op.kind) {
      case DrawOp::Kind::Line:
        current = QPointF(op.x1, op.y1);
        [[fallthrough]];
      case DrawOp::Kind::LineOn:
        p.drawLine(current, QPointF(op.x2, op.y2));
        current = QPointF(op.x2, op.y2);
        break;
      case DrawOp::Kind::Circle:
        p.drawEllipse(QPointF(op.x1, op.y1), op.radius, op.radius);
        break;
      case DrawOp::Kind::Clear:
        break;
    }
  }
}
