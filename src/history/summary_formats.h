// How the summaries' texts write readings, times and field names in the chosen units: one rule
// for the NOAA text, the month's CSV and the command line.
#pragma once

#include <QByteArray>
#include <QTimeZone>
#include <cstdint>

#include "unit_system.h"

// The decimals a summary text gives a quantity shown in `units`: tenths, and hundredths of
// inches (of rain or of mercury).
int SummaryDecimals(UnitSystem units, Quantity quantity);

// A metric reading converted to `units` and written with its summary decimals.
QByteArray SummaryNumber(UnitSystem units, Quantity quantity, double metric);

// `value` with `decimals` after a "." whatever the locale; never "-0.0".
QByteArray FixedNumber(double value, int decimals);

// The local hour and minute of `time`: "06:05".
QByteArray ClockTime(int64_t time, const QTimeZone& zone);

// The unit suffix of a field name: "c", "kmh", "mb", "mm" or "f", "mph", "inhg", "in".
const char* UnitSuffix(UnitSystem units, Quantity quantity);
