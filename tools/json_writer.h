// A small writer of one-line JSON objects with keys in the order they are written.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class JsonWriter {
 public:
  JsonWriter() { out_.reserve(1024); }
  JsonWriter& BeginObject(const char* key = nullptr);
  JsonWriter& EndObject();
  JsonWriter& BeginArray(const char* key);
  JsonWriter& EndArray();
  JsonWriter& String(const char* key, const QString& value);
  JsonWriter& Bool(const char* key, bool value);
  JsonWriter& Int(const char* key, int64_t value);
  // The shortest text that reads back as the same single-precision value; null if not finite.
  JsonWriter& Float(const char* key, float value);
  JsonWriter& Null(const char* key);
  QByteArray Text() const { return QByteArray(out_.data(), qsizetype(out_.size())); }
  // The text without a copy, valid until the writer changes.
  std::string_view View() const { return out_; }

 private:
  void Key(const char* key);
  std::string out_;
  bool needComma_ = false;
};

QByteArray JsonQuoted(const QString& text);
