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

CommandLine ParseCommandLine(const QString& tail) {
  CommandLine result;
  QString s = TrimBlanks(tail);
  const int p = s.indexOf(Blank);
  if (p < 0) {
    result.StationCall = s.left(SingleWordCallLength).toUpper();
    return result;
  }
  result.StationCall = s.left(p).toUpper();
  s = TrimBlanks(s.mid(p));
  const int q = s.indexOf(Blank);
  if (q < 0) {
    result.AgwHost = s;
    return result;
  }
  result.AgwHost = s.left(q);
  result.SaveAlarms = TrimBlanks(s.mid(q)).toUpper() == QLatin1String("SAVE");
  return result;
}

QString CommandLineTail(const QStringList& argumentsAfterProgram) {
  return argumentsAfterProgram.join(Blank);
}
