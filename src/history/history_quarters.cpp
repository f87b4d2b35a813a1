#include "history_quarters.h"

#include <QtMath>
#include <cmath>

#include "reading_limits.h"

namespace {

using C = HistoryColumn;

constexpr int RightAngle = 90;

struct Measure {
  QString name;
  QString ofReports;  // the aggregate over reports
  QString combine;    // the aggregate that joins quarters, of `name`
  QString add;        // `name` of a quarter with `excluded.name` of one more report added
};

QString Name(const char* prefix, C column) {
  return QLatin1String(prefix) + QLatin1String(ColumnName(column));
}

Measure Extreme(C column, bool highest) {
  const char* f = highest ? "max" : "min";
  const QString name = QuarterExtreme(column, highest);
  return {name, QStringLiteral("%1(%2)").arg(f, PlausibleSql(column)),
          QStringLiteral("%1(%2)").arg(f, name),
          // The two-argument max() and min() are NULL when either is.
          QStringLiteral("coalesce(%1(%2, excluded.%2), %2, excluded.%2)").arg(f, name)};
}

QString Added(const QString& name) {
  return QStringLiteral("%1 + excluded.%1").arg(name);
}

Measure Summed(const QString& name, const QString& aggregate) {
  return {name, aggregate, QStringLiteral("total(%1)").arg(name), Added(name)};
}

Measure Counted(const QString& name, const QString& aggregate) {
  return {name, aggregate, QStringLiteral("sum(%1)").arg(name), Added(name)};
}

// The sine of `degrees` (0 to 359) from the table of the first quarter's sines: east is the sine
// of the direction, north the sine of the direction turned by 90 degrees.
QString Sine(const QString& degrees) {
  return QStringLiteral(
             "(CASE WHEN %1 < 180 THEN 1 ELSE -1 END * (SELECT sine FROM wind_sines WHERE degrees "
             "= CASE WHEN %1 % 180 <= 90 THEN %1 % 180 ELSE 180 - %1 % 180 END))")
      .arg(degrees);
}

// In the order that HistoryStore::ReadDays takes them.
const std::vector<Measure>& Measures() {
  static const std::vector<Measure> measures = [] {
    const QString temp = PlausibleSql(C::TempC), wind = PlausibleSql(C::WindKmh);
    const QString component = QStringLiteral("total(%1 * %2)");
    return std::vector<Measure>{
        Counted(QStringLiteral("reports"), QStringLiteral("count(*)")),
        Counted(Name("n_", C::TempC), QStringLiteral("count(%1)").arg(temp)),
        Summed(Name("sum_", C::TempC), QStringLiteral("total(%1)").arg(temp)),
        Extreme(C::TempC, true),
        Extreme(C::TempC, false),
        Extreme(C::HumidityPct, true),
        Extreme(C::HumidityPct, false),
        Extreme(C::PressureMb, true),
        Extreme(C::PressureMb, false),
        Counted(Name("n_", C::WindKmh), QStringLiteral("count(%1)").arg(wind)),
        Summed(Name("sum_", C::WindKmh), QStringLiteral("total(%1)").arg(wind)),
        Extreme(C::GustKmh, true),
        Extreme(C::RainTodayMm, true),
        Extreme(C::Rain1hMm, true),
        Summed(QStringLiteral("wind_east"),
               component.arg(wind, Sine(QStringLiteral("(wind_dir % 360)")))),
        Summed(QStringLiteral("wind_north"),
               component.arg(wind, Sine(QStringLiteral("((wind_dir + 90) % 360)")))),
        Summed(QStringLiteral("wind_weight"),
               QStringLiteral("total(CASE WHEN wind_dir IS NOT NULL THEN %1 END)").arg(wind)),
    };
  }();
  return measures;
}

QString Joined(QString Measure::*part) {
  QStringList list;
  for (const Measure& m : Measures()) list << m.*part;
  return list.join(QStringLiteral(", "));
}

const QString Quarter = QStringLiteral("time / %1").arg(QuarterSeconds);

// The quarters of the reports that `where` picks, one a station and quarter.
QString Summarised(const QString& where) {
  return QStringLiteral("SELECT station, %1, %2 FROM reports %3 GROUP BY station, %1")
      .arg(Quarter, MeasuresOfReports(), where);
}

// Adds a new report to its quarter.
QString AddedReport() {
  QStringList sets;
  for (const Measure& m : Measures()) sets << m.name + QStringLiteral(" = ") + m.add;
  return QStringLiteral("INSERT INTO reports_quarters ") +
         Summarised(QStringLiteral("WHERE rowid = new.rowid")) +
         QStringLiteral(" ON CONFLICT (station, quarter) DO UPDATE SET ") +
         sets.join(QStringLiteral(", ")) + u';';
}

// Makes the quarter of the report `row` (old or new) again.
QString Recomputed(const char* row) {
  const QString r = QLatin1String(row);
  return QStringLiteral(
             "DELETE FROM reports_quarters WHERE station = %1.station AND quarter = %1.time / %2; "
             "INSERT INTO reports_quarters ")
             .arg(r)
             .arg(QuarterSeconds) +
         Summarised(QStringLiteral("WHERE station = %1.station AND time >= %1.time / %2 * %2 "
                                   "AND time < (%1.time / %2 + 1) * %2")
                        .arg(r)
                        .arg(QuarterSeconds)) +
         u';';
}

}  // namespace

QString QuarterExtreme(HistoryColumn column, bool highest) {
  return Name(highest ? "max_" : "min_", column);
}

QString MeasuresOfReports() {
  return Joined(&Measure::ofReports);
}

QString MeasuresOfQuarters() {
  return Joined(&Measure::combine);
}

QStringList QuarterSchema() {
  QStringList columns;
  for (const Measure& m : Measures()) columns << m.name;
  const QString trigger =
      QStringLiteral("CREATE TRIGGER IF NOT EXISTS reports_quarters_%1 AFTER %2 ON reports BEGIN ");
  return {
      QStringLiteral("CREATE TABLE IF NOT EXISTS wind_sines (degrees INTEGER PRIMARY KEY, sine "
                     "REAL NOT NULL)"),
      QStringLiteral("CREATE TABLE IF NOT EXISTS reports_quarters (station TEXT NOT NULL, "
                     "quarter INTEGER NOT NULL, %1, PRIMARY KEY (station, quarter)) WITHOUT ROWID")
          .arg(columns.join(QStringLiteral(", "))),
      trigger.arg(QStringLiteral("insert"), QStringLiteral("INSERT")) + AddedReport() +
          QStringLiteral(" END"),
      trigger.arg(QStringLiteral("delete"), QStringLiteral("DELETE")) + Recomputed("old") +
          QStringLiteral(" END"),
      trigger.arg(QStringLiteral("update"), QStringLiteral("UPDATE")) + Recomputed("old") + u' ' +
          Recomputed("new") + QStringLiteral(" END"),
  };
}

QString WindSinesMissingQuery() {
  return QStringLiteral("SELECT count(*) <> %1 FROM wind_sines").arg(RightAngle + 1);
}

QStringList WindSinesFill(const QString& table) {
  QStringList rows;
  for (int degrees = 0; degrees <= RightAngle; ++degrees)
    rows << QStringLiteral("(%1, %2)")
                .arg(degrees)
                .arg(std::sin(qDegreesToRadians(double(degrees))), 0, 'g', 17);
  return {QStringLiteral("DELETE FROM %1").arg(table),
          QStringLiteral("INSERT INTO %1 (degrees, sine) VALUES ").arg(table) +
              rows.join(QStringLiteral(", "))};
}

QString QuarterMissingQuery() {
  return QStringLiteral(
      "SELECT NOT EXISTS (SELECT 1 FROM reports_quarters) AND EXISTS (SELECT 1 FROM reports)");
}

QString QuarterRebuild() {
  return QStringLiteral("INSERT INTO reports_quarters ") + Summarised(QString());
}
