#include "frame_dispatcher.h"

#include <QCoreApplication>
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

unsigned LittleEndian16(std::string_view data, size_t at) {
  const auto byte = [&](size_t i) {
    return i < data.size() ? static_cast<unsigned char>(data[i]) : 0u;
  };
  return byte(at) + 256u * byte(at + 1);
}

QString VersionCaption(std::string_view data) {
  return QCoreApplication::translate("FrameDispatcher", "Ventora connesso a AGWPE v%1.%2")
      .arg(LittleEndian16(data, 0))
      .arg(LittleEndian16(data, 4));
}

}  // namespace

void RxLines::Keep(std::string_view line) {
  if (count_ == RxLinesKept) {
    for (int i = 1; i < RxLinesKept; ++i) lines_[i - 1] = lines_[i];
    --count_;
  }
  lines_[count_++] = line;
}

QString RxLines::at(int i) const {
  return ShownLine(lines_[i].data(), qsizetype(lines_[i].size()));
}

QStringList RxLines::ToStringList() const {
  QStringList lines;
  lines.reserve(count_);
  for (int i = 0; i < count_; ++i) lines << at(i);
  return lines;
}

// Lines end at a CR, the LF of a CR LF pair belongs to the line end, a NUL ends the text and what
// follows the last CR is dropped. The line ends are found with memchr: a frame has only a few.
RxLines MonitoredLines(std::string_view data) {
  const auto* nul = static_cast<const char*>(std::memchr(data.data(), '\0', data.size()));
  const char* const begin = data.data();
  const char* const limit = nul ? nul : begin + data.size();
  RxLines lines;
  const char* start = begin;
  for (const char* cr = begin;
       (cr = static_cast<const char*>(std::memchr(cr, CarriageReturn, size_t(limit - cr)))) !=
       nullptr;
       ++cr) {
    if (start != begin && start < cr && *start == LineFeed) ++start;
    if (cr > start) lines.Keep(std::string_view(start, size_t(cr - start)));
    start = cr + 1;
  }
  return lines;
}

QStringList MonitoredLines(const QByteArray& data) {
  return MonitoredLines(std::string_view(data.constData(), size_t(data.size()))).ToStringList();
}

bool CarriesWeather(const QString& line) {
  if (line.isEmpty()) return false;
  const QChar first = line[0];
  if (first == u'_') return true;
  return QStringView(u"/@!=;").contains(first) && line.contains(u'_');
}

namespace {

// The rules, whatever form the frame came in: `fromStation` tells whether its source call is the
// watched station's.
DispatchResult Dispatch(QChar kind, bool fromStation, std::string_view data, bool acceptReport) {
  DispatchResult result;
  const bool monitored = kind == u'U' || kind == u'T';
  if (monitored) {
    result.rxLines = MonitoredLines(data);
  } else if (kind == u'G') {
    result.rainCaption = QCoreApplication::translate("FrameDispatcher", "Porte Radio : ");
    if (!data.empty()) *result.rainCaption += FromWindows1252(data[0]);
  } else if (kind == u'R') {
    result.commentCaption = VersionCaption(data);
  }
  // Answers and unknown kinds never reach the decoder, even with an empty station call.
  if (!monitored || !fromStation || !acceptReport || result.rxLines->isEmpty()) return result;
  const QString text = result.rxLines->last();
  if (CarriesWeather(text)) result.report = text;
  return result;
}

}  // namespace

DispatchResult HandleAgwFrame(const AgwFrameView& frame, const QString& stationCall,
                              bool acceptReport) {
  return Dispatch(FromWindows1252(frame.kind), SameCall(frame.callFrom, stationCall), frame.data,
                  acceptReport);
}

DispatchResult HandleAgwFrame(const AgwFrame& frame, const QString& stationCall,
                              bool acceptReport) {
  return Dispatch(frame.kind, frame.callFrom == stationCall,
                  std::string_view(frame.data.constData(), size_t(frame.data.size())),
                  acceptReport);
}
