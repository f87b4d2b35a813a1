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
  QByteArray text = " 1:Fm " + packet.from + " To " + packet.to;
  if (!packet.path.isEmpty()) text += " Via " + packet.path.join(',');
  return text + " <UI pid=F0 Len=" + QByteArray::number(packet.info.size()) + " >[" +
         heard.toString(QStringLiteral("hh:mm:ss")).toLatin1() + "]\r" + packet.info + "\r" +
         QByteArray(1, '\0');
}
