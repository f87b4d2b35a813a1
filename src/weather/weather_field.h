// Pulls one numeric field (a letter and its value, like t077 or b10132) out of a weather report.
#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <cstdint>

// What the reader returns for an absent, blank, dotted or unreadable field.
inline constexpr int16_t MissingField = -9999;

// A text is numeric when, blanks at either end ignored, it is an optionally signed decimal number:
// digits with at most one separator, which may be "." or the user's decimal separator.
bool IsNumericText(QStringView text, QChar userDecimal = u'.');

// Finds the first `letter` in `text`. A numeric value of at least `width` characters (growing while
// the longer slice stays numeric) is returned rounded to a whole number and cut out of the text
// with its letter; exactly `width` dots are cut out too and give MissingField. Anything else gives
// MissingField and leaves the text alone. A value that does not fit 16 bits counts as missing (and
// is cut out, so that it does not end up in the comment either).
int16_t ReadWeatherField(QString& text, QChar letter, int width, QChar userDecimal = u'.');

// What ReadWeatherField finds, without cutting: the value and the characters to cut out.
struct WeatherFieldRead {
  int16_t value = MissingField;
  qsizetype at = -1;     // where the letter stands; -1: nothing to cut
  qsizetype length = 0;  // the letter and its value
};
WeatherFieldRead FindWeatherField(QStringView text, QChar letter, int width,
                                  QChar userDecimal = u'.');
