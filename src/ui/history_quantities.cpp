#include "history_quantities.h"

#include <QCoreApplication>
#include <QDateTime>
#include <algorithm>

namespace {

constexpr int64_t Day = 24 * 3600;
constexpr int DayTickHours = 4;
constexpr int MonthTickDays = 5;
constexpr int HoursADay = 24;

// The local times on `day` that label the axis of `span`.
std::vector<QDateTime> TicksOn(HistorySpan span, QDate day) {
  switch (span) {
    case HistorySpan::Day: {
      std::vector<QDateTime> hours{day.startOfDay()};
      for (int h = DayTickHours; h < HoursADay; h += DayTickHours) {
        const QDateTime at(day, QTime(h, 0));
        if (at.isValid() && at.time().hour() == h) hours.push_back(at);  // not in a clock change
      }
      return hours;
    }
    case HistorySpan::Week:
      return {day.startOfDay()};
    case HistorySpan::Month:
      if (day.toJulianDay() % MonthTickDays == 0) return {day.startOfDay()};
      return {};
    case HistorySpan::Year:
      break;
  }
  if (day.day() == 1) return {day.startOfDay()};
  return {};
}

const std::array<QuantityChart, HistoryQuantityCount> Charts = {{
    {QT_TRANSLATE_NOOP("HistoryQuantities", "Temperatura"),
     Quantity::Temperature,
     1,
     {{HistoryColumn::TempC, QT_TRANSLATE_NOOP("HistoryQuantities", "Temperatura"), 0xd62728},
      {HistoryColumn::DewPointC, QT_TRANSLATE_NOOP("HistoryQuantities", "Punto di rugiada"),
       0x1f77b4},
      {HistoryColumn::WindChillC, QT_TRANSLATE_NOOP("HistoryQuantities", "Wind chill"), 0x9467bd}}},
    {QT_TRANSLATE_NOOP("HistoryQuantities", "Umidit\u00E0"),
     std::nullopt,
     0,
     {{HistoryColumn::HumidityPct, QT_TRANSLATE_NOOP("HistoryQuantities", "Umidit\u00E0 relativa"),
       0x17becf}}},
    {QT_TRANSLATE_NOOP("HistoryQuantities", "Pressione"),
     Quantity::Pressure,
     1,
     {{HistoryColumn::PressureMb, QT_TRANSLATE_NOOP("HistoryQuantities", "Pressione"), 0x2ca02c}}},
    {QT_TRANSLATE_NOOP("HistoryQuantities", "Vento"),
     Quantity::Speed,
     0,
     {{HistoryColumn::WindKmh, QT_TRANSLATE_NOOP("HistoryQuantities", "Vento medio"), 0x1f77b4},
      {HistoryColumn::GustKmh, QT_TRANSLATE_NOOP("HistoryQuantities", "Raffica"), 0xff7f0e},
      {HistoryColumn::WindDir, QT_TRANSLATE_NOOP("HistoryQuantities", "Direzione (\u00B0)"),
       0x7f7f7f, true}}},
    {QT_TRANSLATE_NOOP("HistoryQuantities", "Pioggia"),
     Quantity::Rain,
     1,
     {{HistoryColumn::Rain1hMm, QT_TRANSLATE_NOOP("HistoryQuantities", "Pioggia nell'ultima ora"),
       0x1f77b4},
      {HistoryColumn::RainTodayMm, QT_TRANSLATE_NOOP("HistoryQuantities", "Pioggia da mezzanotte"),
       0x08306b}}},
}};

const std::array<SpanChoice, HistorySpanCount> Spans = {{
    {QT_TRANSLATE_NOOP("HistoryQuantities", "24 ore"), Day, "HH:mm"},
    {QT_TRANSLATE_NOOP("HistoryQuantities", "7 giorni"), 7 * Day, "ddd d"},
    {QT_TRANSLATE_NOOP("HistoryQuantities", "30 giorni"), 30 * Day, "d MMM"},
    {QT_TRANSLATE_NOOP("HistoryQuantities", "1 anno"), 365 * Day, "MMM yyyy"},
}};

}  // namespace

QString QuantityText(const char* text) {
  return QCoreApplication::translate("HistoryQuantities", text);
}

const QuantityChart& ChartOf(HistoryQuantity quantity) {
  return Charts[size_t(quantity)];
}

ChartUnit ChartUnitOf(HistoryQuantity quantity, UnitSystem system) {
  const QuantityChart& chart = ChartOf(quantity);
  if (!chart.measure) return {QStringLiteral("%"), chart.decimals};
  const ShownUnit& unit = UnitOf(system, *chart.measure);
  return {unit.symbol, std::max(chart.decimals, unit.decimals)};
}

double ShownValue(HistoryQuantity quantity, const HistoryLine& line, UnitSystem system,
                  double metric) {
  const QuantityChart& chart = ChartOf(quantity);
  if (!chart.measure || line.rightAxis) return metric;
  return ToShown(system, *chart.measure, metric);
}

const SpanChoice& SpanOf(HistorySpan span) {
  return Spans[size_t(span)];
}

std::vector<int64_t> SpanTicks(HistorySpan span, int64_t from, int64_t to) {
  std::vector<int64_t> ticks;
  const QDate last = QDateTime::fromSecsSinceEpoch(to).date();
  for (QDate day = QDateTime::fromSecsSinceEpoch(from).date(); day <= last; day = day.addDays(1))
    for (const QDateTime& at : TicksOn(span, day))
      if (at.toSecsSinceEpoch() >= from && at.toSecsSinceEpoch() <= to)
        ticks.push_back(at.toSecsSinceEpoch());
  return ticks;
}
