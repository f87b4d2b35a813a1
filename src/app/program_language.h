// Which language Ventora speaks, and the translators that make it and Qt's own texts speak it.
#pragma once

#include <QStringList>

#include "preferences_file.h"

class QCoreApplication;

// Italian is the language the program is written in: it needs no translation.
inline constexpr char SourceLanguage[] = "it";

// The languages Ventora has: its source and every translation built into it, as "it", "en".
QStringList AvailableLanguages();

// The forced choice, or for Automatic the first of the desktop's languages (most wanted first, as
// QLocale::uiLanguages() gives them) that Ventora has. The C or POSIX locale counts as the source
// language; a desktop whose languages Ventora has none of gets English.
QString ChooseProgramLanguage(LanguageChoice choice, const QStringList& uiLanguages,
                              const QStringList& available);

// Installs, for the whole program, Ventora's translation into `code` and Qt's own (message-box
// buttons, file dialog, text-box menus) when they can be found. False when Ventora has no `code`.
bool InstallProgramLanguage(QCoreApplication& app, const QString& code);
