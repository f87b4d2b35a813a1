// The connection's state as the user reads it: "MQTT: connesso a broker:1883", or why not.
#pragma once

#include <QCoreApplication>
#include <QString>

#include "mqtt_connection.h"

class MqttWords {
  Q_DECLARE_TR_FUNCTIONS(MqttWords)
};

QString MqttStateText(const MqttState& state);
