#include "decode_command.h"

#include <QByteArray>
#include <QTime>
#include <cstdio>
#include <string>
#include <string_view>
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

void PrintReport(const JsonWriter& json, std::FILE* out) {
  const std::string_view text = json.View();
  std::fwrite(text.data(), 1, text.size(), out);
  std::fputc('\n', out);
}

int DecodeInformationFields(const DecodeOptions& options, LineReader& reader, std::FILE* out) {
  DisplayState shown;
  const NumberFormat fmt(options.locale);
  JsonWriter json;
  QByteArray line;
  while (reader.Next(line)) {
    const ReportOutcome outcome = OnReport(shown, FromWindows1252(line), options.settings, fmt);
    json.Clear();
    json.BeginObject();
    WriteReportJson(json, shown, outcome);
    PrintReport(json.EndObject(), out);
  }
  return 0;
}

// Windows-1252 bytes over `text`, which keeps its memory when it is not shared.
void AssignWindows1252(QString& text, std::string_view bytes) {
  text.resize(qsizetype(bytes.size()));
  QChar* to = text.data();
  for (char b : bytes) *to++ = FromWindows1252(b);
}

int DecodeWholePackets(const DecodeOptions& options, LineReader& reader, std::FILE* out,
                       std::FILE* err) {
  std::unordered_map<QString, DisplayState> stations;  // trends never cross stations
  const NumberFormat fmt(options.locale);
  Settings settings = options.settings;
  quint64 notPackets = 0;
  std::string_view line;
  std::string monitorText;
  QString from;
  JsonWriter json;
  while (reader.Next(line)) {
    const auto packet = ViewTnc2(line);
    if (!packet) {
      ++notPackets;
      continue;
    }
    // The frame an engine would deliver for the packet (AGWPE's header holds 10 bytes of the
    // call): the dispatcher's own rules then decide, as in the window, what reaches the decoder.
    WriteMonitorText(monitorText, *packet, QTime(0, 0));
    const AgwFrameView frame{'U', packet->from.substr(0, AgwCallFromSize), monitorText};
    AssignWindows1252(from, frame.callFrom);
    const QString& station = options.settings.StationCall;
    const DispatchResult r = HandleAgwFrame(frame, station.isEmpty() ? from : station, true);
    if (!r.report) continue;
    const auto entry = stations.try_emplace(from).first;
    settings.StationCall = entry->first;  // the call the tooltip names
    const ReportOutcome outcome = OnReport(entry->second, *r.report, settings, fmt);
    json.Clear();
    json.BeginObject().String("from", entry->first);
    WriteReportJson(json, entry->second, outcome);
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
