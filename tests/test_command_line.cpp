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

  // What Windows hands over is the whole line: the program name goes by Windows's rules and
  // the rest reaches the parser as typed, tabs and runs of blanks included.
  void tailAfterTheProgramName_data() {
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QString>("tail");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("host");
    QTest::newRow("plain name") << "ventora.exe iw2abc host"
                                << " iw2abc host"
                                << "IW2ABC"
                                << "host";
    QTest::newRow("quoted path with blanks") << "\"C:\\Program Files\\Ventora\\ventora.exe\" iw2abc"
                                             << " iw2abc"
                                             << "IW2ABC"
                                             << "";
    QTest::newRow("quoted name, no blank after it") << "\"ventora.exe\"iw2abc"
                                                    << "iw2abc"
                                                    << "IW2ABC"
                                                    << "";
    QTest::newRow("runs of blanks kept") << "ventora   iw2abc    host"
                                         << "   iw2abc    host"
                                         << "IW2ABC"
                                         << "host";
    QTest::newRow("tab ends an unquoted name") << "ventora\tiw2abc"
                                               << "\tiw2abc"
                                               << "\tIW2ABC"
                                               << "";
    QTest::newRow("tab inside the tail is no separator") << "ventora iw2\tlocalhost"
                                                         << " iw2\tlocalhost"
                                                         << "IW2\tLOCAL"
                                                         << "";
    QTest::newRow("quotes in the tail stay") << "ventora \"iw2abc\" h"
                                             << " \"iw2abc\" h"
                                             << "\"IW2ABC\""
                                             << "h";
    QTest::newRow("unclosed quote: all is the name") << "\"C:\\ventora iw2abc"
                                                     << ""
                                                     << ""
                                                     << "";
    QTest::newRow("nothing after the name") << "ventora.exe"
                                            << ""
                                            << ""
                                            << "";
  }
  void tailAfterTheProgramName() {
    QFETCH(QString, commandLine);
    const QString tail = TailAfterProgramName(commandLine);
    QTEST(tail, "tail");
    QTEST(ParseCommandLine(tail).StationCall, "call");
    QTEST(ParseCommandLine(tail).AgwHost, "host");
  }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
