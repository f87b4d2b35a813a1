#include "alarms_file_place.h"

#include <QDir>
#include <QTemporaryFile>

#include "alarm_settings_file.h"

AlarmsFilePlace ChooseAlarmsFile(const QString& programFolder, const QString& userFolder,
                                 const std::function<bool(const QString& folder)>& canWriteIn,
                                 const std::function<bool(const QString& file)>& exists) {
  const QString beside = QDir(programFolder).filePath(QLatin1String(AlarmsFileName));
  if (canWriteIn(programFolder)) return {beside, QString()};
  const QString own = QDir(userFolder).filePath(QLatin1String(AlarmsFileName));
  if (exists(own) || !exists(beside)) return {own, QString()};
  return {own, beside};
}

bool CanWriteIn(const QString& folder) {
  if (folder.isEmpty() || !QDir().mkpath(folder)) return false;
  QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".ventora-probe-XXXXXX")));
  return probe.open();
}
