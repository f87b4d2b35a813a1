// Ventora.ini: the user's preferences beyond the setup dialog, in Qt's INI format, beside
// WxAlarms.ini.
#pragma once

#include <QString>

#include "unit_system.h"

inline constexpr char PreferencesFileName[] = "Ventora.ini";

// Ventora.ini sits in the folder of WxAlarms.ini, whichever folder start-up chose for that.
QString PreferencesFileBeside(const QString& alarmsFile);

// "Automatico" follows the desktop's language; the other two force one.
enum class LanguageChoice { Automatic, Italian, English };

struct DisplayPreferences {
  LanguageChoice language = LanguageChoice::Automatic;
  UnitSystem units = UnitSystem::Metric;
};

struct PreferencesRead {
  DisplayPreferences preferences;  // the defaults for anything missing, unknown or unreadable
  QString problem;                 // empty when the file was read or is simply not there yet
};

// Section [display], keys language (auto, it, en) and units (metric, imperial).
PreferencesRead ReadPreferencesFile(const QString& path);

// Writes the display keys, keeping every other key of the file; the file is replaced atomically.
// Returns the problem, empty when written.
QString WritePreferencesFile(const QString& path, const DisplayPreferences& preferences);
