#include "font_fit.h"

QFont ShrinkToFit(QFont font, const std::function<bool(const QFontMetrics&)>& fits) {
  constexpr double SmallestPt = 4;
  constexpr double StepPt = 0.25;
  while (!fits(QFontMetrics(font)) && font.pointSizeF() > SmallestPt)
    font.setPointSizeF(font.pointSizeF() - StepPt);
  return font;
}
