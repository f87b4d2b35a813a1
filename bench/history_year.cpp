// The history with a year of one report a minute (525,600 rows): the time to store a report,
// the file's size, the history window's opening with 24 hours shown and each range switched,
// each read on the history's thread and drawn. Usage: history_year [FILE] (an existing FILE is
// reused and 10,000 later reports are stored in it, timed; else the year is made, timed; default
// a temporary file). Run with QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "generated_weather.h"
#include "history_window.h"
#include "history_worker.h"

namespace {

constexpr int64_t Minute = 60;
constexpr int YearMinutes = 365 * 24 * 60;
constexpr int Rounds = 5;
constexpr int Later = 10'000;

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

// Stores `minutes` reports up to `end`, timing every one.
bool StoreTimed(const QString& path, int64_t end, int minutes, const char* what) {
  auto store = OpenHistory(path).store;
  if (!store) return false;
  GeneratedWeather weather;
  std::vector<double> times;
  times.reserve(size_t(minutes));
  QString error;
  for (int m = minutes; m > 0; --m) {
    const HistoryRow row = weather.Row(end - m * Minute);
    QElapsedTimer t;
    t.start();
    if (!store->Store(row, error)) return false;
    times.push_back(Ms(t));
  }
  std::printf("%s\n", what);
  std::sort(times.begin(), times.end());
  double sum = 0;
  for (double x : times) sum += x;
  std::printf("store one report: mean %.3f ms, median %.3f, 99th %.3f, 99.9th %.3f, most %.3f\n",
              sum / double(times.size()), times[times.size() / 2], times[times.size() * 99 / 100],
              times[times.size() * 999 / 1000], times.back());
  return true;
}

// Waits until the window has drawn what it asked for.
void WaitDrawn(frmStorico& window) {
  QEventLoop loop;
  QObject::connect(&window, &frmStorico::refreshed, &loop, &QEventLoop::quit);
  loop.exec();
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath("year.sqlite");
  const int64_t now = QDateTime::currentSecsSinceEpoch();
  if (QFileInfo::exists(path)) {
    // The realistic case: a report stored in a file that already holds a year.
    if (!StoreTimed(path, now + Later * Minute, Later, "10,000 more reports into the year:"))
      return 1;
  } else if (!StoreTimed(path, now, YearMinutes, "the year, report by report:")) {
    return 1;
  }
  QElapsedTimer opening;
  opening.start();
  if (!OpenHistory(path).store) return 1;
  std::printf("opening the file (its check included): %.1f ms; %.1f MB\n", Ms(opening),
              double(QFileInfo(path).size()) / 1e6);
  Settings settings;
  settings.StationCall = QStringLiteral("IW2XYZ");
  std::vector<double> open;
  std::vector<std::vector<double>> switched(HistorySpanCount);
  HistoryWorker history(path);
  for (int round = 0; round < Rounds; ++round) {
    QElapsedTimer t;
    t.start();
    frmStorico window(history, settings, WindowSeams::Desktop());
    window.show();
    window.Refresh();
    WaitDrawn(window);
    window.grab();
    open.push_back(Ms(t));
    for (int s : {1, 2, 3, 0}) {
      t.restart();
      window.ShowSpan(HistorySpan(s));
      WaitDrawn(window);
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
