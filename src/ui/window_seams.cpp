#include "window_seams.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <QWidget>

WindowSeams WindowSeams::Desktop() {
  WindowSeams seams;
  seams.showMessage = [](QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok);
    box.exec();
  };
  seams.beep = [] { QApplication::beep(); };
  seams.bringToFront = [](QWidget* window) {
    window->raise();
    window->activateWindow();
  };
  seams.execModal = [](QDialog* dialog) { dialog->exec(); };
  seams.trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
  return seams;
}
