// The wind compass and the trend arrows as lists of drawing steps in twips, ready to be replayed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>

#include "rgb.h"

struct DrawOp {
  enum class Kind { Clear, Line, LineOn, Circle };
  Kind kind = Kind::Clear;
  float x1 = 0, y1 = 0;       // start of a Line; centre of a Circle
  float x2 = 0, y2 = 0;       // end of a Line or LineOn
  float radius = 0;           // Circle
  std::optional<Rgb> colour;  // none: the picture's drawing colour
};

// The steps of one picture, held inline: a decoded report makes four pictures, and none of them
// has more than five steps (a Clear and an arrow of four lines).
class Drawing {
 public:
  static constexpr size_t Capacity = 5;
  Drawing() = default;
  Drawing(std::initializer_list<DrawOp> steps) {
    for (const DrawOp& op : steps) push_back(op);
  }
  // A step beyond the capacity is a fault of the code that draws; it is dropped.
  void push_back(const DrawOp& op) {
    if (size_ < Capacity) steps_.op[size_++] = op;
  }
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  const DrawOp& operator[](size_t i) const { return steps_.op[i]; }
  const DrawOp& front() const { return steps_.op[0]; }
  const DrawOp* begin() const { return steps_.op; }
  const DrawOp* end() const { return steps_.op + size_; }

 private:
  // Left unset until pushed: a report makes several drawings and most steps are never used.
  union Steps {
    Steps() {}
    DrawOp op[Capacity];
  } steps_;
  size_t size_ = 0;
};

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
