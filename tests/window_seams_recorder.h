// Window seams for tests: messages, beeps and raises are recorded instead of shown.
#pragma once

#include <QStringList>

#include "window_seams.h"

struct Recorder {
  QStringList messages;  // "title | text"
  int beeps = 0;
  int raised = 0;
};

inline WindowSeams TestSeams(Recorder& r, const QString& folder, bool tray = false) {
  WindowSeams seams;
  seams.showMessage = [&r](QMessageBox::Icon, const QString& title, const QString& text) {
    r.messages << title + " | " + text;
  };
  seams.beep = [&r] { ++r.beeps; };
  seams.bringToFront = [&r](QWidget*) { ++r.raised; };
  seams.trayAvailable = [tray] { return tray; };
  seams.programFolder = folder;
  return seams;
}
