#include <QtTest>
#include <cstdio>

#include "line_reader.h"

namespace {

struct Read {
  QList<QByteArray> lines;
  quint64 skipped = 0;
};

// Everything `reader` finds in `bytes`, read `chunk` bytes at a time.
Read ReadLines(const QByteArray& bytes, size_t chunk, size_t longest) {
  std::FILE* f = std::tmpfile();
  std::fwrite(bytes.constData(), 1, size_t(bytes.size()), f);
  std::rewind(f);
  LineReader reader(f, chunk, longest);
  Read read;
  QByteArray line;
  while (reader.Next(line)) read.lines << line;
  read.skipped = reader.SkippedLines();
  std::fclose(f);
  return read;
}

}  // namespace

class TestLineReader : public QObject {
  Q_OBJECT
 private slots:
  // Each case is read in chunks of every size from one byte to the whole: the reads split the
  // input at every position, a CR LF included.
  void linesWhateverTheReads_data() {
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<int>("skipped");
    using L = QList<QByteArray>;
    QTest::newRow("LF ends") << QByteArray("ab\ncd\n") << L{"ab", "cd"} << 0;
    QTest::newRow("CR LF is one end") << QByteArray("ab\r\ncd\r\n") << L{"ab", "cd"} << 0;
    QTest::newRow("a lone CR ends a line") << QByteArray("ab\rcd\r") << L{"ab", "cd"} << 0;
    QTest::newRow("mixed ends") << QByteArray("ab\rcd\r\nef\ngh") << L{"ab", "cd", "ef", "gh"} << 0;
    QTest::newRow("two CRs: an empty line between")
        << QByteArray("ab\r\rcd") << L{"ab", "", "cd"} << 0;
    QTest::newRow("LF then CR: two ends") << QByteArray("ab\n\rcd") << L{"ab", "", "cd"} << 0;
    QTest::newRow("CR LF LF: an empty line") << QByteArray("ab\r\n\ncd") << L{"ab", "", "cd"} << 0;
    QTest::newRow("the last line has no end") << QByteArray("ab\ncd") << L{"ab", "cd"} << 0;
    QTest::newRow("a CR is the last byte") << QByteArray("ab\r") << L{"ab"} << 0;
    QTest::newRow("an empty input") << QByteArray() << L{} << 0;
    QTest::newRow("NUL and 0x1A are bytes like others")
        << QByteArray("a\0b\x1a\n", 5) << L{QByteArray("a\0b\x1a", 4)} << 0;
    QTest::newRow("a line as long as allowed") << QByteArray("abcdef\nx") << L{"abcdef", "x"} << 0;
    QTest::newRow("one byte too long is skipped")
        << QByteArray("ab\nabcdefg\ncd\n") << L{"ab", "cd"} << 1;
    QTest::newRow("a long line's CR LF is one end")
        << QByteArray("abcdefghijk\r\ncd") << L{"cd"} << 1;
    QTest::newRow("a long line ended by a lone CR")
        << QByteArray("abcdefghijk\rcd\r") << L{"cd"} << 1;
    QTest::newRow("a long line at the end, no end")
        << QByteArray("ab\nabcdefghijklmnop") << L{"ab"} << 1;
    QTest::newRow("two long lines") << QByteArray("abcdefghij\nklmnopqrst\nuv") << L{"uv"} << 2;
  }
  void linesWhateverTheReads() {
    QFETCH(QByteArray, input);
    QFETCH(QList<QByteArray>, lines);
    QFETCH(int, skipped);
    constexpr size_t Longest = 6;
    for (size_t chunk = 1; chunk <= size_t(input.size()) + 1; ++chunk) {
      const Read read = ReadLines(input, chunk, Longest);
      QVERIFY2(read.lines == lines, qPrintable(QStringLiteral("chunk %1").arg(chunk)));
      QCOMPARE(read.skipped, quint64(skipped));
    }
  }

  // The same lines read in place, without a copy.
  void readsLinesInPlace() {
    std::FILE* f = std::tmpfile();
    std::fputs("first\rsecond\r\nthird", f);
    std::rewind(f);
    LineReader reader(f, 4, 8);
    std::string_view line;
    QStringList got;
    while (reader.Next(line)) got << QString::fromLatin1(line.data(), qsizetype(line.size()));
    std::fclose(f);
    QCOMPARE(got, QStringList({"first", "second", "third"}));
  }
};

QTEST_APPLESS_MAIN(TestLineReader)
#include "test_line_reader.moc"
