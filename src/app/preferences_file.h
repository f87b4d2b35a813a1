// Ventora.ini: the user's preferences beyond the setup dialog, in Qt's INI format, beside
// WxAlarms.ini.
#pragma once

#include <QString>

#include "mqtt_settings.h"
#include "unit_system.h"

inline constexpr char PreferencesFileName[] = "Ventora.ini";

// Ventora.ini sits in the folder of WxAlarms.ini, whichever folder start-up chose for that.
QString PreferencesFileBeside(const QString& alarmsFile);

// "Automatico" follows the desktop's language; the other two force one.
enum class LanguageChoice { Automatic, Italian, English };

// The longest wait the alert settings take, in minutes (a day); longer values read as the default.
inline constexpr int MostAlertMinutes = 1440;

// Section [alerts]: who is told when the station falls silent, the engine goes or an alarm rises.
struct AlertPreferences {
  int silentAfterMin = 30;  // 0: off
  int engineAfterMin = 5;   // 0: off
  bool notify = true;       // desktop notifications
  QString command;          // the user's own command; empty: none
};

struct Preferences {
  LanguageChoice language = LanguageChoice::Automatic;
  UnitSystem units = UnitSystem::Metric;
  AlertPreferences alerts;
  MqttSettings mqtt;
};

// A topic's prefix as typed, trimmed, or `fallback` when it is empty or holds a wildcard ('+' '#').
QString TopicPrefixOr(const QString& typed, const QString& fallback);

struct PreferencesRead {
  Preferences preferences;  // the defaults for anything missing, unknown or unreadable
  QString problem;          // empty when the file was read or is simply not there yet
};

// Section [display], keys language (auto, it, en) and units (metric, imperial); section
// [alerts], keys silent_after_min and engine_after_min (0 to MostAlertMinutes), notify (true,
// false) and command; section [mqtt], keys enabled, host, port (1 to 65535), user, password, tls,
// ca_file, prefix (not empty, no '+' nor '#'), discovery and discovery_prefix (as prefix). A value
// out of range or not understood reads as the default.
PreferencesRead ReadPreferencesFile(const QString& path);

// Writes the keys above, keeping every other key of the file; the file is replaced atomically and
// only its owner may read it (but on Windows, where it keeps the folder's permissions).
// Returns the problem, empty when written.
QString WritePreferencesFile(const QString& path, const Preferences& preferences);
