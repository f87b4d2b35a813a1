#include "alarms_file_place.h"

#include <QDir>
#include <QTemporaryFile>

#include "alarm_settings_file.h"

QString ChooseOwnFile(const QString& fileName, const QString& programFolder,
                      const QString& userFolder,
                      const std::function<bool(const QString& folder)>& canWriteIn) {
  return QDir(canWriteIn(programFolder) ? programFolder : userFolder).filePath(fileName);
}

AlarmsFilePlace ChooseAlarmsFile(const QString& programFolder, const QString& userFolder,
                                 const std::function<bool(const QString& folder)>& canWriteIn,
                                 const std::function<bool(const QString& file)>& exists) {
  const QString name = QLatin1String(AlarmsFileName);
  const QString chosen = ChooseOwnFile(name, programFolder, userFolder, canWriteIn);
  const QString beside = QDir(programFolder).filePath(name);
  if (chosen == beside) return {beside, QString()};
  const QString own = QDir(userFolder).filePath(name);
  if (exists(own) || !exists(beside)) return {own, QString()};
  return {own, beside};
}

bool CanWriteIn(const QString& folder) {
  if (folder.isEmpty() || !QDir().mkpath(folder)) return false;
  QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".ventora-probe-XXXXXX")));
  return probe.open();
}
