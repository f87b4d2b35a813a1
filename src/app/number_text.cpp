#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

bool IsSkippedBlank(QChar c) {
  return c == u' ' || c == u'\t' || c == u'\n';
}
bool IsDigit(QChar c) {
  return c >= u'0' && c <= u'9';
}

// Copies the characters that form the leading number, blanks removed, into plain ASCII.
std::string LeadingNumberChars(QStringView text) {
  std::string out;
  bool seenDigit = false, seenPoint = false, inExponent = false, expSign = false;
  for (QChar c : text) {
    if (IsSkippedBlank(c)) continue;
    const bool start = out.empty();
    if (IsDigit(c)) {
      seenDigit = true;
      expSign = false;
      out += char(c.unicode());
    } else if (start && (c == u'+' || c == u'-')) {
      out += char(c.unicode());
    } else if (c == u'.' && !seenPoint && !inExponent) {
      seenPoint = true;
      out += '.';
    } else if (seenDigit && !inExponent && (c == u'e' || c == u'E' || c == u'd' || c == u'D')) {
      inExponent = expSign = true;
      out += 'e';
    } else if (expSign && (c == u'+' || c == u'-')) {
      expSign = false;
      out += char(c.unicode());
    } else {
      break;
    }
  }
  return out;
}

// Most fields are a few plain digits: read those without the general parser.
std::optional<double> PlainInteger(const std::string& s) {
  size_t i = (!s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0;
  if (i == s.size() || s.size() - i > 15) return std::nullopt;
  int64_t value = 0;
  for (size_t k = i; k < s.size(); ++k) {
    if (s[k] < '0' || s[k] > '9') return std::nullopt;
    value = value * 10 + (s[k] - '0');
  }
  return s[0] == '-' ? -double(value) : double(value);
}

// from_chars wants no leading '+' and a complete exponent.
double ParseAscii(std::string s) {
  if (const auto plain = PlainInteger(s)) return *plain;
  if (!s.empty() && s.back() == 'e') s.pop_back();
  if (s.size() >= 2 && s.back() != 'e' && (s.back() == '+' || s.back() == '-') &&
      s[s.size() - 2] == 'e')
    s.resize(s.size() - 2);
  if (!s.empty() && s[0] == '+') s.erase(0, 1);
  double value = 0;
  const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec == std::errc::result_out_of_range) {
    const bool negative = !s.empty() && s[0] == '-';
    const bool hugeExponent = s.find("e-") == std::string::npos;
    if (!hugeExponent) return negative ? -0.0 : 0.0;
    return negative ? -HUGE_VAL : HUGE_VAL;
  }
  if (ec != std::errc()) return 0;
  (void)ptr;
  return value;
}

// The common case read at once: an optional sign and up to 15 digits, nothing else.
std::optional<double> PlainDigits(QStringView text) {
  const bool signed_ = !text.isEmpty() && (text[0] == u'-' || text[0] == u'+');
  const qsizetype first = signed_ ? 1 : 0;
  if (text.size() == first || text.size() - first > 15) return std::nullopt;
  int64_t value = 0;
  for (qsizetype i = first; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
  }
  return text[0] == u'-' ? -double(value) : double(value);
}

}  // namespace

double ReadLeadingNumber(QStringView text) {
  if (const auto plain = PlainDigits(text)) return *plain;
  return ParseAscii(LeadingNumberChars(text));
}

bool HasLeadingNumber(QStringView text) {
  const std::string chars = LeadingNumberChars(text);
  return std::any_of(chars.begin(), chars.end(), [](char c) { return c >= '0' && c <= '9'; });
}

double RoundHalfEven(double x) {
  return std::nearbyint(x);
}

QString FormatPlainNumber(float value) {
  if (!std::isfinite(value) || value == 0) return QStringLiteral("0");
  constexpr int SignificantDigits = 7;
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value),
                                 std::chars_format::scientific, SignificantDigits - 1);
  const std::string sci(buf, res.ptr);  // "-d.dddddde+XX"
  const bool negative = sci[0] == '-';
  const size_t ePos = sci.find('e');
  std::string digits;
  for (size_t i = negative ? 1 : 0; i < ePos; ++i)
    if (sci[i] != '.') digits += sci[i];
  const int exponent = std::stoi(sci.substr(ePos + 1));
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out;
  const int pointAfter = exponent + 1;  // digits before the decimal point
  if (pointAfter <= 0) {
    out = "0." + std::string(size_t(-pointAfter), '0') + digits;
  } else if (size_t(pointAfter) >= digits.size()) {
    out = digits + std::string(size_t(pointAfter) - digits.size(), '0');
  } else {
    out = digits.substr(0, size_t(pointAfter)) + "." + digits.substr(size_t(pointAfter));
  }
  return QString::fromLatin1((negative ? "-" : "") + out);
}
