#include <QtTest>

#include "alert_command.h"
#include "alert_text.h"
#include "test_support.h"

namespace {

const QString Probe = QStringLiteral(VENTORA_ALERT_PROBE);

QString Quoted(const QString& path) {
  return QLatin1Char('"') + path + QLatin1Char('"');
}

// Runs each command line in turn on one queue and waits for every outcome.
QList<CommandOutcome> RunAll(const QStringList& lines, const EnvironmentVariables& variables,
                             int timeLimitMs = CommandTimeLimitMs) {
  AlertCommand command(nullptr, timeLimitMs);
  QList<CommandOutcome> outcomes;
  QObject::connect(&command, &AlertCommand::finished,
                   [&](const CommandOutcome& o) { outcomes << o; });
  for (const QString& line : lines) command.Run(line, variables);
  if (!QTest::qWaitFor([&] { return command.Idle(); }, 20000)) qWarning("runs still going");
  return outcomes;
}

Alert AlarmAlert() {
  Alert a{AlertKind::Alarm, 1796871720000, 0, {AlarmQuantity::TempHigh, 38.25f, 35, true}};
  return a;
}

}  // namespace

Q_DECLARE_METATYPE(CommandOutcome::Kind)
Q_DECLARE_METATYPE(Alert)

class TestAlertCommand : public QObject {
  Q_OBJECT
 private slots:
  // What the user's command learns, as it reads it from its environment.
  void commandReceivesTheAlert_data() {
    QTest::addColumn<Alert>("alert");
    QTest::addColumn<QString>("expected");
    QTest::newRow("a silent station")
        << Alert{AlertKind::Silent, 1796871720000, 30, {}}
        << "VENTORA_EVENT=silent\nVENTORA_STATION=IW2XYZ-13\nVENTORA_TIME=2026-12-10T03:02:00Z\n"
           "VENTORA_TEXT=IW2XYZ-13 non trasmette da 30 minuti\nVENTORA_MINUTES=30\n\n";
    QTest::newRow("an alarm, metric with a point, the text in the user's units")
        << AlarmAlert()
        << "VENTORA_EVENT=alarm\nVENTORA_STATION=IW2XYZ-13\nVENTORA_TIME=2026-12-10T03:02:00Z\n"
           "VENTORA_TEXT=IW2XYZ-13: temperatura 100,9 °F, oltre il limite di 95,0 °F\n"
           "VENTORA_QUANTITY=temp-high\nVENTORA_VALUE=38.3\nVENTORA_LIMIT=35.0\n\n";
    QTest::newRow("the engine back has no minutes")
        << Alert{AlertKind::EngineBack, 1796871720000, 0, {}}
        << "VENTORA_EVENT=engine-back\nVENTORA_STATION=IW2XYZ-13\n"
           "VENTORA_TIME=2026-12-10T03:02:00Z\nVENTORA_TEXT=AGWPE risponde di nuovo\n\n";
  }
  void commandReceivesTheAlert() {
    QFETCH(Alert, alert);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("folder with space/got.txt"));
    QVERIFY(QDir().mkpath(QFileInfo(file).path()));
    const QString station = QStringLiteral("IW2XYZ-13");
    const QString text = AlertText(alert, station, QLocale(QLocale::Italian), UnitSystem::Imperial);
    const auto outcomes = RunAll({Quoted(Probe) + QLatin1Char(' ') + Quoted(file)},
                                 AlertEnvironment(alert, station, text));
    QCOMPARE(outcomes.size(), 1);
    QCOMPARE(outcomes[0].kind, CommandOutcome::Kind::Succeeded);
    QCOMPARE(QString::fromUtf8(ReadAll(file)), expected);
  }

  // Whatever becomes of one run, it is told and the next runs after it, in order.
  void everyOutcomeIsToldAndTheQueueGoesOn_data() {
    QTest::addColumn<QString>("arguments");  // after the probe and its file
    QTest::addColumn<CommandOutcome::Kind>("kind");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("a command that succeeds") << "" << CommandOutcome::Kind::Succeeded << 0;
    QTest::newRow("a command that fails") << " 6" << CommandOutcome::Kind::Failed << 6;
    QTest::newRow("a command that hangs is killed")
        << " 0 60000" << CommandOutcome::Kind::Killed << 0;
    QTest::newRow("a program that is not there") << "" << CommandOutcome::Kind::NotStarted << 0;
  }
  void everyOutcomeIsToldAndTheQueueGoesOn() {
    QFETCH(QString, arguments);
    QFETCH(CommandOutcome::Kind, kind);
    QFETCH(int, exitCode);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("got.txt"));
    const QString program = kind == CommandOutcome::Kind::NotStarted
                                ? dir.filePath(QStringLiteral("no-such-program"))
                                : Probe;
    const QString first = Quoted(program) + QLatin1Char(' ') + Quoted(file) + arguments;
    const QString next = Quoted(Probe) + QLatin1Char(' ') + Quoted(file);
    const auto outcomes = RunAll({first, next}, TestEnvironment(0, "IW2XYZ", "prova"), 1500);
    QCOMPARE(outcomes.size(), 2);
    QCOMPARE(outcomes[0].kind, kind);
    QCOMPARE(outcomes[0].exitCode, exitCode);
    QCOMPARE(outcomes[0].program, program);
    QCOMPARE(outcomes[1].kind, CommandOutcome::Kind::Succeeded);
    const int runs = kind == CommandOutcome::Kind::NotStarted ? 1 : 2;
    QCOMPARE(ReadAll(file).count("VENTORA_EVENT=test\n"), runs);
    QVERIFY(!CommandOutcomeText(outcomes[0]).isEmpty());
    // The time a killed run was given, rounded up to whole seconds.
    if (kind == CommandOutcome::Kind::Killed)
      QVERIFY(CommandOutcomeText(outcomes[0]).contains(QStringLiteral("dopo 2 secondi")));
  }

  void anEmptyCommandRunsNothing() {
    AlertCommand command;
    QSignalSpy finished(&command, &AlertCommand::finished);
    command.Run(QStringLiteral("   "), {});
    QVERIFY(command.Idle());
    QCOMPARE(finished.count(), 0);
  }
};

QTEST_GUILESS_MAIN(TestAlertCommand)
#include "test_alert_command.moc"
