#include <QtTest>

#include "frame_assembler.h"
#include "frame_dispatcher.h"
#include "link_frames.h"

namespace {

AgwFrame Frame(const QByteArray& bytes) {
  FrameAssembler a;
  a.Feed(bytes);
  return *a.Next();
}

}  // namespace

class TestFrameDispatcher : public QObject {
  Q_OBJECT
 private slots:
  void lines_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("three lines keep the last two")
        << QByteArray("a\rb\rc\r") << QStringList{"b", "c"};
    QTest::newRow("header line is rewritten") << QByteArray(" 1:Fm IW2ABC To APRS <UI>\r_220/004\r")
                                              << QStringList{"1: IW2ABC To APRS <UI>", "_220/004"};
    QTest::newRow("two-digit port is kept")
        << QByteArray(" 12:Fm IW2ABC To APRS\rx\r") << QStringList{" 12:Fm IW2ABC To APRS", "x"};
    QTest::newRow("empty lines skipped") << QByteArray("\r\ra\r\r") << QStringList{"a"};
    QTest::newRow("text after the last CR dropped") << QByteArray("a\rrest") << QStringList{"a"};
    QTest::newRow("no CR at all") << QByteArray("abc") << QStringList{};
    QTest::newRow("station CR LF then engine CR NUL")
        << QByteArray(" 1:Fm K To APRS\r_220/004\r\n\r\0", 27)
        << QStringList{"1: K To APRS", "_220/004"};
    QTest::newRow("NUL ends the text") << QByteArray("a\rb\0c\r", 6) << QStringList{"a"};
    QTest::newRow("lone LF stays in the line") << QByteArray("a\nb\r") << QStringList{"a\nb"};
  }
  void lines() {
    QFETCH(QByteArray, data);
    QTEST(MonitoredLines(data), "lines");
  }

  void decision_data() {
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QString>("station");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<bool>("decoded");
    const QByteArray wx = "!4903.50N/07201.75W_220/004g005t077";
    QTest::newRow("own station, weather")
        << MonitoredFrame("IW2ABC", wx) << "IW2ABC" << true << true;
    QTest::newRow("positionless") << MonitoredFrame("IW2ABC", "_10090556c220s004") << "IW2ABC"
                                  << true << true;
    QTest::newRow("T frame counts too")
        << AgwFrameBytes('T', "IW2ABC", " 1:Fm IW2ABC To APRS\r_220/004\r") << "IW2ABC" << true
        << true;
    QTest::newRow("other station") << MonitoredFrame("K1ABC", wx) << "IW2ABC" << true << false;
    QTest::newRow("ssid suffix does not match")
        << MonitoredFrame("IW2ABC-1", wx) << "IW2ABC" << true << false;
    QTest::newRow("lower case does not match")
        << MonitoredFrame("iw2abc", wx) << "IW2ABC" << true << false;
    QTest::newRow("gate closed") << MonitoredFrame("IW2ABC", wx) << "IW2ABC" << false << false;
    QTest::newRow("bang without underscore")
        << MonitoredFrame("IW2ABC", "!4903.50N/07201.75W-") << "IW2ABC" << true << false;
    QTest::newRow("status with underscore")
        << MonitoredFrame("IW2ABC", ">a_b") << "IW2ABC" << true << false;
    for (const char* first : {"/", "@", "=", ";"})
      QTest::newRow(qPrintable(QStringLiteral("data type %1").arg(first)))
          << MonitoredFrame("IW2ABC", QByteArray(first) + "x_1") << "IW2ABC" << true << true;
    QTest::newRow("answer with empty call never decodes")
        << AgwFrameBytes('G', "", "_220/004\r") << "" << true << false;
  }
  // The same decision for the frame read in place (as the link hands it on) and for the frame
  // that owns its bytes (as the tools keep it).
  void decision() {
    QFETCH(QByteArray, frame);
    QFETCH(QString, station);
    QFETCH(bool, accept);
    FrameAssembler a;
    a.Feed(frame);
    const AgwFrameView inPlace = *a.NextView();
    const AgwFrame owned = ToAgwFrame(inPlace);
    const DispatchResult r = HandleAgwFrame(inPlace, station, accept);
    QTEST(r.report.has_value(), "decoded");
    const DispatchResult fromOwned = HandleAgwFrame(owned, station, accept);
    QCOMPARE(fromOwned.report, r.report);
    QCOMPARE(fromOwned.rxLines.has_value(), r.rxLines.has_value());
    if (r.rxLines) QCOMPARE(fromOwned.rxLines->ToStringList(), r.rxLines->ToStringList());
  }

  void handsOnTheWholeLine() {
    const AgwFrame frame = Frame(MonitoredFrame("IW2ABC", "@1234z_220/004"));
    const auto r = HandleAgwFrame(frame, "IW2ABC", true);
    QCOMPARE(*r.report, QStringLiteral("@1234z_220/004"));
    QCOMPARE(r.rxLines->size(), 2);
  }

  void answers_data() {
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<QString>("rain");
    QTest::addColumn<QString>("comment");
    QTest::newRow("ports") << AgwFrameBytes('G', "", "2;Port1 x;Port2 y;") << "Porte Radio : 2"
                           << "";
    QTest::newRow("version 1.2") << AgwFrameBytes('R', "", QByteArray("\1\0\0\0\2\0\0\0", 8)) << ""
                                 << "Ventora connesso a AGWPE v1.2";
    QTest::newRow("direwolf version")
        << AgwFrameBytes('R', "", QByteArray("\xd5\7\0\0\x7f\0\0\0", 8)) << ""
        << "Ventora connesso a AGWPE v2005.127";
    QTest::newRow("version numbers are unsigned")
        << AgwFrameBytes('R', "", QByteArray("\xff\xff\0\0\0\x80\0\0", 8)) << ""
        << "Ventora connesso a AGWPE v65535.32768";
    QTest::newRow("short version answer reads zeros")
        << AgwFrameBytes('R', "", QByteArray("\3", 1)) << ""
        << "Ventora connesso a AGWPE v3.0";
  }
  void answers() {
    QFETCH(QByteArray, frame);
    const AgwFrame answer = Frame(frame);
    const DispatchResult r = HandleAgwFrame(answer, QString(), true);
    QTEST(r.rainCaption.value_or(QString()), "rain");
    QTEST(r.commentCaption.value_or(QString()), "comment");
    QVERIFY(!r.rxLines);
  }

  void unknownKindChangesNothing() {
    const AgwFrame frame = Frame(AgwFrameBytes('S', "IW2ABC", "a\rb\r"));
    const DispatchResult r = HandleAgwFrame(frame, "IW2ABC", true);
    QVERIFY(!r.rxLines && !r.rainCaption && !r.commentCaption && !r.report);
  }
};

QTEST_APPLESS_MAIN(TestFrameDispatcher)
#include "test_frame_dispatcher.moc"
