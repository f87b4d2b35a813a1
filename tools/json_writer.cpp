#include "json_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

bool NeedsEscape(unsigned char b) {
  return b < 0x20 || b == '"' || b == '\\' || b == 0x7f;
}

void AppendEscaped(std::string& out, char c) {
  switch (c) {
    case '"':
      out += "\\\"";
      return;
    case '\\':
      out += "\\\\";
      return;
    case '\n':
      out += "\\n";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\t':
      out += "\\t";
      return;
    default:
      break;
  }
  static const char hex[] = "0123456789abcdef";
  const auto b = static_cast<unsigned char>(c);
  out += "\\u00";
  out += hex[b >> 4];
  out += hex[b & 0xf];
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

char* PutEscaped(char* w, char c) {
  std::string escaped;
  AppendEscaped(escaped, c);
  for (char e : escaped) *w++ = e;
  return w;
}

// Text with characters outside the Basic Multilingual Plane, or broken: Qt encodes it.
std::string QuotedThroughQt(const QString& text) {
  std::string out = "\"";
  for (char c : text.toUtf8()) {
    if (NeedsEscape(static_cast<unsigned char>(c)))
      AppendEscaped(out, c);
    else
      out += c;
  }
  return out += '"';
}

}  // namespace

QByteArray JsonQuoted(const QString& text) {
  JsonWriter json;
  json.String(nullptr, text);
  return json.Text();
}

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
  const char16_t* p = reinterpret_cast<const char16_t*>(text.utf16());
  char* w = Room(6 * size_t(n) + 2);
  *w++ = '"';
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = p[i];
    if (c < 0x80 && !NeedsEscape(static_cast<unsigned char>(c))) {
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
  *w++ = '"';
  Advance(w);
}

void JsonWriter::Key(const char* key) {
  if (needComma_) Put(',');
  if (key) {  // keys are plain ASCII names
    const size_t n = std::strlen(key);
    char* w = Room(n + 3);
    *w++ = '"';
    std::memcpy(w, key, n);
    w += n;
    *w++ = '"';
    *w++ = ':';
    Advance(w);
  }
  needComma_ = true;
}

JsonWriter& JsonWriter::BeginObject(const char* key) {
  Key(key);
  Put('{');
  needComma_ = false;
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  Put('}');
  needComma_ = true;
  return *this;
}

JsonWriter& JsonWriter::BeginArray(const char* key) {
  Key(key);
  Put('[');
  needComma_ = false;
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  Put(']');
  needComma_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(const char* key, const QString& value) {
  Key(key);
  AppendQuoted(value);
  return *this;
}

JsonWriter& JsonWriter::Name(const char* key, const char* ascii) {
  Key(key);
  const size_t n = std::strlen(ascii);
  char* w = Room(n + 2);
  *w++ = '"';
  std::memcpy(w, ascii, n);
  w += n;
  *w++ = '"';
  Advance(w);
  return *this;
}

JsonWriter& JsonWriter::Bool(const char* key, bool value) {
  Key(key);
  value ? Put("true", 4) : Put("false", 5);
  return *this;
}

JsonWriter& JsonWriter::Int(const char* key, int64_t value) {
  Key(key);
  constexpr size_t Longest = 24;
  char* w = Room(Longest);
  Advance(std::to_chars(w, w + Longest, value).ptr);
  return *this;
}

JsonWriter& JsonWriter::Float(const char* key, float value) {
  if (!std::isfinite(value)) return Null(key);
  Key(key);
  constexpr size_t Longest = 32;
  char* w = Room(Longest);
  Advance(std::to_chars(w, w + Longest, value).ptr);
  return *this;
}

JsonWriter& JsonWriter::Null(const char* key) {
  Key(key);
  Put("null", 4);
  return *this;
}
