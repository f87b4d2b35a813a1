#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <set>

#include "mqtt_messages.h"
#include "report_decoder.h"
#include "test_support.h"

namespace {

constexpr int64_t Time = 1'796'810'400;  // 2026-12-09T10:00:00Z

HistoryRow Decoded(const QString& report) {
  const ReportOutcome out =
      DecodeWeatherReport(report, DefaultAlarmSettings(), ReportState(), QLocale::c());
  return RowFromReport(Time, QStringLiteral("IW2XYZ-13"), report, out.values);
}

QJsonObject Json(const QByteArray& payload) {
  QJsonParseError error;
  const QJsonDocument doc = QJsonDocument::fromJson(payload, &error);
  if (error.error != QJsonParseError::NoError || !doc.isObject())
    qWarning("not a JSON object: %s", payload.constData());
  return doc.object();
}

const MqttStation At{QStringLiteral("wx/"), QStringLiteral("iw2xyz-13")};

DiscoveryOptions Discovery(int silentAfterMin) {
  return {At, QStringLiteral("homeassistant"), silentAfterMin, QStringLiteral("5.01")};
}

}  // namespace

class TestMqttMessages : public QObject {
  Q_OBJECT
 private slots:
  // The state holds what the report holds, under the history's names, numbers as numbers.
  void stateHoldsTheReadingsOfTheReport_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<QByteArray>("expected");
    // The numbers the decoder's own tests show rounded: 25.0°C, Dp 13.9°C, 11.5 g/m³; in the
    // frost, wind chill -32.276°C, dew point -23.104°C, 0.8 g/m³.
    QTest::newRow("full report with rain, humidity and pressure")
        << "!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW"
        << QByteArray(R"({"time":"2026-12-09T10:00:00Z","temp_c":25,"humidity_pct":50,
            "pressure_mb":990,"wind_dir":220,"wind_kmh":6.437388,"gust_kmh":8.046735,
            "rain_1h_mm":0,"rain_24h_mm":0,"rain_today_mm":0,"dew_point_c":13.867617,
            "abs_humidity_gm3":11.509621})");
    QTest::newRow("no gust, no rain, no humidity")
        << "_090/010g...t050"
        << QByteArray(R"({"time":"2026-12-09T10:00:00Z","temp_c":10,"wind_dir":90,
            "wind_kmh":16.09347})");
    QTest::newRow("frost: wind chill, pressure change")
        << "_270/010g025t-05h80b10132v-3"
        << QByteArray(R"({"time":"2026-12-09T10:00:00Z","temp_c":-20.555555,"humidity_pct":80,
            "pressure_mb":1013.2,"wind_dir":270,"wind_kmh":16.09347,"gust_kmh":40.233673,
            "dew_point_c":-23.10385,"wind_chill_c":-32.2756,"abs_humidity_gm3":0.82247835,
            "pressure_change_4h_mb":-3})");
  }
  void stateHoldsTheReadingsOfTheReport() {
    QFETCH(QString, report);
    QFETCH(QByteArray, expected);
    const MqttMessage m = StateMessage(At, Decoded(report));
    QCOMPARE(m.topic, QStringLiteral("wx/IW2XYZ-13/state"));
    QVERIFY(m.retain);
    QCOMPARE(Json(m.payload), Json(expected));
    // Whole-number columns are written as integers, not as 220.0.
    QVERIFY2(!m.payload.contains(".0,") && !m.payload.contains(".0}"), m.payload.constData());
  }

  void topicsAndPayloads_data() {
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("topic");
    QTest::newRow("prefix with a trailing slash") << "wx/"
                                                  << "wx/IW2XYZ-13/availability";
    QTest::newRow("prefix without") << "ventora"
                                    << "ventora/IW2XYZ-13/availability";
    QTest::newRow("no prefix") << ""
                               << "IW2XYZ-13/availability";
  }
  void topicsAndPayloads() {
    QFETCH(QString, prefix);
    QFETCH(QString, topic);
    const MqttStation at{prefix, QStringLiteral("iw2xyz-13")};
    const MqttMessage online = AvailabilityMessage(at, true);
    QCOMPARE(online.topic, topic);
    QCOMPARE(online.payload, QByteArray("online"));
    QVERIFY(online.retain);
    QCOMPARE(AvailabilityMessage(at, false).payload, QByteArray("offline"));
  }

  void alarmsSilenceAndEvents() {
    const MqttMessage gust = AlarmMessage(At, AlarmQuantity::Gust, true);
    QCOMPARE(gust.topic, QStringLiteral("wx/IW2XYZ-13/alarm/gust"));
    QCOMPARE(gust.payload, QByteArray("ON"));
    QVERIFY(gust.retain);
    QCOMPARE(AlarmMessage(At, AlarmQuantity::TempHigh, false).topic,
             QStringLiteral("wx/IW2XYZ-13/alarm/temp-high"));
    QCOMPARE(AlarmMessage(At, AlarmQuantity::TempHigh, false).payload, QByteArray("OFF"));
    QCOMPARE(SilentMessage(At, true).topic, QStringLiteral("wx/IW2XYZ-13/silent"));
    QCOMPARE(SilentMessage(At, true).payload, QByteArray("ON"));

    Alert alert;
    alert.kind = AlertKind::Alarm;
    alert.alarm = AlarmTest{AlarmQuantity::Gust, 62, 60, true};
    const MqttMessage event = EventMessage(At, alert, QStringLiteral("raffica 62 km/h"));
    QCOMPARE(event.topic, QStringLiteral("wx/IW2XYZ-13/event"));
    QVERIFY(!event.retain);
    const QJsonObject o = Json(event.payload);
    QCOMPARE(o.value("event").toString(), QStringLiteral("alert"));
    QCOMPARE(o.value("kind").toString(), QStringLiteral("alarm"));
    QCOMPARE(o.value("quantity").toString(), QStringLiteral("gust"));
    QCOMPARE(o.value("value").toDouble(), 62.0);
    QCOMPARE(o.value("limit").toDouble(), 60.0);
    QCOMPARE(o.value("text").toString(), QStringLiteral("raffica 62 km/h"));
  }

  void clientId_data() {
    QTest::addColumn<QString>("station");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("id");
    QTest::newRow("plain") << "IW2XYZ-13"
                           << "Shack"
                           << "ventora-iw2xyz-13-shack";
    QTest::newRow("dots, spaces and accents") << "IW2XYZ"
                                              << "Büro PC.local"
                                              << "ventora-iw2xyz-b-ro-pc-local";
    QTest::newRow("underscores kept") << "IW2XYZ"
                                      << "my_pc"
                                      << "ventora-iw2xyz-my_pc";
  }
  void clientId() {
    QFETCH(QString, station);
    QFETCH(QString, host);
    QTEST(MqttClientId(station, host), "id");
  }

  // Each sensor as Home Assistant reads it: its class and unit, all of one device.
  void discoverySensors_data() {
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("deviceClass");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("stateClass");
    const char* table[][4] = {{"temp_c", "temperature", "°C", "measurement"},
                              {"dew_point_c", "temperature", "°C", "measurement"},
                              {"wind_chill_c", "temperature", "°C", "measurement"},
                              {"humidity_pct", "humidity", "%", "measurement"},
                              {"pressure_mb", "atmospheric_pressure", "hPa", "measurement"},
                              {"wind_kmh", "wind_speed", "km/h", "measurement"},
                              {"gust_kmh", "wind_speed", "km/h", "measurement"},
                              {"rain_1h_mm", "precipitation_intensity", "mm/h", "measurement"},
                              {"rain_24h_mm", "precipitation", "mm", "measurement"},
                              {"rain_today_mm", "precipitation", "mm", "total_increasing"},
                              {"wind_dir", "", "°", "measurement"},
                              {"abs_humidity_gm3", "", "g/m³", "measurement"},
                              {"pressure_change_4h_mb", "", "hPa", "measurement"}};
    for (const auto& row : table)
      QTest::newRow(row[0]) << row[0] << QString::fromUtf8(row[1]) << QString::fromUtf8(row[2])
                            << row[3];
  }
  void discoverySensors() {
    QFETCH(QString, column);
    const QString topic =
        QStringLiteral("homeassistant/sensor/ventora_iw2xyz_13/%1/config").arg(column);
    const std::vector<MqttMessage> all = DiscoveryMessages(Discovery(30));
    const auto m = std::find_if(all.begin(), all.end(),
                                [&](const MqttMessage& x) { return x.topic == topic; });
    QVERIFY(m != all.end());
    QVERIFY(m->retain);
    const QJsonObject o = Json(m->payload);
    QCOMPARE(o.value("unique_id").toString(), QStringLiteral("ventora_iw2xyz_13_") + column);
    QCOMPARE(o.value("state_topic").toString(), QStringLiteral("wx/IW2XYZ-13/state"));
    QCOMPARE(o.value("value_template").toString(),
             QStringLiteral("{{ value_json.%1 }}").arg(column));
    QFETCH(QString, deviceClass);
    QCOMPARE(o.value("device_class").toString(), deviceClass);
    QCOMPARE(o.contains("device_class"), !deviceClass.isEmpty());
    QTEST(o.value("unit_of_measurement").toString(), "unit");
    QTEST(o.value("state_class").toString(), "stateClass");
    QCOMPARE(o.value("expire_after").toInt(), 1800);
  }

  // What every configuration needs, the binary sensors' own fields, and ids never shared.
  void discoveryConfigurations() {
    const std::vector<MqttMessage> all = DiscoveryMessages(Discovery(30));
    QCOMPARE(int(all.size()), HistoryColumnCount + AlarmQuantityCount + 1);
    std::set<QString> ids, topics;
    for (const MqttMessage& m : all) {
      const QJsonObject o = Json(m.payload);
      QVERIFY2(!o.isEmpty(), m.payload.constData());
      QVERIFY(m.retain);
      for (const char* key : {"name", "unique_id", "state_topic", "availability_topic"})
        QVERIFY2(!o.value(key).toString().isEmpty(), key);
      QCOMPARE(o.value("availability_topic").toString(),
               QStringLiteral("wx/IW2XYZ-13/availability"));
      const QJsonObject device = o.value("device").toObject();
      QCOMPARE(device.value("identifiers").toArray(), QJsonArray{"ventora_iw2xyz_13"});
      QCOMPARE(device.value("name").toString(), QStringLiteral("IW2XYZ-13 Wx"));
      QCOMPARE(device.value("manufacturer").toString(), QStringLiteral("Ventora"));
      QCOMPARE(device.value("model").toString(), QStringLiteral("APRS weather station"));
      QCOMPARE(device.value("sw_version").toString(), QStringLiteral("5.01"));
      ids.insert(o.value("unique_id").toString());
      topics.insert(m.topic);
      if (!m.topic.startsWith(QStringLiteral("homeassistant/binary_sensor/ventora_iw2xyz_13/")))
        continue;
      QVERIFY(m.topic.endsWith(QStringLiteral("/config")));
      QCOMPARE(o.value("device_class").toString(), QStringLiteral("problem"));
      QCOMPARE(o.value("payload_on").toString(), QStringLiteral("ON"));
      QCOMPARE(o.value("payload_off").toString(), QStringLiteral("OFF"));
      QVERIFY(o.value("state_topic")
                  .toString()
                  .contains(QRegularExpression(
                      QStringLiteral("^wx/IW2XYZ-13/(alarm/[a-z0-9-]+|silent)$"))));
    }
    QCOMPARE(ids.size(), all.size());
    QCOMPARE(topics.size(), all.size());
    QVERIFY(topics.count(
        QStringLiteral("homeassistant/binary_sensor/ventora_iw2xyz_13/alarm_temp_high/config")));
    QVERIFY(topics.count(
        QStringLiteral("homeassistant/binary_sensor/ventora_iw2xyz_13/silent/config")));
  }

  void discoveryNeverExpiresWithoutASilenceTime() {
    for (const MqttMessage& m : DiscoveryMessages(Discovery(0)))
      QVERIFY2(!Json(m.payload).contains("expire_after"), qPrintable(m.topic));
  }
};

QTEST_GUILESS_MAIN(TestMqttMessages)
#include "test_mqtt_messages.moc"
