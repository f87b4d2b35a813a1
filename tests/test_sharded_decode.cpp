#include <QFile>
#include <QtTest>
#include <chrono>
#include <cstdio>
#include <future>
#include <memory>
#include <thread>

#include "decode_command.h"
#include "line_reader.h"
#include "sharded_decode.h"
#include "test_support.h"

namespace {

// The real packets many times over: enough batches for many rounds of the helpers.
QByteArray ManyBatches(int copies) {
  QByteArray once;
  for (const char* name : {"aprs-weather-cwop.txt", "aprs-weather-misc.txt"}) {
    QFile f(TestDataPath(name));
    if (f.open(QIODevice::ReadOnly)) once += f.readAll();
  }
  QByteArray log;
  for (int i = 0; i < copies; ++i) log += once;
  return log;
}

std::FILE* FileWith(const QByteArray& bytes) {
  std::FILE* f = std::tmpfile();
  if (!f) return nullptr;
  std::fwrite(bytes.constData(), 1, size_t(bytes.size()), f);
  std::rewind(f);
  return f;
}

QByteArray ReadAll(std::FILE* f) {
  std::fflush(f);
  std::rewind(f);
  QByteArray all;
  char piece[64 * 1024];
  for (size_t got; (got = std::fread(piece, 1, sizeof piece, f)) > 0;)
    all.append(piece, qsizetype(got));
  return all;
}

DecodeOptions Options() {
  DecodeOptions options;
  options.locale = QLocale::c();
  options.settings = DefaultAlarmSettings(QString());
  options.tnc2 = true;
  return options;
}

// Everything a decode on threads touches, kept alive by the thread itself: a run that hangs is
// left behind without pulling its files from under it.
struct ThreadedRun {
  std::FILE* in = nullptr;
  std::FILE* out = nullptr;
  std::unique_ptr<LineReader> reader;
};

}  // namespace

class TestShardedDecode : public QObject {
  Q_OBJECT
 private slots:
  // The last helper to finish is held up just before it wakes the reading thread, round after
  // round: the rounds must neither hang nor let a batch be written before it is decoded.
  void aLateWakeUpLosesNoRound_data() {
    QTest::addColumn<int>("threads");
    QTest::addColumn<int>("delayUs");
    QTest::newRow("two decoders, held 1 ms") << 2 << 1000;
    QTest::newRow("three decoders, held 1 ms") << 3 << 1000;
    QTest::newRow("three decoders, held 200 us") << 3 << 200;
    QTest::newRow("eight decoders, held 2 ms") << 8 << 2000;
  }
  void aLateWakeUpLosesNoRound() {
    QFETCH(int, threads);
    QFETCH(int, delayUs);
    const QByteArray log = ManyBatches(20);
    QVERIFY(log.count('\n') > 40 * 512);  // many rounds
    std::FILE* in = FileWith(log);
    std::FILE* expected = std::tmpfile();
    QVERIFY(in && expected);
    DecodeOptions one = Options();
    one.threads = 1;
    QCOMPARE(RunDecode(one, in, expected, expected), 0);
    std::fclose(in);

    auto run = std::make_shared<ThreadedRun>();
    run->in = FileWith(log);
    run->out = std::tmpfile();
    QVERIFY(run->in && run->out);
    run->reader = std::make_unique<LineReader>(run->in);
    std::packaged_task<void()> task([run, threads, delayUs] {
      CheckedOutput out(run->out);
      DecodeOnThreads(Options(), threads, *run->reader, out, [delayUs] {
        std::this_thread::sleep_for(std::chrono::microseconds(delayUs));
      });
      (void)out.Flush();
    });
    std::future<void> done = task.get_future();
    std::thread worker(std::move(task));
    if (done.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
      worker.detach();  // asleep for ever: nothing can join it
      QFAIL("the threaded decode hung");
    }
    worker.join();
    const QByteArray got = ReadAll(run->out);
    const QByteArray want = ReadAll(expected);
    std::fclose(expected);
    QVERIFY(!want.isEmpty());
    QCOMPARE(got.count('\n'), want.count('\n'));
    QVERIFY2(got == want, "a batch was written before all of it was decoded");
  }
};

QTEST_GUILESS_MAIN(TestShardedDecode)
#include "test_sharded_decode.moc"
