#include "packet_decoder.h"

#include <QTime>

#include "agw_frame.h"
#include "frame_dispatcher.h"
#include "report_json.h"
#include "windows1252.h"

namespace {

constexpr uint64_t FnvOffset = 14695981039346656037ull;
constexpr uint64_t FnvPrime = 1099511628211ull;

// Windows-1252 bytes over `text`, which keeps its memory when it is not shared.
void AssignWindows1252(QString& text, std::string_view bytes) {
  text.resize(qsizetype(bytes.size()));
  QChar* to = text.data();
  for (char b : bytes) *to++ = FromWindows1252(b);
}

}  // namespace

size_t WholePacketDecoder::CallHash::operator()(const QString& call) const {
  uint64_t h = FnvOffset;
  for (QChar c : call) h = (h ^ c.unicode()) * FnvPrime;
  return size_t(h);
}

WholePacketDecoder::WholePacketDecoder(const DecodeOptions& options)
    : stationCall_(options.settings.StationCall),
      fmt_(options.locale),
      settings_(options.settings) {}

bool WholePacketDecoder::Decode(const Tnc2PacketView& packet, std::string& out) {
  // The frame an engine would deliver for the packet: the dispatcher's own rules then decide,
  // as in the window, what reaches the decoder.
  WriteMonitorText(monitorText_, packet, QTime(0, 0));
  const AgwFrameView frame{'U', StationKey(packet), monitorText_};
  AssignWindows1252(from_, frame.callFrom);
  const DispatchResult r =
      HandleAgwFrame(frame, stationCall_.isEmpty() ? from_ : stationCall_, true);
  if (!r.report) return false;
  const auto entry = stations_.try_emplace(from_).first;
  settings_.StationCall = entry->first;  // the call the tooltip names
  const ReportOutcome outcome = OnReport(entry->second, *r.report, settings_, fmt_);
  json_.Clear();
  json_.BeginObject().String("from", entry->first);
  WriteReportJson(json_, entry->second, outcome);
  const std::string_view text = json_.EndObject().View();
  out.append(text.data(), text.size());
  out += '\n';
  return true;
}

std::string_view StationKey(const Tnc2PacketView& packet) {
  return packet.from.substr(0, AgwCallFromSize);
}

size_t DecoderFor(std::string_view stationKey, size_t count) {
  uint64_t h = FnvOffset;
  for (char c : stationKey) h = (h ^ static_cast<unsigned char>(c)) * FnvPrime;
  return size_t(h % count);
}
