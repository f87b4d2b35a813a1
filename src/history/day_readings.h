// What the history holds of one station's day, from its plausible readings only: the aggregates
// that the day's, month's and year's summaries and the records are made of.
#pragma once

#include <cstdint>
#include <optional>

#include "wind_vector.h"

struct DayReadings {
  int64_t reports = 0;
  std::optional<double> tempHigh, tempLow, tempMean;
  std::optional<double> humidityHigh, humidityLow;
  std::optional<double> pressureHigh, pressureLow;
  std::optional<double> windMean, gustHigh;
  std::optional<double> rainToday;  // the largest rain since the station's midnight
  std::optional<double> rainHourHigh;
  WindVector wind;
};
