#include "frame_dispatcher.h"

#include "windows1252.h"

namespace {

constexpr char CarriageReturn = '\r';
constexpr char LineFeed = '\n';

// " 1:Fm IW2ABC-13 To APRS ..." becomes "1: IW2ABC-13 To APRS ..."; a two-digit port does not
// match.
QString ShownLine(const QString& line) {
  if (line.mid(2, 4) == QLatin1String(":Fm ")) return line.mid(1, 2) + line.mid(5);
  return line;
}

void AddLine(QStringList& lines, const QString& line) {
  if (lines.size() >= RxLinesKept) lines.removeFirst();
  lines << ShownLine(line);
}

unsigned LittleEndian16(const QByteArray& data, qsizetype at) {
  const auto byte = [&](qsizetype i) {
    return i < data.size() ? static_cast<unsigned char>(data[i]) : 0u;
  };
  return byte(at) + 256u * byte(at + 1);
}

QString VersionCaption(const QByteArray& data) {
  return QStringLiteral("Ventora connesso a AGWPE v%1.%2")
      .arg(LittleEndian16(data, 0))
      .arg(LittleEndian16(data, 4));
}

}  // namespace

QStringList MonitoredLines(const QByteArray& data) {
  QStringList lines;
  qsizetype lineStart = 0;
  for (qsizetype i = 0; i < data.size(); ++i) {
    const char c = data[i];
    if (c == '\0') break;
    if (c != CarriageReturn) continue;
    if (i > lineStart) AddLine(lines, FromWindows1252(data.constData() + lineStart, i - lineStart));
    if (i + 1 < data.size() && data[i + 1] == LineFeed) ++i;
    lineStart = i + 1;
  }
  return lines;
}

bool CarriesWeather(const QString& line) {
  if (line.isEmpty()) return false;
  const QChar first = line[0];
  if (first == u'_') return true;
  return QStringView(u"/@!=;").contains(first) && line.contains(u'_');
}

DispatchResult HandleAgwFrame(const AgwFrame& frame, const QString& stationCall,
                              bool acceptReport) {
  DispatchResult result;
  const bool monitored = frame.kind == u'U' || frame.kind == u'T';
  if (monitored) {
    result.rxLines = MonitoredLines(frame.data);
  } else if (frame.kind == u'G') {
    result.rainCaption = QStringLiteral("Porte Radio : ") +
                         (frame.data.isEmpty() ? QString() : FromWindows1252(frame.data.left(1)));
  } else if (frame.kind == u'R') {
    result.commentCaption = VersionCaption(frame.data);
  }
  // Answers and unknown kinds never reach the decoder, even with an empty station call.
  if (!monitored || frame.callFrom != stationCall || !acceptReport) return result;
  const QStringList& lines = *result.rxLines;
  const QString text = lines.isEmpty() ? QString() : lines.last();
  if (CarriesWeather(text)) result.report = text;
  return result;
}
