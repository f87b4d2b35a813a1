#include <QCoreApplication>

#include "command_line.h"

QString ProgramCommandTail() {
  return CommandLineTail(QCoreApplication::arguments().mid(1));
}
