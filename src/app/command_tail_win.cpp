#include <windows.h>

#include "command_line.h"

// QCoreApplication::arguments() has already split and unquoted the words: take the raw text.
QString ProgramCommandTail() {
  return TailAfterProgramName(QString::fromWCharArray(::GetCommandLineW()));
}
