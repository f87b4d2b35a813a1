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
const QString MqttEnabledKey = QStringLiteral("mqtt/enabled");
const QString MqttHostKey = QStringLiteral("mqtt/host");
const QString MqttPortKey = QStringLiteral("mqtt/port");
const QString MqttUserKey = QStringLiteral("mqtt/user");
const QString MqttPasswordKey = QStringLiteral("mqtt/password");
const QString MqttTlsKey = QStringLiteral("mqtt/tls");
const QString MqttCaFileKey = QStringLiteral("mqtt/ca_file");
const QString MqttPrefixKey = QStringLiteral("mqtt/prefix");
const QString MqttDiscoveryKey = QStringLiteral("mqtt/discovery");
const QString MqttDiscoveryPrefixKey = QStringLiteral("mqtt/discovery_prefix");

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

int PortFrom(const QVariant& value, int fallback) {
  bool number = false;
  const int port = value.toString().trimmed().toInt(&number);
  return number && port >= 1 && port <= 65535 ? port : fallback;
}

QString PrefixFrom(const QVariant& value, const QString& fallback) {
  return TopicPrefixOr(TextFrom(value), fallback);
}

MqttSettings MqttFrom(const QSettings& file) {
  const MqttSettings defaults;
  MqttSettings m;
  m.enabled = SwitchFrom(file.value(MqttEnabledKey), defaults.enabled);
  m.host = TextFrom(file.value(MqttHostKey)).trimmed();
  m.port = PortFrom(file.value(MqttPortKey), defaults.port);
  m.user = TextFrom(file.value(MqttUserKey));
  m.password = TextFrom(file.value(MqttPasswordKey));
  m.tls = SwitchFrom(file.value(MqttTlsKey), defaults.tls);
  m.caFile = TextFrom(file.value(MqttCaFileKey)).trimmed();
  m.prefix = PrefixFrom(file.value(MqttPrefixKey), defaults.prefix);
  m.discovery = SwitchFrom(file.value(MqttDiscoveryKey), defaults.discovery);
  m.discoveryPrefix = PrefixFrom(file.value(MqttDiscoveryPrefixKey), defaults.discoveryPrefix);
  return m;
}

void WriteMqtt(QSettings& file, const MqttSettings& m) {
  file.setValue(MqttEnabledKey, m.enabled);
  file.setValue(MqttHostKey, m.host);
  file.setValue(MqttPortKey, m.port);
  file.setValue(MqttUserKey, m.user);
  file.setValue(MqttPasswordKey, m.password);
  file.setValue(MqttTlsKey, m.tls);
  file.setValue(MqttCaFileKey, m.caFile);
  file.setValue(MqttPrefixKey, m.prefix);
  file.setValue(MqttDiscoveryKey, m.discovery);
  file.setValue(MqttDiscoveryPrefixKey, m.discoveryPrefix);
}

// The file holds the broker's password: its owner alone reads it. A new file is made so before
// anything is in it, and the file written is made so again. Windows keeps the folder's ACL.
constexpr QFile::Permissions OwnerOnly = QFile::ReadOwner | QFile::WriteOwner;

void CreateOwnerOnly(const QString& path) {
#ifndef Q_OS_WIN
  QFile file(path);
  if (!file.exists()) file.open(QIODevice::WriteOnly, OwnerOnly);
#else
  Q_UNUSED(path);
#endif
}

void KeepOwnerOnly(const QString& path) {
#ifndef Q_OS_WIN
  QFile::setPermissions(path, OwnerOnly);
#else
  Q_UNUSED(path);
#endif
}

QString StatusText(QSettings::Status status) {
  return status == QSettings::FormatError ? QStringLiteral("not in INI format")
                                          : QStringLiteral("cannot be read");
}

}  // namespace

QString TopicPrefixOr(const QString& typed, const QString& fallback) {
  const QString prefix = typed.trimmed();
  return prefix.isEmpty() || prefix.contains(QLatin1Char('+')) || prefix.contains(QLatin1Char('#'))
             ? fallback
             : prefix;
}

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
  p.mqtt = MqttFrom(file);
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
  WriteMqtt(file, preferences.mqtt);
  CreateOwnerOnly(path);
  file.sync();
  if (file.status() != QSettings::NoError) return path + QStringLiteral(": cannot be written");
  KeepOwnerOnly(path);
  return QString();
}
