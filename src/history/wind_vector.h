// The dominant wind direction: the direction of the vector sum of the reports' wind, each report
// weighted by its speed.
#pragma once

#include <optional>

struct WindVector {
  double east = 0, north = 0;  // the summed speeds' components, towards where the wind comes from
  double weight = 0;           // the summed speeds

  // Degrees in [0, 360); nothing without wind or when the winds cancel out.
  std::optional<double> Direction() const;
};
