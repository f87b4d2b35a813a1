// Where WxAlarms.ini lives: beside the program when that folder can be written and is no system
// folder (a portable or home install), otherwise in the user's configuration folder.
#pragma once

#include <QString>
#include <functional>

struct AlarmsFilePlace {
  QString path;  // read at start-up, written there and at close
  // A file beside the program, which the user cannot write, that gives the starting values the
  // first time `path` is used; empty when there is none or `path` already exists.
  QString seedPath;
};

// Whether a program in this folder was installed for every user (under /usr or /opt, in
// Program Files): such a folder is never written, even by an administrator who could.
bool IsSystemFolder(const QString& folder);

// The rule for every file Ventora writes for itself: `fileName` beside the program when that
// folder is no system folder and can be written, else in `userFolder`.
QString ChooseOwnFile(const QString& fileName, const QString& programFolder,
                      const QString& userFolder,
                      const std::function<bool(const QString& folder)>& canWriteIn);

// The decision alone: `canWriteIn` tells whether a file can be created in a folder, `exists`
// whether a file is there. When neither folder can be written, the user's file is the one tried.
AlarmsFilePlace ChooseAlarmsFile(const QString& programFolder, const QString& userFolder,
                                 const std::function<bool(const QString& folder)>& canWriteIn,
                                 const std::function<bool(const QString& file)>& exists);

// Whether this user can create a file in the folder, creating the folder first if it is missing:
// the only reliable answer on every system is to try.
bool CanWriteIn(const QString& folder);
