// What the history window can chart: each quantity's lines (the stored columns), its unit and
// decimals in the user's units, and the ranges of time it offers.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "history_row.h"
#include "unit_system.h"

enum class HistoryQuantity { Temperature, Humidity, Pressure, Wind, Rain };
inline constexpr int HistoryQuantityCount = 5;

struct HistoryLine {
  HistoryColumn column;
  const char* name;  // in the legend and when a point is hovered
  uint32_t rgb;
  bool rightAxis = false;  // the wind's direction, in degrees beside the speeds
};

struct QuantityChart {
  const char* title;  // the tab
  // What the lines measure in the unit table; none: the humidity, in % in every unit system.
  std::optional<Quantity> measure;
  int decimals;  // at least; a unit that the window shows with more decimals gets its own
  std::vector<HistoryLine> lines;
};

// A title or name of these tables in the user's language.
QString QuantityText(const char* text);

const QuantityChart& ChartOf(HistoryQuantity quantity);

// What follows a chart's values in `system` ("°C", "%", "mb", "km/h", "mm" in metric), and
// their decimals.
struct ChartUnit {
  QString symbol;
  int decimals;
};
ChartUnit ChartUnitOf(HistoryQuantity quantity, UnitSystem system);

// A stored value, always metric, as the chart shows it in `system`. The wind's direction stays
// in degrees.
double ShownValue(HistoryQuantity quantity, const HistoryLine& line, UnitSystem system,
                  double metric);

enum class HistorySpan { Day, Week, Month, Year };
inline constexpr int HistorySpanCount = 4;

struct SpanChoice {
  const char* name;  // "24 ore", ...
  int64_t seconds;
  const char* axisFormat;  // the time axis' labels, in local time
};

const SpanChoice& SpanOf(HistorySpan span);

// Where the time axis of `span` over [from, to] (Unix seconds) is labelled, at the local
// boundaries its labels name: every 4th whole hour for a day, each midnight for a week, every
// 5th midnight for a month (the same days whatever the day today), the first of each month for
// a year.
std::vector<int64_t> SpanTicks(HistorySpan span, int64_t from, int64_t to);
