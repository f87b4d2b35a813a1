// Window geometry is laid out in twips; Qt places widgets in logical pixels (15 twips each).
#pragma once

#include <QRect>
#include <cmath>

inline constexpr double TwipsPerPixel = 15.0;

inline int Px(double twips) {
  return static_cast<int>(std::lround(twips / TwipsPerPixel));
}

inline QRect TwipsRect(double left, double top, double width, double height) {
  return QRect(Px(left), Px(top), Px(width), Px(height));
}
