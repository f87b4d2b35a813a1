#include "mqtt_state_text.h"

namespace {

QString StatusText(const MqttState& s) {
  const QString port = QString::number(s.port);
  switch (s.status) {
    case MqttStatus::Off:
      return MqttWords::tr("MQTT: spento");
    case MqttStatus::Connecting:
      return MqttWords::tr("MQTT: connessione a %1:%2…").arg(s.host, port);
    case MqttStatus::Connected:
      return MqttWords::tr("MQTT: connesso a %1:%2").arg(s.host, port);
    case MqttStatus::Refused:
      return MqttWords::tr("MQTT: utente o password rifiutati da %1:%2").arg(s.host, port);
    case MqttStatus::UnknownHost:
      return MqttWords::tr("MQTT: server %1 sconosciuto").arg(s.host);
    case MqttStatus::Unreachable:
      return MqttWords::tr("MQTT: %1:%2 non raggiungibile").arg(s.host, port);
    case MqttStatus::TlsFailed:
      break;
  }
  return MqttWords::tr("MQTT: certificato TLS di %1 non verificato").arg(s.host);
}

}  // namespace

QString MqttStateText(const MqttState& state) {
  const QString text = StatusText(state);
  return state.detail.isEmpty() ? text : text + QStringLiteral(" (") + state.detail + ')';
}
