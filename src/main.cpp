// Ventora: starts the main window on the station call and engine host given on the command line.
#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <string>

#include "alarms_file_place.h"
#include "command_line.h"
#include "foreground.h"
#include "main_window.h"
#include "parent_console.h"
#include "program_language.h"
#include "program_lifetime.h"

namespace {

// "--version" and "--help" alone on the line are answered here; anything else is the station's
// command line.
bool AnswersAlone(int argc, char* argv[]) {
  if (argc != 2) return false;
  const std::string arg = argv[1];
  if (arg != "--version" && arg != "--help" && arg != "-h") return false;
  AttachToParentConsole();
  if (arg == "--version") {
    std::printf("Ventora %s\n", VENTORA_VERSION);
  } else {
    std::printf(
        "Usage: ventora CALL [HOST] [SAVE]\n"
        "  CALL  the APRS weather station to watch (NOCALL and the setup dialog when missing)\n"
        "  HOST  the AGWPE engine's host, port 8000 (default: this computer)\n"
        "  SAVE  write the alarm settings to WxAlarms.ini when the window closes\n");
  }
  std::fflush(stdout);
  return true;
}

// The language is chosen before any window exists, from Ventora.ini beside WxAlarms.ini; the
// window reads the file again for the rest and says there if it cannot be read.
void InstallLanguage(QApplication& app) {
  const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
  const AlarmsFilePlace place =
      ChooseAlarmsFile(QCoreApplication::applicationDirPath(), userFolder, CanWriteIn,
                       [](const QString& f) { return QFile::exists(f); });
  const LanguageChoice choice =
      ReadPreferencesFile(PreferencesFileBeside(place.path)).preferences.language;
  InstallProgramLanguage(
      app, ChooseProgramLanguage(choice, QLocale::system().uiLanguages(), AvailableLanguages()));
}

}  // namespace

int main(int argc, char* argv[]) {
  if (AnswersAlone(argc, argv)) return 0;
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Ventora"));
  InstallLanguage(app);
  Settings settings;
  frmWx window(settings);
  BindProgramLifetime(app, window);
  LetAlarmsRaiseTheWindow();
  // Start-up runs inside the event loop: a dialog that it shows (the setup dialog, a warning
  // about the alarm file) waits in a loop nested in this one, where a quit still ends the
  // program (Form_Unload then runs on aboutToQuit); before exec(), Qt drops a quit.
  QTimer::singleShot(0, &window, [&window] {
    window.Form_Load(ProgramCommandTail());
    window.show();
  });
  return QApplication::exec();
}
