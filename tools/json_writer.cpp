#include "json_writer.h"

#include <charconv>
#include <cmath>

namespace {

bool NeedsEscape(unsigned char b) {
  return b < 0x20 || b == '"' || b == '\\' || b == 0x7f;
}

void AppendEscaped(QByteArray& out, char c) {
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

// Appends the text in quotes, copying the runs that need no escape in one go.
void AppendQuoted(QByteArray& out, const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  out.reserve(out.size() + utf8.size() + 2);
  out += '"';
  qsizetype run = 0;
  for (qsizetype i = 0; i < utf8.size(); ++i) {
    if (!NeedsEscape(static_cast<unsigned char>(utf8[i]))) continue;
    out.append(utf8.constData() + run, i - run);
    AppendEscaped(out, utf8[i]);
    run = i + 1;
  }
  out.append(utf8.constData() + run, utf8.size() - run);
  out += '"';
}

}  // namespace

QByteArray JsonQuoted(const QString& text) {
  QByteArray out;
  AppendQuoted(out, text);
  return out;
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
  out_ += QByteArray::number(qlonglong(value));
  return *this;
}

JsonWriter& JsonWriter::Float(const char* key, float value) {
  if (!std::isfinite(value)) return Null(key);
  Key(key);
  char buf[32];
  const auto res = std::to_chars(buf, buf + sizeof buf, value);
  out_.append(buf, res.ptr - buf);
  return *this;
}

JsonWriter& JsonWriter::Null(const char* key) {
  Key(key);
  out_ += "null";
  return *this;
}
