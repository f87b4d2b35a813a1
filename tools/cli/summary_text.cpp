#include "summary_text.h"

#include <QDateTime>

#include "compass_point.h"
#include "summary_formats.h"

namespace {

constexpr Quantity Temp = Quantity::Temperature, Speed = Quantity::Speed,
                   Pressure = Quantity::Pressure, Rain = Quantity::Rain;
constexpr int LabelWidth = 22;
const char Absent[] = "---";

class TextWriter {
 public:
  TextWriter(UnitSystem units, const QTimeZone& zone) : units_(units), zone_(zone) {}

  // "21.3 °C"
  QByteArray Value(const std::optional<double>& metric, Quantity quantity) const {
    if (!metric) return Absent;
    return SummaryNumber(units_, quantity, *metric) + ' ' +
           UnitOf(units_, quantity).symbol.toUtf8();
  }
  QByteArray Percent(const std::optional<double>& value) const {
    return value ? FixedNumber(*value, 0) + " %" : QByteArray(Absent);
  }
  // "21.3 °C at 15:20" within a day; "21.3 °C on 2026-10-14 at 15:20" beyond.
  QByteArray Timed(const std::optional<Extreme>& e, Quantity quantity, bool dated) const {
    if (!e) return Absent;
    const QByteArray date = QDateTime::fromSecsSinceEpoch(e->time, zone_)
                                .toString(QStringLiteral("yyyy-MM-dd"))
                                .toLatin1();
    return Value(e->value, quantity) + (dated ? " on " + date : QByteArray()) + " at " +
           ClockTime(e->time, zone_);
  }
  QByteArray Direction(const std::optional<double>& degrees) const {
    return degrees ? QByteArray(CompassPoint(*degrees)) : QByteArray(Absent);
  }
  QByteArray RainDays(const PeriodSummary& p) const {
    if (!p.rainMm) return Absent;
    return QByteArray::number(p.rainDays) + " (at least " + Value(RainDayMm, Rain) + ')';
  }

 private:
  UnitSystem units_;
  const QTimeZone& zone_;
};

QByteArray Line(const char* label, const QByteArray& text) {
  return "  " + QByteArray(label).leftJustified(LabelWidth, ' ') + text + '\n';
}

QByteArray DayLines(const DaySummary& d, const TextWriter& w) {
  return Line("Reports", QByteArray::number(qlonglong(d.reports))) +
         Line("Highest temperature", w.Timed(d.tempHigh, Temp, false)) +
         Line("Lowest temperature", w.Timed(d.tempLow, Temp, false)) +
         Line("Mean temperature", w.Value(d.tempMean, Temp)) +
         Line("Highest humidity", w.Percent(d.humidityHigh)) +
         Line("Lowest humidity", w.Percent(d.humidityLow)) +
         Line("Highest pressure", w.Value(d.pressureHigh, Pressure)) +
         Line("Lowest pressure", w.Value(d.pressureLow, Pressure)) +
         Line("Mean wind", w.Value(d.windMean, Speed)) +
         Line("Highest gust", w.Timed(d.gustHigh, Speed, false)) +
         Line("Dominant wind", w.Direction(d.windDomDir)) + Line("Rain", w.Value(d.rainMm, Rain));
}

QByteArray PeriodLines(const PeriodSummary& p, const TextWriter& w) {
  return Line("Highest temperature", w.Timed(p.tempHigh, Temp, true)) +
         Line("Lowest temperature", w.Timed(p.tempLow, Temp, true)) +
         Line("Mean temperature", w.Value(p.tempMean, Temp)) +
         Line("Rain", w.Value(p.rainMm, Rain)) + Line("Days of rain", w.RainDays(p)) +
         Line("Highest gust", w.Timed(p.gustHigh, Speed, true));
}

QByteArray RecordLines(const RecordSet& r, const TextWriter& w) {
  const QByteArray rainDay = r.rainDayMm ? w.Value(r.rainDayMm, Rain) + " on " +
                                               r.rainDayDate.toString(Qt::ISODate).toLatin1()
                                         : QByteArray(Absent);
  return Line("Highest temperature", w.Timed(r.tempHigh, Temp, true)) +
         Line("Lowest temperature", w.Timed(r.tempLow, Temp, true)) +
         Line("Highest gust", w.Timed(r.gustHigh, Speed, true)) +
         Line("Most rain in a day", rainDay) +
         Line("Most rain in an hour", w.Timed(r.rainHour, Rain, true)) +
         Line("Highest pressure", w.Timed(r.pressureHigh, Pressure, true)) +
         Line("Lowest pressure", w.Timed(r.pressureLow, Pressure, true));
}

QByteArray Title(const QString& station, const QString& period, const QString& timezone) {
  return station.toUtf8() + ", " + period.toUtf8() + " (" + timezone.toUtf8() + ")\n";
}

QByteArray MonthName(int year, int month) {
  return QDate(year, month, 1).toString(QStringLiteral("yyyy-MM")).toLatin1();
}

}  // namespace

QByteArray DayText(const QString& station, const DaySummary& day, UnitSystem units,
                   const QTimeZone& zone) {
  return Title(station, day.date.toString(Qt::ISODate), QString::fromUtf8(zone.id())) +
         DayLines(day, TextWriter(units, zone));
}

QByteArray MonthText(const MonthSummary& month, UnitSystem units, const QTimeZone& zone) {
  const TextWriter w(units, zone);
  QByteArray text = Title(month.station, MonthName(month.year, month.month), month.timezone);
  for (const DaySummary& day : month.days)
    text += '\n' + day.date.toString(Qt::ISODate).toLatin1() + '\n' + DayLines(day, w);
  return text + "\nThe month\n" + PeriodLines(month.total, w);
}

QByteArray YearText(const YearSummary& year, UnitSystem units, const QTimeZone& zone) {
  const TextWriter w(units, zone);
  QByteArray text = Title(year.station, QString::number(year.year), year.timezone);
  for (const MonthSummary& month : year.months)
    text += '\n' + MonthName(month.year, month.month) + '\n' + PeriodLines(month.total, w);
  return text + "\nThe year\n" + PeriodLines(year.total, w);
}

QByteArray RecordsText(const WeatherRecords& records, UnitSystem units, const QTimeZone& zone) {
  const TextWriter w(units, zone);
  const std::pair<const char*, const RecordSet*> scopes[] = {{"Today", &records.today},
                                                             {"Yesterday", &records.yesterday},
                                                             {"This month", &records.month},
                                                             {"This year", &records.year},
                                                             {"All time", &records.all}};
  QByteArray text = Title(records.station, "records as of " + records.asOf.toString(Qt::ISODate),
                          records.timezone);
  for (const auto& [name, set] : scopes)
    text += '\n' + QByteArray(name) + '\n' + RecordLines(*set, w);
  return text;
}
