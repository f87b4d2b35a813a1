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

AgwFrameView ViewAgwHeader(const char* header) {
  const char* call = header + AgwCallFromOffset;
  size_t n = 0;
  while (n < AgwCallFromSize && call[n] != '\0') ++n;
  return {header[AgwKindOffset], std::string_view(call, n), {}};
}

AgwFrame ReadAgwHeader(const char* header) {
  return ToAgwFrame(ViewAgwHeader(header));
}

AgwFrame ToAgwFrame(const AgwFrameView& view) {
  AgwFrame frame;
  frame.kind = FromWindows1252(view.kind);
  frame.callFrom = FromWindows1252(view.callFrom.data(), qsizetype(view.callFrom.size()));
  frame.data = QByteArray(view.data.data(), qsizetype(view.data.size()));
  return frame;
}

bool SameCall(std::string_view bytes, const QString& call) {
  if (qsizetype(bytes.size()) != call.size()) return false;
  for (size_t i = 0; i < bytes.size(); ++i)
    if (FromWindows1252(bytes[i]) != call[qsizetype(i)]) return false;
  return true;
}
