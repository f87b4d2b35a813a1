// October 2026 of the generated station in a history file, for the summaries' tests: a report
// every ten minutes of Rome's local days (the 25th has 25 hours), none on the 12th and 13th,
// and once a day a report of another station that no summary of IW2XYZ may show.
#pragma once

#include <QtTest>

#include "generated_weather.h"
#include "history_store.h"
#include "test_support.h"

// 2026-10-01T00:00:00+02:00 and 2026-11-01T00:00:00+01:00.
inline constexpr int64_t GeneratedMonthStart = 1790805600, GeneratedMonthEnd = 1793487600;
// The silent days: 2026-10-12T00:00:00+02:00 up to 2026-10-14T00:00:00+02:00.
inline constexpr int64_t GeneratedGapStart = 1791756000, GeneratedGapEnd = 1791928800;
inline constexpr int64_t GeneratedStep = 600;

inline void WriteGeneratedMonth(const QString& path) {
  auto store = OpenHistory(path).store;
  QVERIFY(store);
  GeneratedWeather weather;
  const ReportOutcome other =
      DecodeWeatherReport(QStringLiteral("_090/050g099t110r000p000P099h05b10400"),
                          DefaultAlarmSettings(), ReportState(), QLocale::c());
  QString error;
  for (int64_t t = GeneratedMonthStart; t < GeneratedMonthEnd; t += GeneratedStep) {
    if (t >= GeneratedGapStart && t < GeneratedGapEnd) continue;
    QVERIFY2(store->Store(weather.Row(t), error), qPrintable(error));
    if ((t - GeneratedMonthStart) % 86400 == 12 * 3600)
      QVERIFY(store->Store(RowFromReport(t, "IK1ABC", "other", other.values), error));
  }
}
