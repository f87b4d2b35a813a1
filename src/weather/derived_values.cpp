#include "derived_values.h"

#include <cmath>

namespace {

constexpr double MagnusA = 17.67;
constexpr double MagnusB = 243.5;
constexpr double AbsHumidityFactor = 1324.3483348;
constexpr double ZeroCelsius = 273.15;

bool Finite(float x) {
  return std::isfinite(x);
}

}  // namespace

float WindChill(float tempC, float windSpeed, float gust) {
  if (!(gust > 0) || windSpeed < 0) return NotShown;
  const double v = windSpeed;
  const double t = tempC;
  const float chill =
      static_cast<float>(((std::sqrt(v) * 5.27 + 10.45) - v * 0.28) * 0.045 * (t - 33) + 33);
  if (!Finite(chill) || chill > tempC) return NotShown;
  return chill;
}

Moisture DewPointAndAbsHumidity(float tempC, int16_t humidity) {
  if (humidity <= 0) return {};
  const double t = tempC;
  const double a = t * MagnusA / (t + MagnusB);
  const float gamma = static_cast<float>(std::log(std::exp(a) * humidity / 100));
  const float dew = static_cast<float>(gamma * MagnusB / (MagnusA - gamma));
  const double b = dew * MagnusA / (dew + MagnusB);
  const float abs = static_cast<float>(std::exp(b) * AbsHumidityFactor / (t + ZeroCelsius));
  if (!Finite(gamma) || !Finite(dew) || !Finite(abs)) return {};
  return {dew, abs};
}
