// Shared helpers of the test programs: settings with the default alarms, test data paths.
#pragma once

#include <QString>

#include "settings.h"

inline Settings DefaultAlarmSettings(const QString& call = QStringLiteral("IW2XYZ")) {
  Settings s;
  ApplyDefaultAlarms(s);
  s.StationCall = call;
  return s;
}

inline QString TestDataPath(const char* name) {
  return QStringLiteral(VENTORA_TEST_DATA "/") + QLatin1String(name);
}
