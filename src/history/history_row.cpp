#include "history_row.h"

#include <QDateTime>
#include <charconv>
#include <cmath>

namespace {

constexpr const char* ColumnNames[HistoryColumnCount] = {
    "wind_dir",     "wind_kmh",      "gust_kmh",        "temp_c",       "rain_1h_mm",
    "rain_24h_mm",  "rain_today_mm", "pressure_mb",     "humidity_pct", "pressure_change_4h_mb",
    "wind_chill_c", "dew_point_c",   "abs_humidity_gm3"};

// The double that reads as the float's shortest text.
std::optional<double> Reading(float v, bool present) {
  if (!present || !std::isfinite(v)) return std::nullopt;
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, v).ptr;
  double d = 0;
  std::from_chars(text, end, d);
  return d;
}

std::optional<double> Whole(int v, bool present) {
  return present ? std::optional<double>(v) : std::nullopt;
}

}  // namespace

const char* ColumnName(HistoryColumn column) {
  return ColumnNames[size_t(column)];
}

bool IsWholeNumberColumn(HistoryColumn column) {
  return column == HistoryColumn::WindDir || column == HistoryColumn::HumidityPct ||
         column == HistoryColumn::PressureChange4hMb;
}

HistoryRow RowFromReport(int64_t time, const QString& station, const QString& info,
                         const DecodedValues& v) {
  HistoryRow row;
  row.time = time;
  row.station = station;
  row.info = info;
  row[HistoryColumn::WindDir] = Whole(v.WindDir, v.WindDir > -99);
  row[HistoryColumn::WindKmh] = Reading(v.WindSpeed, true);
  row[HistoryColumn::GustKmh] = Reading(v.Gust, v.Gust >= 0);
  row[HistoryColumn::TempC] = Reading(v.TempC, v.TempC > -99);
  row[HistoryColumn::Rain1hMm] = Reading(v.RainHour, v.RainHour >= 0);
  row[HistoryColumn::Rain24hMm] = Reading(v.Rain24h, v.Rain24h >= 0);
  row[HistoryColumn::RainTodayMm] = Reading(v.RainDay, v.RainDay >= 0);
  row[HistoryColumn::PressureMb] = Reading(v.Pressure, v.Pressure > 0);
  row[HistoryColumn::HumidityPct] = Whole(v.Humidity, v.Humidity > 0);
  row[HistoryColumn::PressureChange4hMb] = Whole(v.PressChange4h, v.PressChange4h > -99);
  row[HistoryColumn::WindChillC] = Reading(v.WindChill, v.WindChill > -99);
  row[HistoryColumn::DewPointC] = Reading(v.DewPoint, v.AbsHumidity > -99);
  row[HistoryColumn::AbsHumidityGm3] = Reading(v.AbsHumidity, v.AbsHumidity > -99);
  return row;
}

QByteArray ValueText(HistoryColumn column, double value) {
  char text[32];
  const char* end = IsWholeNumberColumn(column)
                        ? std::to_chars(text, text + sizeof text, int64_t(value)).ptr
                        : std::to_chars(text, text + sizeof text, float(value)).ptr;
  return QByteArray(text, qsizetype(end - text));
}

QString IsoUtc(int64_t time) {
  return QDateTime::fromSecsSinceEpoch(time, Qt::UTC).toString(Qt::ISODate);
}
