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
double Reading(float v) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, v).ptr;
  double d = 0;
  std::from_chars(text, end, d);
  return d;
}

}  // namespace

const char* ColumnName(HistoryColumn column) {
  return ColumnNames[size_t(column)];
}

bool IsWholeNumberColumn(HistoryColumn column) {
  return column == HistoryColumn::WindDir || column == HistoryColumn::HumidityPct ||
         column == HistoryColumn::PressureChange4hMb;
}

float DecodedNumber(const DecodedValues& v, HistoryColumn column) {
  switch (column) {
    case HistoryColumn::WindDir:
      return v.WindDir;
    case HistoryColumn::WindKmh:
      return v.WindSpeed;
    case HistoryColumn::GustKmh:
      return v.Gust;
    case HistoryColumn::TempC:
      return v.TempC;
    case HistoryColumn::Rain1hMm:
      return v.RainHour;
    case HistoryColumn::Rain24hMm:
      return v.Rain24h;
    case HistoryColumn::RainTodayMm:
      return v.RainDay;
    case HistoryColumn::PressureMb:
      return v.Pressure;
    case HistoryColumn::HumidityPct:
      return v.Humidity;
    case HistoryColumn::PressureChange4hMb:
      return v.PressChange4h;
    case HistoryColumn::WindChillC:
      return v.WindChill;
    case HistoryColumn::DewPointC:
      return v.DewPoint;
    case HistoryColumn::AbsHumidityGm3:
      break;
  }
  return v.AbsHumidity;
}

bool HoldsReading(const DecodedValues& v, HistoryColumn column) {
  switch (column) {
    case HistoryColumn::WindDir:
      return v.WindDir > -99;
    case HistoryColumn::WindKmh:
      return v.WindSpeedGiven;
    case HistoryColumn::GustKmh:
      return v.Gust >= 0;
    case HistoryColumn::TempC:
      return v.TempC > -99;
    case HistoryColumn::Rain1hMm:
      return v.RainHour >= 0;
    case HistoryColumn::Rain24hMm:
      return v.Rain24h >= 0;
    case HistoryColumn::RainTodayMm:
      return v.RainDay >= 0;
    case HistoryColumn::PressureMb:
      return v.Pressure > 0;
    case HistoryColumn::HumidityPct:
      return v.Humidity > 0;
    case HistoryColumn::PressureChange4hMb:
      return v.PressChange4h > -99;
    case HistoryColumn::WindChillC:
      return v.WindChill > -99;
    case HistoryColumn::DewPointC:  // computed with the absolute humidity, or not at all
    case HistoryColumn::AbsHumidityGm3:
      break;
  }
  return v.AbsHumidity > -99;
}

HistoryRow RowFromReport(int64_t time, const QString& station, const QString& info,
                         const DecodedValues& v) {
  HistoryRow row;
  row.time = time;
  row.station = station;
  row.info = info;
  for (int c = 0; c < HistoryColumnCount; ++c) {
    const HistoryColumn column = HistoryColumn(c);
    const float number = DecodedNumber(v, column);
    if (HoldsReading(v, column) && std::isfinite(number))
      row[column] = IsWholeNumberColumn(column) ? double(number) : Reading(number);
  }
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
