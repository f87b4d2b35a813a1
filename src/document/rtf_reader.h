// Reads rich text (RTF, as WordPad, Word and LibreOffice save it) into a QTextDocument.
#pragma once

#include <QByteArray>
#include <QTextDocument>

// Replaces the document's content with what could be read. Malformed input (unbalanced braces, a
// truncated file, huge numbers, deep nesting) shows what was read up to the fault; the reader
// never recurses and keeps at most a bounded stack of groups.
void ReadRtf(const QByteArray& rtf, QTextDocument* document);

// The deepest group nesting whose formatting is remembered; deeper groups share their parent's.
inline constexpr int RtfMaxDepth = 256;
