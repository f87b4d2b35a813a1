#include <QtTest>

#include "main_window.h"
#include "test_support.h"

// Runs under Xvfb with trayer as the notification area (tests/tray/run_under_xvfb.sh).
class TestTray : public QObject {
  Q_OBJECT
 private slots:
  void minimiseToTrayAndBack() {
    QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 5000);
    QTemporaryDir dir;
    Settings s;
    WindowSeams seams = WindowSeams::Desktop();
    seams.showMessage = [](QMessageBox::Icon, const QString&, const QString&) {};
    seams.programFolder = dir.path();
    frmWx w(s, seams);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!w.cSysTray1().isVisible());
    w.showMinimized();
    QTRY_VERIFY(w.isHidden());
    QVERIFY(w.cSysTray1().isVisible());
    emit w.cSysTray1().activated(QSystemTrayIcon::Trigger);
    QTRY_VERIFY(w.isVisible());
    QVERIFY(!(w.windowState() & Qt::WindowMinimized));
    QVERIFY(!w.cSysTray1().isVisible());
  }

  void alarmRestoresAWindowInTheTray() {
    QTemporaryDir dir;
    Settings s = DefaultAlarmSettings();
    WindowSeams seams = WindowSeams::Desktop();
    seams.showMessage = [](QMessageBox::Icon, const QString&, const QString&) {};
    seams.beep = [] {};
    seams.programFolder = dir.path();
    frmWx w(s, seams);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.showMinimized();
    QTRY_VERIFY(w.isHidden());
    w.DecodeWeatherReport(QStringLiteral("_090/010g015t150"));  // 65.6 C: alarm, focus on
    QTRY_VERIFY(w.isVisible());
    QVERIFY(!w.cSysTray1().isVisible());
  }
};

QTEST_MAIN(TestTray)
#include "test_tray.moc"
