// The monitor's MQTT options, laid over what a Ventora.ini's [mqtt] section says.
#pragma once

#include <QString>
#include <optional>

#include "mqtt_settings.h"

// What the command line said; anything left out keeps the file's value (or the default).
struct MqttOverrides {
  std::optional<QString> host;
  std::optional<int> port;  // given with --mqtt HOST:PORT
  std::optional<QString> user;
  std::optional<QString> passwordFile;
  std::optional<QString> prefix;
  bool tls = false;          // --mqtt-tls
  bool noDiscovery = false;  // --no-discovery
  std::optional<QString> caFile;
};

// --mqtt-tls and --no-discovery, which take no value: whether `arg` was one of them.
bool ParseMqttSwitch(const QString& arg, MqttOverrides& overrides);
// The MQTT options with a value: nothing when `arg` is none of them, else what is wrong with
// `value` (empty: nothing).
std::optional<QString> ParseMqttOption(const QString& arg, const QString& value,
                                       MqttOverrides& overrides);
// Lays the command line over `settings`; --mqtt turns publishing on, and without a port it is
// 1883, or 8883 with TLS. The password is the first line of the password file. Returns what went
// wrong (empty: nothing); the password never appears in it.
QString ApplyMqttOverrides(const MqttOverrides& overrides, MqttSettings& settings);
