#include "frame_dispatcher.h"

#include <string_view>

#include <cstring>

#include "windows1252.h"

namespace {

constexpr char CarriageReturn = '\r';
constexpr char LineFeed = '\n';

// AGWPE's header line " 1:Fm IW2ABC To APRS ..." is shown as "1: IW2ABC To APRS ..."; a port of
// two digits does not match and is kept as it is.
QString ShownLine(const char* line, qsizetype size) {
  if (size >= 6 && std::memcmp(line + 2, ":Fm ", 4) == 0) {
    QString shown;
    shown.reserve(size - 3);
    AppendWindows1252(shown, line + 1, 2);
    AppendWindows1252(shown, line + 5, size - 5);
    return shown;
  }
  return FromWindows1252(line, size);
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

// Only the last lines are kept, so they are found from the end: lines end at a CR, the LF of a
// CR LF pair belongs to the line end, a NUL ends the text and what follows the last CR is dropped.
QStringList MonitoredLines(const QByteArray& data) {
  const char* bytes = data.constData();
  const auto* nul = static_cast<const char*>(std::memchr(bytes, '\0', size_t(data.size())));
  const qsizetype limit = nul ? nul - bytes : data.size();
  const auto lastCr = [bytes](qsizetype before) -> qsizetype {
    const size_t cr = std::string_view(bytes, size_t(before)).rfind(CarriageReturn);
    return cr == std::string_view::npos ? -1 : qsizetype(cr);
  };
  QString kept[RxLinesKept];
  int count = 0;
  for (qsizetype end = lastCr(limit); end >= 0 && count < RxLinesKept;) {
    const qsizetype previous = lastCr(end);
    qsizetype start = previous + 1;
    if (previous >= 0 && start < end && bytes[start] == LineFeed) ++start;
    if (end > start) kept[count++] = ShownLine(bytes + start, end - start);
    end = previous;
  }
  QStringList lines;
  lines.reserve(count);
  for (int i = count - 1; i >= 0; --i) lines << kept[i];
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
    result.rainCaption = QStringLiteral("Porte Radio : ");
    if (!frame.data.isEmpty()) *result.rainCaption += FromWindows1252(frame.data[0]);
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
