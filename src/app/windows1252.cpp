#include "windows1252.h"

namespace {

// Each byte's character: 0x80..0x9F differ from Latin-1 (the five unassigned codes keep their
// own value), every other byte is the Latin-1 character of the same code.
struct CodePage {
  char16_t of[256] = {};
  constexpr CodePage() {
    constexpr char16_t High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                   0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    for (int b = 0; b < 256; ++b) of[b] = (b >= 0x80 && b <= 0x9F) ? High[b - 0x80] : char16_t(b);
  }
};
constexpr CodePage Windows1252;

void Convert(char16_t* to, const char* bytes, qsizetype size) {
  for (qsizetype i = 0; i < size; ++i) to[i] = Windows1252.of[static_cast<unsigned char>(bytes[i])];
}

}  // namespace

QChar FromWindows1252(char byte) {
  return QChar(Windows1252.of[static_cast<unsigned char>(byte)]);
}

void AppendWindows1252(QString& text, const char* bytes, qsizetype size) {
  const qsizetype at = text.size();
  text.resize(at + size);
  Convert(reinterpret_cast<char16_t*>(text.data()) + at, bytes, size);
}

void AssignWindows1252(QString& text, const char* bytes, qsizetype size) {
  text.resize(size);
  Convert(reinterpret_cast<char16_t*>(text.data()), bytes, size);
}

QString FromWindows1252(const char* bytes, qsizetype size) {
  QString text(size, Qt::Uninitialized);
  Convert(reinterpret_cast<char16_t*>(text.data()), bytes, size);
  return text;
}
