// Fuzz target: arbitrary report texts through the field reader and the decoder, in three locales.
#include <QLocale>
#include <cstdint>
#include <cstdlib>

#include "report_decoder.h"
#include "weather_field.h"
#include "windows1252.h"

namespace {

bool ShowsNumberFault(const QString& text) {
  return text.contains(QLatin1String("nan"), Qt::CaseInsensitive) ||
         text.contains(QLatin1String("inf"), Qt::CaseInsensitive);
}

void Check(const LabelUpdate& label) {
  if (label.caption && ShowsNumberFault(*label.caption)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const QLocale locales[] = {QLocale::c(), QLocale(QStringLiteral("it_IT")),
                                    QLocale(QStringLiteral("en_US"))};
  const QString text = FromWindows1252(reinterpret_cast<const char*>(data), qsizetype(size));
  Settings settings;
  ApplyDefaultAlarms(settings);
  for (const QLocale& locale : locales) {
    ReportState state;
    for (int i = 0; i < 2; ++i) {  // the second pass exercises the trends
      const ReportOutcome out = DecodeWeatherReport(text, settings, state, locale);
      state = out.after;
      for (const LabelUpdate* label : {&out.WxData, &out.Temp, &out.UR, &out.Press}) Check(*label);
      if (ShowsNumberFault(out.Rain)) std::abort();
    }
  }
  QString field = text;
  const int16_t value = ReadWeatherField(field, u'b', 4);
  if (field.size() > text.size() ||
      (value == MissingField && field.size() != text.size() && !text.contains(u'b')))
    std::abort();
  return 0;
}
