// The history's summaries as plain text for reading on a terminal: the readings rounded as the
// NOAA text rounds them, with their units and local times, "---" where there is none.
#pragma once

#include <QByteArray>
#include <QTimeZone>

#include "climate_summary.h"
#include "unit_system.h"
#include "weather_records.h"

QByteArray DayText(const QString& station, const DaySummary& day, UnitSystem units,
                   const QTimeZone& zone);
QByteArray MonthText(const MonthSummary& month, UnitSystem units, const QTimeZone& zone);
QByteArray YearText(const YearSummary& year, UnitSystem units, const QTimeZone& zone);
QByteArray RecordsText(const WeatherRecords& records, UnitSystem units, const QTimeZone& zone);
