// Window seams for tests: messages, beeps and raises are recorded instead of shown.
#pragma once

#include <QEventLoop>
#include <QFile>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "window_seams.h"

struct Recorder {
  QStringList messages;  // "title | text", message boxes and notices alike
  QString saveAs;        // the file the user picks when asked where to save
  int beeps = 0;
  int raised = 0;
  int modals = 0;                             // setup dialogs shown modally
  std::function<void(QDialog*)> answerModal;  // what the user does in the modal dialog
  // With it, a closable box stays open (its own event loop runs) until the program closes it;
  // this is called from that loop.
  std::function<void()> whileBoxOpen;
  int boxesClosedByProgram = 0;
  QStringList notifications;  // "title | text" of each desktop notification
};

// Longest a held box waits for the program to close it, so that a test that fails ends.
inline constexpr int HeldBoxMostMs = 5000;

// One tick of the window's one-minute timer, without waiting a minute.
inline void TickMinute(QObject* window) {
  QObject* timer = window->findChild<QObject*>(QStringLiteral("tmrElapsed"));
  QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
}

inline WindowSeams TestSeams(Recorder& r, const QString& folder, bool tray = false) {
  WindowSeams seams;
  seams.showMessage = [&r](QMessageBox::Icon, const QString& title, const QString& text) {
    r.messages << title + " | " + text;
  };
  seams.showNotice = seams.showMessage;
  seams.showClosableMessage = [&r](QMessageBox::Icon, const QString& title, const QString& text,
                                   std::function<void()>& close) {
    r.messages << title + " | " + text;
    if (!r.whileBoxOpen) return;
    QEventLoop box;
    close = [&r, &box] {
      ++r.boxesClosedByProgram;
      box.quit();
    };
    QTimer::singleShot(HeldBoxMostMs, &box, &QEventLoop::quit);
    QTimer::singleShot(0, &box, r.whileBoxOpen);
    box.exec();
    close = nullptr;
  };
  seams.chooseSaveFile = [&r](QWidget*, const QString&, const QString&) { return r.saveAs; };
  seams.beep = [&r] { ++r.beeps; };
  seams.bringToFront = [&r](QWidget*) { ++r.raised; };
  seams.execModal = [&r](QDialog* dialog) {
    ++r.modals;
    if (r.answerModal) r.answerModal(dialog);
  };
  seams.trayPlacingMs = 0;
  seams.notifyDesktop = [&r](QSystemTrayIcon*, const QString& title, const QString& text) {
    r.notifications << title + " | " + text;
  };
  seams.trayAvailable = [tray] { return tray; };
  seams.programFolder = folder;
  seams.userConfigFolder = folder + QStringLiteral("/user-config");
  seams.userDataFolder = folder + QStringLiteral("/user-data");
  return seams;
}

// A folder that nobody, root included, can create or write: its parent is a plain file.
inline QString UnwritableFolder(const QString& inside, const QString& name) {
  QFile blocker(inside + QStringLiteral("/blocker-") + name);
  if (blocker.open(QIODevice::WriteOnly)) blocker.close();
  return blocker.fileName() + u'/' + name;
}

// Saves a picture of the widget as the user sees it when VENTORA_SHOTS names a folder.
inline void SaveShot(QWidget* widget, const QString& name) {
  const QString folder = qEnvironmentVariable("VENTORA_SHOTS");
  if (!folder.isEmpty()) widget->grab().save(folder + u'/' + name + QStringLiteral(".png"));
}
