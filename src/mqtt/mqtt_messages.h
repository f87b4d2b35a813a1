// What Ventora publishes over MQTT, made from what happened: topics, the state of a report, the
// alerts, and Home Assistant's discovery configurations. Text in, messages out; no broker.
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "alarms.h"
#include "alert_rule.h"
#include "history_row.h"

struct MqttMessage {
  QString topic;
  QByteArray payload;
  bool retain = true;
};

// Where one station's messages go: `<prefix>/<STATION>/…`, the call in upper case.
struct MqttStation {
  QString prefix;   // "ventora"; a trailing "/" is not doubled
  QString station;  // the watched call
};

QString StationTopic(const MqttStation& at, const QString& leaf);
// ventora-<station>-<host name>, lower case, each character but a letter, a digit, "-" and "_"
// made "-". Not cut to MQTT 3.1.1's 23 characters: Mosquitto and the usual brokers take more, and
// a cut id could be another computer's.
QString MqttClientId(const QString& station, const QString& hostName);

// `state`, retained: {"time":"2026-12-09T10:00:00Z","temp_c":…} with the readings the row holds,
// metric, under the history's column names; a reading the report lacks is left out.
MqttMessage StateMessage(const MqttStation& at, const HistoryRow& row);
// `availability`, retained: "online" or "offline" (also the will).
MqttMessage AvailabilityMessage(const MqttStation& at, bool online);
// `event`, not retained: the alert as `ventora-cli monitor` prints it.
MqttMessage EventMessage(const MqttStation& at, const Alert& alert, const QString& text);
// `alarm/<quantity>` and `silent`, retained: "ON" or "OFF".
MqttMessage AlarmMessage(const MqttStation& at, AlarmQuantity quantity, bool beyond);
MqttMessage SilentMessage(const MqttStation& at, bool silent);

struct DiscoveryOptions {
  MqttStation at;
  QString discoveryPrefix;  // "homeassistant"
  int silentAfterMin = 0;   // a sensor expires after it; 0: never
  QString version;          // the device's sw_version
};

// Home Assistant's discovery configurations, retained: one sensor per history column, one
// binary sensor per alarm quantity and one for `silent`, all of one device per station.
std::vector<MqttMessage> DiscoveryMessages(const DiscoveryOptions& options);
