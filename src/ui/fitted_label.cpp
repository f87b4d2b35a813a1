#include "fitted_label.h"

#include <QPainter>
#include <QStyle>

#include "font_fit.h"

QFont FittedLabel::ShownFont() const {
  const int width = contentsRect().width();
  const QString shown = text();
  return ShrinkToFit(font(),
                     [&](const QFontMetrics& m) { return m.horizontalAdvance(shown) <= width; });
}

QString FittedLabel::ShownText() const {
  return QFontMetrics(ShownFont()).elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void FittedLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  drawFrame(&painter);
  painter.setFont(ShownFont());
  style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(),
                        ShownText(), foregroundRole());
}
