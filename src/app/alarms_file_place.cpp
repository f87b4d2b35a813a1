#include "alarms_file_place.h"

#include <QDir>
#include <QTemporaryFile>

#include "alarm_settings_file.h"

namespace {

// Where an administrator installs programs for every user: these folders and all below them.
const QString UnixSystemFolders[] = {QStringLiteral("/usr"), QStringLiteral("/opt")};
// Below any drive's root, in any letter case.
const QString WindowsSystemFolders[] = {QStringLiteral("Program Files"),
                                        QStringLiteral("Program Files (x86)")};

bool IsOrIsBelow(const QString& folder, const QString& top, Qt::CaseSensitivity cs) {
  return folder.compare(top, cs) == 0 ||
         (folder.startsWith(top, cs) && folder.at(top.size()) == u'/');
}

}  // namespace

bool IsSystemFolder(const QString& folder) {
  QString path = folder;
  path.replace(u'\\', u'/');
  for (const QString& top : UnixSystemFolders)
    if (IsOrIsBelow(path, top, Qt::CaseSensitive)) return true;
  const bool drive = path.size() >= 3 && path.at(0).isLetter() && path.mid(1, 2) == u":/";
  if (!drive) return false;
  for (const QString& top : WindowsSystemFolders)
    if (IsOrIsBelow(path.mid(3), top, Qt::CaseInsensitive)) return true;
  return false;
}

QString ChooseOwnFile(const QString& fileName, const QString& programFolder,
                      const QString& userFolder,
                      const std::function<bool(const QString& folder)>& canWriteIn) {
  const bool beside = !IsSystemFolder(programFolder) && canWriteIn(programFolder);
  return QDir(beside ? programFolder : userFolder).filePath(fileName);
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
