#include "preferences_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <iterator>

namespace {

const QString LanguageKey = QStringLiteral("display/language");
const QString UnitsKey = QStringLiteral("display/units");

// The words stored for each choice, in the order of the enums.
const char* const LanguageWords[] = {"auto", "it", "en"};
const char* const UnitWords[] = {"metric", "imperial"};

template <typename Enum, size_t N>
Enum FromWord(const QString& word, const char* const (&words)[N], Enum fallback) {
  for (size_t i = 0; i < N; ++i)
    if (word == QLatin1String(words[i])) return static_cast<Enum>(i);
  return fallback;
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
  return read;
}

QString WritePreferencesFile(const QString& path, const Preferences& preferences) {
  QSettings file(path, QSettings::IniFormat);
  if (file.status() != QSettings::NoError)
    return path + QStringLiteral(": ") + StatusText(file.status()) +
           QStringLiteral(", left as it is");
  file.setValue(LanguageKey, QLatin1String(LanguageWords[int(preferences.language)]));
  file.setValue(UnitsKey, QLatin1String(UnitWords[int(preferences.units)]));
  file.sync();
  if (file.status() != QSettings::NoError) return path + QStringLiteral(": cannot be written");
  return QString();
}
