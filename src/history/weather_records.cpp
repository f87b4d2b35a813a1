#include "weather_records.h"

#include <algorithm>

#include "extreme_choice.h"
#include "history_store.h"
#include "local_day.h"

namespace {

using C = HistoryColumn;

// The records found with their time, in the order of Winners' fields.
constexpr size_t TimedCount = 6;
const std::vector<ColumnExtreme> TimedColumns = {{C::TempC, true},      {C::TempC, false},
                                                 {C::GustKmh, true},    {C::Rain1hMm, true},
                                                 {C::PressureMb, true}, {C::PressureMb, false}};

// A scope's highs and lows with the index of the day that first reached each (as its time).
struct Winners {
  std::optional<Extreme>
      timed[TimedCount];  // tempHigh, tempLow, gustHigh, rainHour, pressureHigh, low
  std::optional<Extreme> rainDay;
};

std::optional<Extreme> OfDay(const std::optional<double>& value, size_t day) {
  if (!value) return std::nullopt;
  return Extreme{*value, int64_t(day)};
}

Winners WinnersOf(const std::vector<DayReadings>& days, int64_t from, int64_t to) {
  Winners w;
  from = std::max<int64_t>(from, 0);
  to = std::min<int64_t>(to, int64_t(days.size()) - 1);
  for (int64_t i = from; i <= to; ++i) {
    const DayReadings& d = days[size_t(i)];
    KeepHigher(w.timed[0], OfDay(d.tempHigh, size_t(i)));
    KeepLower(w.timed[1], OfDay(d.tempLow, size_t(i)));
    KeepHigher(w.timed[2], OfDay(d.gustHigh, size_t(i)));
    KeepHigher(w.timed[3], OfDay(d.rainHourHigh, size_t(i)));
    KeepHigher(w.timed[4], OfDay(d.pressureHigh, size_t(i)));
    KeepLower(w.timed[5], OfDay(d.pressureLow, size_t(i)));
    KeepHigher(w.rainDay, OfDay(d.rainToday, size_t(i)));
  }
  return w;
}

// One question a record: its value, in the span of the day that reached it.
void Ask(const Winners& w, const std::vector<TimeSpan>& spans, std::vector<TimeQuestion>& asked) {
  for (size_t r = 0; r < TimedColumns.size(); ++r) {
    if (!w.timed[r]) continue;
    TimeQuestion q{spans[size_t(w.timed[r]->time)], std::vector<std::optional<double>>(TimedCount)};
    q.values[r] = w.timed[r]->value;
    asked.push_back(std::move(q));
  }
}

// The records of a scope, each time taken from the answers, in the order they were asked.
RecordSet RecordsOf(const Winners& w, const std::vector<TimeSpan>& spans, QDate first,
                    const std::vector<std::vector<std::optional<int64_t>>>& times, size_t& answer) {
  std::optional<Extreme> timed[TimedCount];
  for (size_t r = 0; r < TimedColumns.size(); ++r) {
    if (!w.timed[r]) continue;
    const int64_t dayStart = spans[size_t(w.timed[r]->time)].from;
    timed[r] = Extreme{w.timed[r]->value, times[answer++][r].value_or(dayStart)};
  }
  RecordSet set;
  set.tempHigh = timed[0];
  set.tempLow = timed[1];
  set.gustHigh = timed[2];
  set.rainHour = timed[3];
  set.pressureHigh = timed[4];
  set.pressureLow = timed[5];
  if (w.rainDay) {
    set.rainDayMm = w.rainDay->value;
    set.rainDayDate = first.addDays(w.rainDay->time);
  }
  return set;
}

}  // namespace

std::optional<WeatherRecords> SummariseRecords(HistoryStore& store, const QString& station,
                                               const QTimeZone& zone, QDate today, QString& error) {
  if (!zone.isValid() || !today.isValid()) {
    error = zone.isValid() ? QStringLiteral("not a date") : QStringLiteral("unknown time zone");
    return std::nullopt;
  }
  WeatherRecords records;
  records.station = station;
  records.timezone = QString::fromUtf8(zone.id());
  records.asOf = today;
  std::optional<TimeSpan> held;
  if (!store.StationSpan(station, held, error)) return std::nullopt;
  if (!held) return records;
  const QDate first = LocalDate(held->from, zone), last = LocalDate(held->end - 1, zone);
  std::vector<TimeSpan> spans;
  for (QDate d = first; d <= last; d = d.addDays(1)) spans.push_back(LocalDay(d, zone));
  const auto days = store.ReadDays(station, spans, error);
  if (!days) return std::nullopt;

  const QDate monthStart(today.year(), today.month(), 1), yearStart(today.year(), 1, 1);
  const QDate scopes[][2] = {{today, today},
                             {today.addDays(-1), today.addDays(-1)},
                             {monthStart, monthStart.addMonths(1).addDays(-1)},
                             {yearStart, QDate(today.year(), 12, 31)},
                             {first, last}};
  std::vector<Winners> winners;
  std::vector<TimeQuestion> asked;
  for (const auto& scope : scopes) {
    winners.push_back(WinnersOf(*days, first.daysTo(scope[0]), first.daysTo(scope[1])));
    Ask(winners.back(), spans, asked);
  }
  const auto times = store.FirstTimes(station, TimedColumns, asked, error);
  if (!times) return std::nullopt;
  size_t answer = 0;
  RecordSet* const sets[] = {&records.today, &records.yesterday, &records.month, &records.year,
                             &records.all};
  for (size_t s = 0; s < winners.size(); ++s)
    *sets[s] = RecordsOf(winners[s], spans, first, *times, answer);
  return records;
}
