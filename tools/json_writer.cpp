#include "json_writer.h"

#include <charconv>
#include <cmath>

QByteArray JsonQuoted(const QString& text) {
  QByteArray out = "\"";
  for (const char c : text.toUtf8()) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else if (b < 0x20 || b == 0x7f) {
      out += "\\u00" + QByteArray::number(b, 16).rightJustified(2, '0');
    } else {
      out += c;
    }
  }
  return out + '"';
}

void JsonWriter::Key(const char* key) {
  if (needComma_) out_ += ',';
  if (key) out_ += JsonQuoted(QString::fromUtf8(key)) + ':';
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
  out_ += JsonQuoted(value);
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
