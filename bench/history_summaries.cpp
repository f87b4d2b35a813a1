// The summaries of a year of one report a minute (525,600 rows, Europe/Rome): each month's, the
// year's and the records, timed on the file as the window and ventora-cli read it. Usage:
// history_summaries [FILE] (an existing FILE is used as it is, the year 2025 of station IW2XYZ;
// else that year is made in it, default a temporary file).
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "climate_summary.h"
#include "generated_weather.h"
#include "history_store.h"
#include "weather_records.h"

namespace {

constexpr int Year = 2025;
constexpr int64_t Minute = 60;
constexpr int YearMinutes = 365 * 24 * 60;
constexpr int Rounds = 5;
const QString Station = QStringLiteral("IW2XYZ");

double Ms(const QElapsedTimer& t) {
  return double(t.nsecsElapsed()) / 1e6;
}

bool MakeYear(const QString& path, const QTimeZone& zone) {
  auto store = OpenHistory(path).store;
  if (!store) return false;
  GeneratedWeather weather;
  const int64_t start = QDate(Year, 1, 1).startOfDay(zone).toSecsSinceEpoch();
  QString error;
  for (int m = 0; m < YearMinutes; ++m)
    if (!store->Store(weather.Row(start + m * Minute, Station), error)) return false;
  return true;
}

// Runs `work` Rounds times and prints the least, median and most time; the first run, on a
// file not yet in the cache of this process, is one of them.
bool Timed(const char* what, const std::function<bool()>& work) {
  std::vector<double> times;
  for (int round = 0; round < Rounds; ++round) {
    QElapsedTimer t;
    t.start();
    if (!work()) return false;
    times.push_back(Ms(t));
  }
  const double first = times.front();
  std::sort(times.begin(), times.end());
  std::printf("%-22s least %6.1f ms, median %6.1f, most %6.1f (first %6.1f)\n", what, times.front(),
              times[times.size() / 2], times.back(), first);
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const QTimeZone zone("Europe/Rome");
  QTemporaryDir dir;
  const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath("year.sqlite");
  if (!QFileInfo::exists(path)) {
    QElapsedTimer making;
    making.start();
    if (!MakeYear(path, zone)) return 1;
    std::printf("the year made, report by report: %.0f s\n", Ms(making) / 1000);
  }
  {
    // A file of an earlier Ventora gets its quarter-hour summary here.
    QElapsedTimer opening;
    opening.start();
    if (!OpenHistory(path).store) return 1;
    std::printf("opening for writing: %.0f ms\n", Ms(opening));
  }
  auto store = OpenHistory(path, {HistoryAccess::ReadOnly}).store;
  if (!store) return 1;
  QString error;
  bool ok = true;
  for (int month = 1; month <= 12 && ok; ++month) {
    const QByteArray what =
        QStringLiteral("month %1-%2:").arg(Year).arg(month, 2, 10, QLatin1Char('0')).toLatin1();
    ok = Timed(what.constData(), [&] {
      return SummariseMonth(*store, Station, zone, Year, month, error).has_value();
    });
  }
  ok = ok && Timed("year:",
                   [&] { return SummariseYear(*store, Station, zone, Year, error).has_value(); });
  ok = ok && Timed("records, as of Dec 31:", [&] {
         return SummariseRecords(*store, Station, zone, QDate(Year, 12, 31), error).has_value();
       });
  if (!ok) std::fprintf(stderr, "%s\n", qPrintable(error));
  return ok ? 0 : 1;
}
