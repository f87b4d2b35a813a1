#include "climate_summary.h"

#include <QDateTime>
#include <cstdlib>

#include "extreme_choice.h"
#include "history_store.h"
#include "local_day.h"

namespace {

std::optional<Extreme> At(const std::optional<double>& value, const std::optional<int64_t>& time,
                          int64_t dayStart) {
  if (!value) return std::nullopt;
  // Found with the value itself; the day's start only if the report went meanwhile.
  return Extreme{*value, time.value_or(dayStart)};
}

DaySummary Summarised(QDate date, const TimeSpan& span, const DayReadings& r,
                      const std::vector<std::optional<int64_t>>& times) {
  DaySummary d;
  d.date = date;
  d.start = span.from;
  d.end = span.end;
  d.reports = r.reports;
  d.tempHigh = At(r.tempHigh, times[0], span.from);
  d.tempLow = At(r.tempLow, times[1], span.from);
  d.tempMean = r.tempMean;
  d.humidityHigh = r.humidityHigh;
  d.humidityLow = r.humidityLow;
  d.pressureHigh = r.pressureHigh;
  d.pressureLow = r.pressureLow;
  d.windMean = r.windMean;
  d.gustHigh = At(r.gustHigh, times[2], span.from);
  d.windDomDir = r.wind.Direction();
  d.rainMm = r.rainToday;
  return d;
}

// The summaries of the days from `first` through `last`.
std::optional<std::vector<DaySummary>> SummariseDays(HistoryStore& store, const QString& station,
                                                     const QTimeZone& zone, QDate first, QDate last,
                                                     QString& error) {
  std::vector<TimeSpan> spans;
  for (QDate d = first; d <= last; d = d.addDays(1)) spans.push_back(LocalDay(d, zone));
  const auto readings = store.ReadDays(station, spans, error);
  if (!readings) return std::nullopt;
  std::vector<TimeQuestion> questions;
  questions.reserve(spans.size());
  for (size_t i = 0; i < spans.size(); ++i) {
    const DayReadings& r = (*readings)[i];
    questions.push_back({spans[i], {r.tempHigh, r.tempLow, r.gustHigh}});
  }
  using C = HistoryColumn;
  const auto times = store.FirstTimes(
      station, {{C::TempC, true}, {C::TempC, false}, {C::GustKmh, true}}, questions, error);
  if (!times) return std::nullopt;
  std::vector<DaySummary> days;
  days.reserve(spans.size());
  for (size_t i = 0; i < spans.size(); ++i)
    days.push_back(Summarised(first.addDays(qint64(i)), spans[i], (*readings)[i], (*times)[i]));
  return days;
}

// A period's totals, a day at a time.
class PeriodTally {
 public:
  void Add(const DaySummary& day) {
    KeepHigher(total_.tempHigh, day.tempHigh);
    KeepLower(total_.tempLow, day.tempLow);
    KeepHigher(total_.gustHigh, day.gustHigh);
    if (day.tempMean) {
      meanSum_ += *day.tempMean;
      ++means_;
    }
    if (day.rainMm) {
      total_.rainMm = total_.rainMm.value_or(0) + *day.rainMm;
      if (*day.rainMm >= RainDayMm) ++total_.rainDays;
    }
  }

  PeriodSummary Result() const {
    PeriodSummary result = total_;
    if (means_ > 0) result.tempMean = meanSum_ / means_;
    return result;
  }

 private:
  PeriodSummary total_;
  double meanSum_ = 0;
  int means_ = 0;
};

bool Usable(const QTimeZone& zone, QString& error) {
  if (zone.isValid()) return true;
  error = QStringLiteral("unknown time zone");
  return false;
}

MonthSummary MonthOf(const QString& station, const QTimeZone& zone, int year, int month,
                     std::vector<DaySummary> days) {
  MonthSummary m;
  m.station = station;
  m.year = year;
  m.month = month;
  m.timezone = QString::fromUtf8(zone.id());
  m.days = std::move(days);
  PeriodTally tally;
  for (const DaySummary& d : m.days) tally.Add(d);
  m.total = tally.Result();
  return m;
}

}  // namespace

std::optional<DaySummary> SummariseDay(HistoryStore& store, const QString& station,
                                       const QTimeZone& zone, QDate date, QString& error) {
  if (!Usable(zone, error)) return std::nullopt;
  if (!date.isValid()) {
    error = QStringLiteral("not a date");
    return std::nullopt;
  }
  auto days = SummariseDays(store, station, zone, date, date, error);
  if (!days) return std::nullopt;
  return days->front();
}

std::optional<MonthSummary> SummariseMonth(HistoryStore& store, const QString& station,
                                           const QTimeZone& zone, int year, int month,
                                           QString& error) {
  if (!Usable(zone, error)) return std::nullopt;
  const QDate first(year, month, 1);
  if (!first.isValid()) {
    error = QStringLiteral("not a month");
    return std::nullopt;
  }
  auto days = SummariseDays(store, station, zone, first, first.addMonths(1).addDays(-1), error);
  if (!days) return std::nullopt;
  return MonthOf(station, zone, year, month, std::move(*days));
}

std::optional<YearSummary> SummariseYear(HistoryStore& store, const QString& station,
                                         const QTimeZone& zone, int year, QString& error) {
  if (!Usable(zone, error)) return std::nullopt;
  const QDate first(year, 1, 1);
  if (!first.isValid()) {
    error = QStringLiteral("not a year");
    return std::nullopt;
  }
  auto days = SummariseDays(store, station, zone, first, QDate(year, 12, 31), error);
  if (!days) return std::nullopt;
  YearSummary y;
  y.station = station;
  y.year = year;
  y.timezone = QString::fromUtf8(zone.id());
  PeriodTally tally;
  auto day = days->begin();
  for (int month = 1; month <= 12; ++month) {
    const auto end = day + QDate(year, month, 1).daysInMonth();
    y.months.push_back(MonthOf(station, zone, year, month, std::vector<DaySummary>(day, end)));
    for (; day != end; ++day) tally.Add(*day);
  }
  y.total = tally.Result();
  return y;
}

QString LocalIsoTime(int64_t time, const QTimeZone& zone) {
  const QDateTime local = QDateTime::fromSecsSinceEpoch(time, zone);
  const int offset = local.offsetFromUtc();
  const int minutes = std::abs(offset) / 60;
  return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
         QStringLiteral("%1%2:%3")
             .arg(QLatin1Char(offset < 0 ? '-' : '+'))
             .arg(minutes / 60, 2, 10, QLatin1Char('0'))
             .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}
