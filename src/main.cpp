// Ventora: starts the main window on the station call and engine host given on the command line.
#include <QApplication>

#include "command_line.h"
#include "main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Ventora"));
  Settings settings;
  frmWx window(settings);
  window.Form_Load(CommandLineTail(QApplication::arguments().mid(1)));
  window.show();
  return QApplication::exec();
}
