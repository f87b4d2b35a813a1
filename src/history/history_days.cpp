// The days of a station's history: each day's aggregates of its plausible readings, its wind by
// direction, and when an extreme was first reached. A day is one index range of
// reports_station_time, so that a year is read in the time of one pass over its reports.
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "history_store.h"
#include "reading_limits.h"

namespace {

QString Where() {
  return QStringLiteral(" FROM reports WHERE station = :station AND ") +
         SpanCondition(QStringLiteral("time"));
}

QString DaySelect() {
  using C = HistoryColumn;
  const QString temp = PlausibleSql(C::TempC), humidity = PlausibleSql(C::HumidityPct),
                pressure = PlausibleSql(C::PressureMb);
  return QStringLiteral(
             "SELECT count(*), max(%1), min(%1), avg(%1), max(%2), min(%2), max(%3), min(%3), "
             "avg(%4), max(%5), max(%6), max(%7)")
             .arg(temp, humidity, pressure, PlausibleSql(C::WindKmh), PlausibleSql(C::GustKmh),
                  PlausibleSql(C::RainTodayMm), PlausibleSql(C::Rain1hMm)) +
         Where();
}

QString Fault(const QString& path, const QSqlQuery& q) {
  return path + QStringLiteral(": ") + q.lastError().text();
}

std::optional<double> Number(const QVariant& v) {
  if (v.isNull()) return std::nullopt;
  return v.toDouble();
}

DayReadings DayFrom(const QSqlQuery& q) {
  DayReadings d;
  d.reports = q.value(0).toLongLong();
  std::optional<double>* const fields[] = {
      &d.tempHigh,    &d.tempLow,  &d.tempMean, &d.humidityHigh, &d.humidityLow, &d.pressureHigh,
      &d.pressureLow, &d.windMean, &d.gustHigh, &d.rainToday,    &d.rainHourHigh};
  int at = 1;
  for (std::optional<double>* field : fields) *field = Number(q.value(at++));
  return d;
}

void Bind(QSqlQuery& q, const QString& station, const TimeSpan& span) {
  q.bindValue(QStringLiteral(":station"), station);
  BindSpan(q, span);
}

}  // namespace

std::optional<std::vector<DayReadings>> HistoryStore::ReadDays(const QString& station,
                                                               const std::vector<TimeSpan>& days,
                                                               QString& error) {
  QSqlQuery q(db_);
  q.setForwardOnly(true);
  if (!q.prepare(DaySelect())) {
    error = Fault(path_, q);
    return std::nullopt;
  }
  std::vector<DayReadings> readings;
  readings.reserve(days.size());
  for (const TimeSpan& day : days) {
    Bind(q, station, day);
    if (!q.exec() || !q.next()) {
      error = Fault(path_, q);
      return std::nullopt;
    }
    readings.push_back(DayFrom(q));
  }
  return readings;
}

std::optional<std::vector<std::vector<WindShare>>> HistoryStore::ReadWinds(
    const QString& station, const std::vector<TimeSpan>& days, QString& error) {
  QSqlQuery q(db_);
  q.setForwardOnly(true);
  const QString speed = PlausibleSql(HistoryColumn::WindKmh);
  if (!q.prepare(QStringLiteral("SELECT wind_dir, sum(%1)").arg(speed) + Where() +
                 QStringLiteral(" AND wind_dir IS NOT NULL AND %1 IS NOT NULL GROUP BY wind_dir")
                     .arg(speed))) {
    error = Fault(path_, q);
    return std::nullopt;
  }
  std::vector<std::vector<WindShare>> winds;
  winds.reserve(days.size());
  for (const TimeSpan& day : days) {
    Bind(q, station, day);
    if (!q.exec()) {
      error = Fault(path_, q);
      return std::nullopt;
    }
    std::vector<WindShare>& shares = winds.emplace_back();
    while (q.next()) shares.push_back({q.value(0).toDouble(), q.value(1).toDouble()});
  }
  return winds;
}

std::optional<std::vector<std::vector<std::optional<int64_t>>>> HistoryStore::FirstTimes(
    const QString& station, const std::vector<HistoryColumn>& columns,
    const std::vector<TimeQuestion>& questions, QString& error) {
  QStringList firsts;
  for (size_t c = 0; c < columns.size(); ++c)
    firsts << QStringLiteral("min(CASE WHEN %1 = :value%2 THEN time END)")
                  .arg(QLatin1String(ColumnName(columns[c])))
                  .arg(c);
  QSqlQuery q(db_);
  q.setForwardOnly(true);
  if (!q.prepare(QStringLiteral("SELECT ") + firsts.join(QStringLiteral(", ")) + Where())) {
    error = Fault(path_, q);
    return std::nullopt;
  }
  std::vector<std::vector<std::optional<int64_t>>> answers;
  answers.reserve(questions.size());
  for (const TimeQuestion& question : questions) {
    std::vector<std::optional<int64_t>>& times = answers.emplace_back(columns.size());
    bool asked = false;
    for (size_t c = 0; c < columns.size(); ++c) {
      const std::optional<double> v =
          c < question.values.size() ? question.values[c] : std::nullopt;
      q.bindValue(QStringLiteral(":value%1").arg(c), v ? QVariant(*v) : QVariant());
      asked = asked || v;
    }
    if (!asked) continue;
    Bind(q, station, question.span);
    if (!q.exec() || !q.next()) {
      error = Fault(path_, q);
      return std::nullopt;
    }
    for (size_t c = 0; c < columns.size(); ++c)
      if (!q.value(int(c)).isNull()) times[c] = q.value(int(c)).toLongLong();
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
