// What the history answers of a station's days, months and years: highs and lows with their
// times, means, rain totals and the dominant wind, over local calendar days.
#pragma once

#include <QDate>
#include <QString>
#include <QTimeZone>
#include <cstdint>
#include <optional>
#include <vector>

class HistoryStore;

// A highest or lowest reading and when it was first reached (Unix seconds).
struct Extreme {
  double value = 0;
  int64_t time = 0;
};

// One local calendar day of a station. Every reading is metric, as stored; absent where no
// report of the day held a plausible one (never 0).
struct DaySummary {
  QDate date;
  int64_t start = 0, end = 0;  // the day's first second and the first second after it
  int64_t reports = 0;
  std::optional<Extreme> tempHigh, tempLow;
  std::optional<double> tempMean;  // arithmetic mean of the day's readings
  std::optional<double> humidityHigh, humidityLow;
  std::optional<double> pressureHigh, pressureLow;
  std::optional<double> windMean;  // mean of wind_kmh
  std::optional<Extreme> gustHigh;
  std::optional<double> windDomDir;  // degrees [0, 360): the wind-weighted vector sum's direction
  std::optional<double> rainMm;      // the day's largest rain since the station's midnight
};

// A month, a year, or a month of a year: its extremes with their times, the mean of its daily
// means, the sum of its daily rain and the days with at least RainDayMm.
struct PeriodSummary {
  std::optional<Extreme> tempHigh, tempLow;
  std::optional<double> tempMean;
  std::optional<double> rainMm;
  int rainDays = 0;
  std::optional<Extreme> gustHigh;
};

inline constexpr double RainDayMm = 0.2;

struct MonthSummary {
  QString station;
  int year = 0, month = 0;
  QString timezone;              // the zone's IANA id, "Europe/Rome"
  std::vector<DaySummary> days;  // every day of the month, those without reports too
  PeriodSummary total;
};

struct YearSummary {
  QString station;
  int year = 0;
  QString timezone;
  std::vector<MonthSummary> months;  // twelve, January first
  PeriodSummary total;
};

// Each returns nothing, with `error` set, when the file cannot be read.
std::optional<DaySummary> SummariseDay(HistoryStore& store, const QString& station,
                                       const QTimeZone& zone, QDate date, QString& error);
std::optional<MonthSummary> SummariseMonth(HistoryStore& store, const QString& station,
                                           const QTimeZone& zone, int year, int month,
                                           QString& error);
std::optional<YearSummary> SummariseYear(HistoryStore& store, const QString& station,
                                         const QTimeZone& zone, int year, QString& error);

// `time` as local ISO 8601 with its offset: 2026-10-25T02:30:00+01:00.
QString LocalIsoTime(int64_t time, const QTimeZone& zone);
