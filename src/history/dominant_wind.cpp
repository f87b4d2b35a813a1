#include "dominant_wind.h"

#include <cmath>

namespace {

// A sum shorter than this share of the summed speeds is winds that cancel out, up to rounding.
constexpr double CancelledShare = 1e-9;

constexpr double DegreesPerRadian = 180 / M_PI;

}  // namespace

std::optional<double> DominantDirection(const std::vector<WindShare>& shares) {
  double east = 0, north = 0, speeds = 0;
  for (const WindShare& s : shares) {
    east += s.speedSum * std::sin(s.direction / DegreesPerRadian);
    north += s.speedSum * std::cos(s.direction / DegreesPerRadian);
    speeds += std::fabs(s.speedSum);
  }
  if (speeds == 0 || std::hypot(east, north) <= CancelledShare * speeds) return std::nullopt;
  const double degrees = std::atan2(east, north) * DegreesPerRadian;
  const double turned = degrees < 0 ? degrees + 360 : degrees;
  return turned >= 360 ? 0 : turned;  // -1e-15 + 360 rounds to 360
}
