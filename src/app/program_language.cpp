#include "program_language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

namespace {

const QString ResourceFolder = QStringLiteral(":/translations");
const QString English = QStringLiteral("en");

QString LanguageOfTag(QString tag) {
  tag.replace(u'_', u'-');
  return tag.section(u'-', 0, 0).toLower();
}

bool IsPlainCLocale(const QString& tag) {
  return tag == QLatin1String("C") || tag == QLatin1String("POSIX") || tag.startsWith(u"C.");
}

// Qt's own translations: beside the program (the Windows folder carries them), else Qt's folder.
bool LoadQtTranslation(QTranslator& translator, const QString& code) {
  const QString name = QStringLiteral("qtbase_") + code;
  const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
  return translator.load(name, beside) ||
         translator.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

}  // namespace

QStringList AvailableLanguages() {
  QStringList languages{QLatin1String(SourceLanguage)};
  const QStringList files = QDir(ResourceFolder).entryList({QStringLiteral("ventora_*.qm")});
  for (const QString& file : files) languages << file.section(u'_', 1).section(u'.', 0, 0);
  return languages;
}

QString ChooseProgramLanguage(LanguageChoice choice, const QStringList& uiLanguages,
                              const QStringList& available) {
  if (choice == LanguageChoice::Italian) return QLatin1String(SourceLanguage);
  if (choice == LanguageChoice::English) return English;
  for (const QString& tag : uiLanguages) {
    if (IsPlainCLocale(tag)) return QLatin1String(SourceLanguage);
    const QString language = LanguageOfTag(tag);
    if (available.contains(language)) return language;
  }
  return English;
}

bool InstallProgramLanguage(QCoreApplication& app, const QString& code) {
  if (!AvailableLanguages().contains(code)) return false;
  if (code != QLatin1String(SourceLanguage)) {
    auto* own = new QTranslator(&app);
    if (!own->load(QStringLiteral("ventora_") + code, ResourceFolder)) {
      delete own;
      return false;
    }
    QCoreApplication::installTranslator(own);
  }
  auto* qt = new QTranslator(&app);
  if (LoadQtTranslation(*qt, code))
    QCoreApplication::installTranslator(qt);
  else
    delete qt;
  return true;
}
