// An APRS packet in TNC2 form ("SRC>DEST,PATH:info") and AGWPE's monitor text of it.
#pragma once

#include <QByteArray>
#include <QList>
#include <QTime>
#include <optional>

struct Tnc2Packet {
  QByteArray from;  // source call
  QByteArray info;  // APRS information field
  QByteArray to = "APRS";
  QList<QByteArray> path = {"WIDE2-1"};  // digipeaters and q-constructs, as given
};

// Splits a line at the first ">" and at the first ":" after it; nothing when either is missing,
// the source is empty or the address part holds a blank or a control byte.
std::optional<Tnc2Packet> ParseTnc2(const QByteArray& line);

// AGWPE's monitor text of a UI frame heard at `heard`, as engines send it to a monitoring
// client: " 1:Fm SRC To DEST Via PATH <UI pid=F0 Len=N >[hh:mm:ss]\r", the information field,
// "\r" and a final NUL. Without a path there is no " Via" part.
QByteArray MonitorText(const Tnc2Packet& packet, const QTime& heard);
