#include "history_summary.h"

#include "history_row.h"

namespace {

QString Names(const char* pattern, const QString& separator = QStringLiteral(", ")) {
  QStringList list;
  for (int c = 0; c < HistoryColumnCount; ++c)
    list << QString::fromLatin1(pattern).arg(QLatin1String(ColumnName(HistoryColumn(c))));
  return list.join(separator);
}

const QString Hour = QStringLiteral("time / %1").arg(SummarySeconds);

// The summary rows of the reports that `where` picks, one a station and hour.
QString Summarised(const QString& where) {
  return QStringLiteral(
             "SELECT station, %1, min(time), max(time), %2 FROM reports %3 "
             "GROUP BY station, %1")
      .arg(Hour, Names("min(%1), max(%1)"), where);
}

// Makes the summary of the hour of the report `row` (old or new) again.
QString Recomputed(const char* row) {
  const QString r = QLatin1String(row);
  return QStringLiteral(
             "DELETE FROM reports_hourly WHERE station = %1.station AND hour = "
             "%1.time / %2; INSERT INTO reports_hourly ")
             .arg(r)
             .arg(SummarySeconds) +
         Summarised(QStringLiteral("WHERE station = %1.station AND time >= %1.time / %2 * %2 "
                                   "AND time < (%1.time / %2 + 1) * %2")
                        .arg(r)
                        .arg(SummarySeconds)) +
         u';';
}

}  // namespace

QStringList SummarySchema() {
  const QString table = QStringLiteral(
                            "CREATE TABLE IF NOT EXISTS reports_hourly (station TEXT NOT NULL, "
                            "hour INTEGER NOT NULL, first INTEGER, last INTEGER, %1, "
                            "PRIMARY KEY (station, hour)) WITHOUT ROWID")
                            .arg(Names("min_%1, max_%1"));
  const QString insert =
      QStringLiteral(
          "CREATE TRIGGER IF NOT EXISTS reports_hourly_insert AFTER INSERT ON "
          "reports BEGIN INSERT INTO reports_hourly VALUES (new.station, new.%1, "
          "new.time, new.time, %2) ON CONFLICT (station, hour) DO UPDATE SET "
          "first = min(first, excluded.first), last = max(last, excluded.last), "
          "%3; END")
          .arg(Hour, Names("new.%1, new.%1"),
               Names("min_%1 = coalesce(min(min_%1, excluded.min_%1), min_%1, excluded.min_%1), "
                     "max_%1 = coalesce(max(max_%1, excluded.max_%1), max_%1, excluded.max_%1)"));
  const QString remove = QStringLiteral(
                             "CREATE TRIGGER IF NOT EXISTS reports_hourly_delete AFTER "
                             "DELETE ON reports BEGIN ") +
                         Recomputed("old") + QStringLiteral(" END");
  const QString update = QStringLiteral(
                             "CREATE TRIGGER IF NOT EXISTS reports_hourly_update AFTER "
                             "UPDATE ON reports BEGIN ") +
                         Recomputed("old") + u' ' + Recomputed("new") + QStringLiteral(" END");
  return {table, insert, remove, update};
}

QString SummaryMissingQuery() {
  return QStringLiteral(
      "SELECT NOT EXISTS (SELECT 1 FROM reports_hourly) AND EXISTS (SELECT 1 FROM reports)");
}

QString SummaryRebuild() {
  return QStringLiteral("INSERT INTO reports_hourly ") + Summarised(QString());
}
