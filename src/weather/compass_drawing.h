// The wind compass and the trend arrows as lists of drawing steps in twips, ready to be replayed.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>
#include "rgb.h"

struct DrawOp {
  enum class Kind { Clear, Line, LineOn, Circle };
  Kind kind = Kind::Clear;
  float x1 = 0, y1 = 0;       // start of a Line; centre of a Circle
  float x2 = 0, y2 = 0;       // end of a Line or LineOn
  float radius = 0;           // Circle
  std::optional<Rgb> colour;  // none: the picture's drawing colour
};
using Drawing = std::vector<DrawOp>;

inline constexpr float CompassCentre = 607;
inline constexpr float HubRadius = 140;
inline constexpr float RimRadius = 520;
inline constexpr float NeedleTwipsPerKmh = 12;
inline constexpr float MarkerRadius = 10;
// Radians per degree as the station's display has always computed them (pi taken as 3.14159).
inline constexpr double DegreeFactor = 0.017453277777777776;

inline constexpr Rgb MarkerColour = 0xff00ff00;
inline constexpr Rgb GustColour = 0xffff0000;
inline constexpr Rgb WindColour = 0xffffff00;

struct CompassFigure {
  int16_t dir = 0;  // what was drawn: degrees and km/h
  float speed = 0, gust = 0;
  bool calm = false;  // "WIND CALM" shown instead of marker and needles
  Drawing drawing;    // starts with a Clear
};

// The compass for a direction in degrees (0 north, clockwise) and speeds in km/h.
CompassFigure DrawWindCompass(int16_t dir, float speed, float gust);

enum class Trend { Up, Equal, Down };

inline Trend TrendOf(float delta) {
  if (delta > 0) return Trend::Up;
  if (delta == 0) return Trend::Equal;
  return Trend::Down;
}

// The lines of an arrow in a 255 x 245 twip trend picture; the caller clears the picture first.
Drawing DrawTrendArrow(Trend trend);

// What a trend picture holds: cleared, then the arrow when there is one.
Drawing TrendPictureDrawing(const std::optional<Trend>& trend);
