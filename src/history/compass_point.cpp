#include "compass_point.h"

#include <cmath>

namespace {

const char* const Points[] = {"N", "NNE", "NE", "ENE", "E", "ESE", "SE", "SSE",
                              "S", "SSW", "SW", "WSW", "W", "WNW", "NW", "NNW"};
constexpr int PointCount = 16;
constexpr double PointWidth = 360.0 / PointCount;

}  // namespace

const char* CompassPoint(double degrees) {
  const double turn = std::fmod(degrees, 360.0) + (degrees < 0 ? 360.0 : 0.0);
  return Points[int(std::floor(turn / PointWidth + 0.5)) % PointCount];
}
