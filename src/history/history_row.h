// One stored weather report: when it was decoded, whose it was, its text and its readings.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "report_decoder.h"

// The value columns of the `reports` table, in the table's order.
enum class HistoryColumn {
  WindDir,
  WindKmh,
  GustKmh,
  TempC,
  Rain1hMm,
  Rain24hMm,
  RainTodayMm,
  PressureMb,
  HumidityPct,
  PressureChange4hMb,
  WindChillC,
  DewPointC,
  AbsHumidityGm3,
};
inline constexpr int HistoryColumnCount = 13;

// The column's name in the table, in CSV headers and in JSON.
const char* ColumnName(HistoryColumn column);
// Whole-number columns (direction, humidity, pressure change) are INTEGER, the rest REAL.
bool IsWholeNumberColumn(HistoryColumn column);

struct HistoryRow {
  int64_t time = 0;  // Unix seconds, UTC, when the report was decoded
  QString station;
  QString info;  // the information field that was decoded
  // Nothing where the report lacked the reading. Single-precision readings are held as the
  // double nearest to their shortest decimal text, so that other tools read "6.437388".
  std::array<std::optional<double>, HistoryColumnCount> values{};

  std::optional<double>& operator[](HistoryColumn c) { return values[size_t(c)]; }
  const std::optional<double>& operator[](HistoryColumn c) const { return values[size_t(c)]; }
};

// The decoded number behind the column, whether the report held it or not.
float DecodedNumber(const DecodedValues& values, HistoryColumn column);
// Whether the report holds the column's reading: the presence rules of the history's rows and
// of `ventora-cli decode`'s "values" (which, as the window, shows a speed without one as 0).
bool HoldsReading(const DecodedValues& values, HistoryColumn column);

// The row for one decoded report: each reading it holds (the very numbers `ventora-cli decode`
// prints under "values"), nothing where it holds none.
HistoryRow RowFromReport(int64_t time, const QString& station, const QString& info,
                         const DecodedValues& values);

// A reading as it is written out: a whole number, or the shortest text of the single-precision
// value, with "." as the decimal separator.
QByteArray ValueText(HistoryColumn column, double value);

// `time` as ISO 8601 in UTC: 2026-12-09T10:00:00Z.
QString IsoUtc(int64_t time);
