// Shared helpers of the test programs: settings with the default alarms, test data paths, whole
// files.
#pragma once

#include <QFile>
#include <QString>
#include <QtTest>

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

inline QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteAll(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}
