#include "number_format.h"

#include <charconv>
#include <cmath>

namespace {

// Locales whose numbers are Latin digits in groups of three from the first thousand.
bool KnownRules(const QLocale& locale) {
  static const char* const known[] = {"C", "en_US", "it_IT", "de_DE", "fr_FR", "de_CH"};
  const QString name = locale.name();
  for (const char* k : known)
    if (name == QLatin1String(k)) return true;
  return false;
}

// Enough decimals to hold every binary fraction of a float at or above 2^-30 exactly; smaller
// values can never be a tie at 9 decimals or fewer.
constexpr int ExactDecimals = 40;
constexpr int MostDecimals = 9;

}  // namespace

NumberFormat::NumberFormat(const QLocale& locale) : locale_(locale) {
  native_ = KnownRules(locale) && locale.zeroDigit() == QLatin1String("0") &&
            locale.decimalPoint().size() == 1;
  if (!native_) return;
  decimal_ = locale.decimalPoint()[0];
  if (!(locale.numberOptions() & QLocale::OmitGroupSeparator)) group_ = locale.groupSeparator();
  minus_ = locale.negativeSign();
}

QString NumberFormat::Fixed(double x, int decimals) const {
  // Only values a float holds have the exact short expansion the rounding below relies on.
  const bool single = std::isfinite(x) && double(float(x)) == x;
  if (!native_ || !single || decimals < 0 || decimals > MostDecimals)
    return locale_.toString(x, 'f', decimals);
  return NativeFixed(x, decimals);
}

namespace {

// For floats scaled by at most 100 the product is exact in a double (24 + 7 bits), and so is its
// split into a whole number and a fraction: the digits, rounded, without a decimal expansion.
bool ScaledDigits(double x, int decimals, char* digits, qsizetype& n) {
  constexpr double Limit = 1e15;
  constexpr double Scales[] = {1, 10, 100};
  if (decimals > 2) return false;
  const double y = std::fabs(x) * Scales[decimals];
  if (y >= Limit) return false;
  double whole = std::floor(y);
  if (y - whole >= 0.5) whole += 1;  // an exact half goes away from zero
  const auto end = std::to_chars(digits, digits + 20, static_cast<unsigned long long>(whole)).ptr;
  n = end - digits;
  if (n <= decimals) {  // 0.05 at one decimal: leading zeros
    const qsizetype pad = decimals + 1 - n;
    for (qsizetype i = n - 1; i >= 0; --i) digits[i + pad] = digits[i];
    for (qsizetype i = 0; i < pad; ++i) digits[i] = '0';
    n += pad;
  }
  return true;
}

}  // namespace

QString NumberFormat::NativeFixed(double x, int decimals) const {
  char digits[64 + MostDecimals];
  qsizetype n = 0;
  if (!ScaledDigits(x, decimals, digits, n)) ExpandedDigits(x, decimals, digits, n);
  return Compose(x < 0, digits, n, decimals);
}

void NumberFormat::ExpandedDigits(double x, int decimals, char* digits, qsizetype& n) {
  char exact[64 + ExactDecimals];
  const auto end = std::to_chars(exact, exact + sizeof exact, std::fabs(x),
                                 std::chars_format::fixed, ExactDecimals)
                       .ptr;
  const char* point = exact;
  while (*point != '.') ++point;
  // Digits kept: the whole part and `decimals` decimals; an exact half or more rounds the
  // magnitude up, as QLocale does.
  n = 0;
  for (const char* p = exact; p < point; ++p) digits[n++] = *p;
  for (int i = 1; i <= decimals; ++i) digits[n++] = point[i];
  if (point + decimals + 1 < end && point[decimals + 1] >= '5') {
    qsizetype i = n - 1;
    while (i >= 0 && digits[i] == '9') digits[i--] = '0';
    if (i >= 0) {
      ++digits[i];
    } else {
      for (qsizetype j = n; j > 0; --j) digits[j] = digits[j - 1];
      digits[0] = '1';
      ++n;
    }
  }
}

QString NumberFormat::Compose(bool negative, const char* digits, qsizetype n, int decimals) const {
  const qsizetype whole = n - decimals;
  QString text;
  text.reserve(n + whole / 3 * group_.size() + minus_.size() + 1);
  if (negative) text += minus_;
  for (qsizetype i = 0; i < whole; ++i) {
    if (i > 0 && (whole - i) % 3 == 0 && !group_.isEmpty()) text += group_;
    text += QLatin1Char(digits[i]);
  }
  if (decimals > 0) {
    text += decimal_;
    for (qsizetype i = whole; i < n; ++i) text += QLatin1Char(digits[i]);
  }
  return text;
}
