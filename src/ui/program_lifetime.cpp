#include "program_lifetime.h"

#include <QSessionManager>

#include "termination_signals.h"

void BindProgramLifetime(QApplication& app, frmWx& window) {
  // Qt would quit when the last visible window closes: with the main window hidden in the tray,
  // that is the help window or a message box.
  QApplication::setQuitOnLastWindowClosed(false);
  QObject::connect(&window, &frmWx::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &window, &frmWx::Form_Unload);
  // Logoff and shutdown close no window: the settings are saved while the session manager asks
  // for them. That request also comes for checkpoints and for logouts that are later cancelled,
  // so the program does not end there: at the real end the platform quits it (on X11 with a quit
  // event, on Windows with aboutToQuit), and Form_Unload runs then.
  QObject::connect(
      &app, &QGuiApplication::commitDataRequest, &window,
      [&window](QSessionManager& manager) {
        CommitSessionData(window, [&manager] { return manager.allowsErrorInteraction(); });
      },
      Qt::DirectConnection);
  QuitOnTerminationSignals();
}

void CommitSessionData(frmWx& window, const std::function<bool()>& allowsErrorInteraction) {
  window.CommitAlarmSettings(allowsErrorInteraction);
}
