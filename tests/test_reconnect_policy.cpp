#include <QtTest>
#include <vector>

#include "reconnect_policy.h"

Q_DECLARE_METATYPE(std::vector<LinkEvent>)
Q_DECLARE_METATYPE(std::vector<LinkDecision>)

namespace {

using E = LinkEvent;
constexpr LinkDecision Nothing{LinkReaction::Nothing, 0};
constexpr LinkDecision Report{LinkReaction::Report, 0};
constexpr LinkDecision RetryIn(int64_t seconds) {
  return {LinkReaction::Retry, seconds * 1000};
}

}  // namespace

class TestReconnectPolicy : public QObject {
  Q_OBJECT
 private slots:
  void decisions_data() {
    QTest::addColumn<std::vector<LinkEvent>>("events");
    QTest::addColumn<std::vector<LinkDecision>>("expected");
    QTest::newRow("a user connect that opens is left alone")
        << std::vector<E>{E::UserConnect, E::Established}
        << std::vector<LinkDecision>{Nothing, Nothing};
    QTest::newRow("a user connect that never opens is reported, not retried")
        << std::vector<E>{E::UserConnect, E::AttemptFailed}
        << std::vector<LinkDecision>{Nothing, Report};
    QTest::newRow("a lost connection is retried 5 s later")
        << std::vector<E>{E::UserConnect, E::Established, E::Lost}
        << std::vector<LinkDecision>{Nothing, Nothing, RetryIn(5)};
    QTest::newRow("failed retries double the wait up to 160 s, then every 300 s")
        << std::vector<E>{E::UserConnect,   E::Established,   E::Lost,          E::AttemptFailed,
                          E::AttemptFailed, E::AttemptFailed, E::AttemptFailed, E::AttemptFailed,
                          E::AttemptFailed, E::AttemptFailed}
        << std::vector<LinkDecision>{Nothing,      Nothing,     RetryIn(5),  RetryIn(10),
                                     RetryIn(20),  RetryIn(40), RetryIn(80), RetryIn(160),
                                     RetryIn(300), RetryIn(300)};
    QTest::newRow("a retry that opens starts the waits afresh")
        << std::vector<E>{E::UserConnect,   E::Established, E::Lost, E::AttemptFailed,
                          E::AttemptFailed, E::Established, E::Lost}
        << std::vector<LinkDecision>{Nothing,     Nothing, RetryIn(5), RetryIn(10),
                                     RetryIn(20), Nothing, RetryIn(5)};
    QTest::newRow("a loss before any user connect is still retried (never a box)")
        << std::vector<E>{E::Established, E::Lost, E::AttemptFailed}
        << std::vector<LinkDecision>{Nothing, RetryIn(5), RetryIn(10)};
    QTest::newRow(
        "the user connecting during the waits ends the retries: its failure is "
        "reported")
        << std::vector<E>{E::UserConnect,   E::Established, E::Lost,
                          E::AttemptFailed, E::UserConnect, E::AttemptFailed}
        << std::vector<LinkDecision>{Nothing, Nothing, RetryIn(5), RetryIn(10), Nothing, Report};
    QTest::newRow("a user connect after an outage starts from 5 s when it is lost")
        << std::vector<E>{E::UserConnect,   E::Established, E::Lost,        E::AttemptFailed,
                          E::AttemptFailed, E::UserConnect, E::Established, E::Lost}
        << std::vector<LinkDecision>{Nothing,     Nothing, RetryIn(5), RetryIn(10),
                                     RetryIn(20), Nothing, Nothing,    RetryIn(5)};
    QTest::newRow("a connection lost again at once is retried at 5 s each time")
        << std::vector<E>{E::UserConnect, E::Established, E::Lost, E::Established, E::Lost}
        << std::vector<LinkDecision>{Nothing, Nothing, RetryIn(5), Nothing, RetryIn(5)};
  }
  void decisions() {
    QFETCH(std::vector<LinkEvent>, events);
    QFETCH(std::vector<LinkDecision>, expected);
    QCOMPARE(events.size(), expected.size());
    ReconnectPolicy policy;
    for (size_t i = 0; i < events.size(); ++i) {
      const LinkDecision got = policy.On(events[i]);
      QVERIFY2(got == expected[i],
               qPrintable(QStringLiteral("event %1: reaction %2 wait %3 ms, expected %4 wait %5 ms")
                              .arg(i)
                              .arg(int(got.reaction))
                              .arg(got.waitMs)
                              .arg(int(expected[i].reaction))
                              .arg(expected[i].waitMs)));
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
