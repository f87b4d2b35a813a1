#include "json_writer.h"

#include <charconv>
#include <cmath>

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

bool HasSurrogates(const char16_t* p, qsizetype n) {
  for (qsizetype i = 0; i < n; ++i)
    if (QChar::isSurrogate(p[i])) return true;
  return false;
}

// Appends the text in quotes, as UTF-8, written straight into the output: at most six bytes
// (an escape) for each UTF-16 unit.
void AppendQuoted(std::string& out, const QString& text) {
  const qsizetype n = text.size();
  const char16_t* p = reinterpret_cast<const char16_t*>(text.utf16());
  if (HasSurrogates(p, n)) {  // outside the Basic Multilingual Plane, or broken: Qt encodes it
    const QByteArray utf8 = text.toUtf8();
    out += '"';
    for (char c : utf8) {
      if (NeedsEscape(static_cast<unsigned char>(c)))
        AppendEscaped(out, c);
      else
        out += c;
    }
    out += '"';
    return;
  }
  // Captions are short: a buffer on the stack, not a zero-filled resize of the output.
  constexpr qsizetype StackUnits = 256;
  char stack[6 * StackUnits + 2];
  std::string heap;
  if (n > StackUnits) heap.resize(6 * size_t(n) + 2);
  char* const begin = n > StackUnits ? heap.data() : stack;
  char* w = begin;
  *w++ = '"';
  for (qsizetype i = 0; i < n; ++i) {
    const char16_t c = p[i];
    if (c >= 0x80)
      w = PutUtf8(w, c);
    else if (NeedsEscape(static_cast<unsigned char>(c)))
      w = PutEscaped(w, char(c));
    else
      *w++ = char(c);
  }
  *w++ = '"';
  out.append(begin, size_t(w - begin));
}

}  // namespace

QByteArray JsonQuoted(const QString& text) {
  std::string out;
  AppendQuoted(out, text);
  return QByteArray(out.data(), qsizetype(out.size()));
}

void JsonWriter::Key(const char* key) {
  if (needComma_) out_ += ',';
  if (key) {  // keys are plain ASCII names
    out_ += '"';
    out_ += key;
    out_ += "\":";
  }
  needComma_ = true;
}

JsonWriter& JsonWriter::BeginObject(const char* key) {
  Key(key);
  out_ += '{';
  needComma_ = false;
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  out_ += '}';
  needComma_ = true;
  return *this;
}

JsonWriter& JsonWriter::BeginArray(const char* key) {
  Key(key);
  out_ += '[';
  needComma_ = false;
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  out_ += ']';
  needComma_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(const char* key, const QString& value) {
  Key(key);
  AppendQuoted(out_, value);
  return *this;
}

JsonWriter& JsonWriter::Bool(const char* key, bool value) {
  Key(key);
  out_ += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Int(const char* key, int64_t value) {
  Key(key);
  char buf[24];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  out_.append(buf, size_t(res.ptr - buf));
  return *this;
}

JsonWriter& JsonWriter::Float(const char* key, float value) {
  if (!std::isfinite(value)) return Null(key);
  Key(key);
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  out_.append(buf, size_t(res.ptr - buf));
  return *this;
}

JsonWriter& JsonWriter::Null(const char* key) {
  Key(key);
  out_ += "null";
  return *this;
}
