// The watched station on MQTT: every report's state, the alerts, the alarms and the silence,
// and Home Assistant's discovery, published again whenever the broker comes back. The window
// and `ventora-cli monitor` each feed one; a broker down costs them nothing.
#pragma once

#include <QObject>
#include <array>
#include <optional>
#include <vector>

#include "mqtt_connection.h"

struct PublisherOptions {
  MqttSettings settings;  // not enabled, or no host: nothing is published
  QString station;
  QString hostName;        // this computer's, for the client id
  int silentAfterMin = 0;  // the discovery's expire_after; 0: never
  QString version;         // the program's, for the discovery's device
};

class MqttPublisher : public QObject {
  Q_OBJECT
 public:
  explicit MqttPublisher(QObject* parent = nullptr);
  ~MqttPublisher() override;  // as Close()

  // (Re)connects when the settings or the station changed; turned off: closes.
  void Configure(const PublisherOptions& options);
  // A decoded report of the station: its state, and each tested alarm that changed ON or OFF.
  void Report(const HistoryRow& row, const std::vector<AlarmTest>& tests);
  // An alert as it is raised: the event, and `silent` ON (silent) or OFF (heard).
  void Raised(const Alert& alert, const QString& text);
  // "offline", then a clean disconnect: on quitting.
  void Close();

  const MqttState& State() const;

 signals:
  void stateChanged(const MqttState& state);

 private:
  void OnConnected();
  void Send(const MqttMessage& message);

  PublisherOptions options_;
  MqttConnection connection_;
  std::optional<MqttMessage> lastState_;
  std::array<std::optional<bool>, AlarmQuantityCount> beyond_{};
  std::optional<bool> silent_;
};
