#include "history_file_place.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "alarms_file_place.h"

namespace {

const QString OwnFolderName = QStringLiteral("Ventora");
// In a build tree the tools are built one folder below the window.
const QString ToolsFolderName = QStringLiteral("tools");
const QString BuildTreeMark = QStringLiteral("CMakeCache.txt");

// The folder whose history a program in `programFolder` keeps: its own, or for a tool in a build
// tree's tools/ folder the window's, so that both open the same file.
QString WindowFolder(const QString& programFolder) {
  const QDir folder(programFolder);
  QDir parent(programFolder);
  if (folder.dirName() != ToolsFolderName || !parent.cdUp() || !parent.exists(BuildTreeMark))
    return programFolder;
  return parent.path();
}

}  // namespace

QString HistoryUserFolder() {
  return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
      .filePath(OwnFolderName);
}

QString ChooseHistoryFile(const QString& programFolder, const QString& userFolder) {
  const QString name = QLatin1String(HistoryFileName);
  const QString folder = WindowFolder(programFolder);
  const QString path = ChooseOwnFile(name, folder, userFolder, CanWriteIn);
  if (path != QDir(folder).filePath(name)) QDir().mkpath(userFolder);
  return path;
}

QString DefaultHistoryFile() {
  return ChooseHistoryFile(QCoreApplication::applicationDirPath(), HistoryUserFolder());
}
