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
  const QString point = locale.decimalPoint();
  if (!point.isEmpty()) decimal_ = point[0].unicode();
  const QString group =
      locale.numberOptions() & QLocale::OmitGroupSeparator ? QString() : locale.groupSeparator();
  const QString minus = locale.negativeSign();
  // The separators and the minus of the locales known here are one UTF-16 unit each.
  native_ = KnownRules(locale) && locale.zeroDigit() == QLatin1String("0") && point.size() == 1 &&
            group.size() <= 1 && minus.size() == 1;
  if (!native_) return;
  group_ = group.isEmpty() ? 0 : group[0].unicode();
  minus_ = minus[0].unicode();
}

QString NumberFormat::Fixed(double x, int decimals) const {
  TextBuilder text;
  AppendFixed(text, x, decimals);
  return text.ToString();
}

void NumberFormat::AppendFixed(TextBuilder& out, double x, int decimals) const {
  // Only values a float holds have the exact short expansion the rounding below relies on.
  if (double(float(x)) == x)
    AppendFixed(out, float(x), decimals);
  else
    out << locale_.toString(x, 'f', decimals);
}

void NumberFormat::AppendFixed(TextBuilder& out, float x, int decimals) const {
  if (!native_ || !std::isfinite(x) || decimals < 0 || decimals > MostDecimals)
    out << locale_.toString(double(x), 'f', decimals);
  else if (!AppendScaled(out, x, decimals))
    AppendExpanded(out, x, decimals);
}

void NumberFormat::AppendExpanded(TextBuilder& out, double x, int decimals) const {
  char digits[64 + MostDecimals];
  qsizetype n = 0;
  ExpandedDigits(x, decimals, digits, n);
  Compose(out, x < 0, digits, n, decimals);
}

// For floats scaled by at most 100 the product is exact in a double (24 + 7 bits), and so is its
// split into a whole number and a fraction: the rounded digits come from an integer, written
// from the last one back with the separators between. Larger values take the exact expansion.
namespace {

// The digits of 0 to 99, two by two: half the divisions of one digit at a time.
constexpr char TwoDigits[] =
    "0001020304050607080910111213141516171819202122232425262728293031323334353637383940414243444546"
    "474849"
    "5051525354555657585960616263646566676869707172737475767778798081828384858687888990919293949596"
    "979899";

// Writes the last two digits of `v` before `w` and drops them from `v`.
char16_t* PutTwoDigits(char16_t* w, uint32_t& v) {
  const uint32_t pair = v % 100;
  v /= 100;
  *--w = char16_t(TwoDigits[2 * pair + 1]);
  *--w = char16_t(TwoDigits[2 * pair]);
  return w;
}

}  // namespace

bool NumberFormat::AppendScaled(TextBuilder& out, double x, int decimals) const {
  constexpr double Limit = 4e9;  // the rounded value fits 32 bits
  if (decimals > 2) return false;
  const double y = std::fabs(x) * (decimals == 0 ? 1.0 : decimals == 1 ? 10.0 : 100.0);
  if (!(y < Limit)) return false;
  auto v = static_cast<uint32_t>(y);  // the floor: y is not negative
  if (y - double(v) >= 0.5) v += 1;   // an exact half goes away from zero
  int digits = 1;                     // of v, at least one more than the decimals ("0.5")
  for (uint32_t power = 10; digits < 10 && v >= power; power *= 10) ++digits;
  digits = qMax(digits, decimals + 1);
  const int whole = digits - decimals;
  const int groups = group_ ? (whole - 1) / 3 : 0;
  const bool negative = x < 0;
  const qsizetype length = negative + digits + groups + (decimals > 0 ? 1 : 0);
  char16_t* w = out.Extend(length) + length;  // written from the last digit back
  if (decimals == 2) {
    w = PutTwoDigits(w, v);
  } else if (decimals == 1) {
    *--w = char16_t(u'0' + v % 10);
    v /= 10;
  }
  if (decimals > 0) *--w = decimal_;
  if (groups == 0) {
    int left = whole;
    for (; v >= 10; left -= 2) w = PutTwoDigits(w, v);
    if (left > 0) *--w = char16_t(u'0' + v);  // an odd count of digits: the first alone
  } else {
    for (int i = 0, inGroup = 0; i < whole; ++i, ++inGroup, v /= 10) {
      if (inGroup == 3) {
        *--w = group_;
        inGroup = 0;
      }
      *--w = char16_t(u'0' + v % 10);
    }
  }
  if (negative) *--w = minus_;
  return true;
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

void NumberFormat::Compose(TextBuilder& out, bool negative, const char* digits, qsizetype n,
                           int decimals) const {
  const qsizetype whole = n - decimals;
  const qsizetype groups = group_ ? (whole - 1) / 3 : 0;
  char16_t* w = out.Extend(qsizetype(negative) + n + groups + (decimals > 0 ? 1 : 0));
  if (negative) *w++ = minus_;
  for (qsizetype i = 0; i < whole; ++i) {
    if (groups > 0 && i > 0 && (whole - i) % 3 == 0) *w++ = group_;
    *w++ = char16_t(digits[i]);
  }
  if (decimals > 0) {
    *w++ = decimal_;
    for (qsizetype i = whole; i < n; ++i) *w++ = char16_t(digits[i]);
  }
}
