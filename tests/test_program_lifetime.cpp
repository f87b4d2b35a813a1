#include <QTimer>
#include <QtTest>

#include "main_window.h"
#include "program_lifetime.h"
#include "window_seams_recorder.h"

namespace {

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray ReadFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class TestProgramLifetime : public QObject {
  Q_OBJECT
 private slots:
  // Start with SAVE, change a limit, open the help, minimise to the tray, close the help: the
  // program must go on, and closing the main window saves the changed limit.
  void closingHelpWhileInTheTrayDoesNotEndTheProgram() {
    QTemporaryDir dir;
    WriteFile(dir.filePath("Leggimi.rtf"), "{\\rtf1\\ansi Aiuto}");
    Recorder recorder;
    Settings settings;
    frmWx window(settings, TestSeams(recorder, dir.path(), /*tray=*/true));
    BindProgramLifetime(*qApp, window);
    window.Form_Load(QStringLiteral("IW2XYZ 127.0.0.1 SAVE"));
    window.show();
    settings.HiTemp = 35;  // as the setup dialog would leave it
    bool ranOnAfterHelp = false;
    QTimer::singleShot(0, &window, [&window] {
      window.OpenHelp();
      window.setWindowState(Qt::WindowMinimized);
    });
    QTimer::singleShot(300, &window, [&window] {
      QVERIFY(window.isHidden());  // in the tray
      window.HelpWindow()->close();
    });
    QTimer::singleShot(800, &window, [&] {
      ranOnAfterHelp = true;
      window.close();
    });
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(3); });  // never hang the suite
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(ranOnAfterHelp);
    QVERIFY(ReadFile(dir.filePath("WxAlarms.ini")).contains("\r\n-5,35,20,96\r\n"));
  }

  // Closing the window and the application's own end both lead to Form_Unload: it runs once.
  void closingHandlerRunsOnceOnEveryWayOut() {
    QTemporaryDir dir;
    // No folder can be written: every save fails and says so, which counts them.
    Recorder recorder;
    Settings settings;
    WindowSeams seams =
        TestSeams(recorder, UnwritableFolder(dir.path(), QStringLiteral("program")));
    seams.userConfigFolder = UnwritableFolder(dir.path(), QStringLiteral("config"));
    frmWx window(settings, seams);
    BindProgramLifetime(*qApp, window);
    window.Form_Load(QStringLiteral("IW2XYZ 127.0.0.1 SAVE"));
    const auto saves = [&recorder] {
      return recorder.messages.filter(QStringLiteral("Unable to save")).size();
    };
    QCOMPARE(saves(), 1);  // the missing file could not be created with the defaults
    window.show();
    QTimer::singleShot(100, &window, [&window] { window.close(); });
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(3); });
    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(saves(), 2);  // once at close, not again when the application quits
  }

  // The session manager asks for the data also at checkpoints and at logouts that are later
  // cancelled: the settings are saved, and the program goes on until it is told to end.
  void sessionCommitSavesAndTheProgramGoesOn() {
    QTemporaryDir dir;
    Recorder recorder;
    Settings settings;
    frmWx window(settings, TestSeams(recorder, dir.path()));
    BindProgramLifetime(*qApp, window);
    window.Form_Load(QStringLiteral("IW2XYZ 127.0.0.1 SAVE"));
    window.show();
    settings.HiTemp = 35;
    QByteArray savedAtCommit;
    bool ranOnAfterCommit = false;
    QTimer::singleShot(0, &window, [&] {
      CommitSessionData(window, [] { return true; });
      savedAtCommit = ReadFile(dir.filePath("WxAlarms.ini"));
      settings.HiTemp = 30;  // the run goes on: later changes still reach the file at close
    });
    QTimer::singleShot(500, &window, [&] {
      ranOnAfterCommit = window.isVisible();
      window.close();
    });
    QTimer::singleShot(10000, qApp, [] { QCoreApplication::exit(3); });
    QCOMPARE(QApplication::exec(), 0);
    QVERIFY(savedAtCommit.contains("\r\n-5,35,20,96\r\n"));
    QVERIFY(ranOnAfterCommit);
    QVERIFY(ReadFile(dir.filePath("WxAlarms.ini")).contains("\r\n-5,30,20,96\r\n"));
  }

  // A failed save at the session's end may show its box only when the session manager lets the
  // program talk to the user.
  void sessionCommitWarnsOnlyWhenAllowed_data() {
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<int>("warnings");
    QTest::newRow("interaction refused: no box") << false << 0;
    QTest::newRow("interaction allowed: the box") << true << 1;
  }
  void sessionCommitWarnsOnlyWhenAllowed() {
    QFETCH(bool, allowed);
    QFETCH(int, warnings);
    QTemporaryDir dir;
    Recorder recorder;
    Settings settings;
    WindowSeams seams =
        TestSeams(recorder, UnwritableFolder(dir.path(), QStringLiteral("program")));
    seams.userConfigFolder = UnwritableFolder(dir.path(), QStringLiteral("config"));
    frmWx window(settings, seams);
    window.Form_Load(QStringLiteral("IW2XYZ 127.0.0.1 SAVE"));
    recorder.messages.clear();  // the start-up warning
    int asked = 0;
    CommitSessionData(window, [&] {
      ++asked;
      return allowed;
    });
    QCOMPARE(asked, 1);
    QCOMPARE(recorder.messages.filter(QStringLiteral("Unable to save")).size(), warnings);
  }
};

QTEST_MAIN(TestProgramLifetime)
#include "test_program_lifetime.moc"
