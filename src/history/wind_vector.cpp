#include "wind_vector.h"

#include <QtMath>
#include <cmath>

namespace {

// A sum shorter than this share of the summed speeds is winds that cancel out, up to rounding.
constexpr double CancelledShare = 1e-9;

}  // namespace

std::optional<double> WindVector::Direction() const {
  if (weight == 0 || std::hypot(east, north) <= CancelledShare * weight) return std::nullopt;
  const double degrees = qRadiansToDegrees(std::atan2(east, north));
  const double turned = degrees < 0 ? degrees + 360 : degrees;
  return turned >= 360 ? 0 : turned;  // -1e-15 + 360 rounds to 360
}
