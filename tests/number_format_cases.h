// The values the differential check of NumberFormat against QLocale draws: what the decoder
// can produce (floats), with exact ties, negative zero and values that round to zero.
#pragma once

#include <cmath>
#include <random>

// A float value of the kind the captions show; `kind` cycles through the families.
inline double NumberFormatCase(std::mt19937& rng, unsigned kind) {
  std::uniform_real_distribution<float> everyday(-100.0f, 1100.0f);
  std::uniform_int_distribution<int> whole(-40000, 40000);
  std::uniform_real_distribution<double> exponent(-8.0, 38.0);
  switch (kind % 6) {
    case 0:
      return everyday(rng);
    case 1:  // exact ties at 0 and at 1 decimal
      return whole(rng) + (rng() % 4) * 0.25;
    case 2:  // around zero, both signs
      return double(float(std::ldexp(everyday(rng), -int(rng() % 40))));
    case 3:  // any magnitude a float holds
      return double(float((rng() % 2 ? -1 : 1) * std::pow(10.0, exponent(rng))));
    case 4:
      return rng() % 2 ? -0.0 : 0.0;
    default:  // one tenth away from a tie in float
      return double(float(whole(rng) / 10.0 + 0.05));
  }
}
