// Numbers as the program reads and writes them in files and boxes: "." decimal whatever the locale.
#pragma once

#include <QString>
#include <QStringView>
#include <cmath>
#include <cstdint>
#include <optional>

// The leading number of a text: blanks, tabs and line feeds are skipped wherever they stand, an
// optional sign, digits with one ".", an optional exponent (E or D). Reading stops at the first
// character that cannot continue the number; no number gives 0. Never depends on the C locale.
// A number too large for a double gives an infinity; callers that store it must check.
double ReadLeadingNumber(QStringView text);
// Whether the text starts with a number ReadLeadingNumber reads, rather than its "no number" 0.
bool HasLeadingNumber(QStringView text);

// Nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double RoundHalfEven(double x);

// The nearest 16-bit integer (halves to even), or nothing when the rounded value does not fit.
// Inline: every weather field goes through it.
inline std::optional<int16_t> ToInt16(double x) {
  const double r = std::nearbyint(x);
  if (!(r >= INT16_MIN && r <= INT16_MAX)) return std::nullopt;
  return static_cast<int16_t>(r);
}

// Plain decimal with "." and at most 7 significant digits, trailing zeros dropped, no exponent
// ever: 12.3f -> "12.3", 40 -> "40", -5 -> "-5", 0.5 -> "0.5", 1e8 -> "100000000".
QString FormatPlainNumber(float value);
