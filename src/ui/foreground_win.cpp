#include <QtGui/private/qguiapplication_p.h>
#include <QGuiApplication>

#include "foreground.h"

void LetAlarmsRaiseTheWindow() {
  using QNativeInterface::Private::QWindowsApplication;
  if (auto* windows = qGuiApp->nativeInterface<QWindowsApplication>())
    windows->setWindowActivationBehavior(QWindowsApplication::AlwaysActivateWindow);
}
