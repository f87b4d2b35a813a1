#include <QtTest>

#include "aprsis_line.h"
#include "aprsis_line_splitter.h"

namespace {

struct Split {
  QList<QByteArray> lines;
  quint64 tooLong = 0;
  bool halfLineLeft = false;
};

// What the splitter makes of `stream` when it comes in the pieces that `cuts` mark.
Split Feed(const QByteArray& stream, const QList<qsizetype>& cuts) {
  AprsIsLineSplitter splitter;
  Split split;
  qsizetype from = 0;
  for (qsizetype to : cuts + QList<qsizetype>{stream.size()}) {
    splitter.Feed(stream.mid(from, to - from));
    from = to;
    while (const auto line = splitter.Next()) split.lines << *line;
  }
  split.tooLong = splitter.TooLong();
  split.halfLineLeft = splitter.Clear();
  return split;
}

QByteArray Packet(qsizetype length) {
  const QByteArray head = "K1ABC>APRS:";
  return head + QByteArray(length - head.size(), 'x');
}

}  // namespace

class TestAprsIsLineSplitter : public QObject {
  Q_OBJECT
 private slots:
  // Each stream is cut in two at every position, and fed a byte at a time: the lines are the
  // same whatever the reads.
  void linesWhateverTheReads_data() {
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QList<QByteArray>>("lines");
    QTest::addColumn<int>("tooLong");
    QTest::addColumn<bool>("halfLineLeft");
    using L = QList<QByteArray>;
    const QByteArray longest = Packet(AprsIsMaxLine);
    const QByteArray over = Packet(AprsIsMaxLine + 1);
    QTest::newRow("CR LF and LF ends")
        << QByteArray("# banner\r\nK1ABC>APRS:a\nK2ABC>APRS:b\r\n")
        << L{"# banner", "K1ABC>APRS:a", "K2ABC>APRS:b"} << 0 << false;
    QTest::newRow("the longest line, CR LF ended") << longest + "\r\n" + "# next\r\n"
                                                   << L{longest, "# next"} << 0 << false;
    QTest::newRow("the longest line, LF ended") << longest + "\n" << L{longest} << 0 << false;
    QTest::newRow("one byte longer, never held whole") << over + "\r\n" + "# next\r\n"
                                                       << L{"# next"} << 1 << false;
    QTest::newRow("far too long: counted once") << Packet(3000) + "\r\n" + "# next\r\n"
                                                << L{"# next"} << 1 << false;
    QTest::newRow("a CR inside stays in the line")
        << QByteArray("a\rb\r\n") << L{"a\rb"} << 0 << false;
    QTest::newRow("half a line at the end")
        << QByteArray("# one\r\nK1ABC>AP") << L{"# one"} << 0 << true;
  }
  void linesWhateverTheReads() {
    QFETCH(QByteArray, stream);
    QFETCH(QList<QByteArray>, lines);
    QFETCH(int, tooLong);
    QFETCH(bool, halfLineLeft);
    QList<qsizetype> everyByte;
    for (qsizetype at = 1; at < stream.size(); ++at) everyByte << at;
    QList<QList<qsizetype>> ways{{}, everyByte};
    for (qsizetype at = 1; at < stream.size(); ++at) ways << QList<qsizetype>{at};
    for (const QList<qsizetype>& cuts : ways) {
      const Split split = Feed(stream, cuts);
      const QString where = QStringLiteral("cut at %1 (of %2)")
                                .arg(cuts.size() == 1 ? cuts[0] : -qsizetype(cuts.size()))
                                .arg(stream.size());
      QVERIFY2(split.lines == lines, qPrintable(where));
      QVERIFY2(split.tooLong == quint64(tooLong), qPrintable(where));
      QVERIFY2(split.halfLineLeft == halfLineLeft, qPrintable(where));
    }
  }
};

QTEST_APPLESS_MAIN(TestAprsIsLineSplitter)
#include "test_aprsis_line_splitter.moc"
