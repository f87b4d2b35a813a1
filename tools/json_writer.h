// A small writer of one-line JSON objects with keys in the order they are written.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
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

class JsonWriter {
 public:
  JsonWriter() { Grow(1024); }
  JsonWriter& BeginObject(JsonKey key = nullptr);
  JsonWriter& EndObject();
  JsonWriter& BeginArray(JsonKey key);
  JsonWriter& EndArray();
  JsonWriter& String(JsonKey key, const QString& value);
  // A plain ASCII name that needs no escape ("#ff0000", "up").
  JsonWriter& Name(JsonKey key, const char* ascii);
  JsonWriter& Bool(JsonKey key, bool value);
  JsonWriter& Int(JsonKey key, int64_t value);
  // The shortest text that reads back as the same single-precision value; null if not finite.
  JsonWriter& Float(JsonKey key, float value);
  JsonWriter& Null(JsonKey key);
  QByteArray Text() const { return QByteArray(text_.get(), qsizetype(size_)); }
  // The text without a copy, valid until the writer changes.
  std::string_view View() const { return std::string_view(text_.get(), size_); }
  // Empties the writer for the next object, keeping its memory.
  void Clear() {
    size_ = 0;
    needComma_ = false;
  }

 private:
  void Key(JsonKey key);
  void AppendQuoted(const QString& text);
  // A plain ASCII name in quotes.
  void PutQuotedName(const char* name);
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
  std::array<FloatText, 1 << FloatTextBits> floatTexts_{};

  std::unique_ptr<char[]> text_;
  size_t size_ = 0, capacity_ = 0;
  bool needComma_ = false;
};

QByteArray JsonQuoted(const QString& text);
