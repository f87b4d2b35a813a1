#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QtTest>

#include "agwpe_simulator.h"
#include "main_window.h"
#include "test_support.h"

namespace {

quint16 FreePort() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost);
  return probe.serverPort();
}

}  // namespace

class TestSimulatorEndToEnd : public QObject {
  Q_OBJECT
 private slots:
  void windowShowsLiveWeather() {
    SimulatorOptions options;
    options.port = FreePort();
    options.intervalMs = 1000;  // the version caption shows until the first report replaces it
    AgwpeSimulator simulator(options);
    QString error;
    QVERIFY2(simulator.Listen(&error), qPrintable(error));
    QTemporaryDir dir;
    Settings s;
    WindowSeams seams = WindowSeams::Desktop();
    QStringList messages;
    seams.showMessage = [&](QMessageBox::Icon, const QString&, const QString& t) { messages << t; };
    seams.beep = [] {};
    seams.bringToFront = [](QWidget*) {};
    seams.programFolder = dir.path();
    frmWx w(s, seams);
    w.Form_Load(QStringLiteral("iw2xyz"));
    w.Winsock1().Close();
    w.Winsock1().Connect(QStringLiteral("localhost"), options.port);
    w.show();
    const auto label = [&](const char* name) { return w.findChild<QLabel*>(name)->text(); };
    QTRY_VERIFY_WITH_TIMEOUT(label("lblWxComment").startsWith("Ventora connesso a AGWPE v2000"),
                             5000);
    QTRY_VERIFY_WITH_TIMEOUT(label("lblPress").endsWith(" mb"), 5000);
    QTRY_VERIFY_WITH_TIMEOUT(w.findChild<QListWidget*>("List2")->count() == 2, 5000);
    QCOMPARE(w.windowTitle(), QStringLiteral("IW2XYZ Wx Station"));
    QVERIFY(w.TrayTooltip().startsWith(QStringLiteral("IW2XYZ ")));
    QVERIFY(messages.isEmpty());
  }

  void monitorPrintsEvents() {
    SimulatorOptions options;
    options.port = FreePort();
    options.intervalMs = 10;
    AgwpeSimulator simulator(options);
    QString error;
    QVERIFY2(simulator.Listen(&error), qPrintable(error));
    QProcess cli;
    cli.start(QStringLiteral(VENTORA_CLI),
              {"monitor", "iw2xyz", "127.0.0.1", "--port", QString::number(options.port),
               "--tick-ms", "50", "--locale", "C"});
    QMap<QString, int> events;
    QList<QJsonObject> reports;
    QElapsedTimer t;
    t.start();
    while (reports.size() < 3 && t.elapsed() < 10000) {
      QCoreApplication::processEvents();
      cli.waitForReadyRead(10);
      while (cli.canReadLine()) {
        const QJsonObject e = QJsonDocument::fromJson(cli.readLine()).object();
        ++events[e["event"].toString()];
        if (e["event"] == "report") reports << e;
      }
    }
    cli.kill();
    cli.waitForFinished();
    QCOMPARE(events["connected"], 1);
    QCOMPARE(events["version"], 1);
    QCOMPARE(events["ports"], 1);
    QVERIFY(events["frame"] > 3);
    QVERIFY(events["tick"] >= 1);
    QCOMPARE(reports.size(), 3);
    for (const QJsonObject& r : reports) {
      QVERIFY(r["labels"].toObject()["lblPress"].toString().endsWith(" mb"));
      QVERIFY(r["tooltip"].toString().startsWith("IW2XYZ "));
    }
  }

  void monitorReportsRefusedConnection() {
    QProcess cli;
    cli.start(QStringLiteral(VENTORA_CLI),
              {"monitor", "x", "127.0.0.1", "--port", QString::number(FreePort())});
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 2);
    const QJsonObject e = QJsonDocument::fromJson(cli.readAllStandardOutput()).object();
    QCOMPARE(e["event"].toString(), QStringLiteral("error"));
    QVERIFY(!e["text"].toString().isEmpty());
  }
};

QTEST_MAIN(TestSimulatorEndToEnd)
#include "test_simulator_end_to_end.moc"
