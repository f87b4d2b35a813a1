// What one AGWPE frame changes: the Rx lines, the ports and version captions, the report to decode.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "agw_frame.h"

// The Rx window holds the last two non-empty lines of the latest monitored frame.
inline constexpr int RxLinesKept = 2;

struct DispatchResult {
  std::optional<QStringList> rxLines;     // new List2 contents ("U" and "T" frames)
  std::optional<QString> rainCaption;     // "G": number of radio ports
  std::optional<QString> commentCaption;  // "R": engine version
  std::optional<QString> report;          // information text for the weather decoder
};

// The lines of a monitored frame's text: a CR (or a CR LF pair) ends a line, empty lines are
// skipped, a NUL ends the text, characters after the last line end are dropped, and AGWPE's
// " 1:Fm CALL" header line is shown as "1: CALL".
QStringList MonitoredLines(const QByteArray& data);

// Whether the last Rx line is an APRS weather report worth decoding.
bool CarriesWeather(const QString& line);

// The dispatcher's rules for one frame with data. Only monitored frames from `stationCall` reach
// the decoder, and only while `acceptReport` is open: the last line they leave in the Rx window.
DispatchResult HandleAgwFrame(const AgwFrame& frame, const QString& stationCall, bool acceptReport);
