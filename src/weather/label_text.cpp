#include "label_text.h"

#include <charconv>
#include <cstdlib>

#include "number_format.h"

QString FormatNumber(const QLocale& locale, double x, int decimals) {
  return NumberFormat(locale).Fixed(x, decimals);
}

QString FormatThreeDigits(int16_t value) {
  TextBuilder text;
  AppendThreeDigits(text, value);
  return text.ToString();
}

void AppendThreeDigits(TextBuilder& out, int16_t value) {
  char digits[8];
  const char* end = std::to_chars(digits, digits + sizeof digits, std::abs(int(value))).ptr;
  if (value < 0) out << u'-';
  for (qsizetype pad = 3 - (end - digits); pad > 0; --pad) out << u'0';
  out << QLatin1String(digits, end - digits);
}

void AppendInteger(TextBuilder& out, int value) {
  char digits[16];
  const char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out << QLatin1String(digits, end - digits);
}

QString FormatTwoDigits(int value) {
  return QString::number(value).rightJustified(2, u'0');
}
