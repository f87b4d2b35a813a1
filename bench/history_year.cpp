// The history with a year of one report a minute (525,600 rows): the time to store a report,
// the file's size, the history window's opening with 24 hours shown and each range switched,
// each drawn. Usage: history_year [FILE] (an existing FILE is reused, else it is made; default a
// temporary one). Run with QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "generated_weather.h"
#include "history_recorder.h"
#include "history_window.h"

namespace {

constexpr int64_t Minute = 60;
constexpr int YearMinutes = 365 * 24 * 60;
constexpr int Rounds = 5;

double Ms(const QElapsedTimer& t) {
  return double(t.nsecsElapsed()) / 1e6;
}

struct Spread {
  double least, median, most;
};

Spread SpreadOf(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return {v.front(), v[v.size() / 2], v.back()};
}

// Stores the year, timing every report.
bool MakeYear(const QString& path) {
  auto store = OpenHistory(path).store;
  if (!store) return false;
  GeneratedWeather weather;
  const int64_t now = QDateTime::currentSecsSinceEpoch();
  std::vector<double> times;
  times.reserve(YearMinutes);
  QString error;
  for (int m = YearMinutes; m > 0; --m) {
    const HistoryRow row = weather.Row(now - m * Minute);
    QElapsedTimer t;
    t.start();
    if (!store->Store(row, error)) return false;
    times.push_back(Ms(t));
  }
  std::sort(times.begin(), times.end());
  double sum = 0;
  for (double x : times) sum += x;
  std::printf("store one report: mean %.3f ms, median %.3f, 99th %.3f, 99.9th %.3f, most %.3f\n",
              sum / double(times.size()), times[times.size() / 2], times[times.size() * 99 / 100],
              times[times.size() * 999 / 1000], times.back());
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath("year.sqlite");
  if (!QFileInfo::exists(path) && !MakeYear(path)) return 1;
  QElapsedTimer opening;
  opening.start();
  HistoryRecorder history(path);
  QStringList messages;
  if (!history.Store(messages)) return 1;
  std::printf("opening the file (its check included): %.1f ms; %.1f MB\n", Ms(opening),
              double(QFileInfo(path).size()) / 1e6);
  Settings settings;
  settings.StationCall = QStringLiteral("IW2XYZ");
  std::vector<double> open;
  std::vector<std::vector<double>> switched(HistorySpanCount);
  for (int round = 0; round < Rounds; ++round) {
    QElapsedTimer t;
    t.start();
    frmStorico window(history, settings, WindowSeams::Desktop());
    window.show();
    window.Refresh();
    window.grab();
    open.push_back(Ms(t));
    for (int s : {1, 2, 3, 0}) {
      t.restart();
      window.ShowSpan(HistorySpan(s));
      window.grab();
      switched[size_t(s)].push_back(Ms(t));
    }
  }
  const Spread o = SpreadOf(open);
  std::printf("window open, 24 hours drawn: least %.1f ms, median %.1f, most %.1f\n", o.least,
              o.median, o.most);
  for (int s = 0; s < HistorySpanCount; ++s) {
    const Spread r = SpreadOf(switched[size_t(s)]);
    std::printf("switch to %-9s drawn: least %.1f ms, median %.1f, most %.1f\n",
                SpanOf(HistorySpan(s)).name, r.least, r.median, r.most);
  }
  return 0;
}
