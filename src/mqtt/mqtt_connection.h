// One connection to an MQTT broker through libmosquitto, its network loop off the caller's
// thread: it connects, reconnects by itself, publishes, and tells its state by signals.
#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "mqtt_messages.h"
#include "mqtt_settings.h"

enum class MqttStatus {
  Off,         // not asked to connect
  Connecting,  // the first attempt, or again after a loss
  Connected,
  Refused,  // wrong user or password, or not authorised: said once, retried quietly
  UnknownHost,
  Unreachable,  // refused, timed out, the network down
  TlsFailed,    // the certificate could not be verified, or the CA file could not be read
};

struct MqttState {
  MqttStatus status = MqttStatus::Off;
  QString host;
  int port = 0;
  QString detail;  // the library's own words where they add something; may be empty
};

inline constexpr int MqttKeepAliveS = 60;
inline constexpr int MqttFirstRetryS = 2;  // doubling up to MqttLastRetryS
inline constexpr int MqttLastRetryS = 120;

class MqttConnection : public QObject {
  Q_OBJECT
 public:
  explicit MqttConnection(QObject* parent = nullptr);
  ~MqttConnection() override;  // closes without a last message

  // Connects (and keeps reconnecting) with `will` left at the broker for an unclean end (none
  // when its topic is empty). Never blocks the caller: names are resolved and the network runs on
  // another thread. A second Open drops the first connection.
  void Open(const MqttSettings& settings, const QString& clientId, const MqttMessage& will);
  // Sends while connected, QoS 1; dropped otherwise (who owns the connection publishes again
  // what matters when `connected` comes).
  void Publish(const MqttMessage& message);
  // Publishes `last`, waits up to `waitMs` for it to leave, and disconnects cleanly.
  void Close(const MqttMessage& last, int waitMs = 2000);

  const MqttState& State() const { return state_; }

 signals:
  // The broker accepted the connection (first or again): time to publish what it must hold.
  void connected();
  // Any change of State(), a repeat of the same status with the same detail not told again.
  void stateChanged(const MqttState& state);

 private:
  struct Loop;
  void SetState(const MqttState& state);

  MqttState state_;
  std::unique_ptr<Loop> loop_;
};

// Whether libmosquitto was built with TLS here (not on Windows).
bool MqttHasTls();
