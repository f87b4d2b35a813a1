// The history's summaries as the documented JSON of `ventora-cli summary`: readings unrounded in
// the chosen units, each name ending in its unit, null where there is no reading.
#pragma once

#include <QByteArray>
#include <QTimeZone>

#include "climate_summary.h"
#include "unit_system.h"
#include "weather_records.h"

// Each is one line, ended by "\n".
QByteArray DayJson(const DaySummary& day, UnitSystem units, const QTimeZone& zone);
QByteArray MonthJson(const MonthSummary& month, UnitSystem units, const QTimeZone& zone);
QByteArray YearJson(const YearSummary& year, UnitSystem units, const QTimeZone& zone);
QByteArray RecordsJson(const WeatherRecords& records, UnitSystem units, const QTimeZone& zone);
