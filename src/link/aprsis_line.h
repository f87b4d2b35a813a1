// One line from an APRS-IS server, judged: a packet to pass on, a server comment, or a line to
// drop (and count), never passed on in part.
#pragma once

#include <QByteArray>
#include <optional>

#include "tnc2_packet.h"

// APRS-IS never sends longer lines; anything longer is damaged.
inline constexpr qsizetype AprsIsMaxLine = 512;

enum class AprsIsLineKind {
  Packet,      // SRC>DEST[,PATH]:info
  Comment,     // "#" lines: banner, logresp, keepalives
  TooLong,     // over AprsIsMaxLine bytes
  NotAPacket,  // no "SRC>DEST:" in front
  NotText,     // a NUL or a CR inside: binary or two lines run together
};

struct AprsIsLine {
  AprsIsLineKind kind;
  std::optional<Tnc2Packet> packet;  // for Packet
};

// `line` comes without its line end (LF, or CR LF).
AprsIsLine ReadAprsIsLine(const QByteArray& line);
