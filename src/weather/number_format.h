// Numbers on the window's labels, as QLocale::toString(x, 'f', decimals) writes them, without
// QLocale's cost for the regional formats whose rules are known here.
#pragma once

#include <QLocale>
#include <QString>

class NumberFormat {
 public:
  explicit NumberFormat(const QLocale& locale);

  // x with exactly `decimals` decimals (0 to 9): the locale's decimal separator, groups of three
  // digits where the locale groups, a minus for every x below zero (also when it rounds to 0),
  // exact halves away from zero; the same text as QLocale, character for character.
  QString Fixed(double x, int decimals) const;

  QChar DecimalPoint() const { return decimal_; }
  // Whether the locale's rules are known here (C, en_US, it_IT, de_DE, fr_FR, de_CH); any other
  // locale is handed to QLocale.
  bool Native() const { return native_; }

 private:
  QString NativeFixed(double x, int decimals) const;
  // The rounded digits of |x|, whole part then `decimals` decimals, from its exact expansion.
  static void ExpandedDigits(double x, int decimals, char* digits, qsizetype& n);
  QString Compose(bool negative, const char* digits, qsizetype n, int decimals) const;

  QLocale locale_;
  bool native_ = false;
  QChar decimal_;
  QString group_;  // empty: no grouping
  QString minus_;
};
