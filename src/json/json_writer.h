// A small writer of one-line JSON objects with keys in the order they are written.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string_view>

// A key: a plain ASCII name, its length known where it is written as a literal; none (nullptr)
// for the items of an array.
struct JsonKey {
  template <size_t N>
  constexpr JsonKey(const char (&name)[N]) : text(name), size(N - 1) {}  // NOLINT: implicit
  constexpr JsonKey(std::nullptr_t) {}                                   // NOLINT: implicit
  explicit JsonKey(const char* name) : text(name), size(name ? std::strlen(name) : 0) {}
  const char* text = nullptr;
  size_t size = 0;
};

// The writing of values is inline where it is only a key and a few bytes: with the key a literal,
// its length is known there and it is copied without a call.
class JsonWriter {
 public:
  JsonWriter() { Grow(1024); }
  JsonWriter& BeginObject(JsonKey key = nullptr) {
    Key(key);
    return Open('{');
  }
  JsonWriter& EndObject() { return Close('}'); }
  JsonWriter& BeginArray(JsonKey key) {
    Key(key);
    return Open('[');
  }
  JsonWriter& EndArray() { return Close(']'); }
  JsonWriter& String(JsonKey key, const QString& value) {
    Key(key);
    AppendQuoted(value);
    return *this;
  }
  // A plain ASCII name that needs no escape ("#ff0000", "up").
  JsonWriter& Name(JsonKey key, const char* ascii) {
    Key(key);
    PutQuotedName(ascii);
    return *this;
  }
  JsonWriter& Bool(JsonKey key, bool value) {
    Key(key);
    value ? Put("true", 4) : Put("false", 5);
    return *this;
  }
  JsonWriter& Int(JsonKey key, int64_t value) {
    Key(key);
    PutInt(value);
    return *this;
  }
  // The shortest text that reads back as the same single-precision value; null if not finite.
  JsonWriter& Float(JsonKey key, float value) {
    if (!std::isfinite(value)) return Null(key);
    Key(key);
    PutFloat(value);
    return *this;
  }
  // The shortest text that reads back as the same double; null if not finite.
  JsonWriter& Double(JsonKey key, double value) {
    if (!std::isfinite(value)) return Null(key);
    Key(key);
    PutDouble(value);
    return *this;
  }
  JsonWriter& Null(JsonKey key) {
    Key(key);
    Put("null", 4);
    return *this;
  }
  QByteArray Text() const { return QByteArray(text_.get(), qsizetype(size_)); }
  // The text without a copy, valid until the writer changes.
  std::string_view View() const { return std::string_view(text_.get(), size_); }
  // Empties the writer for the next object, keeping its memory.
  void Clear() {
    size_ = 0;
    needComma_ = false;
  }

 private:
  void Key(JsonKey key) {
    char* w = Room(key.size + 4);
    if (needComma_) *w++ = ',';
    needComma_ = true;
    if (key.text) {
      *w++ = '"';
      std::memcpy(w, key.text, key.size);
      w += key.size;
      *w++ = '"';
      *w++ = ':';
    }
    Advance(w);
  }
  JsonWriter& Open(char bracket) {
    Put(bracket);
    needComma_ = false;
    return *this;
  }
  JsonWriter& Close(char bracket) {
    Put(bracket);
    needComma_ = true;
    return *this;
  }
  void AppendQuoted(const QString& text);
  // A plain ASCII name in quotes.
  void PutQuotedName(const char* name);
  void PutInt(int64_t value);
  void PutFloat(float value);
  void PutDouble(double value);
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

  // Shortest texts of the floats written lately: readings come back report after report, and
  // finding the shortest text is the dearest part of writing one.
  struct FloatText {
    uint32_t bits = 0;
    uint8_t size = 0;  // 0: empty
    char text[27];
  };
  static constexpr int FloatTextBits = 10;
  using FloatTexts = std::array<FloatText, 1 << FloatTextBits>;
  std::unique_ptr<FloatTexts> floatTexts_;  // made at the first float: most events write none

  std::unique_ptr<char[]> text_;
  size_t size_ = 0, capacity_ = 0;
  bool needComma_ = false;
};
