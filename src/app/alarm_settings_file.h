// WxAlarms.ini: the fourteen alarm settings as four comma-separated CR LF lines, "." decimals.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "settings.h"

// The file's name in the program's folder.
inline constexpr char AlarmsFileName[] = "WxAlarms.ini";

// The fourteen items read into a copy of `base`, or nothing when the text is faulty (fewer than
// fourteen items, a humidity outside the 16-bit range, a threshold beyond single precision).
// Items are separated by commas or line ends; anything after the fourteenth is ignored.
std::optional<Settings> ParseAlarmSettings(const QByteArray& content, const Settings& base);

// The four lines of the file, each ended by CR LF.
QByteArray FormatAlarmSettings(const Settings& settings);

// Reads the file into the alarm part of `settings`. On any failure the alarm part is set to the
// defaults and false is returned: the caller then writes a new file.
bool ReadAlarmSettingsFile(const QString& path, Settings& settings);

// Keeps a faulty file beside itself as "<path>.bak" before it is replaced. A missing file needs no
// copy. Returns false only when a file existed and could not be copied.
bool KeepFaultyAlarmsFile(const QString& path);

// Replaces the file atomically: an interrupted or failed write leaves the previous file whole.
// Returns false when the file could not be written.
bool WriteAlarmSettingsFile(const QString& path, const Settings& settings);
