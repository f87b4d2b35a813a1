// The dominant wind direction: the direction of the vector sum of the reports' wind, each report
// weighted by its speed.
#pragma once

#include <optional>
#include <vector>

// The summed speed of the reports that gave one direction.
struct WindShare {
  double direction = 0;  // degrees, where the wind comes from
  double speedSum = 0;
};

// Degrees in [0, 360); nothing without shares or when the sum is (all but) zero.
std::optional<double> DominantDirection(const std::vector<WindShare>& shares);
