// The window's event loop while the history of a year (one report a minute, 525,600 rows) is
// worked on: with a timer ticking every millisecond on the window's thread, the longest gap
// between two ticks while (a) the window's history opens the file for the first time (its check
// and the summary made again) and stores a report, (b) the history window reads 365 days, (c) the
// year is exported as CSV. Usage: history_stall [FILE] (an existing FILE is reused, else a year is
// made in it; default a temporary file). Run with QT_QPA_PLATFORM=offscreen.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "generated_weather.h"
#include "history_window.h"
#include "history_worker.h"

namespace {

constexpr int64_t Minute = 60;
constexpr int YearMinutes = 365 * 24 * 60;
constexpr int TickMs = 1;
// The loop runs this long before and after the work, so the gaps around it are seen too.
constexpr int QuietMs = 100;

double Ms(qint64 ns) {
  return double(ns) / 1e6;
}

bool MakeYear(const QString& path) {
  auto store = OpenHistory(path).store;
  if (!store) return false;
  GeneratedWeather weather;
  const int64_t now = QDateTime::currentSecsSinceEpoch();
  QString error;
  for (int m = YearMinutes; m > 0; --m)
    if (!store->Store(weather.Row(now - m * Minute), error)) return false;
  return true;
}

// Empties the file's hourly summary, so that the next opening makes it again, as after an
// upgrade or a file written by another tool.
void DropSummary(const QString& path) {
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "bench");
    db.setDatabaseName(path);
    if (db.open()) QSqlQuery(db).exec(QStringLiteral("DELETE FROM reports_hourly"));
  }
  QSqlDatabase::removeDatabase("bench");
}

struct Stall {
  double longestMs;  // the longest gap between two ticks
  double workMs;     // from the start of the work to its end
};

// Runs `start` on the window's thread with the timer ticking; the work calls `done` when it has
// ended. What `start` connects in the name of `phase` ends with the measurement.
Stall Measure(const std::function<void(QObject& phase, std::function<void()> done)>& start) {
  QElapsedTimer clock;
  clock.start();
  qint64 last = 0, longest = 0, began = 0, ended = 0;
  QTimer tick;
  tick.setTimerType(Qt::PreciseTimer);
  tick.setInterval(TickMs);
  QObject::connect(&tick, &QTimer::timeout, [&] {
    const qint64 at = clock.nsecsElapsed();
    longest = std::max(longest, at - last);
    last = at;
  });
  QEventLoop loop;
  QObject phase;
  auto done = [&] {
    ended = clock.nsecsElapsed();
    QTimer::singleShot(QuietMs, &loop, &QEventLoop::quit);
  };
  QTimer::singleShot(QuietMs, [&] {
    began = clock.nsecsElapsed();
    start(phase, done);
  });
  last = clock.nsecsElapsed();
  tick.start();
  loop.exec();
  return {Ms(longest), Ms(ended - began)};
}

void Print(const char* what, const Stall& s) {
  std::printf("%-52s longest stall %8.1f ms; the work took %8.1f ms\n", what, s.longestMs,
              s.workMs);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QTemporaryDir dir;
  const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath("year.sqlite");
  if (!QFileInfo::exists(path) && !MakeYear(path)) return 1;
  DropSummary(path);
  Settings settings;
  settings.StationCall = QStringLiteral("IW2XYZ");
  const QString csv = dir.filePath("year.csv");
  WindowSeams seams = WindowSeams::Desktop();
  seams.chooseSaveFile = [&csv](QWidget*, const QString&, const QString&) { return csv; };
  bool saved = false;
  seams.showMessage = [](QMessageBox::Icon, const QString&, const QString& text) {
    std::printf("said: %s\n", qPrintable(text));
  };

  HistoryWorker history(path);
  QObject::connect(&history, &HistoryWorker::notices, [](const QStringList& messages) {
    std::printf("said: %s\n", qPrintable(messages.join(u'\n')));
  });
  Print("(a) first opening (check, summary) and one report",
        Measure([&](QObject& phase, auto done) {
          QObject::connect(&history, &HistoryWorker::stored, &phase, done);
          history.Record(GeneratedWeather().Row(QDateTime::currentSecsSinceEpoch()));
        }));
  frmStorico window(history, settings, seams);
  window.show();
  Print("(b) the history window reads 365 days", Measure([&](QObject& phase, auto done) {
          QObject::connect(&window, &frmStorico::refreshed, &phase, done);
          window.ShowSpan(HistorySpan::Year);
        }));
  Print("(c) the year exported as CSV", Measure([&](QObject& phase, auto done) {
          QObject::connect(&window, &frmStorico::exportFinished, &phase, [&saved, done](bool ok) {
            saved = ok;
            done();
          });
          window.ExportCsv();
        }));
  std::printf("export: %s, %.1f MB\n", saved ? "saved" : "NOT saved",
              double(QFileInfo(csv).size()) / 1e6);
  return saved ? 0 : 1;
}
