#include "preferences_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <iterator>

namespace {

const QString LanguageKey = QStringLiteral("display/language");
const QString UnitsKey = QStringLiteral("display/units");
const QString SilentKey = QStringLiteral("alerts/silent_after_min");
const QString EngineKey = QStringLiteral("alerts/engine_after_min");
const QString NotifyKey = QStringLiteral("alerts/notify");
const QString CommandKey = QStringLiteral("alerts/command");

// The words stored for each choice, in the order of the enums.
const char* const LanguageWords[] = {"auto", "it", "en"};
const char* const UnitWords[] = {"metric", "imperial"};

template <typename Enum, size_t N>
Enum FromWord(const QString& word, const char* const (&words)[N], Enum fallback) {
  for (size_t i = 0; i < N; ++i)
    if (word == QLatin1String(words[i])) return static_cast<Enum>(i);
  return fallback;
}

int MinutesFrom(const QVariant& value, int fallback) {
  bool number = false;
  const int minutes = value.toString().trimmed().toInt(&number);
  return number && minutes >= 0 && minutes <= MostAlertMinutes ? minutes : fallback;
}

bool SwitchFrom(const QVariant& value, bool fallback) {
  const QString word = value.toString().trimmed().toLower();
  if (word == QLatin1String("true") || word == QLatin1String("1")) return true;
  if (word == QLatin1String("false") || word == QLatin1String("0")) return false;
  return fallback;
}

// A command written by hand with an unquoted comma reads as a list: it is put back together.
QString TextFrom(const QVariant& value) {
  return value.typeId() == QMetaType::QStringList ? value.toStringList().join(QStringLiteral(", "))
                                                  : value.toString();
}

AlertPreferences AlertsFrom(const QSettings& file) {
  const AlertPreferences defaults;
  AlertPreferences a;
  a.silentAfterMin = MinutesFrom(file.value(SilentKey), defaults.silentAfterMin);
  a.engineAfterMin = MinutesFrom(file.value(EngineKey), defaults.engineAfterMin);
  a.notify = SwitchFrom(file.value(NotifyKey), defaults.notify);
  a.command = TextFrom(file.value(CommandKey)).trimmed();
  return a;
}

QString StatusText(QSettings::Status status) {
  return status == QSettings::FormatError ? QStringLiteral("not in INI format")
                                          : QStringLiteral("cannot be read");
}

}  // namespace

QString PreferencesFileBeside(const QString& alarmsFile) {
  return QFileInfo(alarmsFile).dir().filePath(QLatin1String(PreferencesFileName));
}

PreferencesRead ReadPreferencesFile(const QString& path) {
  PreferencesRead read;
  if (!QFile::exists(path)) return read;
  QFile probe(path);
  if (!probe.open(QIODevice::ReadOnly)) return {{}, path + QStringLiteral(": cannot be read")};
  probe.close();
  QSettings file(path, QSettings::IniFormat);
  if (file.status() != QSettings::NoError)
    return {{}, path + QStringLiteral(": ") + StatusText(file.status())};
  Preferences& p = read.preferences;
  p.language = FromWord(file.value(LanguageKey).toString().trimmed().toLower(), LanguageWords,
                        LanguageChoice::Automatic);
  p.units =
      FromWord(file.value(UnitsKey).toString().trimmed().toLower(), UnitWords, UnitSystem::Metric);
  p.alerts = AlertsFrom(file);
  return read;
}

QString WritePreferencesFile(const QString& path, const Preferences& preferences) {
  QSettings file(path, QSettings::IniFormat);
  if (file.status() != QSettings::NoError)
    return path + QStringLiteral(": ") + StatusText(file.status()) +
           QStringLiteral(", left as it is");
  file.setValue(LanguageKey, QLatin1String(LanguageWords[int(preferences.language)]));
  file.setValue(UnitsKey, QLatin1String(UnitWords[int(preferences.units)]));
  const AlertPreferences& alerts = preferences.alerts;
  file.setValue(SilentKey, alerts.silentAfterMin);
  file.setValue(EngineKey, alerts.engineAfterMin);
  file.setValue(NotifyKey, alerts.notify);
  file.setValue(CommandKey, alerts.command);
  file.sync();
  if (file.status() != QSettings::NoError) return path + QStringLiteral(": cannot be written");
  return QString();
}
