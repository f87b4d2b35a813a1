#include "windows1252.h"

namespace {

// 0x80..0x9F differ from Latin-1; the five unassigned codes keep their own value.
constexpr char16_t High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                               0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                               0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                               0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

QChar FromWindows1252(char byte) {
  const auto b = static_cast<unsigned char>(byte);
  return (b >= 0x80 && b <= 0x9F) ? QChar(High[b - 0x80]) : QChar(b);
}

void AppendWindows1252(QString& text, const char* bytes, qsizetype size) {
  const qsizetype at = text.size();
  text.append(QLatin1String(bytes, size));
  QChar* const chars = text.data();               // detached once, not for every character
  for (qsizetype i = at; i < text.size(); ++i) {  // only 0x80..0x9F differ from Latin-1
    const char16_t c = chars[i].unicode();
    if (c >= 0x80 && c <= 0x9F) chars[i] = QChar(High[c - 0x80]);
  }
}

QString FromWindows1252(const char* bytes, qsizetype size) {
  QString text;
  AppendWindows1252(text, bytes, size);
  return text;
}
