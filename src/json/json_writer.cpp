#include "json_writer.h"

#include <algorithm>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr bool NeedsEscape(unsigned char b) {
  return b < 0x20 || b == '"' || b == '\\' || b == 0x7f;
}

// Eight UTF-16 units at once: their low bytes are written (eight bytes, whatever the units),
// and the number of leading units that JSON takes as they are (printable ASCII, no quote or
// backslash) is returned; 8 when all are.
int PutPlainOfEight(char* w, const char16_t* p) {
#if defined(__SSE2__)
  const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  // Compared as signed: units from 0x8000 up read as negative and fall under "below 0x20".
  const __m128i control = _mm_cmplt_epi16(x, _mm_set1_epi16(0x20));
  const __m128i beyond = _mm_cmpgt_epi16(x, _mm_set1_epi16(0x7E));
  const __m128i quote = _mm_cmpeq_epi16(x, _mm_set1_epi16('"'));
  const __m128i backslash = _mm_cmpeq_epi16(x, _mm_set1_epi16('\\'));
  const __m128i careful =
      _mm_or_si128(_mm_or_si128(control, beyond), _mm_or_si128(quote, backslash));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(w), _mm_packus_epi16(x, x));
  const auto mask = unsigned(_mm_movemask_epi8(careful));  // two bits a unit
  return mask == 0 ? 8 : __builtin_ctz(mask) / 2;
#else
  int plain = 0;
  while (plain < 8 && p[plain] >= 0x20 && p[plain] <= 0x7E && p[plain] != '"' && p[plain] != '\\') {
    w[plain] = char(p[plain]);
    ++plain;
  }
  return plain;
#endif
}

// Writes the UTF-8 of a character outside ASCII and outside the surrogates.
char* PutUtf8(char* w, char16_t c) {
  if (c < 0x800) {
    *w++ = char(0xC0 | (c >> 6));
  } else {
    *w++ = char(0xE0 | (c >> 12));
    *w++ = char(0x80 | ((c >> 6) & 0x3F));
  }
  *w++ = char(0x80 | (c & 0x3F));
  return w;
}

// The escape of a byte JSON does not take as it is: at most six bytes.
char* PutEscaped(char* w, char c) {
  char shortForm = 0;
  switch (c) {
    case '"':
    case '\\':
      shortForm = c;
      break;
    case '\n':
      shortForm = 'n';
      break;
    case '\r':
      shortForm = 'r';
      break;
    case '\t':
      shortForm = 't';
      break;
    default:
      break;
  }
  if (shortForm != 0) {
    *w++ = '\\';
    *w++ = shortForm;
    return w;
  }
  static const char hex[] = "0123456789abcdef";
  const auto b = static_cast<unsigned char>(c);
  for (char e : {'\\', 'u', '0', '0', hex[b >> 4], hex[b & 0xf]}) *w++ = e;
  return w;
}

// Text with characters outside the Basic Multilingual Plane, or broken: Qt encodes it.
std::string QuotedThroughQt(const QString& text) {
  std::string out = "\"";
  for (char c : text.toUtf8()) {
    if (NeedsEscape(static_cast<unsigned char>(c))) {
      char escaped[6];
      out.append(escaped, size_t(PutEscaped(escaped, c) - escaped));
    } else {
      out += c;
    }
  }
  return out += '"';
}

}  // namespace

void JsonWriter::Grow(size_t needed) {
  const size_t capacity = std::max(needed, 2 * capacity_);
  auto bigger = std::make_unique<char[]>(capacity);
  if (size_ > 0) std::memcpy(bigger.get(), text_.get(), size_);
  text_ = std::move(bigger);
  capacity_ = capacity;
}

// The text in quotes, as UTF-8, written straight into the output: at most six bytes (an escape)
// for each UTF-16 unit, and room for a last group of eight. The plain run before each character
// that needs care is found eight units at a time; the few last units are looked at from a
// copy padded with plain ones.
void JsonWriter::AppendQuoted(const QString& text) {
  const qsizetype n = text.size();
  const char16_t* p = reinterpret_cast<const char16_t*>(text.constData());
  char* w = Room(6 * size_t(n) + 10);
  *w++ = '"';
  for (qsizetype i = 0; i < n;) {
    int plain;
    if (i + 8 <= n) {
      plain = PutPlainOfEight(w, p + i);
    } else {
      char16_t last[8] = {'a', 'a', 'a', 'a', 'a', 'a', 'a', 'a'};
      for (qsizetype k = i; k < n; ++k) last[k - i] = p[k];
      plain = int(std::min<qsizetype>(PutPlainOfEight(w, last), n - i));
    }
    w += plain;
    i += plain;
    if (plain == 8 || i == n) continue;
    const char16_t c = p[i++];  // the character that needs care
    if (c < 0x80) {
      w = PutEscaped(w, char(c));
    } else if (!QChar::isSurrogate(c)) {
      w = PutUtf8(w, c);
    } else {  // nothing written counts yet: the whole text goes through Qt
      const std::string quoted = QuotedThroughQt(text);
      return Put(quoted.data(), quoted.size());
    }
  }
  *w++ = '"';
  Advance(w);
}

void JsonWriter::PutQuotedName(const char* name) {
  const size_t n = std::strlen(name);
  char* w = Room(n + 2);
  *w++ = '"';
  std::memcpy(w, name, n);
  w += n;
  *w++ = '"';
  Advance(w);
}

void JsonWriter::PutInt(int64_t value) {
  constexpr size_t Longest = 24;
  char* w = Room(Longest);
  Advance(std::to_chars(w, w + Longest, value).ptr);
}

void JsonWriter::PutFloat(float value) {
  uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  if (!floatTexts_) floatTexts_ = std::make_unique<FloatTexts>();
  FloatText& known = (*floatTexts_)[(bits * 2654435761u) >> (32 - FloatTextBits)];
  if (known.size == 0 || known.bits != bits) {
    known.bits = bits;
    known.size =
        uint8_t(std::to_chars(known.text, known.text + sizeof known.text, value).ptr - known.text);
  }
  Put(known.text, known.size);
}

void JsonWriter::PutDouble(double value) {
  constexpr size_t Longest = 32;
  char* w = Room(Longest);
  Advance(std::to_chars(w, w + Longest, value).ptr);
}
