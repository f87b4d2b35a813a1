#include "tnc2_packet.h"

namespace {

bool IsAddressText(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) <= ' ' || c == 0x7f) return false;
  return true;
}

std::string_view ViewOf(const QByteArray& bytes) {
  return std::string_view(bytes.constData(), size_t(bytes.size()));
}

QByteArray BytesOf(std::string_view view) {
  return QByteArray(view.data(), qsizetype(view.size()));
}

}  // namespace

std::optional<Tnc2PacketView> ViewTnc2(std::string_view line) {
  const size_t gt = line.find('>');
  if (gt == std::string_view::npos || gt == 0) return std::nullopt;
  const size_t colon = line.find(':', gt);
  if (colon == std::string_view::npos) return std::nullopt;
  if (!IsAddressText(line.substr(0, colon))) return std::nullopt;
  Tnc2PacketView packet;
  packet.from = line.substr(0, gt);
  packet.info = line.substr(colon + 1);
  const std::string_view hops = line.substr(gt + 1, colon - gt - 1);
  const size_t comma = hops.find(',');
  packet.to = hops.substr(0, comma);
  if (packet.to.empty()) return std::nullopt;
  packet.via = comma != std::string_view::npos;
  if (packet.via) packet.path = hops.substr(comma + 1);
  return packet;
}

std::optional<Tnc2Packet> ParseTnc2(const QByteArray& line) {
  const auto view = ViewTnc2(ViewOf(line));
  if (!view) return std::nullopt;
  Tnc2Packet packet{BytesOf(view->from), BytesOf(view->info), BytesOf(view->to), {}};
  if (view->via) packet.path = BytesOf(view->path).split(',');
  return packet;
}

void WriteMonitorText(std::string& out, const Tnc2PacketView& packet, const QTime& heard) {
  out.clear();
  out.append(" 1:Fm ").append(packet.from).append(" To ").append(packet.to);
  if (packet.via) out.append(" Via ").append(packet.path);
  out.append(" <UI pid=F0 Len=").append(std::to_string(packet.info.size())).append(" >[");
  for (int part : {heard.hour(), heard.minute(), heard.second()}) {
    out += char('0' + part / 10);
    out += char('0' + part % 10);
    out += ':';
  }
  out.pop_back();
  out.append("]\r").append(packet.info).append("\r").append(1, '\0');
}

QByteArray MonitorText(const Tnc2Packet& packet, const QTime& heard) {
  const QByteArray path = packet.path.join(',');
  Tnc2PacketView view{ViewOf(packet.from), ViewOf(packet.to), ViewOf(path), ViewOf(packet.info),
                      !packet.path.isEmpty()};
  std::string text;
  WriteMonitorText(text, view, heard);
  return BytesOf(text);
}
