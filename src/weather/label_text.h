// How numbers appear on the window's labels: the user's regional format.
#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>

#include "text_builder.h"

// x with exactly `decimals` decimals, the locale's separator, grouping and minus sign.
QString FormatNumber(const QLocale& locale, double x, int decimals);

// A whole number with at least three digits: 7 -> "007", -5 -> "-005".
QString FormatThreeDigits(int16_t value);
void AppendThreeDigits(TextBuilder& out, int16_t value);

// A whole number as plain digits, "-" before a negative one: -12 -> "-12".
void AppendInteger(TextBuilder& out, int value);

// Two digits with a leading zero: 1 -> "01".
QString FormatTwoDigits(int value);
