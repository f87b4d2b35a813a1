#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "engine_rig.h"
#include "link_frames.h"
#include "main_window.h"
#include "window_seams_recorder.h"

namespace {

// One second of the reconnect schedule lasts 20 ms here: retries after 100, 200, 400 ms...
constexpr qint64 FastSecondMs = 20;
const QByteArray Version = AgwFrameBytes('R', "", QByteArray("\xd5\7\0\0\x7f\0\0\0", 8));
const QByteArray FirstReport = MonitoredFrame("IW2XYZ", "_090/010g015t077");
const QByteArray SecondReport = MonitoredFrame("IW2XYZ", "_180/005g008t050");
const QString StatusPrefix = QStringLiteral("Riprovo AGWPE ore ");

QList<qint64> Waits(const QSignalSpy& spy) {
  QList<qint64> waits;
  for (const QList<QVariant>& args : spy) waits << args.at(0).toLongLong();
  return waits;
}

}  // namespace

class TestMainWindowReconnect : public QObject {
  Q_OBJECT
 private:
  // Shows a first report, then the engine closes the connection; `refuse`: and stops listening.
  static void ReportThenClose(EngineRig& rig, bool refuse = false) {
    QVERIFY(rig.Connected());
    rig.Send(Version + FirstReport);
    QTRY_COMPARE(rig.Label("lblTemp")->text(), QStringLiteral("25.0\u00B0C"));
    if (refuse) rig.server.close();
    rig.engine->close();
  }

  // The second connection, made by the schedule: exactly the three requests; the readings and
  // the minute counter stay as they were, when there were any, until the next report.
  static void ComesBackWithTheRequests(EngineRig& rig) {
    const QString temp = rig.Label("lblTemp")->text();
    const QString elapsed = rig.Label("lblElapsed")->text();
    const bool readings = rig.window->HavePrevious();
    QVERIFY(rig.Accept());
    QCOMPARE(rig.ReadRequests(3 * AgwHeaderSize),
             EncodeAgwRequest('m') + EncodeAgwRequest('R') + EncodeAgwRequest('G'));
    QTRY_COMPARE(rig.window->windowTitle(), QStringLiteral("IW2XYZ Wx Station"));
    QCOMPARE(rig.window->TrayTooltip(), QStringLiteral("IW2XYZ Wx Station"));
    QVERIFY(!rig.Label("lblWxComment")->text().startsWith(StatusPrefix));  // no wait any more
    QCOMPARE(rig.Label("lblTemp")->text(), readings ? temp : QString());
    QCOMPARE(rig.Label("lblElapsed")->text(), readings ? elapsed : QStringLiteral("00"));
    QCOMPARE(rig.window->HavePrevious(), readings);
    rig.Send(Version);
    QTRY_COMPARE(rig.Label("lblWxComment")->text(),
                 QStringLiteral("Ventora connesso a AGWPE v2005.127"));
    TickMinute(rig.window.get());  // the gate opens for the next report
    rig.Send(SecondReport);
    QTRY_COMPARE(rig.Label("lblTemp")->text(), QStringLiteral("10.0\u00B0C"));
    QCOMPARE(rig.Label("lblElapsed")->text(), QStringLiteral("00"));
    QTest::qWait(50);
    QCOMPARE(rig.engine->bytesAvailable(), qint64(0));  // nothing beyond m, R, G
  }

  // An engine refusing on a port that was free a moment ago.
  static quint16 NobodysPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
  }

 private slots:
  void engineThatClosesRefusesAndReturnsIsFoundAgain() {
    EngineRig rig(QStringLiteral("IW2XYZ"), FastSecondMs);
    QSignalSpy waits(&rig.window->Winsock1(), &AgwLink::reconnecting);
    const quint16 port = rig.server.serverPort();
    ReportThenClose(rig, true);  // the engine is gone: retries are refused
    QTRY_VERIFY(rig.Label("lblWxComment")->text().startsWith(StatusPrefix));
    const QString tooltip = rig.window->TrayTooltip();
    QVERIFY2(tooltip.startsWith(QStringLiteral("IW2XYZ: AGWPE assente dal ")), qPrintable(tooltip));
    QVERIFY(tooltip.contains(QStringLiteral("\nRiprovo alle ")));
    QVERIFY2(tooltip.endsWith(QStringLiteral("closed the connection")), qPrintable(tooltip));
    // Meanwhile the last values stay and the minute counter goes on.
    QCOMPARE(rig.Label("lblTemp")->text(), QStringLiteral("25.0\u00B0C"));
    TickMinute(rig.window.get());
    QCOMPARE(rig.Label("lblElapsed")->text(), QStringLiteral("01"));
    QTRY_VERIFY_WITH_TIMEOUT(waits.size() >= 3, 5000);  // two refused retries, each waited longer
    QCOMPARE(Waits(waits).mid(0, 3), (QList<qint64>{100, 200, 400}));
    QVERIFY(waits.at(1).at(1).toString().contains(QStringLiteral("refused"), Qt::CaseInsensitive));
    QVERIFY(rig.window->TrayTooltip().endsWith(QStringLiteral("closed the connection")));
    QVERIFY(rig.server.listen(QHostAddress::LocalHost, port));  // the engine is back
    ComesBackWithTheRequests(rig);
    QVERIFY(rig.recorder.messages.isEmpty());
    QCOMPARE(rig.recorder.modals, 0);
  }

  // Killed with the window's requests unread, the engine's system resets the connection.
  void engineKilledMidFrameIsRetriedWithoutABox() {
    EngineRig rig(QStringLiteral("IW2XYZ"), FastSecondMs);
    QVERIFY(rig.Accept());
    QTRY_VERIFY(rig.engine->bytesAvailable() > 0);
    rig.Send(FirstReport.left(FirstReport.size() / 2));
    rig.engine->abort();
    ComesBackWithTheRequests(rig);
    QCOMPARE(rig.frames, 2);  // the version and the second report: never the half frame
    QVERIFY(rig.recorder.messages.isEmpty());
    QCOMPARE(rig.recorder.modals, 0);
  }

  // A wrong data length breaks the stream of an open connection: it is dropped and opened again.
  void streamOutOfStepIsRetriedAndTold() {
    EngineRig rig(QStringLiteral("IW2XYZ"), FastSecondMs);
    QSignalSpy waits(&rig.window->Winsock1(), &AgwLink::reconnecting);
    QVERIFY(rig.Connected());
    QByteArray lying = MonitoredFrame("K1ABC", ">short");
    lying[AgwDataLenOffset] = char(lying[AgwDataLenOffset] - 4);
    rig.Send(FirstReport + lying + SecondReport);
    QTRY_COMPARE(waits.size(), 1);
    QVERIFY(waits.at(0).at(1).toString().startsWith(QStringLiteral("Dati non validi da AGWPE")));
    QVERIFY(rig.window->TrayTooltip().contains(QStringLiteral("Dati non validi da AGWPE")));
    QCOMPARE(rig.Label("lblTemp")->text(), QStringLiteral("25.0\u00B0C"));
    ComesBackWithTheRequests(rig);
    QVERIFY(rig.recorder.messages.isEmpty());
    QCOMPARE(rig.recorder.modals, 0);
  }

  // The user confirms the setup dialog during the wait: that connection is the one that stays,
  // and the retry that was pending never comes.
  void setupConfirmedDuringTheWaitWins() {
    EngineRig rig(QStringLiteral("IW2XYZ"), 100);  // the first retry would come after 500 ms
    QSignalSpy waits(&rig.window->Winsock1(), &AgwLink::reconnecting);
    QTcpServer second;  // the port box takes 16-bit ports: below the usual ephemeral range
    for (quint16 port = 24000; !second.isListening() && port < 24200; ++port)
      second.listen(QHostAddress::LocalHost, port);
    QVERIFY(second.isListening());
    ReportThenClose(rig);
    QTRY_COMPARE(waits.size(), 1);
    rig.window->ShowSetupModeless();
    frmWxSetup* dialog = rig.window->SetupDialog();
    dialog->findChild<QLineEdit*>("txtHost")->setText(QStringLiteral("127.0.0.1"));
    dialog->findChild<QLineEdit*>("txtPort")->setText(QString::number(second.serverPort()));
    dialog->findChild<QPushButton*>("cmdAccept")->click();
    QTRY_VERIFY(second.hasPendingConnections());
    QTcpSocket* engine = second.nextPendingConnection();
    QTRY_COMPARE(engine->bytesAvailable(), qint64(3 * AgwHeaderSize));
    QTest::qWait(1000);                            // twice the wait that was pending
    QVERIFY(!rig.server.hasPendingConnections());  // the old engine, still listening, saw nothing
    QCOMPARE(waits.size(), 1);
    QCOMPARE(engine->state(), QAbstractSocket::ConnectedState);
    TickMinute(rig.window.get());  // the gate opens for the next report
    engine->write(Version + SecondReport);
    QTRY_COMPARE(rig.Label("lblTemp")->text(), QStringLiteral("10.0\u00B0C"));
    QVERIFY(rig.recorder.messages.isEmpty());
  }

  // An engine behind a tunnel that is up while the engine is down accepts and drops at once:
  // the waits grow as if it refused, and the readings and the minute counter stay.
  void engineThatAcceptsAndDropsIsTriedLessAndLess() {
    EngineRig rig(QStringLiteral("IW2XYZ"), FastSecondMs);
    QSignalSpy waits(&rig.window->Winsock1(), &AgwLink::reconnecting);
    ReportThenClose(rig);
    TickMinute(rig.window.get());
    QObject::connect(&rig.server, &QTcpServer::newConnection, [&rig] {
      while (QTcpSocket* tunnel = rig.server.nextPendingConnection()) tunnel->abort();
    });
    QTRY_VERIFY_WITH_TIMEOUT(waits.size() >= 4, 5000);
    QCOMPARE(Waits(waits).mid(0, 4), (QList<qint64>{100, 200, 400, 800}));
    QCOMPARE(rig.Label("lblTemp")->text(), QStringLiteral("25.0\u00B0C"));
    QCOMPARE(rig.Label("lblElapsed")->text(), QStringLiteral("01"));
    QVERIFY(rig.window->HavePrevious());
  }

  // The user confirms the setup dialog while the engine is away (its first confirmation always
  // connects again): the refused connection shows the box and the dialog, and the user cancels.
  // The engine is still awaited, and the status line tells the next attempt.
  void setupConfirmedDuringAnOutageKeepsTheRetries() {
    EngineRig rig(QStringLiteral("IW2XYZ"), 100);  // the retry behind the box comes after 500 ms
    QSignalSpy waits(&rig.window->Winsock1(), &AgwLink::reconnecting);
    QTcpServer engine;  // the port box takes 16-bit ports: below the usual ephemeral range
    for (quint16 port = 25000; !engine.isListening() && port < 25200; ++port)
      engine.listen(QHostAddress::LocalHost, port);
    QVERIFY(engine.isListening());
    const quint16 port = engine.serverPort();
    engine.close();
    ReportThenClose(rig, true);
    QTRY_COMPARE(waits.size(), 1);
    rig.window->ShowSetupModeless();
    frmWxSetup* dialog = rig.window->SetupDialog();
    dialog->findChild<QLineEdit*>("txtHost")->setText(QStringLiteral("127.0.0.1"));
    dialog->findChild<QLineEdit*>("txtPort")->setText(QString::number(port));
    dialog->findChild<QPushButton*>("cmdAccept")->click();
    QTRY_COMPARE(rig.recorder.modals, 1);
    QCOMPARE(rig.recorder.messages.size(), 1);
    QCOMPARE(waits.size(), 2);  // the status line was told of the wait behind the box
    QVERIFY(waits.at(1).at(1).toString().contains(QStringLiteral("refused"), Qt::CaseInsensitive));
    QCOMPARE(rig.Label("lblWxComment")->text().left(StatusPrefix.size()), StatusPrefix);
    QVERIFY(engine.listen(QHostAddress::LocalHost, port));  // the engine is back
    QTRY_VERIFY(engine.hasPendingConnections());
    rig.engine = engine.nextPendingConnection();
    QCOMPARE(rig.ReadRequests(3 * AgwHeaderSize),
             EncodeAgwRequest('m') + EncodeAgwRequest('R') + EncodeAgwRequest('G'));
    QCOMPARE(rig.Label("lblTemp")->text(), QStringLiteral("25.0\u00B0C"));  // no news yet
    QCOMPARE(rig.recorder.messages.size(), 1);
  }

  // Started before the engine: the box and the dialog come, and the schedule runs behind them.
  // An engine that answers while the box is open closes it, and no dialog follows; one that
  // answers while the dialog is open leaves the dialog to the user.
  void engineMissingAtStartUpIsAwaitedBehindTheBox_data() {
    QTest::addColumn<bool>("whileTheBox");
    QTest::newRow("engine answers while the box is open") << true;
    QTest::newRow("engine answers while the dialog is open") << false;
  }
  void engineMissingAtStartUpIsAwaitedBehindTheBox() {
    QFETCH(bool, whileTheBox);
    QTemporaryDir dir;
    Recorder r;
    Settings s;
    s.StationCall = QStringLiteral("IW2XYZ");
    WindowSeams seams = TestSeams(r, dir.path());
    seams.retrySecondMs = FastSecondMs;
    frmWx w(s, seams);
    const quint16 port = NobodysPort();
    QTcpServer engine;
    const auto engineStarts = [&engine, port] { engine.listen(QHostAddress::LocalHost, port); };
    if (whileTheBox) {
      r.whileBoxOpen = engineStarts;
    } else {
      r.answerModal = [&](QDialog*) {  // the user looks at the dialog until the engine answers
        engineStarts();
        QTRY_VERIFY(engine.hasPendingConnections());
      };
    }
    w.Winsock1().Connect(QStringLiteral("127.0.0.1"), port);
    QTRY_VERIFY(engine.isListening());
    QTcpSocket* agw = engine.nextPendingConnection();
    QVERIFY(agw);
    QTRY_COMPARE(agw->bytesAvailable(), qint64(3 * AgwHeaderSize));
    QCOMPARE(r.messages.size(), 1);
    QCOMPARE(r.boxesClosedByProgram, whileTheBox ? 1 : 0);
    QCOMPARE(r.modals, whileTheBox ? 0 : 1);
    QCOMPARE(w.windowTitle(), QStringLiteral("IW2XYZ Wx Station"));
    QCOMPARE(w.findChild<QLabel*>("lblWxData")->text(), QStringLiteral("Ventora v5"));
  }

  // The status line is one line of the Terminal font: the wait must show whole, at any hour.
  void statusLineShowsWhole() {
    EngineRig rig(QStringLiteral("IW2XYZ"), FastSecondMs);
    rig.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(rig.window.get()));
    QVERIFY(rig.Connected());
    rig.Send(Version +
             MonitoredFrame("IW2XYZ", "!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900"));
    QTRY_COMPARE(rig.Label("lblTemp")->text(), QStringLiteral("25.0\u00B0C"));
    rig.server.close();
    rig.engine->close();
    QLabel* status = rig.Label("lblWxComment");
    QTRY_VERIFY(status->text().startsWith(StatusPrefix));
    for (int minute = 0; minute < 3; ++minute) TickMinute(rig.window.get());
    const QFontMetrics metrics(status->font());
    for (const QString& hour :
         {QStringLiteral("00:00:00"), QStringLiteral("23:59:58"), QStringLiteral("18:48:48"),
          QStringLiteral("23:59"), status->text().mid(StatusPrefix.size())}) {
      const QString text = StatusPrefix + hour;
      QVERIFY2(metrics.horizontalAdvance(text) <= status->contentsRect().width(),
               qPrintable(QStringLiteral("%1: %2 px in %3")
                              .arg(text)
                              .arg(metrics.horizontalAdvance(text))
                              .arg(status->contentsRect().width())));
    }
    SaveShot(rig.window.get(), QStringLiteral("reconnecting"));
  }
};

QTEST_MAIN(TestMainWindowReconnect)
#include "test_main_window_reconnect.moc"
