#include <windows.h>

#include <QCoreApplication>
#include <QMetaObject>

#include "termination_signals.h"

namespace {

// Runs on a thread of its own that the system starts: hand the request to the event loop and
// keep the process alive a moment, so that the closing handlers can finish.
BOOL WINAPI OnConsoleEvent(DWORD event) {
  switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
    case CTRL_CLOSE_EVENT:
      QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                Qt::QueuedConnection);
      if (event == CTRL_CLOSE_EVENT) ::Sleep(2000);  // the system ends the process on return
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void QuitOnTerminationSignals() {
  ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}
