// Fuzz target: arbitrary command-line tails through the parser.
#include <QString>
#include <cstdint>
#include <cstdlib>

#include "command_line.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString tail = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
  const CommandLine line = ParseCommandLine(tail);
  if (line.StationCall != UpperCaseCall(line.StationCall)) std::abort();
  if (line.StationCall.contains(u' ') || line.AgwHost.contains(u' ')) std::abort();
  if (line.AgwHost.isEmpty() && line.StationCall.size() > 9) std::abort();
  if (line.SaveAlarms && line.AgwHost.isEmpty()) std::abort();
  return 0;
}
