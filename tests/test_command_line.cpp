#include <QtTest>

#include "command_line.h"

class TestCommandLine : public QObject {
  Q_OBJECT
 private slots:
  void parses_data() {
    QTest::addColumn<QString>("tail");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("save");
    QTest::newRow("empty tail gives no call") << ""
                                              << ""
                                              << "" << false;
    QTest::newRow("blanks only") << "   "
                                 << ""
                                 << "" << false;
    QTest::newRow("one lower-case word is upper-cased") << "iw2abc"
                                                        << "IW2ABC"
                                                        << "" << false;
    QTest::newRow("call host save with extra blanks") << "  iw2abc   MyHost.Lan   save  "
                                                      << "IW2ABC"
                                                      << "MyHost.Lan" << true;
    QTest::newRow("single word after call is the host, not SAVE") << "iw2abc SAVE"
                                                                  << "IW2ABC"
                                                                  << "SAVE" << false;
    QTest::newRow("SAVE followed by more words is ignored") << "iw2abc host SAVE now"
                                                            << "IW2ABC"
                                                            << "host" << false;
    QTest::newRow("mixed-case keyword") << "k1abc h SaVe"
                                        << "K1ABC"
                                        << "h" << true;
    QTest::newRow("12-character word is cut to 9") << "abcdefghijkl"
                                                   << "ABCDEFGHI"
                                                   << "" << false;
    QTest::newRow("12-character call followed by a host is whole") << "abcdefghijkl host"
                                                                   << "ABCDEFGHIJKL"
                                                                   << "host" << false;
    QTest::newRow("tab is no separator") << "iw2\tlocalhost"
                                         << "IW2\tLOCAL"
                                         << "" << false;
    QTest::newRow("host case is kept") << "x LocalHost"
                                       << "X"
                                       << "LocalHost" << false;
    QTest::newRow("upper case keeps the length")
        << QString::fromUtf8("stra\u00DFenwetter") << QString::fromUtf8("STRA\u00DFENWE") << ""
        << false;
    QTest::newRow("call with ssid") << "iw2abc-13 10.0.0.1"
                                    << "IW2ABC-13"
                                    << "10.0.0.1" << false;
  }
  void parses() {
    QFETCH(QString, tail);
    const CommandLine line = ParseCommandLine(tail);
    QTEST(line.StationCall, "call");
    QTEST(line.AgwHost, "host");
    QTEST(line.SaveAlarms, "save");
  }
  void joinsArgumentsWithSingleBlanks() {
    QCOMPARE(CommandLineTail({"iw2abc", "host", "save"}), QStringLiteral("iw2abc host save"));
    QCOMPARE(ParseCommandLine(CommandLineTail({"iw2abc", "host", "save"})).SaveAlarms, true);
  }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
