#include "weather_field.h"

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

}  // namespace

bool IsNumericText(QStringView text, QChar userDecimal) {
  NumericScanner scanner(userDecimal);
  for (QChar c : text) scanner.Feed(c);
  return scanner.Numeric();
}

int16_t ReadWeatherField(QString& text, QChar letter, int width, QChar userDecimal) {
  const qsizetype p = text.indexOf(letter);
  if (p < 0) return MissingField;
  const qsizetype start = p + 1;
  const QStringView slice = QStringView(text).mid(start, width);
  if (!IsNumericText(slice, userDecimal)) {
    if (AllDots(slice, width)) text.remove(p, 1 + width);
    return MissingField;
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
  const auto value = ToInt16(ReadLeadingNumber(QStringView(text).mid(start, n)));
  text.remove(p, 1 + n);
  return value ? *value : MissingField;
}
