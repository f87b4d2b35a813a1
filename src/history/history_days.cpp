// The days of a station's history: each day's aggregates of its plausible readings and when a
// high or low was first reached. A day that begins and ends on a quarter of an hour (a day of
// every time zone of today) is read from the quarter-hour summary, any other from its reports.
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "history_quarters.h"
#include "history_store.h"

namespace {

QString Fault(const QString& path, const QSqlQuery& q) {
  return path + QStringLiteral(": ") + q.lastError().text();
}

const QString InReports = QStringLiteral(" FROM reports WHERE station = :station AND ");

bool OnQuarters(const TimeSpan& span) {
  return span.from >= 0 && span.from % QuarterSeconds == 0 && span.end % QuarterSeconds == 0;
}

void BindQuarters(QSqlQuery& q, const TimeSpan& span) {
  q.bindValue(QStringLiteral(":quarter_from"), qlonglong(span.from / QuarterSeconds));
  q.bindValue(QStringLiteral(":quarter_end"), qlonglong(span.end / QuarterSeconds));
}

const QString QuarterRange = QStringLiteral(
    "station = :quarter_station AND quarter >= :quarter_from AND quarter < :quarter_end");

std::optional<double> Number(const QVariant& v) {
  if (v.isNull()) return std::nullopt;
  return v.toDouble();
}

std::optional<double> Mean(const QVariant& count, const QVariant& sum) {
  if (count.toLongLong() == 0) return std::nullopt;
  return sum.toDouble() / count.toDouble();
}

// A row of the measures, in their order.
DayReadings DayFrom(const QSqlQuery& q) {
  DayReadings d;
  d.reports = q.value(0).toLongLong();
  d.tempMean = Mean(q.value(1), q.value(2));
  d.tempHigh = Number(q.value(3));
  d.tempLow = Number(q.value(4));
  d.humidityHigh = Number(q.value(5));
  d.humidityLow = Number(q.value(6));
  d.pressureHigh = Number(q.value(7));
  d.pressureLow = Number(q.value(8));
  d.windMean = Mean(q.value(9), q.value(10));
  d.gustHigh = Number(q.value(11));
  d.rainToday = Number(q.value(12));
  d.rainHourHigh = Number(q.value(13));
  d.wind.east = q.value(14).toDouble();
  d.wind.north = q.value(15).toDouble();
  d.wind.weight = q.value(16).toDouble();
  return d;
}

}  // namespace

bool HistoryStore::HasQuarters(QString& error) {
  QSqlQuery q(db_);
  if (!q.exec(QStringLiteral(
          "SELECT (SELECT count(*) FROM sqlite_master WHERE name = 'reports_quarters'), "
          "(SELECT count(*) FROM sqlite_master WHERE name = 'wind_sines') + "
          "(SELECT count(*) FROM sqlite_temp_master WHERE name = 'wind_sines')")) ||
      !q.next()) {
    error = Fault(path_, q);
    return false;
  }
  const bool quarters = q.value(0).toInt() > 0, sines = q.value(1).toInt() > 0;
  q.finish();
  if (sines) return quarters;
  QStringList make = {
      QStringLiteral("CREATE TEMP TABLE wind_sines (degrees INTEGER PRIMARY KEY, sine REAL NOT "
                     "NULL)")};
  make += WindSinesFill(QStringLiteral("temp.wind_sines"));
  for (const QString& sql : make)
    if (!q.exec(sql)) error = Fault(path_, q);
  return quarters;
}

std::optional<std::vector<DayReadings>> HistoryStore::ReadDays(const QString& station,
                                                               const std::vector<TimeSpan>& days,
                                                               QString& error) {
  error.clear();
  const bool quarters = HasQuarters(error);
  if (!error.isEmpty()) return std::nullopt;
  QSqlQuery fromReports(db_), fromQuarters(db_);
  fromReports.setForwardOnly(true);
  fromQuarters.setForwardOnly(true);
  if (!fromReports.prepare(QStringLiteral("SELECT ") + MeasuresOfReports() + InReports +
                           SpanCondition(QStringLiteral("time")))) {
    error = Fault(path_, fromReports);
    return std::nullopt;
  }
  if (quarters && !fromQuarters.prepare(QStringLiteral("SELECT %1 FROM reports_quarters WHERE %2")
                                            .arg(MeasuresOfQuarters(), QuarterRange))) {
    error = Fault(path_, fromQuarters);
    return std::nullopt;
  }
  std::vector<DayReadings> readings;
  readings.reserve(days.size());
  for (const TimeSpan& day : days) {
    const bool onQuarters = quarters && OnQuarters(day);
    QSqlQuery& q = onQuarters ? fromQuarters : fromReports;
    if (onQuarters) {
      q.bindValue(QStringLiteral(":quarter_station"), station);
      BindQuarters(q, day);
    } else {
      q.bindValue(QStringLiteral(":station"), station);
      BindSpan(q, day);
    }
    if (!q.exec() || !q.next()) {
      error = Fault(path_, q);
      return std::nullopt;
    }
    readings.push_back(DayFrom(q));
  }
  return readings;
}

std::optional<std::vector<std::vector<std::optional<int64_t>>>> HistoryStore::FirstTimes(
    const QString& station, const std::vector<ColumnExtreme>& extremes,
    const std::vector<TimeQuestion>& questions, QString& error) {
  error.clear();
  const bool quarters = HasQuarters(error);
  if (!error.isEmpty()) return std::nullopt;
  // Per extreme: from the reports of the span, or from its first quarter that reached the value.
  std::vector<QSqlQuery> inSpan, fromQuarter;
  for (const ColumnExtreme& e : extremes) {
    const QString column = QLatin1String(ColumnName(e.column));
    const QString tail =
        QStringLiteral(" AND time < :span_end AND %1 = :value ORDER BY time LIMIT 1").arg(column);
    QSqlQuery& span = inSpan.emplace_back(db_);
    QSqlQuery& quarter = fromQuarter.emplace_back(db_);
    const bool ok =
        span.prepare(QStringLiteral("SELECT time") + InReports +
                     QStringLiteral("time >= :span_from") + tail) &&
        (!quarters ||
         quarter.prepare(QStringLiteral("SELECT time") + InReports +
                         QStringLiteral("time >= max(:span_from, %1 * (SELECT min(quarter) FROM "
                                        "reports_quarters WHERE %2 AND %3 = :quarter_value))")
                             .arg(QuarterSeconds)
                             .arg(QuarterRange, QuarterExtreme(e.column, e.highest)) +
                         tail));
    if (!ok) {
      error = Fault(path_, span.lastError().isValid() ? span : quarter);
      return std::nullopt;
    }
  }
  std::vector<std::vector<std::optional<int64_t>>> answers;
  answers.reserve(questions.size());
  for (const TimeQuestion& question : questions) {
    std::vector<std::optional<int64_t>>& times = answers.emplace_back(extremes.size());
    for (size_t e = 0; e < extremes.size() && e < question.values.size(); ++e) {
      if (!question.values[e]) continue;
      const bool onQuarters = quarters && OnQuarters(question.span);
      QSqlQuery& q = onQuarters ? fromQuarter[e] : inSpan[e];
      q.bindValue(QStringLiteral(":station"), station);
      BindSpan(q, question.span);
      q.bindValue(QStringLiteral(":value"), *question.values[e]);
      if (onQuarters) {
        q.bindValue(QStringLiteral(":quarter_station"), station);
        q.bindValue(QStringLiteral(":quarter_value"), *question.values[e]);
        BindQuarters(q, question.span);
      }
      if (!q.exec()) {
        error = Fault(path_, q);
        return std::nullopt;
      }
      if (q.next()) times[e] = q.value(0).toLongLong();
    }
  }
  return answers;
}

bool HistoryStore::StationSpan(const QString& station, std::optional<TimeSpan>& span,
                               QString& error) {
  QSqlQuery q(db_);
  q.prepare(QStringLiteral(
      "SELECT (SELECT min(time) FROM reports WHERE station = :first), (SELECT max(time) FROM "
      "reports WHERE station = :last)"));
  q.bindValue(QStringLiteral(":first"), station);
  q.bindValue(QStringLiteral(":last"), station);
  if (!q.exec() || !q.next()) {
    error = Fault(path_, q);
    return false;
  }
  span.reset();
  if (!q.value(0).isNull()) span = TimeSpan{q.value(0).toLongLong(), q.value(1).toLongLong() + 1};
  return true;
}
