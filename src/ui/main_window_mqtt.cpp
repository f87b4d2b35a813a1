// The main window's side of MQTT: the publisher fed with every report and alert, its state on the
// tray tooltip and in the preferences.
#include <QSysInfo>

#include "main_window.h"

void frmWx::SetUpMqtt() {
  mqtt_ = new MqttPublisher(this);
  connect(alerts_, &AlertWatch::raised, mqtt_, &MqttPublisher::Raised);
  connect(mqtt_, &MqttPublisher::stateChanged, this, &frmWx::ShowMqttState);
}

PublisherOptions frmWx::PublisherOptionsNow() const {
  return {preferences_.mqtt, settings_.StationCall, QSysInfo::machineHostName(),
          preferences_.alerts.silentAfterMin, QStringLiteral(VENTORA_VERSION)};
}

void frmWx::ShowMqttState(const MqttState& state) {
  tray_->setToolTip(TrayTooltipText());
  if (preferencesDialog_) preferencesDialog_->ShowMqttState(state);
}
