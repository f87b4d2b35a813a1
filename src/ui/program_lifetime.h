// How the program ends: only when its main window closes or the session ends, and the main
// window's closing handler runs exactly once on every way out.
#pragma once

#include <QApplication>
#include <functional>

#include "main_window.h"

// Binds the application's end to the main window: closing a help window or a message box while
// the main window sits in the tray does not end the program; closing the main window, the end of
// the desktop session, SIGTERM or Ctrl+C do, each through Form_Unload.
void BindProgramLifetime(QApplication& app, frmWx& window);

// The session manager asks for the program's data: the alarm settings are saved when SAVE is on,
// and the program goes on. A failed save is told only if `allowsErrorInteraction` says so.
void CommitSessionData(frmWx& window, const std::function<bool()>& allowsErrorInteraction);
