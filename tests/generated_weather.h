// A made-up station's weather, one report a minute, for the history tests, screenshots and
// benchmark: a season, a day's swing, passing lows, showers; each report the text a station
// sends, decoded by Ventora's own decoder into the row the window stores.
#pragma once

#include <QString>
#include <cmath>
#include <cstdint>

#include "history_row.h"
#include "history_store.h"
#include "report_decoder.h"
#include "settings.h"

class GeneratedWeather {
 public:
  explicit GeneratedWeather(uint32_t seed = 20261209) : state_(seed) {
    ApplyDefaultAlarms(settings_);
  }

  // The report the station sends at Unix time `t`.
  QString Report(int64_t t) {
    const double day = double(t) / 86400.0, pi2 = 2 * M_PI;
    const double season = std::sin(pi2 * (day - 110) / 365.25);
    const double hour = std::sin(pi2 * (day - 0.375));
    const double front = std::sin(pi2 * day / 4.3) + 0.4 * std::sin(pi2 * day / 9.1);
    const double tempC = 12 + 9 * season + 5 * hour - 2 * front + Noise(0.3);
    const int humidity = std::clamp(int(68 - 18 * hour + 12 * front + Noise(2)), 8, 100);
    const double pressure = 1013 - 9 * front + Noise(0.2);
    const double wind = std::max(0.0, 6 + 5 * std::fabs(front) + 3 * hour + Noise(1.5));
    const int dir = (int(200 + 90 * front + Noise(15)) + 360) % 360;
    const bool shower = front > 0.9 && std::fmod(day * 3, 1.0) < 0.4;
    if (shower) rainToday_ += 1;
    if (std::fmod(day, 1.0) < 1.0 / 1440) rainToday_ = 0;
    return QString::asprintf("_%03d/%03dg%03dt%03dr%03dp%03dP%03dh%02db%05dvVentoraGen", dir,
                             int(wind), int(wind * 1.6 + 2), int(tempC * 9 / 5 + 32),
                             shower ? 4 : 0, rainToday_, rainToday_, humidity % 100,
                             int(pressure * 10));
  }

  // The row the window stores for that report.
  HistoryRow Row(int64_t t, const QString& station = QStringLiteral("IW2XYZ")) {
    const QString text = Report(t);
    const ReportOutcome out = DecodeWeatherReport(text, settings_, ReportState(), QLocale::c());
    return RowFromReport(t, station, text, out.values);
  }

 private:
  double Noise(double size) {
    state_ = state_ * 1664525u + 1013904223u;
    return size * (double(state_ >> 8) / double(1u << 24) - 0.5) * 2;
  }
  uint32_t state_;
  int rainToday_ = 0;
  Settings settings_;
};

// A year of this weather up to `now`, a report every half hour (on the hour and the half): what
// the summary's tests and pictures show. False when a report could not be stored.
inline bool StoreGeneratedYear(HistoryStore& store, int64_t now) {
  GeneratedWeather weather;
  std::vector<HistoryRow> rows;
  for (int64_t t = now - now % 1800 - 365 * 86400; t < now; t += 1800)
    rows.push_back(weather.Row(t));
  QString error;
  return store.StoreAll(rows, error);
}
