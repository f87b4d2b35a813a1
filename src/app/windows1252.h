// Bytes from the air become text one character per byte, in the Windows-1252 code page.
#pragma once

#include <QByteArray>
#include <QString>

QString FromWindows1252(const char* bytes, qsizetype size);
QChar FromWindows1252(char byte);
// Appends the bytes' characters to `text`.
void AppendWindows1252(QString& text, const char* bytes, qsizetype size);
// Writes the bytes' characters over `text`, in its own memory when nobody shares it.
void AssignWindows1252(QString& text, const char* bytes, qsizetype size);
inline QString FromWindows1252(const QByteArray& bytes) {
  return FromWindows1252(bytes.constData(), bytes.size());
}
