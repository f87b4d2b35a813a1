#include "decode_command.h"

#include <QByteArray>
#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <thread>

#include "display_state.h"
#include "line_reader.h"
#include "packet_decoder.h"
#include "report_json.h"
#include "sharded_decode.h"
#include "tnc2_packet.h"
#include "windows1252.h"

namespace {

constexpr size_t OutputPieceBytes = 64 * 1024;

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

quint64 DecodeOnOneThread(const DecodeOptions& options, LineReader& reader, std::FILE* out) {
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
      std::fwrite(text.data(), 1, text.size(), out);
      text.clear();
    }
  }
  std::fwrite(text.data(), 1, text.size(), out);
  return notPackets;
}

int DecodeWholePackets(const DecodeOptions& options, LineReader& reader, std::FILE* out,
                       std::FILE* err) {
  const int threads = options.threads > 0 ? options.threads : DefaultDecodeThreads();
  const quint64 notPackets = threads == 1 ? DecodeOnOneThread(options, reader, out)
                                          : DecodeOnThreads(options, threads, reader, out);
  if (notPackets > 0)
    std::fprintf(err, "ventora-cli: %llu lines were not packets and were skipped\n",
                 static_cast<unsigned long long>(notPackets));
  return 0;
}

}  // namespace

int DefaultDecodeThreads() {
  return int(std::clamp(std::thread::hardware_concurrency(), 1u, unsigned(MostDecodeThreads)));
}

int RunDecode(const DecodeOptions& options, std::FILE* in, std::FILE* out, std::FILE* err) {
  LineReader reader(in);
  const int status = options.tnc2 ? DecodeWholePackets(options, reader, out, err)
                                  : DecodeInformationFields(options, reader, out);
  std::fflush(out);
  return status;
}
