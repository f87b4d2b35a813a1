#include <QtTest>

#include "aprsis_line.h"
#include "frame_assembler.h"
#include "frame_dispatcher.h"

Q_DECLARE_METATYPE(AprsIsLineKind)

class TestAprsIsLine : public QObject {
  Q_OBJECT
 private slots:
  void judgesLines_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<AprsIsLineKind>("kind");
    QTest::addColumn<QByteArray>("monitor");  // the monitor text's first line, for packets
    QTest::addColumn<QByteArray>("info");
    const auto packet = AprsIsLineKind::Packet;
    QTest::newRow("weather report with q-construct")
        << QByteArray("IZ9ZZZ-13>APRS,TCPIP*,qAC,T2ITALY:_220/004g005t077h50b10132") << packet
        << QByteArray(" 1:Fm IZ9ZZZ-13 To APRS Via TCPIP*,qAC,T2ITALY <UI pid=F0 Len=25 >")
        << QByteArray("_220/004g005t077h50b10132");
    QTest::newRow("no path") << QByteArray("K1ABC>APRS:>status") << packet
                             << QByteArray(" 1:Fm K1ABC To APRS <UI pid=F0 Len=7 >")
                             << QByteArray(">status");
    QTest::newRow("digipeated path")
        << QByteArray("K1ABC>APWX01,WIDE1*,WIDE2-1,qAR,IR2AAA:!4903.50N/07201.75W_") << packet
        << QByteArray(" 1:Fm K1ABC To APWX01 Via WIDE1*,WIDE2-1,qAR,IR2AAA <UI pid=F0 Len=20 >")
        << QByteArray("!4903.50N/07201.75W_");
    QTest::newRow("third party: the first colon after '>' splits")
        << QByteArray("IGATE>APRS,qAR,IGATE:}K1ABC>APRS,TCPIP,IGATE*:>hi") << packet
        << QByteArray(" 1:Fm IGATE To APRS Via qAR,IGATE <UI pid=F0 Len=28 >")
        << QByteArray("}K1ABC>APRS,TCPIP,IGATE*:>hi");
    QTest::newRow("empty information field")
        << QByteArray("K1ABC>APRS:") << packet
        << QByteArray(" 1:Fm K1ABC To APRS <UI pid=F0 Len=0 >") << QByteArray();
    QTest::newRow("Latin-1 bytes in the comment")
        << QByteArray("K1ABC>APRS:_090/001t077 \xb0\xe8") << packet
        << QByteArray(" 1:Fm K1ABC To APRS <UI pid=F0 Len=15 >")
        << QByteArray("_090/001t077 \xb0\xe8");
    QTest::newRow("banner") << QByteArray("# aprsc 2.1.14") << AprsIsLineKind::Comment
                            << QByteArray() << QByteArray();
    QTest::newRow("logresp") << QByteArray("# logresp IW2ABC unverified, server T2TEST")
                             << AprsIsLineKind::Comment << QByteArray() << QByteArray();
    QTest::newRow("longest allowed")
        << QByteArray("K1ABC>APRS:" + QByteArray(501, 'x')) << packet
        << QByteArray(" 1:Fm K1ABC To APRS <UI pid=F0 Len=501 >") << QByteArray(501, 'x');
    QTest::newRow("one byte too long") << QByteArray("K1ABC>APRS:" + QByteArray(502, 'x'))
                                       << AprsIsLineKind::TooLong << QByteArray() << QByteArray();
    QTest::newRow("no '>'") << QByteArray("K1ABC APRS:hello") << AprsIsLineKind::NotAPacket
                            << QByteArray() << QByteArray();
    QTest::newRow("no ':' after '>'") << QByteArray("K1ABC>APRS,WIDE") << AprsIsLineKind::NotAPacket
                                      << QByteArray() << QByteArray();
    QTest::newRow("empty source") << QByteArray(">APRS:x") << AprsIsLineKind::NotAPacket
                                  << QByteArray() << QByteArray();
    QTest::newRow("empty destination")
        << QByteArray("K1ABC>:x") << AprsIsLineKind::NotAPacket << QByteArray() << QByteArray();
    QTest::newRow("blank in the address")
        << QByteArray("K1 ABC>APRS:x") << AprsIsLineKind::NotAPacket << QByteArray()
        << QByteArray();
    QTest::newRow("NUL inside") << QByteArray("K1ABC>APRS:a\0b", 14) << AprsIsLineKind::NotText
                                << QByteArray() << QByteArray();
    QTest::newRow("two lines run together by a CR")
        << QByteArray("K1ABC>APRS:a\rK2ABC>APRS:b") << AprsIsLineKind::NotText << QByteArray()
        << QByteArray();
  }
  void judgesLines() {
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, monitor);
    QFETCH(QByteArray, info);
    const AprsIsLine judged = ReadAprsIsLine(line);
    QTEST(judged.kind, "kind");
    QCOMPARE(judged.packet.has_value(), judged.kind == AprsIsLineKind::Packet);
    if (!judged.packet) return;
    const QByteArray text = MonitorText(*judged.packet, QTime(12, 34, 56));
    QCOMPARE(text, monitor + "[12:34:56]\r" + info + "\r" + QByteArray(1, '\0'));
    // What Ventora makes of the frame: the information field is the line it decodes.
    FrameAssembler assembler;
    assembler.Feed(EncodeAgwFrame('U', judged.packet->from, text));
    const auto frame = assembler.Next();
    QVERIFY(frame);
    QCOMPARE(frame->callFrom, QString::fromLatin1(judged.packet->from));
    const DispatchResult r = HandleAgwFrame(*frame, frame->callFrom, true);
    if (!info.isEmpty()) QCOMPARE(r.rxLines->last().toLatin1(), info);
  }
};

QTEST_APPLESS_MAIN(TestAprsIsLine)
#include "test_aprsis_line.moc"
