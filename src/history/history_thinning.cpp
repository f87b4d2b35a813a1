// Thinning a range of the history for a chart: at most two points a pixel column, each column's
// lowest and highest reading kept, so that no peak is lost however long the range.
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "history_span.h"
#include "history_store.h"
#include "history_summary.h"

namespace {

using Series = std::vector<std::vector<ChartPoint>>;

// Below this many reports a pixel column the reports themselves are the chart.
constexpr int64_t RawReportsPerColumn = 2;

QString Where() {
  return QStringLiteral(" FROM reports WHERE station = :station AND ") +
         SpanCondition(QStringLiteral("time"));
}

void Bind(QSqlQuery& q, const QString& station, int64_t from, int64_t end) {
  q.bindValue(QStringLiteral(":station"), station);
  BindSpan(q, {from, end});
}

QString Columns(const std::vector<HistoryColumn>& columns, const char* pattern) {
  QStringList list;
  for (HistoryColumn c : columns) list << QString::fromLatin1(pattern).arg(ColumnName(c));
  return list.join(", ");
}

bool Failed(QSqlQuery& q, QString& error) {
  error = q.lastError().text();
  return false;
}

bool ReadAll(QSqlQuery& q, const QString& station, int64_t from, int64_t to,
             const std::vector<HistoryColumn>& columns, Series& series, QString& error) {
  q.prepare(QStringLiteral("SELECT time, ") + Columns(columns, "%1") + Where() +
            QStringLiteral(" ORDER BY time, rowid"));
  Bind(q, station, from, to);
  if (!q.exec()) return Failed(q, error);
  while (q.next()) {
    const int64_t time = q.value(0).toLongLong();
    for (size_t c = 0; c < columns.size(); ++c) {
      const QVariant v = q.value(int(c) + 1);
      if (!v.isNull()) series[c].push_back({time, v.toDouble()});
    }
  }
  return true;
}

// The slice's two readings in the order that goes on from the point before, so that a steady
// rise or fall is drawn as one line and not as a saw of little rises and falls.
void AddLowAndHigh(std::vector<ChartPoint>& points, int64_t first, int64_t last, double low,
                   double high) {
  const bool fromAbove = !points.empty() && points.back().value > (low + high) / 2;
  points.push_back({first, fromAbove ? high : low});
  points.push_back({last, fromAbove ? low : high});
}

// One slice's lowest and highest reading of each column.
void AddSlice(const QSqlQuery& q, size_t columnCount, Series& series) {
  const int64_t first = q.value(0).toLongLong(), last = q.value(1).toLongLong();
  for (size_t c = 0; c < columnCount; ++c) {
    const int at = 2 + int(c) * 3;
    if (q.value(at).toLongLong() == 0) continue;
    const double low = q.value(at + 1).toDouble(), high = q.value(at + 2).toDouble();
    if (low == high) {
      series[c].push_back({first + (last - first) / 2, low});
      continue;
    }
    AddLowAndHigh(series[c], first, last, low, high);
  }
}

bool ReadSlices(QSqlQuery& q, const QString& station, int64_t from, int64_t to,
                const std::vector<HistoryColumn>& columns, int pixelColumns, Series& series,
                QString& error) {
  q.prepare(QStringLiteral("SELECT min(time), max(time), ") +
            Columns(columns, "count(%1), min(%1), max(%1)") + Where());
  const int64_t span = to - from;
  for (int i = 0; i < pixelColumns; ++i) {
    const int64_t start = from + span * i / pixelColumns;
    const int64_t end = from + span * (i + 1) / pixelColumns;
    if (end <= start) continue;
    Bind(q, station, start, end);
    if (!q.exec()) return Failed(q, error);
    if (q.next() && !q.value(0).isNull()) AddSlice(q, columns.size(), series);
  }
  return true;
}

// Slices of an hour or more: the hourly summary, each hour in the slice its start falls in.
bool ReadSummary(QSqlQuery& q, const QString& station, int64_t from, int64_t to,
                 const std::vector<HistoryColumn>& columns, int pixelColumns, Series& series,
                 QString& error) {
  q.prepare(QStringLiteral("SELECT min(first), max(last), %1 FROM reports_hourly WHERE station "
                           "= :station AND %4 GROUP BY (hour * %2 - :start) * %3 / :span "
                           "ORDER BY hour")
                .arg(Columns(columns, "count(min_%1), min(min_%1), max(max_%1)"))
                .arg(SummarySeconds)
                .arg(pixelColumns)
                .arg(SpanCondition(QStringLiteral("hour"))));
  q.bindValue(QStringLiteral(":station"), station);
  // The hours that hold a second of the span.
  BindSpan(q, {from / SummarySeconds, (to - 1) / SummarySeconds + 1});
  q.bindValue(QStringLiteral(":start"), qlonglong(from));
  q.bindValue(QStringLiteral(":span"), qlonglong(to - from));
  if (!q.exec()) return Failed(q, error);
  while (q.next()) AddSlice(q, columns.size(), series);
  return true;
}

}  // namespace

std::optional<Series> HistoryStore::Thin(const QString& station, int64_t from, int64_t to,
                                         const std::vector<HistoryColumn>& columns,
                                         int pixelColumns, QString& error) {
  Series series(columns.size());
  if (to <= from || pixelColumns <= 0 || columns.empty()) return series;
  QSqlQuery q(db_);
  q.setForwardOnly(true);
  if ((to - from) / pixelColumns >= SummarySeconds) {
    if (!ReadSummary(q, station, from, to, columns, pixelColumns, series, error))
      return std::nullopt;
    return series;
  }
  q.prepare(QStringLiteral("SELECT count(*)") + Where());
  Bind(q, station, from, to);
  if (!q.exec() || !q.next()) {
    Failed(q, error);
    return std::nullopt;
  }
  const int64_t reports = q.value(0).toLongLong();
  const bool ok = reports <= RawReportsPerColumn * pixelColumns
                      ? ReadAll(q, station, from, to, columns, series, error)
                      : ReadSlices(q, station, from, to, columns, pixelColumns, series, error);
  if (!ok) return std::nullopt;
  return series;
}
