// A main window connected to a local stand-in for the AGWPE engine, for the link tests.
#pragma once

#include <QElapsedTimer>
#include <QListWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "main_window.h"
#include "window_seams_recorder.h"

struct EngineRig {
  QTemporaryDir dir;
  Recorder recorder;
  Settings settings;
  QTcpServer server;
  QTcpSocket* engine = nullptr;
  std::unique_ptr<frmWx> window;
  int frames = 0;  // frames the link handed to the window

  // `retrySecondMs`: one second of the reconnect schedule (the first retry comes after five);
  // `adjust` changes the other seams before the window is made.
  explicit EngineRig(const QString& call = QStringLiteral("IW2XYZ"), qint64 retrySecondMs = 1000,
                     const std::function<void(WindowSeams&)>& adjust = nullptr) {
    ApplyDefaultAlarms(settings);
    settings.FocusOnData = false;
    settings.StationCall = call;
    WindowSeams seams = TestSeams(recorder, dir.path());
    seams.retrySecondMs = retrySecondMs;
    if (adjust) adjust(seams);
    window = std::make_unique<frmWx>(settings, seams);
    QObject::connect(&window->Winsock1(), &AgwLink::frameReceived, [this] { ++frames; });
    server.listen(QHostAddress::LocalHost);
    window->Winsock1().Connect(QStringLiteral("127.0.0.1"), server.serverPort());
  }
  bool Accept() {
    QElapsedTimer t;
    t.start();
    while (!server.hasPendingConnections() && t.elapsed() < 5000) QTest::qWait(10);
    engine = server.nextPendingConnection();
    return engine != nullptr;
  }
  QByteArray ReadRequests(int bytes) {
    QByteArray got;
    QElapsedTimer t;
    t.start();
    while (got.size() < bytes && t.elapsed() < 5000) {
      QCoreApplication::processEvents();
      engine->waitForReadyRead(20);
      got += engine->readAll();
    }
    return got;
  }
  // Accepts the window's connection and takes its "m", "R" and "G" requests.
  bool Connected() {
    return Accept() && ReadRequests(3 * AgwHeaderSize).size() == 3 * AgwHeaderSize;
  }
  void Send(const QByteArray& bytes) {
    engine->write(bytes);
    engine->flush();
  }
  QLabel* Label(const char* name) { return window->findChild<QLabel*>(name); }
  QListWidget* List2() { return window->findChild<QListWidget*>("List2"); }
};
