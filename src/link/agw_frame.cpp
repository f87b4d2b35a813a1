#include "agw_frame.h"

#include "windows1252.h"

QByteArray EncodeAgwRequest(char kind) {
  QByteArray frame(AgwHeaderSize, '\0');
  frame[AgwKindOffset] = kind;
  return frame;
}

QByteArray EncodeAgwFrame(char kind, const QByteArray& callFrom, const QByteArray& data) {
  QByteArray frame = EncodeAgwRequest(kind);
  frame.replace(AgwCallFromOffset, qMin<qsizetype>(callFrom.size(), AgwCallFromSize),
                callFrom.left(AgwCallFromSize));
  frame[AgwDataLenOffset] = char(data.size() & 0xff);
  frame[AgwDataLenOffset + 1] = char((data.size() >> 8) & 0xff);
  return frame + data;
}

uint32_t AgwDataLength(const char* header) {
  const auto low = static_cast<unsigned char>(header[AgwDataLenOffset]);
  const auto high = static_cast<unsigned char>(header[AgwDataLenOffset + 1]);
  return low + 256u * high;
}

bool IsPlausibleAgwHeader(const char* header) {
  const char kind = header[AgwKindOffset];
  const bool letter = (kind >= 'A' && kind <= 'Z') || (kind >= 'a' && kind <= 'z');
  for (int zero : {1, 2, 3, AgwKindOffset + 1, AgwKindOffset + 3})
    if (header[zero] != '\0') return false;
  return letter;
}

AgwFrame ReadAgwHeader(const char* header) {
  AgwFrame frame;
  frame.kind = FromWindows1252(header[AgwKindOffset]);
  const char* call = header + AgwCallFromOffset;
  qsizetype n = 0;
  while (n < AgwCallFromSize && call[n] != '\0') ++n;
  frame.callFrom = FromWindows1252(call, n);
  return frame;
}
