// Builds a short text (a caption, a tooltip) in place and makes one QString of it at the end.
#pragma once

#include <QLatin1String>
#include <QString>
#include <QStringView>
#include <cstring>
#include <memory>

class TextBuilder {
 public:
  TextBuilder() = default;
  TextBuilder(const TextBuilder&) = delete;
  TextBuilder& operator=(const TextBuilder&) = delete;

  // Room for `n` more units, to be written through the pointer returned.
  char16_t* Extend(qsizetype n) {
    if (size_ + n > capacity_) Grow(size_ + n);
    char16_t* at = data_ + size_;
    size_ += n;
    return at;
  }

  TextBuilder& operator<<(char16_t c) {
    *Extend(1) = c;
    return *this;
  }
  TextBuilder& operator<<(QChar c) { return *this << c.unicode(); }
  // Latin-1 text: every byte is the character of the same code.
  TextBuilder& operator<<(QLatin1String text) {
    char16_t* to = Extend(text.size());
    for (char c : text) *to++ = static_cast<unsigned char>(c);
    return *this;
  }
  TextBuilder& operator<<(QStringView text) {
    char16_t* to = Extend(text.size());
    if (!text.isEmpty()) std::memcpy(to, text.utf16(), sizeof(char16_t) * size_t(text.size()));
    return *this;
  }
  TextBuilder& operator<<(const QString& text) { return *this << QStringView(text); }

  qsizetype size() const { return size_; }
  QStringView View() const { return QStringView(data_, size_); }
  QString ToString() const { return View().toString(); }

 private:
  static constexpr qsizetype InlineUnits = 120;  // every caption; tooltips of long reports grow

  void Grow(qsizetype needed) {
    capacity_ = qMax(needed, 2 * capacity_);
    auto bigger = std::make_unique<char16_t[]>(size_t(capacity_));
    std::memcpy(bigger.get(), data_, sizeof(char16_t) * size_t(size_));
    heap_ = std::move(bigger);
    data_ = heap_.get();
  }

  char16_t inline_[InlineUnits];
  std::unique_ptr<char16_t[]> heap_;
  char16_t* data_ = inline_;
  qsizetype size_ = 0;
  qsizetype capacity_ = InlineUnits;
};
