// The few effects of the main window that reach outside it, as seams that tests can answer.
#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QString>
#include <functional>

#include "alert_command.h"

class QSystemTrayIcon;

struct WindowSeams {
  // A message box with an OK button; returns when the user has dismissed it.
  std::function<void(QMessageBox::Icon, const QString& title, const QString& text)> showMessage;
  // A message box as showMessage that the program may close before the user does: while it is
  // open, `close` holds the function that closes it.
  std::function<void(QMessageBox::Icon, const QString& title, const QString& text,
                     std::function<void()>& close)>
      showClosableMessage;
  // A message that does not wait for the user: the window goes on behind it.
  std::function<void(QMessageBox::Icon, const QString& title, const QString& text)> showNotice;
  // Asks where to save a file; empty when the user gives up.
  std::function<QString(QWidget* parent, const QString& title, const QString& suggested)>
      chooseSaveFile;
  std::function<void()> beep;
  // Gives a normal (not minimised) window the input focus and puts it on top.
  std::function<void(QWidget*)> bringToFront;
  // Shows a dialog modally and returns when it is closed.
  std::function<void(QDialog*)> execModal;
  // A desktop notification from the tray icon, which is shown.
  std::function<void(QSystemTrayIcon*, const QString& title, const QString& text)> notifyDesktop;
  // Whether a notification area exists to hold the tray icon.
  std::function<bool()> trayAvailable;
  // The folder that holds the program (and WxAlarms.ini when it can be written there); empty
  // means the executable's folder.
  QString programFolder;
  // Where WxAlarms.ini goes when the program's folder cannot be written; empty means the user's
  // configuration folder (QStandardPaths::AppConfigLocation).
  QString userConfigFolder;
  // How long one second of the link's reconnect schedule lasts; tests shorten it.
  qint64 retrySecondMs = 1000;
  // Where WxHistory.sqlite goes when the program's folder cannot be written; empty means the
  // user's data folder (HistoryUserFolder()).
  QString userDataFolder;
  // How long one minute of the alert settings lasts, and how long the alert command may run;
  // tests shorten them.
  qint64 alertMinuteMs = 60000;
  int alertCommandTimeLimitMs = CommandTimeLimitMs;
  // How long a notification area takes to place an icon just shown: a message sent sooner is
  // drawn away from it, in a corner of the screen.
  int trayPlacingMs = 1000;

  // The real desktop: message boxes, the system beep, raise and activate.
  static WindowSeams Desktop();
};
