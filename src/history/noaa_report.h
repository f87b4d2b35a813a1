// The NOAA-style climatological summaries of a month and of a year, as plain text.
#pragma once

#include <QByteArray>
#include <QTimeZone>

#include "climate_summary.h"
#include "unit_system.h"

// Heating and cooling degree days of a day's mean temperature (°C), in `units`: base 18.3 °C,
// or 65 °F of the mean shown in °F.
double HeatingDegreeDays(UnitSystem units, double meanC);
double CoolingDegreeDays(UnitSystem units, double meanC);

// The conventional text: a header with the station, the period and the units, one line a day
// (or a month), the totals and extremes underneath. "." is the decimal separator; times are
// local to `zone`. Lines end in "\n".
QByteArray NoaaMonthReport(const MonthSummary& month, UnitSystem units, const QTimeZone& zone);
QByteArray NoaaYearReport(const YearSummary& year, UnitSystem units, const QTimeZone& zone);
