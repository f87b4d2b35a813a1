#include "noaa_columns.h"

#include "compass_point.h"
#include "noaa_report.h"
#include "summary_formats.h"

namespace {

constexpr Quantity Temp = Quantity::Temperature, Speed = Quantity::Speed, Rain = Quantity::Rain;

QByteArray Number(const std::optional<double>& metric, UnitSystem units, Quantity quantity) {
  return metric ? SummaryNumber(units, quantity, *metric) : QByteArray();
}

QByteArray Number(const std::optional<Extreme>& metric, UnitSystem units, Quantity quantity) {
  return metric ? SummaryNumber(units, quantity, metric->value) : QByteArray();
}

QByteArray Time(const std::optional<Extreme>& extreme, const QTimeZone& zone) {
  return extreme ? ClockTime(extreme->time, zone) : QByteArray();
}

QByteArray DegreeDays(const std::optional<double>& meanC, UnitSystem units,
                      double (*degreeDays)(UnitSystem, double)) {
  return meanC ? FixedNumber(degreeDays(units, *meanC), DegreeDayDecimals) : QByteArray();
}

}  // namespace

const std::array<NoaaColumn, NoaaDayColumnCount> NoaaDayColumns = {{
    {{"", "MEAN", "TEMP"}, "temp_mean", true, Temp},
    {{"", "", "HIGH"}, "temp_high", true, Temp},
    {{"", "", "TIME"}, "temp_high_time", false, Temp},
    {{"", "", "LOW"}, "temp_low", true, Temp},
    {{"", "", "TIME"}, "temp_low_time", false, Temp},
    {{"HEAT", "DEG", "DAYS"}, "heat_deg_days", false, Temp},
    {{"COOL", "DEG", "DAYS"}, "cool_deg_days", false, Temp},
    {{"", "", "RAIN"}, "rain", true, Rain},
    {{"AVG", "WIND", "SPEED"}, "wind_mean", true, Speed},
    {{"", "HIGH", "GUST"}, "gust_high", true, Speed},
    {{"", "", "TIME"}, "gust_high_time", false, Speed},
    {{"", "DOM", "DIR"}, "wind_dom_dir", false, Speed},
}};

QByteArray NoaaColumnName(const NoaaColumn& column, UnitSystem units) {
  const QByteArray name(column.name);
  return column.hasUnit ? name + '_' + UnitSuffix(units, column.quantity) : name;
}

std::array<QByteArray, NoaaDayColumnCount> NoaaDayFields(const DaySummary& day, UnitSystem units,
                                                         const QTimeZone& zone) {
  return {Number(day.tempMean, units, Temp),
          Number(day.tempHigh, units, Temp),
          Time(day.tempHigh, zone),
          Number(day.tempLow, units, Temp),
          Time(day.tempLow, zone),
          DegreeDays(day.tempMean, units, HeatingDegreeDays),
          DegreeDays(day.tempMean, units, CoolingDegreeDays),
          Number(day.rainMm, units, Rain),
          Number(day.windMean, units, Speed),
          Number(day.gustHigh, units, Speed),
          Time(day.gustHigh, zone),
          day.windDomDir ? QByteArray(CompassPoint(*day.windDomDir)) : QByteArray()};
}
