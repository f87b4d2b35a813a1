// The window's alerts against a stand-in engine, with minutes of 100 ms: the desktop told, the
// user's command run with the alert's environment, and a command that hangs or is missing
// holding up nothing.
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QtTest>

#include "engine_rig.h"
#include "link_frames.h"
#include "test_support.h"

namespace {

const QString Call = QStringLiteral("IW2XYZ");
const QByteArray Version = AgwFrameBytes('R', "", QByteArray("\xd5\7\0\0\x7f\0\0\0", 8));
const QByteArray MildReport = MonitoredFrame("IW2XYZ", "_090/010g015t077");  // 25.0 °C
const QByteArray HotReport = MonitoredFrame("IW2XYZ", "_090/010g015t110");   // 43.3 °C
const QByteArray CoolReport = MonitoredFrame("IW2XYZ", "_180/005g008t050");  // 10.0 °C

// Long enough for the probe to start and write under wine beside other tests, which can take
// well over a second there.
constexpr int CommandLimitMs = 2000;
// How long a test waits for the probe's runs: a hanging probe is killed three times in a row.
constexpr int RunsWaitMs = 5 * CommandLimitMs;

void ShortMinutes(WindowSeams& seams) {
  seams.alertMinuteMs = 100;
  seams.alertCommandTimeLimitMs = CommandLimitMs;
}

// The user sets the alerts in the preferences dialog and confirms.
void SetAlerts(EngineRig& rig, int silentMin, int engineMin, const QString& command) {
  rig.recorder.answerModal = [=](QDialog* dialog) {
    dialog->findChild<QSpinBox*>("spnSilent")->setValue(silentMin);
    dialog->findChild<QSpinBox*>("spnEngine")->setValue(engineMin);
    dialog->findChild<QLineEdit*>("txtCommand")->setText(command);
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  };
  rig.window->OpenPreferences();
  rig.recorder.answerModal = nullptr;
}

QString Probe(const QString& runs, const QString& more = QString()) {
  return QStringLiteral("\"%1\" \"%2\" %3").arg(VENTORA_ALERT_PROBE, runs, more).trimmed();
}

// What each run of the probe received, VENTORA_TIME checked for its form and left out.
QStringList Runs(const QString& file) {
  static const QRegularExpression time(
      QStringLiteral("VENTORA_TIME=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ\n"));
  QStringList runs = QString::fromUtf8(ReadAll(file)).split(QStringLiteral("\n\n"));
  runs.removeAll(QString());
  for (QString& run : runs) run.remove(time);
  return runs;
}

// The rig's window skipped start-up: it has no Ventora.ini, and each confirmed dialog says the
// preferences were not saved. Nothing about the command may come in a box.
bool NoCommandBoxes(const EngineRig& rig) {
  return rig.recorder.messages.filter(QStringLiteral("comando")).isEmpty();
}

QString Notice(const QString& text) {
  return QStringLiteral("Ventora | ") + text;
}

}  // namespace

class TestMainWindowAlerts : public QObject {
  Q_OBJECT
 private slots:
  // One report, then nothing: silent once, and heard at the next report.
  void silentStationIsToldAndHeardAgain() {
    EngineRig rig(Call, 1000, ShortMinutes);
    const QString runs = rig.dir.filePath(QStringLiteral("runs.txt"));
    QVERIFY(rig.Connected());
    SetAlerts(rig, 2, 0, Probe(runs));
    rig.Send(Version + MildReport);
    const QString silent = QStringLiteral("IW2XYZ non trasmette da 2 minuti");
    QTRY_COMPARE(rig.recorder.notifications, QStringList{Notice(silent)});
    QVERIFY(rig.window->cSysTray1().isVisible());  // shown for the message
    QTRY_COMPARE_WITH_TIMEOUT(Runs(runs),
                              QStringList{QStringLiteral("VENTORA_EVENT=silent\nVENTORA_STATION="
                                                         "IW2XYZ\nVENTORA_TEXT=%1\n"
                                                         "VENTORA_MINUTES=2")
                                              .arg(silent)},
                              RunsWaitMs);
    TickMinute(rig.window.get());
    rig.Send(CoolReport);
    QTRY_VERIFY(rig.recorder.notifications.size() >= 2);
    QVERIFY2(rig.recorder.notifications[1].startsWith(Notice("IW2XYZ trasmette di nuovo, dopo ")),
             qPrintable(rig.recorder.notifications[1]));
    QTRY_VERIFY_WITH_TIMEOUT(Runs(runs).size() >= 2, RunsWaitMs);
    QVERIFY(Runs(runs)[1].startsWith(QStringLiteral("VENTORA_EVENT=heard\n")));
    QVERIFY(NoCommandBoxes(rig));
  }

  // A reading beyond its limit is told with the quantity, the reading and the limit; its return
  // within the limit runs the command without a notification.
  void alarmIsToldWithItsReadingAndLimit() {
    EngineRig rig(Call, 1000, ShortMinutes);
    const QString runs = rig.dir.filePath(QStringLiteral("runs.txt"));
    QVERIFY(rig.Connected());
    SetAlerts(rig, 0, 0, Probe(runs));
    rig.Send(Version + HotReport);
    const QString alarm = QStringLiteral("IW2XYZ: temperatura 43.3 °C, oltre il limite di 40.0 °C");
    QTRY_COMPARE(rig.recorder.notifications, QStringList{Notice(alarm)});
    TickMinute(rig.window.get());
    rig.Send(CoolReport);
    QTRY_COMPARE_WITH_TIMEOUT(Runs(runs).size(), 2, RunsWaitMs);
    QCOMPARE(Runs(runs)[0], QStringLiteral("VENTORA_EVENT=alarm\nVENTORA_STATION=IW2XYZ\n"
                                           "VENTORA_TEXT=%1\nVENTORA_QUANTITY=temp-high\n"
                                           "VENTORA_VALUE=43.3\nVENTORA_LIMIT=40.0")
                                .arg(alarm));
    QVERIFY(Runs(runs)[1].startsWith(QStringLiteral("VENTORA_EVENT=alarm-cleared\n")));
    QCOMPARE(rig.recorder.notifications.size(), 1);
  }

  // While a command hangs (killed after its time) or cannot start, the window goes on showing
  // reports, the next alerts still reach the desktop and the command, and the problem shows on
  // the tray tooltip, never in a box. A command that succeeds later takes it away.
  void hangingOrMissingCommandHoldsNothingUp_data() {
    QTest::addColumn<bool>("hangs");
    QTest::addColumn<QString>("problem");
    QTest::newRow("hangs") << true << QStringLiteral("» è stato fermato dopo ");
    QTest::newRow("missing") << false << QStringLiteral("» non parte");
  }
  void hangingOrMissingCommandHoldsNothingUp() {
    QFETCH(bool, hangs);
    QFETCH(QString, problem);
    EngineRig rig(Call, 1000, ShortMinutes);
    const QString runs = rig.dir.filePath(QStringLiteral("runs.txt"));
    const QString command = hangs ? Probe(runs, QStringLiteral("0 60000"))
                                  : rig.dir.filePath(QStringLiteral("no-such-program"));
    QVERIFY(rig.Connected());
    SetAlerts(rig, 0, 0, command);
    rig.Send(Version + HotReport);
    QTRY_COMPARE(rig.recorder.notifications.size(), 1);
    TickMinute(rig.window.get());
    rig.Send(CoolReport);  // alarm-cleared, its run waiting behind the first
    QTRY_COMPARE(rig.Label("lblTemp")->text(), QStringLiteral("10.0\u00B0C"));
    TickMinute(rig.window.get());
    rig.Send(HotReport);
    QTRY_COMPARE(rig.recorder.notifications.size(), 2);
    QTRY_VERIFY2(rig.window->TrayTooltip().contains(u'\n' + QStringLiteral("Il comando «")) &&
                     rig.window->TrayTooltip().contains(problem),
                 qPrintable(rig.window->TrayTooltip()));
    if (hangs) QTRY_COMPARE_WITH_TIMEOUT(Runs(runs).size(), 3, RunsWaitMs);
    SetAlerts(rig, 0, 0, Probe(runs));  // a command that works
    TickMinute(rig.window.get());
    rig.Send(CoolReport);
    QTRY_COMPARE_WITH_TIMEOUT(Runs(runs).size(), hangs ? 4 : 1, RunsWaitMs);
    QTRY_COMPARE(rig.window->TrayTooltip(), rig.window->Shown().tooltip);
    QVERIFY(NoCommandBoxes(rig));
  }

  // The engine gone for the set minutes is told, and its return.
  void lostEngineIsToldAndItsReturn() {
    EngineRig rig(Call, 100, ShortMinutes);  // the first retry after 500 ms
    const QString runs = rig.dir.filePath(QStringLiteral("runs.txt"));
    QVERIFY(rig.Connected());
    SetAlerts(rig, 0, 2, Probe(runs));
    rig.engine->close();
    QTRY_COMPARE(rig.recorder.notifications,
                 QStringList{Notice(QStringLiteral("AGWPE non risponde da 2 minuti"))});
    QVERIFY(rig.Accept());
    QTRY_COMPARE(rig.recorder.notifications.size(), 2);
    QCOMPARE(rig.recorder.notifications[1], Notice(QStringLiteral("AGWPE risponde di nuovo")));
    QTRY_COMPARE_WITH_TIMEOUT(Runs(runs).size(), 2, RunsWaitMs);
    QVERIFY(Runs(runs)[0].startsWith(QStringLiteral("VENTORA_EVENT=engine-lost\n")));
    QVERIFY(Runs(runs)[0].endsWith(QStringLiteral("\nVENTORA_MINUTES=2")));
    QVERIFY(Runs(runs)[1].startsWith(QStringLiteral("VENTORA_EVENT=engine-back\n")));
  }
};

QTEST_MAIN(TestMainWindowAlerts)
#include "test_main_window_alerts.moc"
