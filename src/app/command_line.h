// Reads the station call, the AGWPE host and the SAVE keyword out of the command-line tail.
#pragma once

#include <QString>
#include <QStringList>

struct CommandLine {
  QString StationCall;  // upper case; empty when the tail is empty
  QString AgwHost;      // letter case as typed; empty when not given
  bool SaveAlarms = false;
};

// The tail is everything after the program's own name, as one string. Only U+0020 separates
// items; no quote handling of any kind.
CommandLine ParseCommandLine(const QString& tail);

// Upper case one character at a time (simple case mapping), so that a call keeps its length:
// "ß" stays one character where full case mapping would make it "SS".
QString UpperCaseCall(const QString& text);

// On Linux the platform hands over words, not a tail: they are joined by single blanks.
QString CommandLineTail(const QStringList& argumentsAfterProgram);

// On Windows a program gets its whole command line as one text: the tail is what follows the
// program name, found by Windows's own rule (a name starting with a quote runs to the next
// quote, any other name to the first blank or tab). Blanks after the name stay in the tail.
QString TailAfterProgramName(const QString& commandLine);

// The tail of this process's own command line, as the system hands it over.
QString ProgramCommandTail();
