#include "packet_decoder.h"

#include <QTime>
#include <algorithm>

#include "agw_frame.h"
#include "frame_dispatcher.h"
#include "report_json.h"
#include "windows1252.h"

namespace {

constexpr uint64_t FnvOffset = 14695981039346656037ull;
constexpr uint64_t FnvPrime = 1099511628211ull;

// The station a packet is kept under: its source call as an AGWPE header holds it.
std::string_view StationKey(std::string_view sourceCall) {
  return sourceCall.substr(0, AgwCallFromSize);
}

uint64_t Fnv1a(std::string_view bytes) {
  uint64_t h = FnvOffset;
  for (char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * FnvPrime;
  return h;
}

}  // namespace

WholePacketDecoder::CallKey::CallKey(std::string_view call)
    : size(uint8_t(std::min(call.size(), sizeof bytes))) {
  std::memcpy(bytes, call.data(), size);
}

size_t WholePacketDecoder::CallHash::operator()(const CallKey& key) const noexcept {
  return size_t(Fnv1a(std::string_view(key.bytes, key.size)));
}

WholePacketDecoder::WholePacketDecoder(const DecodeOptions& options)
    : stationCall_(options.settings.StationCall),
      format_(options.locale),
      settings_(options.settings) {}

bool WholePacketDecoder::Decode(const Tnc2PacketView& packet, std::string& out) {
  // The frame an engine would deliver for the packet: the dispatcher's own rules then decide,
  // as in the window, what reaches the decoder.
  WriteMonitorText(monitorText_, packet, QTime(0, 0));
  const AgwFrameView frame{'U', StationKey(packet.from), monitorText_};
  QString& from = settings_.StationCall;
  AssignWindows1252(from, frame.callFrom.data(), qsizetype(frame.callFrom.size()));
  const DispatchResult r =
      HandleAgwFrame(frame, stationCall_.isEmpty() ? from : stationCall_, true);
  if (!r.report) return false;
  DisplayState& shown = stations_.try_emplace(CallKey(frame.callFrom)).first->second;
  // A log has no clock: each report comes as if the minute tick had opened the gate since
  // the station's last one, as the dispatcher was told above.
  shown.report.AcceptReport = true;
  const ReportOutcome outcome = OnReport(shown, *r.report, settings_, format_);
  json_.Clear();
  json_.BeginObject().String("from", from);
  WriteReportJson(json_, shown, outcome);
  const std::string_view text = json_.EndObject().View();
  out.append(text.data(), text.size());
  out += '\n';
  return true;
}

size_t DecoderForLine(std::string_view line, size_t count) {
  return size_t(Fnv1a(StationKey(line.substr(0, line.find('>')))) % count);
}
