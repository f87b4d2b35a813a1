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

// Which UTF-16 units below 0x80 are written as they are: one look-up for the common case.
struct PlainAscii {
  bool plain[0x80];
  constexpr PlainAscii() : plain() {
    for (int c = 0; c < 0x80; ++c) plain[c] = !NeedsEscape(static_cast<unsigned char>(c));
  }
};
constexpr PlainAscii Plain;

// Eight UTF-16 units at once, the common case: when all eight are printable ASCII that JSON
// takes as it is (no quote, backslash, control or DEL), their bytes are written and true returned.
bool PutEightPlain(char* w, const char16_t* p) {
#if defined(__SSE2__)
  const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
  // Compared as signed: units from 0x8000 up read as negative and fall under "below 0x20".
  const __m128i control = _mm_cmplt_epi16(x, _mm_set1_epi16(0x20));
  const __m128i beyond = _mm_cmpgt_epi16(x, _mm_set1_epi16(0x7E));
  const __m128i quote = _mm_cmpeq_epi16(x, _mm_set1_epi16('"'));
  const __m128i backslash = _mm_cmpeq_epi16(x, _mm_set1_epi16('\\'));
  const __m128i careful =
      _mm_or_si128(_mm_or_si128(control, beyond), _mm_or_si128(quote, backslash));
  if (_mm_movemask_epi8(careful) != 0) return false;
  _mm_storel_epi64(reinterpret_cast<__m128i*>(w), _mm_packus_epi16(x, x));
  return true;
#else
  (void)w, (void)p;
  return false;  // one unit at a time
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
// for each UTF-16 unit.
void JsonWriter::AppendQuoted(const QString& text) {
  const qsizetype n = text.size();
  const char16_t* p = reinterpret_cast<const char16_t*>(text.constData());
  char* w = Room(6 * size_t(n) + 2);
  *w++ = '"';
  for (qsizetype i = 0; i < n;) {
    if (i + 8 <= n && PutEightPlain(w, p + i)) {
      w += 8;
      i += 8;
      continue;
    }
    // A group with a character that needs care (or the last few): one at a time.
    for (const qsizetype end = qMin(i + 8, n); i < end; ++i) {
      const char16_t c = p[i];
      if (c < 0x80 && Plain.plain[c]) {
        *w++ = char(c);
      } else if (c < 0x80) {
        w = PutEscaped(w, char(c));
      } else if (!QChar::isSurrogate(c)) {
        w = PutUtf8(w, c);
      } else {  // nothing written counts yet: the whole text goes through Qt
        const std::string quoted = QuotedThroughQt(text);
        return Put(quoted.data(), quoted.size());
      }
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
