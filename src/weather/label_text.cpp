#include "label_text.h"

#include "number_format.h"

QString FormatNumber(const QLocale& locale, double x, int decimals) {
  return NumberFormat(locale).Fixed(x, decimals);
}

QString FormatThreeDigits(int16_t value) {
  const QString digits = QString::number(std::abs(int(value))).rightJustified(3, u'0');
  return value < 0 ? u'-' + digits : digits;
}

QString FormatTwoDigits(int value) {
  return QString::number(value).rightJustified(2, u'0');
}
