// Numbers on the window's labels, as QLocale::toString(x, 'f', decimals) writes them, without
// QLocale's cost for the regional formats whose rules are known here.
#pragma once

#include <QLocale>
#include <QString>

#include "text_builder.h"

class NumberFormat {
 public:
  explicit NumberFormat(const QLocale& locale);

  // x with exactly `decimals` decimals (0 to 9): the locale's decimal separator, groups of three
  // digits where the locale groups, a minus for every x below zero (also when it rounds to 0),
  // exact halves away from zero; the same text as QLocale, character for character.
  QString Fixed(double x, int decimals) const;
  // The same text, appended.
  void AppendFixed(TextBuilder& out, double x, int decimals) const;
  void AppendFixed(TextBuilder& out, float x, int decimals) const;  // readings are floats

  // The locale's decimal separator ("." when the locale names none).
  QChar DecimalPoint() const { return QChar(decimal_); }
  // Whether the locale's rules are known here (C, en_US, it_IT, de_DE, fr_FR, de_CH); any other
  // locale is handed to QLocale.
  bool Native() const { return native_; }
  const QLocale& Locale() const { return locale_; }

 private:
  // The native rules: the quick way when it applies, else the exact decimal expansion.
  bool AppendScaled(TextBuilder& out, double x, int decimals) const;
  void AppendExpanded(TextBuilder& out, double x, int decimals) const;
  // The rounded digits of |x|, whole part then `decimals` decimals, from its exact expansion.
  static void ExpandedDigits(double x, int decimals, char* digits, qsizetype& n);
  void Compose(TextBuilder& out, bool negative, const char* digits, qsizetype n,
               int decimals) const;

  QLocale locale_;
  bool native_ = false;
  char16_t decimal_ = u'.';
  char16_t group_ = 0;  // 0: no grouping
  char16_t minus_ = u'-';
};
