#include "weather_field.h"

#include <optional>

#include "number_text.h"

namespace {

// Follows a text one character at a time and tells whether what it has seen so far is numeric.
class NumericScanner {
 public:
  explicit NumericScanner(QChar userDecimal) : userDecimal_(userDecimal) {}

  void Feed(QChar c) {
    const bool blank = c == u' ';
    const bool digit = c >= u'0' && c <= u'9';
    const bool separator = c == u'.' || c == userDecimal_;
    switch (phase_) {
      case Phase::Leading:
        if (blank) return;
        if (c == u'+' || c == u'-') return void(phase_ = Phase::AfterSign);
        [[fallthrough]];
      case Phase::AfterSign:
      case Phase::Number:
        if (digit) return void((digits_ = true, phase_ = Phase::Number));
        if (separator && !separator_) return void((separator_ = true, phase_ = Phase::Number));
        if (blank && phase_ == Phase::Number) return void(phase_ = Phase::Trailing);
        return void(phase_ = Phase::Dead);
      case Phase::Trailing:
        if (!blank) phase_ = Phase::Dead;
        return;
      case Phase::Dead:
        return;
    }
  }

  bool Numeric() const { return digits_ && (phase_ == Phase::Number || phase_ == Phase::Trailing); }

 private:
  enum class Phase { Leading, AfterSign, Number, Trailing, Dead };
  QChar userDecimal_;
  Phase phase_ = Phase::Leading;
  bool digits_ = false;
  bool separator_ = false;
};

bool AllDots(QStringView s, int width) {
  if (s.size() != width) return false;
  for (QChar c : s)
    if (c != u'.') return false;
  return true;
}

bool IsDigit(QChar c) {
  return c >= u'0' && c <= u'9';
}

// What most fields are: at least `width` plain digits, followed by a character that cannot
// lengthen them (not a separator or blank). Read at once: the value (MissingField when it does
// not fit 16 bits) and the number of digits.
struct PlainDigits {
  int16_t value;
  qsizetype length;
};
std::optional<PlainDigits> PlainField(QStringView text, qsizetype start, int width,
                                      QChar userDecimal) {
  constexpr qsizetype MostPlainDigits = 9;  // an int holds them
  int value = 0;
  qsizetype end = start;
  while (end < text.size() && IsDigit(text[end])) {
    if (end - start == MostPlainDigits) return std::nullopt;
    value = value * 10 + (text[end++].unicode() - u'0');
  }
  if (end - start < width) return std::nullopt;
  if (end < text.size() && (text[end] == u'.' || text[end] == userDecimal || text[end] == u' '))
    return std::nullopt;
  return PlainDigits{value <= INT16_MAX ? static_cast<int16_t>(value) : MissingField, end - start};
}

}  // namespace

bool IsNumericText(QStringView text, QChar userDecimal) {
  qsizetype digits = 0;  // plain digits, the common case, need no scanner
  while (digits < text.size() && IsDigit(text[digits])) ++digits;
  if (digits > 0 && digits == text.size()) return true;
  NumericScanner scanner(userDecimal);
  for (QChar c : text) scanner.Feed(c);
  return scanner.Numeric();
}

WeatherFieldRead FindWeatherField(QStringView text, QChar letter, int width, QChar userDecimal) {
  qsizetype p = 0;
  while (p < text.size() && text[p] != letter) ++p;  // reports are short: a plain walk beats a call
  if (p == text.size()) return {};
  const qsizetype start = p + 1;
  if (const auto plain = PlainField(text, start, width, userDecimal))
    return {plain->value, p, 1 + plain->length};
  const QStringView slice = text.mid(start, width);
  if (!IsNumericText(slice, userDecimal)) {
    if (AllDots(slice, width)) return {MissingField, p, 1 + width};
    return {};
  }
  // The field grows past its minimum width while the longer slice is still a number.
  NumericScanner scanner(userDecimal);
  for (QChar c : slice) scanner.Feed(c);
  qsizetype n = width;
  while (start + n < text.size()) {
    scanner.Feed(text[start + n]);
    if (!scanner.Numeric()) break;
    ++n;
  }
  const auto value = ToInt16(ReadLeadingNumber(text.mid(start, n)));
  return {value ? *value : MissingField, p, 1 + n};
}

int16_t ReadWeatherField(QString& text, QChar letter, int width, QChar userDecimal) {
  const WeatherFieldRead read = FindWeatherField(text, letter, width, userDecimal);
  if (read.at >= 0) text.remove(read.at, read.length);
  return read.value;
}
