#include "decode_command.h"

#include <QByteArray>
#include <QTime>
#include <cstdio>
#include <unordered_map>

#include "agw_frame.h"
#include "display_state.h"
#include "frame_dispatcher.h"
#include "line_reader.h"
#include "report_decoder.h"
#include "report_json.h"
#include "tnc2_packet.h"
#include "windows1252.h"

namespace {

void PrintReport(JsonWriter& json, std::FILE* out) {
  const std::string_view text = json.View();
  std::fwrite(text.data(), 1, text.size(), out);
  std::fputc('\n', out);
}

int DecodeInformationFields(const DecodeOptions& options, LineReader& reader, std::FILE* out) {
  DisplayState shown;
  QByteArray line;
  while (reader.Next(line)) {
    const ReportOutcome outcome =
        OnReport(shown, FromWindows1252(line), options.settings, options.locale);
    JsonWriter json;
    json.BeginObject();
    WriteReportJson(json, shown, outcome);
    PrintReport(json.EndObject(), out);
  }
  return 0;
}

// The frame an engine would deliver for the packet: the dispatcher's own rules then decide,
// exactly as in the window, which line (if any) reaches the decoder.
std::optional<QString> ReportTheWindowWouldDecode(const Tnc2Packet& packet,
                                                  const QString& stationCall, QString& from) {
  QByteArray header = EncodeAgwRequest('U');
  header.replace(AgwCallFromOffset, qMin<qsizetype>(packet.from.size(), AgwCallFromSize),
                 packet.from.left(AgwCallFromSize));
  AgwFrame frame = ReadAgwHeader(header.constData());
  frame.data = MonitorText(packet, QTime(0, 0));
  from = frame.callFrom;
  const DispatchResult r =
      HandleAgwFrame(frame, stationCall.isEmpty() ? frame.callFrom : stationCall, true);
  return r.report;
}

int DecodeWholePackets(const DecodeOptions& options, LineReader& reader, std::FILE* out,
                       std::FILE* err) {
  std::unordered_map<QString, DisplayState> stations;  // trends never cross stations
  quint64 notPackets = 0;
  QByteArray line;
  QString from;
  while (reader.Next(line)) {
    const auto packet = ParseTnc2(line);
    if (!packet) {
      ++notPackets;
      continue;
    }
    const auto report = ReportTheWindowWouldDecode(*packet, options.settings.StationCall, from);
    if (!report) continue;
    Settings settings = options.settings;
    settings.StationCall = from;  // the call the tooltip names
    DisplayState& shown = stations[from];
    const ReportOutcome outcome = OnReport(shown, *report, settings, options.locale);
    JsonWriter json;
    json.BeginObject().String("from", from);
    WriteReportJson(json, shown, outcome);
    PrintReport(json.EndObject(), out);
  }
  if (notPackets > 0)
    std::fprintf(err, "ventora-cli: %llu lines were not packets and were skipped\n",
                 static_cast<unsigned long long>(notPackets));
  return 0;
}

}  // namespace

int RunDecode(const DecodeOptions& options, std::FILE* in, std::FILE* out, std::FILE* err) {
  LineReader reader(in);
  const int status = options.tnc2 ? DecodeWholePackets(options, reader, out, err)
                                  : DecodeInformationFields(options, reader, out);
  std::fflush(out);
  return status;
}
