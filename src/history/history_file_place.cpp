#include "history_file_place.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "alarms_file_place.h"

namespace {

const QString OwnFolderName = QStringLiteral("Ventora");

}  // namespace

QString HistoryUserFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
      .filePath(OwnFolderName);
}

QString ChooseHistoryFile(const QString& programFolder, const QString& userFolder) {
  const QString name = QLatin1String(HistoryFileName);
  const QString path = ChooseOwnFile(name, programFolder, userFolder, CanWriteIn);
  if (path != QDir(programFolder).filePath(name)) QDir().mkpath(userFolder);
  return path;
}

QString DefaultHistoryFile() {
  return ChooseHistoryFile(QCoreApplication::applicationDirPath(), HistoryUserFolder());
}
