// The columns of a day that the NOAA text and the month's CSV share: their headings, names and
// each day's texts in the chosen units.
#pragma once

#include <QByteArray>
#include <QTimeZone>
#include <array>

#include "climate_summary.h"
#include "unit_system.h"

struct NoaaColumn {
  const char* heading[3];  // the NOAA text's three heading lines, top first
  const char* name;        // the CSV's, before the unit suffix
  bool hasUnit;
  Quantity quantity;  // the unit of the name's suffix, when it has one
};

inline constexpr int NoaaDayColumnCount = 12;
// Degree days are written in tenths, whatever the units.
inline constexpr int DegreeDayDecimals = 1;
extern const std::array<NoaaColumn, NoaaDayColumnCount> NoaaDayColumns;

// The CSV name of a column in `units`: "temp_mean_c", "gust_high_time".
QByteArray NoaaColumnName(const NoaaColumn& column, UnitSystem units);

// A day's texts in column order: numbers with their summary decimals, times as "HH:MM" local to
// `zone`, the dominant wind as a compass point; empty where the day has no reading.
std::array<QByteArray, NoaaDayColumnCount> NoaaDayFields(const DaySummary& day, UnitSystem units,
                                                         const QTimeZone& zone);
