#include "mqtt_messages.h"

#include "alert_json.h"
#include "alert_text.h"
#include "json_writer.h"

namespace {

// A topic's prefix without the trailing "/" the user may have typed; empty: none.
QString TopicPrefix(const QString& prefix) {
  QString p = prefix;
  while (p.endsWith(QLatin1Char('/'))) p.chop(1);
  return p.isEmpty() ? p : p + QLatin1Char('/');
}

// The call as a name part of identifiers: lower case, anything but a letter or a digit "_".
QString IdPart(const QString& station) {
  QString id = station.toLower();
  for (QChar& c : id)
    if (!(c.isDigit() || (c >= QLatin1Char('a') && c <= QLatin1Char('z')))) c = QLatin1Char('_');
  return id;
}

QByteArray OnOff(bool on) {
  return on ? QByteArrayLiteral("ON") : QByteArrayLiteral("OFF");
}

// How Home Assistant shows one history column.
struct SensorKind {
  HistoryColumn column;
  const char* name;
  const char* deviceClass;  // nullptr: none fits
  const char* unit;
  const char* stateClass;
};

constexpr SensorKind Sensors[HistoryColumnCount] = {
    {HistoryColumn::TempC, "Temperature", "temperature", "°C", "measurement"},
    {HistoryColumn::HumidityPct, "Humidity", "humidity", "%", "measurement"},
    {HistoryColumn::PressureMb, "Pressure", "atmospheric_pressure", "hPa", "measurement"},
    {HistoryColumn::WindDir, "Wind direction", nullptr, "°", "measurement"},
    {HistoryColumn::WindKmh, "Wind speed", "wind_speed", "km/h", "measurement"},
    {HistoryColumn::GustKmh, "Wind gust", "wind_speed", "km/h", "measurement"},
    {HistoryColumn::Rain1hMm, "Rain last hour", "precipitation_intensity", "mm/h", "measurement"},
    {HistoryColumn::Rain24hMm, "Rain last 24 hours", "precipitation", "mm", "measurement"},
    {HistoryColumn::RainTodayMm, "Rain today", "precipitation", "mm", "total_increasing"},
    {HistoryColumn::DewPointC, "Dew point", "temperature", "°C", "measurement"},
    {HistoryColumn::WindChillC, "Wind chill", "temperature", "°C", "measurement"},
    {HistoryColumn::AbsHumidityGm3, "Absolute humidity", nullptr, "g/m³", "measurement"},
    {HistoryColumn::PressureChange4hMb, "Pressure change in 4 hours", nullptr, "hPa",
     "measurement"},
};

constexpr const char* AlarmNames[AlarmQuantityCount] = {"Temperature high alarm",
                                                        "Temperature low alarm",
                                                        "Humidity high alarm",
                                                        "Humidity low alarm",
                                                        "Pressure high alarm",
                                                        "Pressure low alarm",
                                                        "Rain in an hour alarm",
                                                        "Rain in 24 hours alarm",
                                                        "Wind alarm",
                                                        "Gust alarm"};

// What every configuration of one station shares: where it is, its availability, its device.
struct Device {
  const DiscoveryOptions& options;
  QString node;  // ventora_<station>
  QString availability;
};

void WriteCommon(JsonWriter& json, const Device& device, const QString& name,
                 const QString& uniqueId, const QString& stateTopic) {
  json.String("name", name)
      .String("unique_id", uniqueId)
      .String("state_topic", stateTopic)
      .String("availability_topic", device.availability);
  json.BeginObject("device").BeginArray("identifiers").String(nullptr, device.node).EndArray();
  json.String("name", device.options.at.station.toUpper() + QStringLiteral(" Wx"))
      .String("manufacturer", QStringLiteral("Ventora"))
      .String("model", QStringLiteral("APRS weather station"));
  if (!device.options.version.isEmpty()) json.String("sw_version", device.options.version);
  json.EndObject();
}

QString ConfigTopic(const Device& device, const char* component, const QString& object) {
  return TopicPrefix(device.options.discoveryPrefix) + QLatin1String(component) + QLatin1Char('/') +
         device.node + QLatin1Char('/') + object + QStringLiteral("/config");
}

MqttMessage SensorConfig(const Device& device, const SensorKind& sensor) {
  const QString column = QLatin1String(ColumnName(sensor.column));
  JsonWriter json;
  json.BeginObject();
  WriteCommon(json, device, QString::fromUtf8(sensor.name), device.node + QLatin1Char('_') + column,
              StationTopic(device.options.at, QStringLiteral("state")));
  json.String("value_template", QStringLiteral("{{ value_json.%1 }}").arg(column))
      .String("unit_of_measurement", QString::fromUtf8(sensor.unit));
  if (sensor.deviceClass) json.Name("device_class", sensor.deviceClass);
  json.Name("state_class", sensor.stateClass);
  if (device.options.silentAfterMin > 0)
    json.Int("expire_after", int64_t(device.options.silentAfterMin) * 60);
  json.EndObject();
  return {ConfigTopic(device, "sensor", column), json.Text(), true};
}

MqttMessage BinaryConfig(const Device& device, const QString& name, const QString& leaf) {
  QString object = leaf;
  object.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('-'), QLatin1Char('_'));
  JsonWriter json;
  json.BeginObject();
  WriteCommon(json, device, name, device.node + QLatin1Char('_') + object,
              StationTopic(device.options.at, leaf));
  json.Name("device_class", "problem").Name("payload_on", "ON").Name("payload_off", "OFF");
  json.EndObject();
  return {ConfigTopic(device, "binary_sensor", object), json.Text(), true};
}

}  // namespace

QString StationTopic(const MqttStation& at, const QString& leaf) {
  return TopicPrefix(at.prefix) + at.station.toUpper() + QLatin1Char('/') + leaf;
}

QString MqttClientId(const QString& station, const QString& hostName) {
  QString id = QStringLiteral("ventora-%1-%2").arg(station, hostName).toLower();
  for (QChar& c : id)
    if (!(c.isDigit() || (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
          c == QLatin1Char('-') || c == QLatin1Char('_')))
      c = QLatin1Char('-');
  return id;
}

MqttMessage StateMessage(const MqttStation& at, const HistoryRow& row) {
  JsonWriter json;
  json.BeginObject().String("time", IsoUtc(row.time));
  for (const SensorKind& sensor : Sensors) {
    const std::optional<double>& value = row[sensor.column];
    if (!value) continue;
    const JsonKey key(ColumnName(sensor.column));
    // The numbers the history stores, as ValueText writes them.
    if (IsWholeNumberColumn(sensor.column))
      json.Int(key, int64_t(*value));
    else
      json.Float(key, float(*value));
  }
  return {StationTopic(at, QStringLiteral("state")), json.EndObject().Text(), true};
}

MqttMessage AvailabilityMessage(const MqttStation& at, bool online) {
  return {StationTopic(at, QStringLiteral("availability")),
          online ? QByteArrayLiteral("online") : QByteArrayLiteral("offline"), true};
}

MqttMessage EventMessage(const MqttStation& at, const Alert& alert, const QString& text) {
  JsonWriter json;
  json.BeginObject();
  WriteAlertJson(json, alert, at.station, text);
  return {StationTopic(at, QStringLiteral("event")), json.EndObject().Text(), false};
}

MqttMessage AlarmMessage(const MqttStation& at, AlarmQuantity quantity, bool beyond) {
  return {StationTopic(at, QStringLiteral("alarm/") + AlarmQuantityName(quantity)), OnOff(beyond),
          true};
}

MqttMessage SilentMessage(const MqttStation& at, bool silent) {
  return {StationTopic(at, QStringLiteral("silent")), OnOff(silent), true};
}

std::vector<MqttMessage> DiscoveryMessages(const DiscoveryOptions& options) {
  const Device device{options, QStringLiteral("ventora_") + IdPart(options.at.station),
                      StationTopic(options.at, QStringLiteral("availability"))};
  std::vector<MqttMessage> messages;
  for (const SensorKind& sensor : Sensors) messages.push_back(SensorConfig(device, sensor));
  for (int q = 0; q < AlarmQuantityCount; ++q)
    messages.push_back(
        BinaryConfig(device, QString::fromUtf8(AlarmNames[q]),
                     QStringLiteral("alarm/") + AlarmQuantityName(AlarmQuantity(q))));
  messages.push_back(BinaryConfig(device, QStringLiteral("Silent"), QStringLiteral("silent")));
  return messages;
}
