// The main window (offscreen) under a flood of monitored frames from the simulator: frames per
// second, every frame handled once, resident memory growth, and how late a 10 ms timer fires.
// Usage: flood_window [FRAMES]   (default 1000000; 1 % from the watched station)
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "main_window.h"

namespace {

long StatusKb(const char* key) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith(key))
      return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toLong();
  return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const int frames = argc > 1 ? std::atoi(argv[1]) : 1000000;
  const quint16 port = 31000 + quint16(QCoreApplication::applicationPid() % 1000);
  QProcess simulator;
  simulator.start(QStringLiteral(VENTORA_SIM),
                  {"--port", QString::number(port), "--flood", QString::number(frames)});
  simulator.waitForStarted();
  QThread::msleep(300);

  QTemporaryDir dir;
  Settings settings;
  WindowSeams seams = WindowSeams::Desktop();
  seams.programFolder = dir.path();
  seams.beep = [] {};
  seams.bringToFront = [](QWidget*) {};
  frmWx window(settings, seams);
  window.Form_Load(QStringLiteral("IW2XYZ"));
  window.Winsock1().Close();
  window.Winsock1().Connect(QStringLiteral("127.0.0.1"), port);
  window.show();

  int handled = 0;
  long rssBefore = 0;
  QElapsedTimer clock;
  QObject::connect(&window.Winsock1(), &AgwLink::frameReceived, [&](const AgwFrameView& frame) {
    if (frame.kind != 'U') return;
    if (handled++ == 0) {
      clock.start();
      rssBefore = StatusKb("VmRSS:");  // the window is up and connected: the flood starts
    }
  });
  std::vector<double> lateness;
  QElapsedTimer tick;
  QTimer probe;
  probe.setTimerType(Qt::PreciseTimer);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    if (handled > 0 && handled < frames)
      lateness.push_back(std::max(0.0, tick.nsecsElapsed() / 1e6 - 10));
    tick.start();
  });
  tick.start();
  probe.start(10);
  QObject::connect(&window.Winsock1(), &AgwLink::closedByPeer, &app, &QApplication::quit);
  app.exec();
  const double seconds = clock.nsecsElapsed() / 1e9;
  std::sort(lateness.begin(), lateness.end());
  const auto pct = [&](double p) {
    return lateness.empty() ? 0.0 : lateness[size_t(p * double(lateness.size() - 1))];
  };
  std::printf("frames sent %d, handled %d (%s)\n", frames, handled,
              handled == frames ? "each once" : "MISMATCH");
  std::printf("%.0f frames/s over %.2f s\n", handled / seconds, seconds);
  std::printf("RSS before %ld kB, peak %ld kB, growth %ld kB\n", rssBefore, StatusKb("VmHWM:"),
              StatusKb("VmHWM:") - rssBefore);
  std::printf("10 ms timer lateness: p50 %.2f ms, p99 %.2f ms, max %.2f ms (%zu ticks)\n", pct(0.5),
              pct(0.99), pct(1.0), lateness.size());
  simulator.kill();
  simulator.waitForFinished();
  return handled == frames ? 0 : 1;
}
