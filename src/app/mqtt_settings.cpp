#include "mqtt_settings.h"

bool operator==(const MqttSettings& a, const MqttSettings& b) {
  return a.enabled == b.enabled && a.host == b.host && a.port == b.port && a.user == b.user &&
         a.password == b.password && a.tls == b.tls && a.caFile == b.caFile &&
         a.prefix == b.prefix && a.discovery == b.discovery &&
         a.discoveryPrefix == b.discoveryPrefix;
}
