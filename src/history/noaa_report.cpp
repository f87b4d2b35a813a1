#include "noaa_report.h"

#include <QDateTime>
#include <algorithm>
#include <vector>

#include "noaa_columns.h"
#include "summary_formats.h"

namespace {

// The base of the degree days: the mean below which a day needs heating, above which cooling.
constexpr double DegreeDayBaseC = 18.3;
constexpr double DegreeDayBaseF = 65;

constexpr int FirstWidth = 4;  // the day's or the month's column
constexpr int Width = 7;       // every other column
constexpr int LabelWidth = 21;
const char Absent[] = "---";

const char* const MonthNames[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                  "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

using Cells = std::vector<QByteArray>;

double DegreeDayBase(UnitSystem units) {
  return units == UnitSystem::Imperial ? DegreeDayBaseF : DegreeDayBaseC;
}

QByteArray Shown(const QByteArray& text) {
  return text.isEmpty() ? QByteArray(Absent) : text;
}

// The cells right-aligned in their columns, without blanks at the end.
QByteArray TableLine(const Cells& cells) {
  QByteArray line;
  for (size_t i = 0; i < cells.size(); ++i)
    line += cells[i].rightJustified(i == 0 ? FirstWidth : Width, ' ');
  while (line.endsWith(' ')) line.chop(1);
  return line + '\n';
}

QByteArray Rule(size_t columns) {
  return QByteArray(FirstWidth + Width * int(columns - 1), '-') + '\n';
}

QByteArray Labelled(const char* label, const QByteArray& text) {
  return QByteArray(label).leftJustified(LabelWidth, ' ') + text + '\n';
}

QByteArray Symbol(UnitSystem units, Quantity quantity) {
  return UnitOf(units, quantity).symbol.toUtf8();
}

QByteArray Header(const QByteArray& title, const QString& station, const QString& timezone,
                  UnitSystem units) {
  return title + "\n\nSTATION: " + station.toUtf8() + "\nTIME ZONE: " + timezone.toUtf8() +
         "\nTEMPERATURE (" + Symbol(units, Quantity::Temperature) + "), RAIN (" +
         Symbol(units, Quantity::Rain) + "), WIND SPEED (" + Symbol(units, Quantity::Speed) +
         ")\n\n";
}

QDateTime Local(int64_t time, const QTimeZone& zone) {
  return QDateTime::fromSecsSinceEpoch(time, zone);
}

QByteArray DayOf(const std::optional<Extreme>& extreme, const QTimeZone& zone) {
  return extreme ? QByteArray::number(Local(extreme->time, zone).date().day()) : QByteArray();
}

// The month and day of an extreme of the year: "OCT 14".
QByteArray DateInYear(const std::optional<Extreme>& extreme, const QTimeZone& zone) {
  if (!extreme) return {};
  const QDate date = Local(extreme->time, zone).date();
  return QByteArray(MonthNames[date.month() - 1]) + ' ' + QByteArray::number(date.day());
}

QByteArray Number(const std::optional<double>& metric, UnitSystem units, Quantity quantity) {
  return metric ? SummaryNumber(units, quantity, *metric) : QByteArray();
}

QByteArray Number(const std::optional<Extreme>& metric, UnitSystem units, Quantity quantity) {
  return metric ? SummaryNumber(units, quantity, metric->value) : QByteArray();
}

QByteArray DegreeDays(const std::optional<double>& sum) {
  return sum ? FixedNumber(*sum, DegreeDayDecimals) : QByteArray();
}

// What the NOAA text adds up from the days of a month or a year: the degree days of the days
// with a mean, and the mean of the days' mean winds.
class DayTotals {
 public:
  explicit DayTotals(UnitSystem units) : units_(units) {}
  void Add(const DaySummary& day) {
    if (day.tempMean) {
      heating_ += HeatingDegreeDays(units_, *day.tempMean);
      cooling_ += CoolingDegreeDays(units_, *day.tempMean);
      ++means_;
    }
    if (day.windMean) {
      wind_ += *day.windMean;
      ++winds_;
    }
  }
  void Add(const std::vector<DaySummary>& days) {
    for (const DaySummary& day : days) Add(day);
  }
  std::optional<double> Heating() const { return Some(means_, heating_); }
  std::optional<double> Cooling() const { return Some(means_, cooling_); }
  std::optional<double> WindMean() const { return Some(winds_, wind_ / std::max(winds_, 1)); }

 private:
  static std::optional<double> Some(int count, double value) {
    return count > 0 ? std::optional<double>(value) : std::nullopt;
  }
  UnitSystem units_;
  double heating_ = 0, cooling_ = 0, wind_ = 0;
  int means_ = 0, winds_ = 0;
};

QByteArray RainDayThreshold(UnitSystem units) {
  return FixedNumber(ToShown(units, Quantity::Rain, RainDayMm),
                     SummaryDecimals(units, Quantity::Rain));
}

QByteArray RainDays(const PeriodSummary& period) {
  return period.rainMm ? QByteArray::number(period.rainDays) : QByteArray();
}

// A reading with its unit, and when it was reached: "21.3 °C on 2026-10-14 at 15:20".
QByteArray ExtremeText(const std::optional<Extreme>& extreme, UnitSystem units, Quantity quantity,
                       const QTimeZone& zone) {
  if (!extreme) return Absent;
  const QDateTime when = Local(extreme->time, zone);
  return SummaryNumber(units, quantity, extreme->value) + ' ' + Symbol(units, quantity) + " on " +
         when.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() + " at " +
         ClockTime(extreme->time, zone);
}

QByteArray WithUnit(const std::optional<double>& metric, UnitSystem units, Quantity quantity) {
  return metric ? SummaryNumber(units, quantity, *metric) + ' ' + Symbol(units, quantity)
                : QByteArray(Absent);
}

// The extremes and totals of a month or a year, one a line under the table.
QByteArray Extremes(const PeriodSummary& period, const DayTotals& totals, UnitSystem units,
                    const QTimeZone& zone) {
  constexpr Quantity Temp = Quantity::Temperature, Rain = Quantity::Rain;
  const QByteArray rainDays = period.rainMm
                                  ? QByteArray::number(period.rainDays) + " (at least " +
                                        RainDayThreshold(units) + ' ' + Symbol(units, Rain) + ')'
                                  : QByteArray(Absent);
  return Labelled("Highest temperature:", ExtremeText(period.tempHigh, units, Temp, zone)) +
         Labelled("Lowest temperature:", ExtremeText(period.tempLow, units, Temp, zone)) +
         Labelled("Mean temperature:", WithUnit(period.tempMean, units, Temp)) +
         Labelled("Highest gust:", ExtremeText(period.gustHigh, units, Quantity::Speed, zone)) +
         Labelled("Total rain:", WithUnit(period.rainMm, units, Rain)) +
         Labelled("Days of rain:", rainDays) +
         Labelled("Heating degree days:", Shown(DegreeDays(totals.Heating()))) +
         Labelled("Cooling degree days:", Shown(DegreeDays(totals.Cooling())));
}

Cells MonthHeading(int line) {
  Cells cells{line == 2 ? QByteArray("DAY") : QByteArray()};
  for (const NoaaColumn& column : NoaaDayColumns) cells.push_back(column.heading[line]);
  return cells;
}

Cells DayCells(const DaySummary& day, UnitSystem units, const QTimeZone& zone) {
  Cells cells{QByteArray::number(day.date.day())};
  for (const QByteArray& field : NoaaDayFields(day, units, zone)) cells.push_back(Shown(field));
  return cells;
}

// Under the days: the month's mean, its extremes with their days, the sums and the mean wind.
Cells MonthTotalCells(const MonthSummary& month, const DayTotals& totals, UnitSystem units,
                      const QTimeZone& zone) {
  constexpr Quantity Temp = Quantity::Temperature, Speed = Quantity::Speed;
  const PeriodSummary& t = month.total;
  Cells cells{QByteArray(),
              Number(t.tempMean, units, Temp),
              Number(t.tempHigh, units, Temp),
              DayOf(t.tempHigh, zone),
              Number(t.tempLow, units, Temp),
              DayOf(t.tempLow, zone),
              DegreeDays(totals.Heating()),
              DegreeDays(totals.Cooling()),
              Number(t.rainMm, units, Quantity::Rain),
              Number(totals.WindMean(), units, Speed),
              Number(t.gustHigh, units, Speed),
              DayOf(t.gustHigh, zone)};
  for (size_t i = 1; i < cells.size(); ++i) cells[i] = Shown(cells[i]);
  return cells;
}

Cells YearHeading(int line, UnitSystem units) {
  static const char* const Lines[3][13] = {
      {"", "", "", "", "", "", "HEAT", "COOL", "", "RAIN", "AVG", "", ""},
      {"", "MEAN", "", "", "", "", "DEG", "DEG", "", "DAYS", "WIND", "HIGH", ""},
      {"MON", "TEMP", "HIGH", "DAY", "LOW", "DAY", "DAYS", "DAYS", "RAIN", "", "SPEED", "GUST",
       "DAY"}};
  Cells cells(std::begin(Lines[line]), std::end(Lines[line]));
  if (line == 2) cells[9] = ">=" + RainDayThreshold(units);
  return cells;
}

// A month of the year, or the year itself: its extremes are dated by `when`.
Cells PeriodCells(const QByteArray& name, const PeriodSummary& p, const DayTotals& totals,
                  UnitSystem units,
                  QByteArray (*when)(const std::optional<Extreme>&, const QTimeZone&),
                  const QTimeZone& zone) {
  constexpr Quantity Temp = Quantity::Temperature, Speed = Quantity::Speed;
  Cells cells{name,
              Number(p.tempMean, units, Temp),
              Number(p.tempHigh, units, Temp),
              when(p.tempHigh, zone),
              Number(p.tempLow, units, Temp),
              when(p.tempLow, zone),
              DegreeDays(totals.Heating()),
              DegreeDays(totals.Cooling()),
              Number(p.rainMm, units, Quantity::Rain),
              RainDays(p),
              Number(totals.WindMean(), units, Speed),
              Number(p.gustHigh, units, Speed),
              when(p.gustHigh, zone)};
  for (size_t i = 1; i < cells.size(); ++i) cells[i] = Shown(cells[i]);
  return cells;
}

}  // namespace

double HeatingDegreeDays(UnitSystem units, double meanC) {
  return std::max(0.0, DegreeDayBase(units) - ToShown(units, Quantity::Temperature, meanC));
}

double CoolingDegreeDays(UnitSystem units, double meanC) {
  return std::max(0.0, ToShown(units, Quantity::Temperature, meanC) - DegreeDayBase(units));
}

QByteArray NoaaMonthReport(const MonthSummary& month, UnitSystem units, const QTimeZone& zone) {
  const QByteArray title = "MONTHLY CLIMATOLOGICAL SUMMARY for " +
                           QByteArray(MonthNames[month.month - 1]) + ' ' +
                           QByteArray::number(month.year);
  QByteArray text = Header(title, month.station, month.timezone, units);
  for (int line = 0; line < 3; ++line) text += TableLine(MonthHeading(line));
  const QByteArray rule = Rule(NoaaDayColumnCount + 1);
  text += rule;
  DayTotals totals(units);
  for (const DaySummary& day : month.days) {
    text += TableLine(DayCells(day, units, zone));
    totals.Add(day);
  }
  text += rule + TableLine(MonthTotalCells(month, totals, units, zone)) + '\n';
  return text + Extremes(month.total, totals, units, zone);
}

QByteArray NoaaYearReport(const YearSummary& year, UnitSystem units, const QTimeZone& zone) {
  const QByteArray title = "ANNUAL CLIMATOLOGICAL SUMMARY for " + QByteArray::number(year.year);
  QByteArray text = Header(title, year.station, year.timezone, units);
  const Cells heading = YearHeading(2, units);
  for (int line = 0; line < 3; ++line) text += TableLine(YearHeading(line, units));
  const QByteArray rule = Rule(heading.size());
  text += rule;
  DayTotals all(units);
  for (const MonthSummary& month : year.months) {
    DayTotals totals(units);
    totals.Add(month.days);
    all.Add(month.days);
    text += TableLine(
        PeriodCells(MonthNames[month.month - 1], month.total, totals, units, DayOf, zone));
  }
  text += rule + TableLine(PeriodCells("YEAR", year.total, all, units, DateInYear, zone)) + '\n';
  return text + Extremes(year.total, all, units, zone);
}
