#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "engine_rig.h"
#include "link_frames.h"
#include "main_window.h"
#include "test_support.h"
#include "window_seams_recorder.h"

namespace {

const QByteArray Report = "!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW";

}  // namespace

class TestMainWindowLink : public QObject {
  Q_OBJECT
 private slots:
  void connectSendsRequestsAndResetsDisplay() {
    EngineRig rig;
    QVERIFY(rig.Accept());
    const QByteArray requests = rig.ReadRequests(108);
    QCOMPARE(requests, EncodeAgwRequest('m') + EncodeAgwRequest('R') + EncodeAgwRequest('G'));
    QCOMPARE(rig.window->windowTitle(), QStringLiteral("IW2XYZ Wx Station"));
    QCOMPARE(rig.window->TrayTooltip(), QStringLiteral("IW2XYZ Wx Station"));
    QCOMPARE(rig.Label("lblWxData")->text(), QStringLiteral("Ventora v5"));
    QCOMPARE(rig.Label("lblElapsed")->text(), QStringLiteral("00"));
    QVERIFY(!rig.window->HavePrevious());
  }

  void answersAndReportsArriveWhateverTheCuts() {
    EngineRig rig;
    QVERIFY(rig.Connected());
    const QByteArray stream = AgwFrameBytes('R', "", QByteArray("\xd5\7\0\0\x7f\0\0\0", 8)) +
                              AgwFrameBytes('G', "", QByteArray("1;Port1 mono;\0", 14)) +
                              EncodeAgwRequest('X') + MonitoredFrame("K1ABC", ">hello") +
                              MonitoredFrame("IW2XYZ", Report + "\r\n");
    // Cut the stream in uneven pieces, with pauses, as a slow network would.
    for (int at = 0; at < stream.size(); at += 37) {
      rig.Send(stream.mid(at, 37));
      QTest::qWait(2);
    }
    QTRY_COMPARE(rig.Label("lblTemp")->text(), QStringLiteral("25.0\u00B0C"));
    QCOMPARE(rig.Label("lblWxComment")->text(), QStringLiteral(" wRSW"));
    QCOMPARE(rig.List2()->count(), 2);
    QCOMPARE(rig.List2()->item(1)->text(), QString::fromLatin1(Report));
    QVERIFY(rig.List2()->item(0)->text().startsWith(QStringLiteral("1: IW2XYZ To APRS")));
    QVERIFY(rig.Label("lblRain")->text().startsWith(QStringLiteral("0mm/h")));
    QVERIFY(!rig.window->AcceptReport());
  }

  void tooltipAfterReconnectRepeatsTheLabelsShown() {
    EngineRig rig;
    QVERIFY(rig.Connected());
    rig.Send(MonitoredFrame("IW2XYZ", "_090/010g015t077"));
    QTRY_COMPARE(rig.Label("lblTemp")->text(), QStringLiteral("25.0\u00B0C"));
    rig.window->Winsock1_Connect();  // a new connection clears the value labels
    TickMinute(rig.window.get());
    rig.window->DecodeWeatherReport(QStringLiteral("_.../...h50"));
    QCOMPARE(rig.window->TrayTooltip(), QStringLiteral("IW2XYZ Ventora v5  50%  "));
  }

  void versionAndPortsCaptions() {
    EngineRig rig;
    QVERIFY(rig.Connected());
    rig.Send(AgwFrameBytes('R', "", QByteArray("\xd5\7\0\0\x7f\0\0\0", 8)) +
             AgwFrameBytes('G', "", QByteArray("2;Port1;Port2;\0", 15)));
    QTRY_COMPARE(rig.Label("lblWxComment")->text(),
                 QStringLiteral("Ventora connesso a AGWPE v2005.127"));
    QCOMPARE(rig.Label("lblRain")->text(), QStringLiteral("Porte Radio : 2"));
  }

  void gateHoldsReportsUntilTheTick() {
    EngineRig rig;
    QVERIFY(rig.Connected());
    rig.Send(MonitoredFrame("IW2XYZ", "_090/010g015t077"));
    QTRY_COMPARE(rig.Label("lblTemp")->text(), QStringLiteral("25.0\u00B0C"));
    rig.Send(MonitoredFrame("IW2XYZ", "_090/010g015t086"));
    QTRY_COMPARE(rig.List2()->item(1)->text(), QStringLiteral("_090/010g015t086"));
    QCOMPARE(rig.Label("lblTemp")->text(), QStringLiteral("25.0\u00B0C"));  // gate closed
    TickMinute(rig.window.get());
    rig.Send(MonitoredFrame("IW2XYZ", "_090/010g015t086"));
    QTRY_COMPARE(rig.Label("lblTemp")->text(), QStringLiteral("30.0\u00B0C"));
  }

  void emptyCallNeverDecodesAnswers() {
    EngineRig rig(QString{});
    QVERIFY(rig.Connected());
    rig.Send(MonitoredFrame("K1ABC", "_090/010g015t077") +
             AgwFrameBytes('G', "", QByteArray("1;\0", 3)));
    QTRY_COMPARE(rig.Label("lblRain")->text(), QStringLiteral("Porte Radio : 1"));
    QCOMPARE(rig.Label("lblTemp")->text(), QString());
  }

  void refusedConnectionShowsTheSocketsText() {
    QTemporaryDir dir;
    Recorder r;
    Settings s;
    frmWx w(s, TestSeams(r, dir.path()));
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();  // nobody listens there now
    w.Winsock1().Connect(QStringLiteral("127.0.0.1"), port);
    QTRY_COMPARE(r.messages.size(), 1);
    QVERIFY(r.messages[0].startsWith(QStringLiteral("Errore collegamento con AGWPE | ")));
    QVERIFY(r.messages[0].contains(QStringLiteral("refused"), Qt::CaseInsensitive));
  }

  void engineClosingIsNotAnError() {
    EngineRig rig;
    QVERIFY(rig.Connected());
    rig.engine->close();
    QTest::qWait(100);
    QVERIFY(rig.recorder.messages.isEmpty());
  }

  void startUpConnectsToPort8000OnLocalhost() {
    QTcpServer engine;
    if (!engine.listen(QHostAddress::LocalHost, 8000)) QSKIP("port 8000 is busy on this machine");
    QTemporaryDir dir;
    Recorder r;
    Settings s;
    frmWx w(s, TestSeams(r, dir.path()));
    w.Form_Load(QStringLiteral("iw2xyz"));
    QTRY_VERIFY(engine.hasPendingConnections());
  }

  void noCallMeansNoConnection() {
    QTcpServer engine;
    if (!engine.listen(QHostAddress::LocalHost, 8000)) QSKIP("port 8000 is busy on this machine");
    QTemporaryDir dir;
    Recorder r;
    Settings s;
    frmWx w(s, TestSeams(r, dir.path()));
    w.Form_Load(QString());
    QTest::qWait(300);
    // The window's own socket, not the listening port: tests running beside this one may connect
    // to port 8000 too.
    QCOMPARE(w.Winsock1().Socket()->state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(s.StationCall, QStringLiteral("NOCALL"));
  }

  void minimiseGoesToTrayOnlyWhereThereIsOne() {
    for (const bool tray : {true, false}) {
      QTemporaryDir dir;
      Recorder r;
      Settings s;
      frmWx w(s, TestSeams(r, dir.path(), tray));
      w.show();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      w.setWindowState(Qt::WindowMinimized);
      QTest::qWait(50);
      QCOMPARE(w.isHidden(), tray);
      QCOMPARE(w.cSysTray1().isVisible(), tray);
      w.RestoreFromTray();
      QVERIFY(w.isVisible());
      QVERIFY(!(w.windowState() & Qt::WindowMinimized));
      QVERIFY(!w.cSysTray1().isVisible());
    }
  }
};

QTEST_MAIN(TestMainWindowLink)
#include "test_main_window_link.moc"
