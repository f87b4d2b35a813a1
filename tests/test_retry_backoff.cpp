#include <QtTest>
#include <vector>

#include "retry_backoff.h"

namespace {

// One thing that happens to the backoff; Next asks for a wait.
struct Op {
  enum Kind { Next, Heard, Ended, Restart } kind;
  int64_t openMs = 0;  // with Ended
};

constexpr Op Next{Op::Next}, Heard{Op::Heard}, Restart{Op::Restart};
constexpr Op EndedAfter(int64_t ms) {
  return {Op::Ended, ms};
}

// The bridge's schedule against APRS-IS, and the link's against AGWPE.
constexpr BackoffSchedule Bridge{1000, 60000};
constexpr BackoffSchedule Engine{5000, 300000};

}  // namespace

Q_DECLARE_METATYPE(BackoffSchedule)
Q_DECLARE_METATYPE(std::vector<Op>)

class TestRetryBackoff : public QObject {
  Q_OBJECT
 private slots:
  void waits_data() {
    QTest::addColumn<BackoffSchedule>("schedule");
    QTest::addColumn<std::vector<Op>>("ops");
    QTest::addColumn<QList<int64_t>>("waits");  // what each Next returned, in order
    QTest::newRow("the bridge's waits double from 1 s and stop at 60 s")
        << Bridge << std::vector<Op>(8, Next)
        << QList<int64_t>{1000, 2000, 4000, 8000, 16000, 32000, 60000, 60000};
    QTest::newRow("the engine's waits double from 5 s, 160 s, then 300 s")
        << Engine << std::vector<Op>(8, Next)
        << QList<int64_t>{5000, 10000, 20000, 40000, 80000, 160000, 300000, 300000};
    QTest::newRow("something heard starts the waits again")
        << Bridge << std::vector<Op>{Next, Next, Next, Heard, Next}
        << QList<int64_t>{1000, 2000, 4000, 1000};
    QTest::newRow("a connection as long as the longest wait starts them again")
        << Bridge << std::vector<Op>{Next, Next, EndedAfter(60000), Next}
        << QList<int64_t>{1000, 2000, 1000};
    QTest::newRow("a shorter one does not")
        << Bridge << std::vector<Op>{Next, Next, EndedAfter(59999), Next}
        << QList<int64_t>{1000, 2000, 4000};
    QTest::newRow("accepted and dropped at once, again and again, still backs off")
        << Engine << std::vector<Op>{Next, EndedAfter(0), Next, EndedAfter(3), Next}
        << QList<int64_t>{5000, 10000, 20000};
    QTest::newRow("a restart goes back to the first wait")
        << Engine << std::vector<Op>{Next, Next, Restart, Next}
        << QList<int64_t>{5000, 10000, 5000};
  }
  void waits() {
    QFETCH(BackoffSchedule, schedule);
    QFETCH(std::vector<Op>, ops);
    QFETCH(QList<int64_t>, waits);
    RetryBackoff backoff(schedule);
    QList<int64_t> got;
    for (const Op& op : ops) {
      switch (op.kind) {
        case Op::Next:
          got << backoff.NextWait();
          break;
        case Op::Heard:
          backoff.Heard();
          break;
        case Op::Ended:
          backoff.Ended(op.openMs);
          break;
        case Op::Restart:
          backoff.Restart();
          break;
      }
    }
    QCOMPARE(got, waits);
  }
};

QTEST_APPLESS_MAIN(TestRetryBackoff)
#include "test_retry_backoff.moc"
