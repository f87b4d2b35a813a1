#include "decode_command.h"

#include <QByteArray>
#include <cstdio>

#include "display_state.h"
#include "line_reader.h"
#include "report_decoder.h"
#include "report_json.h"
#include "windows1252.h"

int RunDecode(const DecodeOptions& options, std::FILE* in, std::FILE* out) {
  DisplayState shown;
  LineReader reader(in);
  QByteArray line;
  while (reader.Next(line)) {
    const ReportOutcome outcome =
        OnReport(shown, FromWindows1252(line), options.settings, options.locale);
    JsonWriter json;
    json.BeginObject();
    WriteReportJson(json, shown, outcome);
    json.EndObject();
    std::fwrite(json.Text().constData(), 1, size_t(json.Text().size()), out);
    std::fputc('\n', out);
  }
  std::fflush(out);
  return 0;
}
