// A station's records: the extremes of today, yesterday, this month, this year and all time.
#pragma once

#include <QDate>
#include <QString>
#include <QTimeZone>
#include <optional>

#include "climate_summary.h"

struct RecordSet {
  std::optional<Extreme> tempHigh, tempLow, gustHigh;
  std::optional<double> rainDayMm;  // the most rain in one day, and that day
  QDate rainDayDate;
  std::optional<Extreme> rainHour;  // the highest rain_1h_mm
  std::optional<Extreme> pressureHigh, pressureLow;
};

struct WeatherRecords {
  QString station;
  QString timezone;
  QDate asOf;  // the local date that is "today"
  RecordSet today, yesterday, month, year, all;
};

// The records as of `today` (a local date of `zone`); nothing, with `error` set, when the file
// cannot be read.
std::optional<WeatherRecords> SummariseRecords(HistoryStore& store, const QString& station,
                                               const QTimeZone& zone, QDate today, QString& error);
