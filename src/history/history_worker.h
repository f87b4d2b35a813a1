// The history's work on a thread of its own: the window's recorder (its opening, check and
// summary, each report stored), chart reads, climate summaries and CSV exports run there, in the
// order they were handed over, and their answers come back on the window's thread as signals.
#pragma once

#include <QObject>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <functional>
#include <optional>
#include <vector>

#include "climate_summary.h"
#include "history_csv.h"
#include "history_recorder.h"
#include "weather_records.h"

struct HistoryChartRequest {
  QString station;
  int64_t from = 0, to = 0;  // Unix seconds, [from, to)
  std::vector<HistoryColumn> columns;
  int pixelColumns = 0;
};

struct HistoryChart {
  bool opened = false;  // whether the file could be used at all
  std::optional<std::vector<std::vector<ChartPoint>>> series;  // nothing: `error` says why
  QString error;
};

// A month of a station with its year, and the records as of `today`, over the days of `zone`.
struct HistorySummaryRequest {
  QString station;
  QTimeZone zone;
  int year = 0, month = 0;
  QDate today;
};

struct HistorySummaries {
  bool opened = false;                // whether the file could be used at all
  std::optional<MonthSummary> month;  // nothing: `error` says why
  std::optional<YearSummary> year;
  std::optional<WeatherRecords> records;
  QString error;
};

struct HistoryExport {
  bool saved = false;
  int64_t rows = 0;
};

class HistoryWorker : public QObject {
  Q_OBJECT
 public:
  explicit HistoryWorker(QString path, HistoryOptions options = {}, QObject* parent = nullptr);
  // Stores what was handed over before, then ends the thread; an export under way is given up.
  ~HistoryWorker() override;

  const QString& Path() const { return path_; }
  // Hands one report over to be stored; `stored` (or `notices`) tells when it was.
  void Record(const HistoryRow& row);
  // Hands a chart read over; `charted` answers with the returned ticket.
  quint64 Chart(const HistoryChartRequest& request);
  // Hands the summaries of a month, its year and the records over; `summarised` answers with
  // the returned ticket.
  quint64 Summarise(const HistorySummaryRequest& request);
  // Hands the export of `range` into the CSV file `file` over; `exportProgress` counts the rows
  // written, `exported` ends it. A file not wholly written is not left at `file`.
  quint64 Export(const HistoryRange& range, const QString& file, CsvCells cells);
  // The export stops at its next row and leaves nothing behind.
  void CancelExport(quint64 ticket);
  // Returns when what was handed over so far is done and its answers have been signalled.
  void WaitUntilDone();

 signals:
  // A report has been stored.
  void stored(const HistoryRow& row);
  // What the user must be told about the file (a damaged file set aside, the history lost).
  void notices(const QStringList& messages);
  void charted(quint64 ticket, const HistoryChart& chart);
  void summarised(quint64 ticket, const HistorySummaries& summaries);
  void exportProgress(quint64 ticket, qint64 rows);
  void exported(quint64 ticket, const HistoryExport& result);

 private:
  // Runs `job` on the history's thread, after the jobs handed over before it.
  void Post(std::function<void()> job);
  // Runs `answer` on the window's thread (nothing once this worker is gone).
  void Answer(std::function<void()> answer);
  void Say(const QStringList& messages);
  HistoryExport WriteCsv(quint64 ticket, const HistoryRange& range, const QString& file,
                         CsvCells cells);
  bool Cancelled(quint64 ticket) const;

  QString path_;
  QThread thread_;
  QObject* home_;                // lives on the history's thread; jobs run in its name
  HistoryRecorder* recorder_{};  // made, used and deleted on the history's thread only
  quint64 lastTicket_ = 0;
  std::atomic<quint64> cancelled_{0};
  std::atomic<bool> stopping_{false};
};
