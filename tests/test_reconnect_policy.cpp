#include <QtTest>
#include <vector>

#include "reconnect_policy.h"

namespace {

using E = LinkEvent;

struct Step {
  LinkEvent event;
  int64_t openSeconds = 0;  // with Lost: how long the connection was open
};

constexpr Step UserConnect{E::UserConnect}, Established{E::Established}, Heard{E::Heard},
    Failed{E::AttemptFailed};
constexpr Step LostAfter(int64_t seconds) {
  return {E::Lost, seconds};
}

constexpr LinkDecision Nothing{};
constexpr LinkDecision RetryIn(int64_t seconds) {
  return {LinkReaction::Retry, seconds * 1000, false};
}
// The user sees the failure, and the retries go on behind the box.
constexpr LinkDecision ToldRetryIn(int64_t seconds) {
  return {LinkReaction::Retry, seconds * 1000, true};
}

}  // namespace

Q_DECLARE_METATYPE(std::vector<Step>)
Q_DECLARE_METATYPE(std::vector<LinkDecision>)

class TestReconnectPolicy : public QObject {
  Q_OBJECT
 private slots:
  void decisions_data() {
    QTest::addColumn<std::vector<Step>>("events");
    QTest::addColumn<std::vector<LinkDecision>>("expected");
    QTest::newRow("a user connect that opens is left alone")
        << std::vector<Step>{UserConnect, Established}
        << std::vector<LinkDecision>{Nothing, Nothing};
    QTest::newRow("a user connect that never opens is told, and retried behind the box")
        << std::vector<Step>{UserConnect, Failed, Failed, Failed}
        << std::vector<LinkDecision>{Nothing, ToldRetryIn(5), RetryIn(10), RetryIn(20)};
    QTest::newRow("a lost connection is retried 5 s later")
        << std::vector<Step>{UserConnect, Established, Heard, LostAfter(1)}
        << std::vector<LinkDecision>{Nothing, Nothing, Nothing, RetryIn(5)};
    QTest::newRow("failed retries double the wait up to 160 s, then every 300 s")
        << std::vector<Step>{UserConnect, Established, Heard,  LostAfter(1), Failed, Failed,
                             Failed,      Failed,      Failed, Failed,       Failed}
        << std::vector<LinkDecision>{Nothing,      Nothing,      Nothing,     RetryIn(5),
                                     RetryIn(10),  RetryIn(20),  RetryIn(40), RetryIn(80),
                                     RetryIn(160), RetryIn(300), RetryIn(300)};
    QTest::newRow("a retry that opens and hears the engine starts the waits afresh")
        << std::vector<Step>{UserConnect, Established, Heard, LostAfter(1), Failed,
                             Failed,      Established, Heard, LostAfter(1)}
        << std::vector<LinkDecision>{Nothing,     Nothing, Nothing, RetryIn(5), RetryIn(10),
                                     RetryIn(20), Nothing, Nothing, RetryIn(5)};
    QTest::newRow("an engine that accepts and drops at once is no fresh start")
        << std::vector<Step>{UserConnect,  Established, Heard,        LostAfter(1), Established,
                             LostAfter(0), Established, LostAfter(0), Failed}
        << std::vector<LinkDecision>{Nothing,     Nothing, Nothing,     RetryIn(5), Nothing,
                                     RetryIn(10), Nothing, RetryIn(20), RetryIn(40)};
    QTest::newRow("a silent connection as long as the longest wait starts afresh, a shorter not")
        << std::vector<Step>{UserConnect,    Established, LostAfter(1),  Established,
                             LostAfter(299), Established, LostAfter(300)}
        << std::vector<LinkDecision>{Nothing,     Nothing, RetryIn(5), Nothing,
                                     RetryIn(10), Nothing, RetryIn(5)};
    QTest::newRow("a loss before any user connect is still retried (never a box)")
        << std::vector<Step>{Established, LostAfter(0), Failed}
        << std::vector<LinkDecision>{Nothing, RetryIn(5), RetryIn(10)};
    QTest::newRow("the user connecting during the waits: its failure is told, the waits go on")
        << std::vector<Step>{UserConnect, Established, Heard,  LostAfter(1),
                             Failed,      UserConnect, Failed, Failed}
        << std::vector<LinkDecision>{Nothing,     Nothing, Nothing,        RetryIn(5),
                                     RetryIn(10), Nothing, ToldRetryIn(5), RetryIn(10)};
    QTest::newRow("a user connect after an outage starts from 5 s when it is lost")
        << std::vector<Step>{UserConnect, Established, Heard,       LostAfter(1), Failed,
                             Failed,      UserConnect, Established, LostAfter(0)}
        << std::vector<LinkDecision>{Nothing,     Nothing, Nothing, RetryIn(5), RetryIn(10),
                                     RetryIn(20), Nothing, Nothing, RetryIn(5)};
  }
  void decisions() {
    QFETCH(std::vector<Step>, events);
    QFETCH(std::vector<LinkDecision>, expected);
    QCOMPARE(events.size(), expected.size());
    ReconnectPolicy policy;
    for (size_t i = 0; i < events.size(); ++i) {
      const LinkDecision got = policy.On(events[i].event, events[i].openSeconds * 1000);
      QVERIFY2(got == expected[i],
               qPrintable(QStringLiteral("event %1: reaction %2 wait %3 ms report %4, expected "
                                         "%5 wait %6 ms report %7")
                              .arg(i)
                              .arg(int(got.reaction))
                              .arg(got.waitMs)
                              .arg(got.report)
                              .arg(int(expected[i].reaction))
                              .arg(expected[i].waitMs)
                              .arg(expected[i].report)));
    }
  }

  // Tests run the schedule fast: every wait shrinks by the same factor.
  void aShorterSecondScalesEveryWait() {
    ReconnectPolicy policy(20);
    policy.On(E::Established);
    QList<int64_t> waits;
    waits << policy.On(E::Lost).waitMs;
    for (int i = 0; i < 7; ++i) waits << policy.On(E::AttemptFailed).waitMs;
    QCOMPARE(waits, (QList<int64_t>{100, 200, 400, 800, 1600, 3200, 6000, 6000}));
  }
};

QTEST_APPLESS_MAIN(TestReconnectPolicy)
#include "test_reconnect_policy.moc"
