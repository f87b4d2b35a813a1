// What one AGWPE frame changes: the Rx lines, the ports and version captions, the report to decode.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string_view>

#include "agw_frame.h"

// The Rx window holds the last two non-empty lines of the latest monitored frame.
inline constexpr int RxLinesKept = 2;

// The Rx lines of one monitored frame, found in the frame's bytes and made text only when read:
// most frames are of other stations and are replaced by the next before anyone looks.
class RxLines {
 public:
  // Adds a line after those held; only the last RxLinesKept lines stay.
  void Keep(std::string_view line);
  int size() const { return count_; }
  bool isEmpty() const { return count_ == 0; }
  // Line i as shown: Windows-1252, AGWPE's " 1:Fm CALL" header line as "1: CALL".
  QString at(int i) const;
  QString last() const { return at(count_ - 1); }
  QStringList ToStringList() const;

 private:
  std::string_view lines_[RxLinesKept];
  int count_ = 0;
};

// What a frame changes. The Rx lines read the frame's bytes: the result must not outlive them.
struct DispatchResult {
  std::optional<RxLines> rxLines;         // new List2 contents ("U" and "T" frames)
  std::optional<QString> rainCaption;     // "G": number of radio ports
  std::optional<QString> commentCaption;  // "R": engine version
  std::optional<QString> report;          // information text for the weather decoder
};

// The lines of a monitored frame's text: a CR (or a CR LF pair) ends a line, empty lines are
// skipped, a NUL ends the text, characters after the last line end are dropped, and AGWPE's
// " 1:Fm CALL" header line is shown as "1: CALL".
QStringList MonitoredLines(const QByteArray& data);
RxLines MonitoredLines(std::string_view data);

// Whether the last Rx line is an APRS weather report worth decoding.
bool CarriesWeather(const QString& line);

// The dispatcher's rules for one frame with data. Only monitored frames from `stationCall` reach
// the decoder, and only while `acceptReport` is open: the last line they leave in the Rx window.
DispatchResult HandleAgwFrame(const AgwFrameView& frame, const QString& stationCall,
                              bool acceptReport);
DispatchResult HandleAgwFrame(const AgwFrame& frame, const QString& stationCall, bool acceptReport);
// The result reads the frame's bytes: a frame that is about to go cannot be handled.
DispatchResult HandleAgwFrame(AgwFrame&& frame, const QString& stationCall,
                              bool acceptReport) = delete;
