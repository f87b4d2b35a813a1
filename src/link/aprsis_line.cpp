#include "aprsis_line.h"

AprsIsLine ReadAprsIsLine(const QByteArray& line) {
  if (line.size() > AprsIsMaxLine) return {AprsIsLineKind::TooLong, std::nullopt};
  if (line.contains('\0') || line.contains('\r')) return {AprsIsLineKind::NotText, std::nullopt};
  if (line.startsWith('#')) return {AprsIsLineKind::Comment, std::nullopt};
  auto packet = ParseTnc2(line);
  if (!packet) return {AprsIsLineKind::NotAPacket, std::nullopt};
  return {AprsIsLineKind::Packet, std::move(packet)};
}
