// A small writer of one-line JSON objects with keys in the order they are written.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

class JsonWriter {
 public:
  JsonWriter() { Grow(1024); }
  JsonWriter& BeginObject(const char* key = nullptr);
  JsonWriter& EndObject();
  JsonWriter& BeginArray(const char* key);
  JsonWriter& EndArray();
  JsonWriter& String(const char* key, const QString& value);
  // A plain ASCII name that needs no escape ("#ff0000", "up").
  JsonWriter& Name(const char* key, const char* ascii);
  JsonWriter& Bool(const char* key, bool value);
  JsonWriter& Int(const char* key, int64_t value);
  // The shortest text that reads back as the same single-precision value; null if not finite.
  JsonWriter& Float(const char* key, float value);
  JsonWriter& Null(const char* key);
  QByteArray Text() const { return QByteArray(text_.get(), qsizetype(size_)); }
  // The text without a copy, valid until the writer changes.
  std::string_view View() const { return std::string_view(text_.get(), size_); }
  // Empties the writer for the next object, keeping its memory.
  void Clear() {
    size_ = 0;
    needComma_ = false;
  }

 private:
  void Key(const char* key);
  void AppendQuoted(const QString& text);
  // Room for `n` more bytes at the end; what is written there counts once Advance says so.
  char* Room(size_t n) {
    if (size_ + n > capacity_) Grow(size_ + n);
    return text_.get() + size_;
  }
  void Advance(char* end) { size_ = size_t(end - text_.get()); }
  void Put(const char* bytes, size_t n) {
    std::memcpy(Room(n), bytes, n);
    size_ += n;
  }
  void Put(char c) {
    *Room(1) = c;
    ++size_;
  }
  void Grow(size_t needed);

  std::unique_ptr<char[]> text_;
  size_t size_ = 0, capacity_ = 0;
  bool needComma_ = false;
};

QByteArray JsonQuoted(const QString& text);
