// The AGWPE frame: a 36-byte header (kind, source call, data length) and its data.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <string_view>

inline constexpr int AgwHeaderSize = 36;
inline constexpr int AgwKindOffset = 4;
inline constexpr int AgwCallFromOffset = 8;
inline constexpr int AgwCallFromSize = 10;
inline constexpr int AgwDataLenOffset = 28;

struct AgwFrame {
  QChar kind;        // "U", "T" monitored; "R" version; "G" ports; others are stepped over
  QString callFrom;  // up to 10 characters, stopping at the first zero byte
  QByteArray data;   // exactly the header's data length
};

// A frame read in place: views of the bytes it came in, valid as long as those bytes are.
struct AgwFrameView {
  char kind = 0;
  std::string_view callFrom;  // the header's call bytes up to the first zero, at most 10
  std::string_view data;      // exactly the header's data length
};

// The frame as text, owning its bytes: the kind and call read as Windows-1252.
AgwFrame ToAgwFrame(const AgwFrameView& view);

// Whether a call sent as bytes (Windows-1252) is exactly `call`.
bool SameCall(std::string_view bytes, const QString& call);

// A header-only request: 36 zero bytes but the kind letter at offset 4.
QByteArray EncodeAgwRequest(char kind);

// A whole frame as an engine sends it: kind, source call (at most 10 bytes) and data.
QByteArray EncodeAgwFrame(char kind, const QByteArray& callFrom, const QByteArray& data);

// Data length from bytes 28 and 29 only (0..65535); bytes 30 and 31 are not read.
uint32_t AgwDataLength(const char* header);

// Whether these 36 bytes can be an AGWPE header: the kind is an ASCII letter and the bytes that
// engines always leave zero (port high bytes 1-3, bytes 5 and 7) are zero. A stream that stepped
// out of frame by a wrong data length fails this almost at once.
bool IsPlausibleAgwHeader(const char* header);

// Kind and source call of a header of at least AgwHeaderSize bytes.
AgwFrame ReadAgwHeader(const char* header);
// The same, read in place; the data is left empty.
AgwFrameView ViewAgwHeader(const char* header);
