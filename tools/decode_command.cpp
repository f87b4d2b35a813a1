#include "decode_command.h"

#include <sys/types.h>
#include <QByteArray>
#include <cstdio>

#include "display_state.h"
#include "report_decoder.h"
#include "report_json.h"
#include "windows1252.h"

namespace {

// One input line without its LF or CR LF; false at the end of the input.
bool ReadLine(std::FILE* in, QByteArray& line) {
  static char* buffer = nullptr;  // getline's buffer, reused for every line
  static size_t capacity = 0;
  const ssize_t n = getline(&buffer, &capacity, in);
  if (n < 0) return false;
  line = QByteArray(buffer, n);
  if (line.endsWith('\n')) {
    line.chop(1);
    if (line.endsWith('\r')) line.chop(1);
  }
  return true;
}

}  // namespace

int RunDecode(const DecodeOptions& options, std::FILE* in, std::FILE* out) {
  DisplayState shown;
  QByteArray line;
  while (ReadLine(in, line)) {
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
