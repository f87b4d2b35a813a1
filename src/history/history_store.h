// The history file: opening it (pragmas, schema version, a damaged file kept aside), storing one
// report, reading a range and thinning a range for a chart.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "day_readings.h"
#include "history_row.h"
#include "history_span.h"

inline constexpr int HistorySchemaVersion = 1;
// How long a writer waits for another one (a second window on the same file) to finish.
inline constexpr int HistoryBusyTimeoutMs = 5000;

enum class HistoryAccess { ReadWrite, ReadOnly };

struct HistoryOptions {
  HistoryAccess access = HistoryAccess::ReadWrite;
  // A ceiling on the file's size in database pages (0: none); a full disk, as SQLite sees it.
  int maxPageCount = 0;
};

class HistoryStore;

struct OpenedHistory {
  std::unique_ptr<HistoryStore> store;  // nothing when the file cannot be used
  QString error;                        // why not
  QString keptAside;  // where a damaged file found in its place was moved, when one was
};

// Opens (for writing, creating) the history file. Only a new or empty file is made a history:
// another program's database, or a later Ventora's history, is an error and left as it was. A
// file that is not a database or fails its check is moved aside to WxHistory.sqlite.bad (or
// .bad2, ...) and a new one started, unless another program has it open; any other fault leaves
// the file alone and is an error. Reading only, a file whose folder cannot be written is read as
// it lies on disk.
OpenedHistory OpenHistory(const QString& path, const HistoryOptions& options = {});

struct HistoryRange {
  QString station;              // empty: every station
  std::optional<int64_t> from;  // Unix seconds, inclusive
  std::optional<int64_t> to;    // inclusive
};

struct StationSummary {
  QString station;
  int64_t count = 0;
  int64_t first = 0, last = 0;  // Unix seconds
};

// A column's highest or lowest reading.
struct ColumnExtreme {
  HistoryColumn column;
  bool highest;
};

// A span and the highs or lows whose first time in it is wanted (nothing: not wanted), one value
// for each ColumnExtreme asked of.
struct TimeQuestion {
  TimeSpan span;
  std::vector<std::optional<double>> values;
};

struct ChartPoint {
  int64_t time;
  double value;
};

class HistoryStore {
 public:
  ~HistoryStore();
  HistoryStore(const HistoryStore&) = delete;
  HistoryStore& operator=(const HistoryStore&) = delete;

  const QString& Path() const { return path_; }
  // Stores one report in a transaction of its own.
  bool Store(const HistoryRow& row, QString& error);
  // Stores many reports in one transaction: all of them, or none when one fails.
  bool StoreAll(const std::vector<HistoryRow>& rows, QString& error);
  // Every report in the range, oldest first (reports stored in the same second, or after the
  // clock was set back, in the order they were stored).
  bool ForEach(const HistoryRange& range, const std::function<void(const HistoryRow&)>& visit,
               QString& error);
  std::optional<std::vector<HistoryRow>> Read(const HistoryRange& range, QString& error);
  std::optional<std::vector<StationSummary>> Stations(QString& error);
  // The columns' readings in [from, to) cut into `pixelColumns` slices of equal time: a slice
  // with one reading gives it at its own time, a slice with more its lowest and its highest, at
  // the times of the first and the last report in the slice. Oldest first, one list per column.
  std::optional<std::vector<std::vector<ChartPoint>>> Thin(
      const QString& station, int64_t from, int64_t to, const std::vector<HistoryColumn>& columns,
      int pixelColumns, QString& error);

  // The days of a station's history (history_days.cpp), each span a day, in the spans' order.
  // The aggregates of each span's plausible readings.
  std::optional<std::vector<DayReadings>> ReadDays(const QString& station,
                                                   const std::vector<TimeSpan>& days,
                                                   QString& error);
  // For each question, the time of the first report in its span that held each value asked:
  // the high or low of that span (nothing where none does).
  std::optional<std::vector<std::vector<std::optional<int64_t>>>> FirstTimes(
      const QString& station, const std::vector<ColumnExtreme>& extremes,
      const std::vector<TimeQuestion>& questions, QString& error);
  // The times of the station's first and last report, nothing inside when it has none.
  bool StationSpan(const QString& station, std::optional<TimeSpan>& span, QString& error);

 private:
  friend OpenedHistory OpenHistory(const QString&, const HistoryOptions&);
  HistoryStore(QString path, QString connection);

  // Whether the quarter-hour summary can be read; a file only read that lacks the sines gets them
  // for this connection.
  bool HasQuarters(QString& error);

  QString path_;
  QString connection_;
  QSqlDatabase db_;
};
