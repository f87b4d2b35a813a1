// Where the station's readings and alerts are published over MQTT: the broker, the account,
// the topics' prefixes. Section [mqtt] of Ventora.ini; `ventora-cli monitor` takes the same.
#pragma once

#include <QString>

inline constexpr int MqttPlainPort = 1883;
inline constexpr int MqttTlsPort = 8883;

struct MqttSettings {
  bool enabled = false;
  QString host;
  int port = MqttPlainPort;  // MqttTlsPort is the usual one with TLS
  QString user;              // empty: no account
  QString password;          // never printed nor logged
  bool tls = false;
  QString caFile;  // empty: the system's certificate authorities
  QString prefix = QStringLiteral("ventora");
  bool discovery = true;  // Home Assistant's discovery configurations
  QString discoveryPrefix = QStringLiteral("homeassistant");
};

bool operator==(const MqttSettings& a, const MqttSettings& b);
inline bool operator!=(const MqttSettings& a, const MqttSettings& b) {
  return !(a == b);
}
