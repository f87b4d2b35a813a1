#include "summary_json.h"

#include "json_writer.h"
#include "summary_formats.h"

namespace {

constexpr Quantity Temp = Quantity::Temperature, Speed = Quantity::Speed,
                   Pressure = Quantity::Pressure, Rain = Quantity::Rain;

// Writes one summary's readings, naming each after its quantity's unit.
class SummaryWriter {
 public:
  SummaryWriter(JsonWriter& json, UnitSystem units, const QTimeZone& zone)
      : json_(json), units_(units), zone_(zone) {}

  // "<name>_<unit>": the reading in the chosen units, or null.
  void Reading(const char* name, Quantity quantity, const std::optional<double>& metric) {
    const QByteArray key = QByteArray(name) + '_' + UnitSuffix(units_, quantity);
    if (metric)
      json_.Double(JsonKey(key.constData()), ToShown(units_, quantity, *metric));
    else
      json_.Null(JsonKey(key.constData()));
  }
  // A reading of one unit only (humidity in %, a direction in degrees).
  void Plain(const char* name, const std::optional<double>& value) {
    if (value)
      json_.Double(JsonKey(name), *value);
    else
      json_.Null(JsonKey(name));
  }
  // "<name>_<unit>" and "<name>_time".
  void Timed(const char* name, Quantity quantity, const std::optional<Extreme>& extreme) {
    Reading(name, quantity, extreme ? std::optional<double>(extreme->value) : std::nullopt);
    const QByteArray key = QByteArray(name) + "_time";
    if (extreme)
      json_.String(JsonKey(key.constData()), LocalIsoTime(extreme->time, zone_));
    else
      json_.Null(JsonKey(key.constData()));
  }
  void Date(const char* name, QDate date) {
    if (date.isValid())
      json_.String(JsonKey(name), date.toString(Qt::ISODate));
    else
      json_.Null(JsonKey(name));
  }

  void Day(const DaySummary& d) {
    json_.BeginObject();
    Date("date", d.date);
    json_.Int("reports", d.reports);
    Timed("temp_high", Temp, d.tempHigh);
    Timed("temp_low", Temp, d.tempLow);
    Reading("temp_mean", Temp, d.tempMean);
    Plain("humidity_high_pct", d.humidityHigh);
    Plain("humidity_low_pct", d.humidityLow);
    Reading("pressure_high", Pressure, d.pressureHigh);
    Reading("pressure_low", Pressure, d.pressureLow);
    Reading("wind_mean", Speed, d.windMean);
    Timed("gust_high", Speed, d.gustHigh);
    Plain("wind_dom_dir", d.windDomDir);
    Reading("rain", Rain, d.rainMm);
    json_.EndObject();
  }

  // The fields of a month's, or a year's, total.
  void Period(const PeriodSummary& p) {
    Timed("temp_high", Temp, p.tempHigh);
    Timed("temp_low", Temp, p.tempLow);
    Reading("temp_mean", Temp, p.tempMean);
    Reading("rain", Rain, p.rainMm);
    json_.Int("rain_days", p.rainDays);
    Timed("gust_high", Speed, p.gustHigh);
  }

  void Records(const char* scope, const RecordSet& r) {
    json_.BeginObject(JsonKey(scope));
    Timed("temp_high", Temp, r.tempHigh);
    Timed("temp_low", Temp, r.tempLow);
    Timed("gust_high", Speed, r.gustHigh);
    Reading("rain_day", Rain, r.rainDayMm);
    Date("rain_day_date", r.rainDayMm ? r.rainDayDate : QDate());
    Timed("rain_hour", Rain, r.rainHour);
    Timed("pressure_high", Pressure, r.pressureHigh);
    Timed("pressure_low", Pressure, r.pressureLow);
    json_.EndObject();
  }

 private:
  JsonWriter& json_;
  UnitSystem units_;
  const QTimeZone& zone_;
};

QString MonthName(int year, int month) {
  return QDate(year, month, 1).toString(QStringLiteral("yyyy-MM"));
}

}  // namespace

QByteArray DayJson(const DaySummary& day, UnitSystem units, const QTimeZone& zone) {
  JsonWriter json;
  SummaryWriter(json, units, zone).Day(day);
  return json.Text() + '\n';
}

QByteArray MonthJson(const MonthSummary& month, UnitSystem units, const QTimeZone& zone) {
  JsonWriter json;
  SummaryWriter writer(json, units, zone);
  json.BeginObject()
      .String("station", month.station)
      .String("month", MonthName(month.year, month.month))
      .String("timezone", month.timezone)
      .BeginArray("days");
  for (const DaySummary& day : month.days) writer.Day(day);
  json.EndArray().BeginObject("total");
  writer.Period(month.total);
  return json.EndObject().EndObject().Text() + '\n';
}

QByteArray YearJson(const YearSummary& year, UnitSystem units, const QTimeZone& zone) {
  JsonWriter json;
  SummaryWriter writer(json, units, zone);
  json.BeginObject()
      .String("station", year.station)
      .Int("year", year.year)
      .String("timezone", year.timezone)
      .BeginArray("months");
  for (const MonthSummary& month : year.months) {
    json.BeginObject().String("month", MonthName(month.year, month.month));
    writer.Period(month.total);
    json.EndObject();
  }
  json.EndArray().BeginObject("total");
  writer.Period(year.total);
  return json.EndObject().EndObject().Text() + '\n';
}

QByteArray RecordsJson(const WeatherRecords& records, UnitSystem units, const QTimeZone& zone) {
  JsonWriter json;
  SummaryWriter writer(json, units, zone);
  json.BeginObject().String("station", records.station).String("timezone", records.timezone);
  writer.Records("today", records.today);
  writer.Records("yesterday", records.yesterday);
  writer.Records("month", records.month);
  writer.Records("year", records.year);
  writer.Records("all", records.all);
  return json.EndObject().Text() + '\n';
}
