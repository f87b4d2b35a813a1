// The time from the engine's return to the first report decoded through the new connection, for
// the window (offscreen) and for `ventora-cli monitor --reconnect`, on the real reconnect
// schedule. The engine of this program closes, stays away for a while, listens again, and
// answers every new connection's "m", "R", "G" with a report at once.
// Usage: reconnect_latency [AWAY_SECONDS...]   (default: 1 8)
#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "agw_frame.h"
#include "main_window.h"

namespace {

constexpr int RequestBytes = 3 * AgwHeaderSize;

// A positionless report without a wind direction: it leaves the window's report gate open.
QByteArray ReportFrame() {
  const QByteArray text = " 1:Fm IW2XYZ To APRS <UI pid=F0 Len=12 >[12:00:00]\r_.../...t077\r";
  return EncodeAgwFrame('U', "IW2XYZ", text + '\0');
}

class Engine : public QObject {
 public:
  Engine() { connect(&server_, &QTcpServer::newConnection, this, &Engine::Accept); }
  bool Listen(quint16 port) { return server_.listen(QHostAddress::LocalHost, port); }
  quint16 Port() const { return server_.serverPort(); }
  // Microseconds on `clock` at which connections were accepted since the last Leave().
  QList<qint64> accepted;
  const QElapsedTimer* clock = nullptr;
  // The engine goes away: connections closed, nobody listening.
  void Leave() {
    server_.close();
    accepted.clear();
    for (QTcpSocket* s : findChildren<QTcpSocket*>()) s->close();
  }

 private:
  void Accept() {
    while (QTcpSocket* s = server_.nextPendingConnection()) {
      if (clock && clock->isValid()) accepted << clock->nsecsElapsed() / 1000;
      s->setParent(this);
      connect(s, &QTcpSocket::readyRead, s, [s] {
        if (s->bytesAvailable() < RequestBytes) return;
        s->readAll();
        s->write(ReportFrame());
      });
    }
  }
  QTcpServer server_;
};

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QList<int> awaySeconds;
  for (int i = 1; i < argc; ++i) awaySeconds << std::atoi(argv[i]);
  if (awaySeconds.isEmpty()) awaySeconds = {1, 8};

  Engine engine;
  if (!engine.Listen(0)) return 1;
  const quint16 port = engine.Port();
  QTemporaryDir dir;
  Settings settings;
  WindowSeams seams = WindowSeams::Desktop();
  seams.programFolder = dir.path();
  seams.beep = [] {};
  seams.bringToFront = [](QWidget*) {};
  seams.showMessage = [](QMessageBox::Icon, const QString& title, const QString& text) {
    std::printf("unexpected message box: %s: %s\n", qPrintable(title), qPrintable(text));
  };
  frmWx window(settings, seams);
  window.Form_Load(QStringLiteral("IW2XYZ"));
  window.Winsock1().Close();
  window.Winsock1().Connect(QStringLiteral("127.0.0.1"), port);
  window.show();
  QProcess monitor;
  monitor.start(QStringLiteral(VENTORA_CLI),
                {"monitor", "IW2XYZ", "127.0.0.1", "--port", QString::number(port), "--reconnect",
                 "--locale", "C"});

  QElapsedTimer back;  // since the engine listens again
  engine.clock = &back;
  qint64 windowUs = -1, monitorUs = -1;  // microseconds
  int windowReports = 0, monitorReports = 0;
  QObject::connect(&window.Winsock1(), &AgwLink::frameReceived, [&](const AgwFrameView& f) {
    // The window's own handler ran first: the report is decoded and shown.
    if (f.kind != 'U') return;
    ++windowReports;
    if (back.isValid() && windowUs < 0) windowUs = back.nsecsElapsed() / 1000;
  });
  QObject::connect(&monitor, &QProcess::readyReadStandardOutput, [&] {
    while (monitor.canReadLine()) {
      if (!monitor.readLine().contains("\"event\":\"report\"")) continue;
      ++monitorReports;
      if (back.isValid() && monitorUs < 0) monitorUs = back.nsecsElapsed() / 1000;
    }
  });
  const auto waitFor = [&](const std::function<bool()>& done, int ms) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
  };
  if (!waitFor([&] { return windowReports > 0 && monitorReports > 0; }, 10000)) {
    std::printf("no first report (window %d, monitor %d)\n", windowReports, monitorReports);
    return 1;
  }
  int failures = 0;
  for (const int away : awaySeconds) {
    back.invalidate();
    windowUs = monitorUs = -1;
    engine.Leave();
    waitFor([] { return false; }, away * 1000);
    if (!engine.Listen(port)) return 1;
    back.start();
    const bool both = waitFor([&] { return windowUs >= 0 && monitorUs >= 0; }, 400000);
    std::printf(
        "engine away %d s: first report after its return: window %.3f s, monitor %.3f s "
        "(connections accepted at",
        away, windowUs / 1e6, monitorUs / 1e6);
    for (const qint64 at : engine.accepted) std::printf(" %.3f", at / 1e6);
    std::printf(" s)\n");
    if (!both) ++failures;
  }
  monitor.kill();
  monitor.waitForFinished();
  return failures;
}
