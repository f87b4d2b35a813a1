#include "decode_command.h"

#include <QByteArray>
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <thread>

#include "checked_output.h"
#include "display_state.h"
#include "line_reader.h"
#include "packet_decoder.h"
#include "report_json.h"
#include "sharded_decode.h"
#include "tnc2_packet.h"
#include "windows1252.h"

namespace {

constexpr size_t OutputPieceBytes = 64 * 1024;
constexpr int WriteFailedExit = 1;

bool PrintReport(const JsonWriter& json, CheckedOutput& out) {
  return out.Write(json.View()) && out.Write("\n");
}

void DecodeInformationFields(const DecodeOptions& options, LineReader& reader, CheckedOutput& out) {
  DisplayState shown;
  const CaptionFormat format(options.locale);
  JsonWriter json;
  QByteArray line;
  while (reader.Next(line)) {
    const ReportOutcome outcome = OnReport(shown, FromWindows1252(line), options.settings, format);
    json.Clear();
    json.BeginObject();
    WriteReportJson(json, shown, outcome);
    if (!PrintReport(json.EndObject(), out)) return;
  }
}

quint64 DecodeOnOneThread(const DecodeOptions& options, LineReader& reader, CheckedOutput& out) {
  WholePacketDecoder decoder(options);
  quint64 notPackets = 0;
  std::string_view line;
  std::string text;  // written out a large piece at a time: one write, not one per 4 KB
  while (reader.Next(line)) {
    const auto packet = ViewTnc2(line);
    if (!packet) {
      ++notPackets;
      continue;
    }
    decoder.Decode(*packet, text);
    if (text.size() >= OutputPieceBytes) {
      if (!out.Write(text)) return notPackets;
      text.clear();
    }
  }
  (void)out.Write(text);  // a failure stays in `out` for the caller
  return notPackets;
}

quint64 DecodeWholePackets(const DecodeOptions& options, LineReader& reader, CheckedOutput& out) {
  const int threads = options.threads > 0 ? options.threads : DefaultDecodeThreads();
  return threads == 1 ? DecodeOnOneThread(options, reader, out)
                      : DecodeOnThreads(options, threads, reader, out);
}

void Say(std::FILE* err, const char* what, quint64 lines) {
  if (lines > 0)
    std::fprintf(err, "ventora-cli: %llu %s\n", static_cast<unsigned long long>(lines), what);
}

}  // namespace

int DefaultDecodeThreads() {
  return int(std::clamp(std::thread::hardware_concurrency(), 1u, unsigned(MostDecodeThreads)));
}

int RunDecode(const DecodeOptions& options, std::FILE* in, std::FILE* out, std::FILE* err) {
  LineReader reader(in);
  CheckedOutput output(out);
  quint64 notPackets = 0;
  if (options.tnc2)
    notPackets = DecodeWholePackets(options, reader, output);
  else
    DecodeInformationFields(options, reader, output);
  if (!output.Flush()) {
    std::fprintf(err, "ventora-cli: cannot write the output: %s\n", output.Error());
    return WriteFailedExit;
  }
  char longer[96];
  std::snprintf(longer, sizeof longer, "lines longer than %zu bytes were skipped",
                size_t(LineReader::LongestLineBytes));
  Say(err, longer, reader.SkippedLines());
  Say(err, "lines were not packets and were skipped", notPackets);
  return 0;
}
