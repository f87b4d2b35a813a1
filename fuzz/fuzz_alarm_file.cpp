// Fuzz target: arbitrary alarm files through the reader; what is read must write and read back.
#include <QByteArray>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "alarm_settings_file.h"

namespace {

bool Near(float a, float b) {
  return a == b || std::fabs(a - b) <= 1e-6f * std::fabs(a) + 1e-30f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray file(reinterpret_cast<const char*>(data), qsizetype(size));
  const auto read = ParseAlarmSettings(file, Settings());
  if (!read) return 0;
  const QByteArray written = FormatAlarmSettings(*read);
  const QByteArray numbers = written.mid(written.indexOf('\n') + 1);  // after the truth values
  if (numbers.contains('e') || numbers.contains('E') || written.contains(' '))
    std::abort();  // never an exponent, never a blank
  const auto back = ParseAlarmSettings(written, Settings());
  if (!back) std::abort();
  const float a[] = {read->LoTemp,     read->HiTemp,   read->LoBaro, read->HiBaro,
                     read->HiRainHour, read->HiRain24, read->HiWind, read->HiGust};
  const float b[] = {back->LoTemp,     back->HiTemp,   back->LoBaro, back->HiBaro,
                     back->HiRainHour, back->HiRain24, back->HiWind, back->HiGust};
  for (int i = 0; i < 8; ++i)
    if (!Near(a[i], b[i])) std::abort();
  if (read->LoHum != back->LoHum || read->HiHum != back->HiHum ||
      read->BeepOnData != back->BeepOnData || read->FocusOnAlarm != back->FocusOnAlarm)
    std::abort();
  return 0;
}
