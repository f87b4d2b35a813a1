#include <QtTest>

#include "reconnect_notice.h"

namespace {

const QDateTime Loss(QDate(2026, 12, 9), QTime(13, 59, 40));
const QString Closed = QStringLiteral("The remote host closed the connection");

}  // namespace

class TestReconnectNotice : public QObject {
  Q_OBJECT
 private slots:
  void firstWaitTellsSinceWhenWhyAndTheNextAttempt() {
    EngineOutage outage;
    const ReconnectNotice n = outage.OnWait(Loss, 5000, Closed, QStringLiteral("IW2XYZ"));
    // A short wait: the clock time of the attempt, to the second.
    QCOMPARE(n.statusLine, QStringLiteral("Riprovo AGWPE ore 13:59:45"));
    QCOMPARE(n.tooltip, QStringLiteral("IW2XYZ: AGWPE assente dal 09/12 13:59\n"
                                       "Riprovo alle 13:59:45\n"
                                       "The remote host closed the connection"));
  }

  // The retries fail with their own texts ("Connection refused"): the story keeps the loss's
  // time and reason, told once, and only the next attempt moves on.
  void laterWaitsKeepTheLossAndMoveTheAttempt() {
    EngineOutage outage;
    outage.OnWait(Loss, 5000, Closed, QStringLiteral("IW2XYZ"));
    const ReconnectNotice n = outage.OnWait(
        Loss.addSecs(25), 20000, QStringLiteral("Connection refused"), QStringLiteral("IW2XYZ"));
    QCOMPARE(n.statusLine, QStringLiteral("Riprovo AGWPE ore 14:00:25"));
    QVERIFY(n.tooltip.contains(QStringLiteral("dal 09/12 13:59\n")));
    QVERIFY(n.tooltip.contains(QStringLiteral("Riprovo alle 14:00:25\n")));
    QVERIFY(n.tooltip.endsWith(Closed));
    QVERIFY(!n.tooltip.contains(QStringLiteral("refused")));
  }

  void aConnectionEndsTheOutage() {
    EngineOutage outage;
    outage.OnWait(Loss, 5000, Closed, QStringLiteral("IW2XYZ"));
    outage.OnConnected();
    const QDateTime later(QDate(2026, 12, 24), QTime(8, 0));
    const ReconnectNotice n =
        outage.OnWait(later, 300000, QStringLiteral("Network unreachable"), QStringLiteral("X"));
    QCOMPARE(n.statusLine, QStringLiteral("Riprovo AGWPE ore 08:05"));  // minutes for a long one
    QCOMPARE(n.tooltip, QStringLiteral("X: AGWPE assente dal 24/12 08:00\n"
                                       "Riprovo alle 08:05:00\nNetwork unreachable"));
  }

  // Wider than the stand-in fonts, Windows's Terminal font leaves room for 26 characters.
  void statusLineFitsTheTerminalFont() {
    EngineOutage outage;
    for (const qint64 waitMs : {5000, 300000}) {
      const ReconnectNotice n = outage.OnWait(Loss, waitMs, Closed, QStringLiteral("IW2XYZ"));
      QVERIFY2(n.statusLine.size() <= StatusLineChars, qPrintable(n.statusLine));
    }
  }

  // Windows keeps 127 characters of a tray tooltip: the story fits with the socket's usual texts.
  void storyFitsTheWindowsTray() {
    EngineOutage outage;
    const ReconnectNotice n = outage.OnWait(Loss, 5000, Closed, QStringLiteral("IW2XYZ-15"));
    QVERIFY2(n.tooltip.size() <= 127, qPrintable(QString::number(n.tooltip.size())));
  }
};

QTEST_APPLESS_MAIN(TestReconnectNotice)
#include "test_reconnect_notice.moc"
