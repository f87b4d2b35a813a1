#include "tnc2_packet.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>

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

namespace {

// Copies the parts one after another from `w` on.
char* Put(char* w, std::initializer_list<std::string_view> parts) {
  for (std::string_view part : parts) w = std::copy(part.begin(), part.end(), w);
  return w;
}

}  // namespace

void WriteMonitorText(std::string& out, const Tnc2PacketView& packet, const QTime& heard) {
  char length[24];
  const std::string_view infoLength(
      length,
      size_t(std::to_chars(length, length + sizeof length, packet.info.size()).ptr - length));
  char time[8];
  int at = 0;
  for (int part : {heard.hour(), heard.minute(), heard.second()}) {
    if (at > 0) time[at++] = ':';
    time[at++] = char('0' + part / 10);
    time[at++] = char('0' + part % 10);
  }
  const std::string_view via = packet.via ? std::string_view(" Via ") : std::string_view();
  const std::string_view path = packet.via ? packet.path : std::string_view();
  constexpr size_t Fixed = 48;  // the constant parts below, with room to spare
  out.resize(Fixed + packet.from.size() + packet.to.size() + path.size() + infoLength.size() +
             packet.info.size());
  char* const begin = out.data();
  char* w = Put(begin, {" 1:Fm ", packet.from, " To ", packet.to, via, path,
                        " <UI pid=F0 Len=", infoLength, " >[", std::string_view(time, size_t(at)),
                        "]\r", packet.info, std::string_view("\r\0", 2)});
  out.resize(size_t(w - begin));
}

QByteArray MonitorText(const Tnc2Packet& packet, const QTime& heard) {
  const QByteArray path = packet.path.join(',');
  Tnc2PacketView view{ViewOf(packet.from), ViewOf(packet.to), ViewOf(path), ViewOf(packet.info),
                      !packet.path.isEmpty()};
  std::string text;
  WriteMonitorText(text, view, heard);
  return BytesOf(text);
}
