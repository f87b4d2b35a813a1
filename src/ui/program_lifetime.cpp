#include "program_lifetime.h"

#include <QSessionManager>

#include "termination_signals.h"

void BindProgramLifetime(QApplication& app, frmWx& window) {
  // Qt would quit when the last visible window closes: with the main window hidden in the tray,
  // that is the help window or a message box.
  QApplication::setQuitOnLastWindowClosed(false);
  QObject::connect(&window, &frmWx::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, &frmWx::Form_Unload);
  // Logoff and shutdown close no window: the settings must be saved before the session goes.
  QObject::connect(
      &app, &QGuiApplication::commitDataRequest, &window,
      [&window](QSessionManager&) {
        window.Form_Unload();
        QCoreApplication::quit();
      },
      Qt::DirectConnection);
  QuitOnTerminationSignals();
}
