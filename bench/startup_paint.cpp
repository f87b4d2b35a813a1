// Start-up to first paint of the main window: prints the milliseconds from main() and the
// resident memory at that moment, then exits. Time the whole process with `time` or hyperfine.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "main_window.h"

namespace {

long ResidentKb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
  return -1;
}

class FirstPaint : public QObject {
 public:
  explicit FirstPaint(const QElapsedTimer& since) : since_(since) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !done_) {
      done_ = true;
      std::printf("first paint after %.1f ms from main(), RSS %ld kB\n",
                  since_.nsecsElapsed() / 1e6, ResidentKb());
      QMetaObject::invokeMethod(qApp, &QApplication::quit, Qt::QueuedConnection);
    }
    return false;
  }

 private:
  const QElapsedTimer& since_;
  bool done_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
  QElapsedTimer since;
  since.start();
  QApplication app(argc, argv);
  QTemporaryDir dir;
  Settings settings;
  WindowSeams seams = WindowSeams::Desktop();
  seams.programFolder = dir.path();
  frmWx window(settings, seams);
  FirstPaint watch(since);
  window.installEventFilter(&watch);
  window.Form_Load(QStringLiteral("IW2XYZ"));
  window.show();
  return QApplication::exec();
}
