// An APRS packet in TNC2 form ("SRC>DEST,PATH:info") and AGWPE's monitor text of it.
#pragma once

#include <QByteArray>
#include <QList>
#include <QTime>
#include <optional>
#include <string>
#include <string_view>

struct Tnc2Packet {
  QByteArray from;  // source call
  QByteArray info;  // APRS information field
  QByteArray to = "APRS";
  QList<QByteArray> path = {"WIDE2-1"};  // digipeaters and q-constructs, as given
};

// The same parts read in place, the path as given ("WIDE1-1,qAR,IW2ABC"; `via` tells whether the
// address part had one at all: "SRC>DEST," has an empty one).
struct Tnc2PacketView {
  std::string_view from, to, path, info;
  bool via = false;
};

// Splits a line at the first ">" and at the first ":" after it; nothing when either is missing,
// the source or destination is empty or the address part holds a blank or a control byte.
std::optional<Tnc2Packet> ParseTnc2(const QByteArray& line);
std::optional<Tnc2PacketView> ViewTnc2(std::string_view line);

// AGWPE's monitor text of a UI frame heard at `heard`, as engines send it to a monitoring
// client: " 1:Fm SRC To DEST Via PATH <UI pid=F0 Len=N >[hh:mm:ss]\r", the information field,
// "\r" and a final NUL. Without a path there is no " Via" part.
QByteArray MonitorText(const Tnc2Packet& packet, const QTime& heard);
// The same text written over `out`, for callers that make one for every line of a log.
void WriteMonitorText(std::string& out, const Tnc2PacketView& packet, const QTime& heard);
