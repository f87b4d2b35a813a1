#include "window_seams.h"

#include <QApplication>
#include <QSystemTrayIcon>
#include <QWidget>
#include <memory>

#include "save_file_dialog.h"

WindowSeams WindowSeams::Desktop() {
  WindowSeams seams;
  seams.showMessage = [](QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok);
    box.exec();
  };
  seams.showClosableMessage = [](QMessageBox::Icon icon, const QString& title, const QString& text,
                                 std::function<void()>& close) {
    QMessageBox box(icon, title, text, QMessageBox::Ok);
    close = [&box] { box.done(QMessageBox::Ok); };
    box.exec();
    close = nullptr;
  };
  seams.showNotice = [](QMessageBox::Icon icon, const QString& title, const QString& text) {
    auto* box = new QMessageBox(icon, title, text, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
  };
  seams.chooseSaveFile = [](QWidget* parent, const QString& title, const QString& suggested) {
    std::unique_ptr<QFileDialog> dialog(NewSaveFileDialog(parent, title, suggested));
    return dialog->exec() == QDialog::Accepted ? dialog->selectedFiles().value(0) : QString();
  };
  seams.beep = [] { QApplication::beep(); };
  seams.bringToFront = [](QWidget* window) {
    window->raise();
    window->activateWindow();
  };
  seams.execModal = [](QDialog* dialog) { dialog->exec(); };
  seams.notifyDesktop = [](QSystemTrayIcon* tray, const QString& title, const QString& text) {
    tray->showMessage(title, text, QSystemTrayIcon::Information);
  };
  seams.trayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };
  return seams;
}
