// A month's summary as CSV, one line a day with the columns of the NOAA text, for spreadsheets.
#pragma once

#include <QByteArray>
#include <QTimeZone>

#include "climate_summary.h"
#include "unit_system.h"

// A header line, then one line a day: date, mean, high, its time, low, its time, heating and
// cooling degree days, rain, mean wind, high gust, its time, dominant direction; values in
// `units` with "." as the decimal separator, empty fields where a reading is absent.
QByteArray MonthCsv(const MonthSummary& month, UnitSystem units, const QTimeZone& zone);
