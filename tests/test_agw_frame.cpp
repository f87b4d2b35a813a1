#include <QtTest>

#include "agw_frame.h"
#include "frame_assembler.h"
#include "link_frames.h"

class TestAgwFrame : public QObject {
  Q_OBJECT
 private slots:
  void requestIs36Bytes() {
    const QByteArray g = EncodeAgwRequest('G');
    QCOMPARE(g.size(), 36);
    QCOMPARE(g.left(5), QByteArray("\0\0\0\0G", 5));
    QCOMPARE(g.mid(5), QByteArray(31, '\0'));
  }

  void readsHeader_data() {
    QTest::addColumn<QByteArray>("call");
    QTest::addColumn<QString>("expected");
    QTest::newRow("ten bytes, no zero") << QByteArray("IW2ABC-13X") << "IW2ABC-13X";
    QTest::newRow("stops at zero") << QByteArray("IW2ABC\0ZZ", 9) << "IW2ABC";
    QTest::newRow("empty") << QByteArray() << "";
  }
  void readsHeader() {
    QFETCH(QByteArray, call);
    const QByteArray frame = AgwFrameBytes('U', call, "x");
    QTEST(ReadAgwHeader(frame.constData()).callFrom, "expected");
    QCOMPARE(ReadAgwHeader(frame.constData()).kind, QChar(u'U'));
  }

  void dataLengthReadsTwoBytesOnly() {
    QByteArray header(36, '\0');
    header[28] = 0x10, header[29] = 0x00, header[30] = 0x01, header[31] = 0x00;
    QCOMPARE(AgwDataLength(header.constData()), 16u);
    header[28] = char(0xff), header[29] = char(0xff);
    QCOMPARE(AgwDataLength(header.constData()), 65535u);
  }

  void everySplitPositionGivesTheSameFrames() {
    const QByteArray stream = MonitoredFrame("IW2ABC", "_220/004g005t077") +
                              AgwFrameBytes('R', "", QByteArray("\x01\0\0\0\x02\0\0\0", 8)) +
                              AgwFrameBytes('X', "", "") + MonitoredFrame("K1ABC", ">status");
    for (int cut = 0; cut <= stream.size(); ++cut) {
      FrameAssembler a;
      a.Feed(stream.left(cut));
      QList<AgwFrame> frames;
      while (auto f = a.Next()) frames << *f;
      a.Feed(stream.mid(cut));
      while (auto f = a.Next()) frames << *f;
      QCOMPARE(frames.size(), 4);
      QCOMPARE(frames[0].callFrom, QStringLiteral("IW2ABC"));
      QCOMPARE(frames[1].kind, QChar(u'R'));
      QCOMPARE(frames[1].data.size(), 8);
      QVERIFY(frames[2].data.isEmpty());
      QVERIFY(frames[3].data.endsWith(QByteArray(">status\r\0", 9)));
      QCOMPARE(a.Pending(), 0);
    }
  }

  void byteByByte() {
    const QByteArray stream = MonitoredFrame("A", "1") + MonitoredFrame("B", "2");
    FrameAssembler a;
    int frames = 0;
    for (char c : stream) {
      a.Feed(&c, 1);
      while (a.Next()) ++frames;
    }
    QCOMPARE(frames, 2);
  }

  void thirtyFiveThenForty() {
    const QByteArray stream = AgwFrameBytes('U', "A", QByteArray(39, 'x'));
    FrameAssembler a;
    a.Feed(stream.left(35));
    QVERIFY(!a.Next());
    a.Feed(stream.mid(35));
    const auto f = a.Next();
    QVERIFY(f);
    QCOMPARE(f->data.size(), 39);
  }

  void largestFrame() {
    const QByteArray big(65535, 'y');
    FrameAssembler a;
    a.Feed(AgwFrameBytes('U', "A", big) + EncodeAgwRequest('G'));
    const auto f = a.Next();
    QVERIFY(f && f->data == big);
    const auto g = a.Next();
    QVERIFY(g && g->kind == u'G' && g->data.isEmpty());
    QVERIFY(!a.Next());
  }
};

QTEST_APPLESS_MAIN(TestAgwFrame)
#include "test_agw_frame.moc"
