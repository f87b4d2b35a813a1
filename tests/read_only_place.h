// Tries a save where an ordinary user cannot write, on Linux (a read-only folder, root dropping
// its rights for the save) and on Windows (a read-only file, which cannot be replaced).
#pragma once

#include <QFile>
#include <QString>

#include "alarm_settings_file.h"
#include "settings.h"

#ifdef Q_OS_WIN
inline bool SaveAsOrdinaryUserInto(const QString&, const QString& path) {
  Settings defaults;
  ApplyDefaultAlarms(defaults);
  QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser);
  const bool saved = WriteAlarmSettingsFile(path, defaults);
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  return saved;
}
#else
#include <unistd.h>

inline bool SaveAsOrdinaryUserInto(const QString& folder, const QString& path) {
  Settings defaults;
  ApplyDefaultAlarms(defaults);
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther |
                                    QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
  // Root ignores folder permissions: write as an ordinary user for the length of the save.
  const bool root = geteuid() == 0;
  if (root && seteuid(65534) != 0) return true;  // cannot drop rights: report a (wrong) success
  const bool saved = WriteAlarmSettingsFile(path, defaults);
  if (root && seteuid(0) != 0) return true;
  QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  return saved;
}

// For its lifetime the test runs as an ordinary user (nobody) when it was started as root,
// whose rights would hide every read-only folder.
class OrdinaryUser {
 public:
  OrdinaryUser() : root_(geteuid() == 0), ok_(!root_ || seteuid(65534) == 0) {}
  ~OrdinaryUser() {
    if (root_ && ok_) [[maybe_unused]]
      const int back = seteuid(0);
  }
  bool Ok() const { return ok_; }

 private:
  bool root_, ok_;
};
#endif
