#include "tnc2_packet.h"

namespace {

bool IsAddressText(const QByteArray& text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) <= ' ' || c == 0x7f) return false;
  return true;
}

}  // namespace

std::optional<Tnc2Packet> ParseTnc2(const QByteArray& line) {
  const qsizetype gt = line.indexOf('>');
  if (gt <= 0) return std::nullopt;
  const qsizetype colon = line.indexOf(':', gt);
  if (colon < 0) return std::nullopt;
  const QByteArray address = line.left(colon);
  if (!IsAddressText(address)) return std::nullopt;
  QList<QByteArray> hops = address.mid(gt + 1).split(',');
  if (hops.front().isEmpty()) return std::nullopt;
  Tnc2Packet packet{line.left(gt), line.mid(colon + 1), hops.takeFirst(), {}};
  packet.path = hops;
  return packet;
}

QByteArray MonitorText(const Tnc2Packet& packet, const QTime& heard) {
  QByteArray text;
  text.reserve(64 + packet.from.size() + packet.to.size() + packet.info.size() +
               10 * packet.path.size());
  text.append(" 1:Fm ").append(packet.from).append(" To ").append(packet.to);
  if (!packet.path.isEmpty()) text.append(" Via ").append(packet.path.join(','));
  text.append(" <UI pid=F0 Len=").append(QByteArray::number(packet.info.size())).append(" >[");
  for (int part : {heard.hour(), heard.minute(), heard.second()}) {
    text.append(char('0' + part / 10)).append(char('0' + part % 10)).append(':');
  }
  text.chop(1);
  return text.append("]\r").append(packet.info).append('\r').append('\0');
}
