// Builds AGWPE frames byte by byte, as an engine sends them, for the link tests.
#pragma once

#include <QByteArray>

#include "agw_frame.h"

inline QByteArray AgwFrameBytes(char kind, const QByteArray& call, const QByteArray& data) {
  return EncodeAgwFrame(kind, call, data);
}

// A monitored UI frame as direwolf formats it, info field last, ended by CR and NUL.
inline QByteArray MonitoredFrame(const QByteArray& call, const QByteArray& info) {
  const QByteArray text = " 1:Fm " + call +
                          " To APRS Via WIDE2-1 <UI pid=F0 Len=" + QByteArray::number(info.size()) +
                          " >[12:00:00]\r" + info + "\r";
  return AgwFrameBytes('U', call, text + '\0');
}
