#include "mqtt_publisher.h"

namespace {

MqttStation StationOf(const PublisherOptions& o) {
  return MqttStation{o.settings.prefix, o.station};
}

bool SameOptions(const PublisherOptions& a, const PublisherOptions& b) {
  return a.settings == b.settings && a.station == b.station && a.hostName == b.hostName &&
         a.silentAfterMin == b.silentAfterMin && a.version == b.version;
}

bool Publishes(const PublisherOptions& o) {
  return o.settings.enabled && !o.settings.host.isEmpty() && !o.station.isEmpty();
}

}  // namespace

MqttPublisher::MqttPublisher(QObject* parent) : QObject(parent) {
  connect(&connection_, &MqttConnection::connected, this, &MqttPublisher::OnConnected);
  connect(&connection_, &MqttConnection::stateChanged, this, &MqttPublisher::stateChanged);
}

MqttPublisher::~MqttPublisher() {
  if (connection_.State().status != MqttStatus::Off)
    connection_.Close(AvailabilityMessage(StationOf(options_), false));
}

void MqttPublisher::Configure(const PublisherOptions& options) {
  const bool wasOn = Publishes(options_);
  if (wasOn && SameOptions(options, options_) && State().status != MqttStatus::Off) return;
  const bool sameStation = options.station == options_.station;
  if (wasOn) Close();
  options_ = options;
  if (!sameStation) {
    // What was known of another station is not this one's.
    lastState_.reset();
    beyond_ = {};
    silent_.reset();
  }
  if (!Publishes(options_)) return;
  const MqttStation at = StationOf(options_);
  connection_.Open(options_.settings, MqttClientId(options_.station, options_.hostName),
                   AvailabilityMessage(at, false));
}

void MqttPublisher::Report(const HistoryRow& row, const std::vector<AlarmTest>& tests) {
  const MqttStation at = StationOf(options_);
  lastState_ = StateMessage(at, row);
  Send(*lastState_);
  for (const AlarmTest& test : tests) {
    std::optional<bool>& known = beyond_[size_t(test.quantity)];
    if (known == test.beyond) continue;
    known = test.beyond;
    Send(AlarmMessage(at, test.quantity, test.beyond));
  }
  // A report when nothing was said, or after silence: the station is heard.
  if (silent_ != false) {
    silent_ = false;
    Send(SilentMessage(at, false));
  }
}

void MqttPublisher::Raised(const Alert& alert, const QString& text) {
  const MqttStation at = StationOf(options_);
  Send(EventMessage(at, alert, text));
  if (alert.kind != AlertKind::Silent && alert.kind != AlertKind::Heard) return;
  silent_ = alert.kind == AlertKind::Silent;
  Send(SilentMessage(at, *silent_));
}

void MqttPublisher::Close() {
  if (connection_.State().status == MqttStatus::Off) return;
  connection_.Close(AvailabilityMessage(StationOf(options_), false));
}

const MqttState& MqttPublisher::State() const {
  return connection_.State();
}

void MqttPublisher::OnConnected() {
  const MqttStation at = StationOf(options_);
  Send(AvailabilityMessage(at, true));
  if (options_.settings.discovery)
    for (const MqttMessage& config : DiscoveryMessages(
             {at, options_.settings.discoveryPrefix, options_.silentAfterMin, options_.version}))
      Send(config);
  if (lastState_) Send(*lastState_);
  for (int q = 0; q < AlarmQuantityCount; ++q)
    if (beyond_[size_t(q)]) Send(AlarmMessage(at, AlarmQuantity(q), *beyond_[size_t(q)]));
  if (silent_) Send(SilentMessage(at, *silent_));
}

void MqttPublisher::Send(const MqttMessage& message) {
  connection_.Publish(message);
}
