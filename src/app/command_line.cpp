#include "command_line.h"

namespace {

constexpr QChar Blank(u' ');
constexpr int SingleWordCallLength = 9;

QString TrimBlanks(const QString& s) {
  int first = 0;
  int last = s.size();
  while (first < last && s[first] == Blank) ++first;
  while (last > first && s[last - 1] == Blank) --last;
  return s.mid(first, last - first);
}

}  // namespace

QString UpperCaseCall(const QString& text) {
  QString upper = text;
  for (QChar& c : upper) c = c.toUpper();
  return upper;
}

CommandLine ParseCommandLine(const QString& tail) {
  CommandLine result;
  QString s = TrimBlanks(tail);
  const int p = s.indexOf(Blank);
  if (p < 0) {
    result.StationCall = UpperCaseCall(s.left(SingleWordCallLength));
    return result;
  }
  result.StationCall = UpperCaseCall(s.left(p));
  s = TrimBlanks(s.mid(p));
  const int q = s.indexOf(Blank);
  if (q < 0) {
    result.AgwHost = s;
    return result;
  }
  result.AgwHost = s.left(q);
  result.SaveAlarms = UpperCaseCall(TrimBlanks(s.mid(q))) == QLatin1String("SAVE");
  return result;
}

QString CommandLineTail(const QStringList& argumentsAfterProgram) {
  return argumentsAfterProgram.join(Blank);
}

QString TailAfterProgramName(const QString& commandLine) {
  qsizetype end = 0;
  if (commandLine.startsWith(u'"')) {
    end = commandLine.indexOf(u'"', 1);
    end = end < 0 ? commandLine.size() : end + 1;
  } else {
    while (end < commandLine.size() && commandLine[end] != Blank && commandLine[end] != u'\t')
      ++end;
  }
  return commandLine.mid(end);
}
