#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "mqtt_broker.h"
#include "preferences_file.h"

namespace {

QList<QJsonObject> RunDecode(const QByteArray& input, const QStringList& extra = {},
                             QByteArray* err = nullptr) {
  QProcess cli;
  cli.start(QStringLiteral(VENTORA_CLI), QStringList{"decode", "--locale", "C"} + extra);
  cli.write(input);
  cli.closeWriteChannel();
  cli.waitForFinished(30000);
  if (err) *err = cli.readAllStandardError();
  QList<QJsonObject> lines;
  for (const QByteArray& line : cli.readAllStandardOutput().split('\n'))
    if (!line.isEmpty()) lines << QJsonDocument::fromJson(line).object();
  return lines;
}

struct RawRun {
  QByteArray out, err;
  int exitCode = -1;
};

RawRun RunCli(const QByteArray& input, const QStringList& args) {
  QProcess cli;
  cli.start(QStringLiteral(VENTORA_CLI), args);
  cli.write(input);
  cli.closeWriteChannel();
  cli.waitForFinished(60000);
  return {cli.readAllStandardOutput(), cli.readAllStandardError(), cli.exitCode()};
}

// The real packets three times over, each round in another order, with lines that are not
// packets among them (counted in `notPackets`): every station reports thrice, far apart, and
// the log spans many of the batches that the decoders share out.
QByteArray InterleavedLog(int& notPackets) {
  QList<QByteArray> lines;
  for (const char* name : {"aprs-weather-cwop.txt", "aprs-weather-misc.txt"}) {
    QFile f(QStringLiteral(VENTORA_TEST_DATA "/") + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly)) return {};
    for (const QByteArray& line : f.readAll().split('\n'))
      if (!line.isEmpty()) lines << line;
  }
  const qsizetype n = lines.size();
  QByteArray log;
  notPackets = 0;
  for (int round = 0; round < 3; ++round)
    for (qsizetype i = 0; i < n; ++i) {  // in order, backwards, from the middle on
      log += lines[round == 1 ? n - 1 - i : (i + round * n / 2) % n] + '\n';
      if (i % 97 == round) {
        log += "not a packet\n";
        ++notPackets;
      }
    }
  return log;
}

// Every packet of the test data, each ended by `ending` (some of the files end theirs by CR LF).
QByteArray PacketsEndedBy(const QByteArray& ending) {
  int notPackets = 0;
  QByteArray log = InterleavedLog(notPackets);
  log.replace("\r\n", "\n").replace("\n", ending);
  return log;
}

// `ventora-cli monitor` against an engine of the test's own, read event by event.
struct MonitorRun {
  QProcess cli;
  QList<QJsonObject> events;
  QByteArray err;

  void Start(quint16 port, const QStringList& extra) {
    cli.start(QStringLiteral(VENTORA_CLI),
              QStringList{"monitor", "IW2XYZ", "127.0.0.1", "--port", QString::number(port),
                          "--tick-ms", "60000", "--locale", "C"} +
                  extra);
  }
  void Read() {
    while (cli.canReadLine()) events << QJsonDocument::fromJson(cli.readLine().trimmed()).object();
  }
  QList<QJsonObject> Named(const QString& name) {
    Read();
    QList<QJsonObject> found;
    for (const QJsonObject& e : events)
      if (e["event"].toString() == name) found << e;
    return found;
  }
  // The first alert of `kind` printed after the first report, or an empty object.
  QJsonObject AlertAfterReport(const QString& kind) {
    Read();
    bool reported = false;
    for (const QJsonObject& e : events) {
      reported = reported || e["event"].toString() == QLatin1String("report");
      if (reported && e["event"].toString() == QLatin1String("alert") &&
          e["kind"].toString() == kind)
        return e;
    }
    return {};
  }
  QByteArray Err() {
    err += cli.readAllStandardError();
    return err;
  }
  ~MonitorRun() {
    cli.kill();
    cli.waitForFinished(5000);
  }
};

// Accepts the monitor's connection and takes its "m", "R" and "G": nothing else may come.
QTcpSocket* AcceptRequests(QTcpServer& server) {
  if (!server.waitForNewConnection(10000)) return nullptr;
  QTcpSocket* engine = server.nextPendingConnection();
  QByteArray got;
  while (got.size() < 3 * 36 && engine->waitForReadyRead(5000)) got += engine->readAll();
  const QByteArray m = QByteArray(4, 0) + 'm' + QByteArray(31, 0);
  const QByteArray r = QByteArray(4, 0) + 'R' + QByteArray(31, 0);
  const QByteArray g = QByteArray(4, 0) + 'G' + QByteArray(31, 0);
  return got == m + r + g ? engine : nullptr;
}

// A monitored frame of the station, as an engine sends it: header, then the monitor text.
QByteArray StationFrame(const QByteArray& info) {
  const QByteArray data = " 1:Fm IW2XYZ To APRS <UI pid=F0 Len=16 >[12:00:00]\r" + info + "\r";
  QByteArray frame(36, 0);
  frame[4] = 'U';
  frame.replace(8, 6, "IW2XYZ");
  frame[28] = char(data.size() & 0xff);
  frame[29] = char(data.size() >> 8);
  return frame + data;
}

// The command line that runs alert_probe, writing to `file` and exiting with `exitCode`.
QString ProbeCommand(const QString& file, int exitCode = 0) {
  return QStringLiteral("\"%1\" \"%2\" %3")
      .arg(QStringLiteral(VENTORA_ALERT_PROBE), file)
      .arg(exitCode);
}

// What alert_probe wrote: one map of VENTORA_* variables per run, in the order of the runs.
QList<QMap<QString, QString>> ProbeRuns(const QString& file) {
  QFile f(file);
  QList<QMap<QString, QString>> runs;
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return runs;
  for (const QString& block : QString::fromUtf8(f.readAll()).split(QStringLiteral("\n\n"))) {
    QMap<QString, QString> run;
    for (const QString& line : block.split(u'\n', Qt::SkipEmptyParts))
      run.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
    if (!run.isEmpty()) runs << run;
  }
  return runs;
}

// The last run of the probe for `event`, or an empty map.
QMap<QString, QString> ProbeRunFor(const QString& file, const QString& event) {
  const auto runs = ProbeRuns(file);
  for (auto run = runs.crbegin(); run != runs.crend(); ++run)
    if (run->value(QStringLiteral("VENTORA_EVENT")) == event) return *run;
  return {};
}

// The first line of the README's example that follows `marker`, without its indent.
QString ReadmeExample(const QString& marker) {
  QFile f(QStringLiteral(VENTORA_SOURCE_DIR "/README.md"));
  if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
  const QString text = QString::fromUtf8(f.readAll());
  const qsizetype at = text.indexOf(marker);
  if (at < 0) return {};
  for (const QString& line : text.mid(at + marker.size()).split(u'\n'))
    if (!line.trimmed().isEmpty()) return line.trimmed();
  return {};
}

// One HTTP request as a server reads it: the request line and headers, then the body.
QByteArray ReadHttpRequest(QTcpSocket* client, QByteArray& body) {
  QByteArray got;
  while (!got.contains("\r\n\r\n") && client->waitForReadyRead(10000)) got += client->readAll();
  const qsizetype end = got.indexOf("\r\n\r\n");
  if (end < 0) return {};
  const QByteArray head = got.left(end + 2);
  const QRegularExpressionMatch length =
      QRegularExpression(QStringLiteral("\r\nContent-Length: *(\\d+)\r\n"),
                         QRegularExpression::CaseInsensitiveOption)
          .match(QString::fromLatin1(head));
  const qsizetype size = length.hasMatch() ? length.captured(1).toLongLong() : 0;
  body = got.mid(end + 4);
  while (body.size() < size && client->waitForReadyRead(10000)) body += client->readAll();
  client->write("HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
  client->flush();
  return head;
}

// The monitor's "mqtt" lines in the state `state`.
int MqttLines(MonitorRun& run, const QString& state) {
  int n = 0;
  for (const QJsonObject& e : run.Named(QStringLiteral("mqtt")))
    n += e["state"].toString() == state;
  return n;
}

// The reports `ventora-cli history` finds in `file`.
int StoredReports(const QString& file) {
  QProcess cli;
  cli.start(QStringLiteral(VENTORA_CLI), {"history", "--file", file, "--format", "jsonl"});
  cli.waitForFinished(30000);
  return int(cli.readAllStandardOutput().count('\n'));
}

}  // namespace

class TestVentoraCli : public QObject {
  Q_OBJECT
 private slots:
  void decodesTheWorkedExample() {
    const auto lines = RunDecode("!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW\n");
    QCOMPARE(lines.size(), 1);
    const QJsonObject labels = lines[0]["labels"].toObject();
    QCOMPARE(labels["lblWxData"].toString(), QStringLiteral("220\u00B0  6 / 8 km/h"));
    QCOMPARE(labels["lblTemp"].toString(), QStringLiteral("25.0\u00B0C"));
    QCOMPARE(labels["lblUR"].toString(), QStringLiteral("50%"));
    QCOMPARE(labels["lblPress"].toString(), QStringLiteral("990.0 mb"));
    QCOMPARE(labels["lblRain"].toString(),
             QStringLiteral("0mm/h 0mm/24h\r\n0mm/Day Dp 13.9\u00B0C  11.5g/m\u00B3"));
    QCOMPARE(labels["lblWxComment"].toString(), QStringLiteral(" wRSW"));
    QCOMPARE(labels["lblElapsed"].toString(), QStringLiteral("00"));
    QCOMPARE(lines[0]["rainFontPt"].toInt(), 8);
    QCOMPARE(lines[0]["acceptReport"].toBool(), false);
    QCOMPARE(lines[0]["focus"].toBool(), true);  // the default alarm file brings the window up
    const QJsonObject values = lines[0]["values"].toObject();
    QCOMPARE(values["WindDir"].toInt(), 220);
    QVERIFY(values["WindChill"].isNull());
    QCOMPARE(values["Humidity"].toInt(), 50);
    QCOMPARE(lines[0]["compass"].toObject()["dir"].toInt(), 220);
  }

  // The worked example in imperial units, worked out by hand: 4 and 5 mph decode to 6.4374 and
  // 8.0467 km/h, shown as 4.00001 and 5.00001 mph; 25.0 C = 77.0 F; dew point 13.868 C =
  // 56.96 F; 990.0 mb / 33.8639 = 29.2347 inHg. The values stay metric.
  void decodesInTheUnitsAsked() {
    const auto lines = RunDecode("!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW\n",
                                 {"--units", "imperial"});
    QCOMPARE(lines.size(), 1);
    const QJsonObject labels = lines[0]["labels"].toObject();
    QCOMPARE(labels["lblWxData"].toString(), QStringLiteral("220\u00B0  4 / 5 mph"));
    QCOMPARE(labels["lblTemp"].toString(), QStringLiteral("77.0\u00B0F"));
    QCOMPARE(labels["lblPress"].toString(), QStringLiteral("29.23 inHg"));
    QCOMPARE(labels["lblRain"].toString(),
             QStringLiteral("0.00in/h 0.00in/24h\r\n0.00in/Day Dp 57.0\u00B0F  11.5g/m\u00B3"));
    QCOMPARE(lines[0]["values"].toObject()["Pressure"].toDouble(), 990.0);
    QCOMPARE(lines[0]["values"].toObject()["TempC"].toDouble(), 25.0);
  }

  void rejectsUnknownUnitsAndLanguages_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("said");
    QTest::newRow("decode, furlongs") << QStringList{"decode", "--units", "furlongs"}
                                      << "--units takes metric or imperial, not furlongs";
    QTest::newRow("monitor, upper case") << QStringList{"monitor", "X", "--units", "IMPERIAL"}
                                         << "--units takes metric or imperial, not IMPERIAL";
    QTest::newRow("decode, a language Ventora lacks")
        << QStringList{"decode", "--lang", "fr"} << "--lang takes it or en, not fr";
    QTest::newRow("monitor, a locale for a language")
        << QStringList{"monitor", "X", "--lang", "en_US"} << "--lang takes it or en, not en_US";
  }
  void rejectsUnknownUnitsAndLanguages() {
    QFETCH(QStringList, args);
    QFETCH(QString, said);
    const RawRun run = RunCli({}, args);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(said.toUtf8()), run.err.constData());
  }

  void carriesStateFromLineToLine() {
    const auto lines = RunDecode(
        "_10090556c220s004g005t077h50b10132\r\n"
        "_.../...t080\n"
        "_000/000g000t080");  // the last line has no line end
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0]["trends"].toArray(), QJsonArray({QJsonValue(), QJsonValue(), QJsonValue()}));
    QCOMPARE(lines[1]["trends"].toArray()[0].toString(), QStringLiteral("up"));
    QCOMPARE(lines[1]["labels"].toObject()["lblWxData"].toString(),
             QStringLiteral("220\u00B0  6 / 8 km/h"));
    QCOMPARE(lines[1]["acceptReport"].toBool(), false);  // no timer tick between lines
    QCOMPARE(lines[2]["trends"].toArray()[0].toString(), QStringLiteral("equal"));
    QCOMPARE(lines[2]["labels"].toObject()["lblWxData"].toString(),
             QStringLiteral("Calma di vento"));
    QCOMPARE(lines[2]["compass"].toObject()["calm"].toBool(), true);
  }

  void tooltipStartsFromTheDesignCaptions() {
    const auto lines = RunDecode("_.../...h50\n", {"--call", "iw2xyz"});
    QCOMPARE(lines[0]["tooltip"].toString(), QStringLiteral("IW2XYZ Ventora v5.01  50%  "));
  }

  void readsAlarmFileAndWindows1252() {
    QTemporaryDir dir;
    QFile f(dir.filePath("WxAlarms.ini"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#TRUE#,#FALSE#,#FALSE#,#FALSE#\r\n-5,20,20,96\r\n900,1040,40,250\r\n50,80\r\n");
    f.close();
    const auto lines = RunDecode("_090/001t077 \x80\xb0\n", {"--alarms", f.fileName()});
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines[0]["colors"].toObject()["lblTemp"].toString(), QStringLiteral("#ff0000"));
    QCOMPARE(lines[0]["beep"].toBool(), true);
    // The blank after t077 still belongs to the numeric field and is cut out with it.
    QCOMPARE(lines[0]["labels"].toObject()["lblWxComment"].toString(),
             QStringLiteral(" \u20AC\u00B0"));
  }

  // The refusal can arrive inside the connect call itself, before the event loop runs (on
  // Windows it does): the monitor must still report it and end.
  void monitorEndsOnARefusedConnection() {
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const QString port = QString::number(probe.serverPort());
    probe.close();  // nobody listens there now
    QProcess cli;
    cli.start(QStringLiteral(VENTORA_CLI),
              {"monitor", "IW2XYZ", "127.0.0.1", "--port", port, "--tick-ms", "60000"});
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 2);
    QVERIFY(cli.readAllStandardOutput().contains("\"event\":\"error\""));
  }

  // Whole packets: split at the first ":" after the first ">", decoded only where the window
  // would decode them.
  void wholePackets_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("from");  // empty: nothing decoded
    QTest::addColumn<QString>("comment");
    QTest::addColumn<int>("notPackets");
    QTest::newRow("digipeated path")
        << QByteArray("K1ABC>APRS,WIDE1*,WIDE2-1:_090/001t077wRSW") << "K1ABC"
        << " wRSW" << 0;
    QTest::newRow("CR LF ending") << QByteArray("K1ABC-13>APRS,TCPIP*,qAC,T2:_090/001t077x\r")
                                  << "K1ABC-13"
                                  << " x" << 0;
    QTest::newRow("Latin-1 bytes") << QByteArray("K1ABC>APRS:_090/001t077 \x80\xb0") << "K1ABC"
                                   << QStringLiteral(" \u20AC\u00B0") << 0;
    QTest::newRow("third-party header is no weather report")
        << QByteArray("IGATE>APRS,qAR,IGATE:}K1ABC>APRS,TCPIP,IGATE*:_090/001t077") << ""
        << "" << 0;
    QTest::newRow("a ':' inside the path ends the address")
        << QByteArray("K1ABC>APRS,WIDE:2:_090/001t077") << ""
        << "" << 0;
    QTest::newRow("empty information field") << QByteArray("K1ABC>APRS:") << ""
                                             << "" << 0;
    QTest::newRow("no '>'") << QByteArray("K1ABC APRS:_090/001t077") << ""
                            << "" << 1;
    QTest::newRow("no ':'") << QByteArray("K1ABC>APRS,WIDE1-1") << ""
                            << "" << 1;
  }
  void wholePackets() {
    QFETCH(QByteArray, line);
    QFETCH(QString, from);
    QFETCH(int, notPackets);
    QByteArray err;
    const auto lines = RunDecode(line + "\n", {"--tnc2"}, &err);
    QCOMPARE(lines.size(), from.isEmpty() ? 0 : 1);
    if (!from.isEmpty()) {
      QCOMPARE(lines[0]["from"].toString(), from);
      QTEST(lines[0]["labels"].toObject()["lblWxComment"].toString(), "comment");
      QCOMPARE(lines[0]["tooltip"].toString().section(u' ', 0, 0), from);
    }
    QCOMPARE(err.contains(QByteArray::number(notPackets) + " lines were not packets"),
             notPackets > 0);
  }

  void wholePacketsKeepTrendsPerStation() {
    const QByteArray log =
        "IZ9ZZZ-13>APRS:_220/004g005t077\n"
        "K2XYZ>APRS:_220/004g005t090\n"
        "IZ9ZZZ-13>APRS:_220/004g005t080\n";
    const auto every = RunDecode(log, {"--tnc2"});
    QCOMPARE(every.size(), 3);
    QCOMPARE(every[1]["trends"].toArray()[0], QJsonValue());  // K2XYZ's first report
    QCOMPARE(every[2]["trends"].toArray()[0].toString(), QStringLiteral("up"));  // 77 -> 80
    const auto one = RunDecode(log, {"--tnc2", "--call", "iz9zzz-13"});
    QCOMPARE(one.size(), 2);
    QCOMPARE(one[1]["from"].toString(), QStringLiteral("IZ9ZZZ-13"));
    QCOMPARE(one[1]["trends"].toArray()[0].toString(), QStringLiteral("up"));
  }

  // Several decoders share the stations out: the output must be byte for byte what one makes,
  // trends, order and the count of skipped lines included.
  void anyNumberOfThreadsGivesTheSameOutput_data() {
    QTest::addColumn<QString>("threads");
    QTest::addColumn<QString>("call");
    for (const char* threads : {"2", "3", "8"}) {
      QTest::newRow(qPrintable(QStringLiteral("%1, every station").arg(threads)))
          << threads << QString();
      QTest::newRow(qPrintable(QStringLiteral("%1, one station").arg(threads)))
          << threads << QStringLiteral("WB8HRV");
    }
  }
  void anyNumberOfThreadsGivesTheSameOutput() {
    QFETCH(QString, threads);
    QFETCH(QString, call);
    int notPackets = 0;
    const QByteArray log = InterleavedLog(notPackets);
    QVERIFY(log.count('\n') > 4000);
    QStringList args{"decode", "--tnc2", "--locale", "it_IT"};
    if (!call.isEmpty()) args << "--call" << call;
    const RawRun one = RunCli(log, args + QStringList{"--threads", "1"});
    const RawRun many = RunCli(log, args + QStringList{"--threads", threads});
    QCOMPARE(many.exitCode, 0);
    QVERIFY(one.out == many.out);
    QCOMPARE(many.err, one.err);
    QVERIFY(one.err.contains(QByteArray::number(notPackets) + " lines were not packets"));
    // The log exercises what threads could break: stations' trends carried between reports.
    QVERIFY(one.out.count("\"trends\":[\"") > (call.isEmpty() ? 1000 : 1));
  }

  void rejectsBadThreadCounts_data() {
    QTest::addColumn<QString>("threads");
    for (const char* value : {"0", "9", "-1", "two", ""}) QTest::newRow(value) << value;
  }
  void rejectsBadThreadCounts() {
    QFETCH(QString, threads);
    const RawRun run = RunCli({}, {"decode", "--tnc2", "--threads", threads});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains("--threads takes 1 to 8"));
  }

  // A lone CR ends a line as LF and CR LF do; CR LF is one line end wherever the reads split it.
  void everyLineEndGivesTheSameOutput_data() {
    QTest::addColumn<QByteArray>("ending");
    QTest::addColumn<QString>("threads");
    for (const char* threads : {"1", "3"}) {
      QTest::newRow(qPrintable(QStringLiteral("CR only, %1 decoders").arg(threads)))
          << QByteArray("\r") << threads;
      QTest::newRow(qPrintable(QStringLiteral("CR LF, %1 decoders").arg(threads)))
          << QByteArray("\r\n") << threads;
    }
  }
  void everyLineEndGivesTheSameOutput() {
    QFETCH(QByteArray, ending);
    QFETCH(QString, threads);
    const QStringList args{"decode", "--tnc2", "--locale", "C", "--threads", threads};
    const RawRun lf = RunCli(PacketsEndedBy("\n"), args);
    const RawRun other = RunCli(PacketsEndedBy(ending), args);
    QVERIFY(lf.out.count('\n') > 1000);
    QCOMPARE(other.exitCode, 0);
    QCOMPARE(other.out.count('\n'), lf.out.count('\n'));
    QVERIFY(other.out == lf.out);
    QCOMPARE(other.err, lf.err);
  }

  // A line without an end in sight is not held in memory to its end: it is skipped and said.
  void anEndlessLineIsSkippedAndReported_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("information fields") << QStringList{"decode", "--locale", "C"};
    QTest::newRow("whole packets, one decoder")
        << QStringList{"decode", "--tnc2", "--locale", "C", "--threads", "1"};
    QTest::newRow("whole packets, two decoders")
        << QStringList{"decode", "--tnc2", "--locale", "C", "--threads", "2"};
  }
  void anEndlessLineIsSkippedAndReported() {
    QFETCH(QStringList, args);
    const bool tnc2 = args.contains("--tnc2");
    const QByteArray report = tnc2 ? "K1ABC>APRS:_090/001t077" : "_090/001t077";
    const QByteArray log =
        report + "\n" + "K2ABC>APRS:_" + QByteArray(3 << 20, 'x') + "\r\n" + report + "\n";
    const RawRun run = RunCli(log, args);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out.count('\n'), 2);  // the two short reports, nothing of the long line
    QVERIFY2(run.err.contains("1 lines longer than"), run.err.constData());
  }

  // Output that cannot be written is an error, said at once, whatever the mode.
  void aFullDiskIsAnError_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("information fields") << QStringList{"decode", "--locale", "C"};
    QTest::newRow("whole packets, one decoder")
        << QStringList{"decode", "--tnc2", "--locale", "C", "--threads", "1"};
    QTest::newRow("whole packets, three decoders")
        << QStringList{"decode", "--tnc2", "--locale", "C", "--threads", "3"};
  }
  void aFullDiskIsAnError() {
#ifdef Q_OS_WIN
    QSKIP("no /dev/full");
#else
    QFETCH(QStringList, args);
    QByteArray log = PacketsEndedBy("\n");
    if (!args.contains("--tnc2")) log = "_090/001t077\n_090/001t078\n";
    QProcess cli;
    cli.setStandardOutputFile(QStringLiteral("/dev/full"));
    cli.start(QStringLiteral(VENTORA_CLI), args);
    cli.write(log);
    cli.closeWriteChannel();
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QVERIFY(cli.exitCode() != 0);
    QVERIFY(cli.readAllStandardError().contains("cannot write the output"));
#endif
  }

  // With SIGPIPE ignored (and on Windows, which has none), a reader that goes away must end
  // the decode at once, not after the whole log.
  void aClosedPipeEndsTheDecode_data() {
    QTest::addColumn<QString>("threads");
    QTest::newRow("one decoder") << "1";
    QTest::newRow("three decoders") << "3";
  }
  void aClosedPipeEndsTheDecode() {
#ifdef Q_OS_WIN
    QSKIP("SIGPIPE is POSIX's");
#else
    QFETCH(QString, threads);
    // The input never ends: only the failed write can end the decode.
    QProcess shell;
    shell.start(QStringLiteral("bash"),
                {"-c",
                 "trap '' PIPE; \"$0\" decode --tnc2 --locale C --threads $1 | head -c 1000 "
                 ">/dev/null; exit ${PIPESTATUS[0]}",
                 QStringLiteral(VENTORA_CLI), threads});
    QVERIFY(shell.waitForStarted());
    const QByteArray log = PacketsEndedBy("\n");
    for (int i = 0; i < 8; ++i) shell.write(log);
    const bool ended = shell.waitForFinished(30000);
    if (!ended) shell.kill();
    QVERIFY2(ended, "the decode went on after its reader had gone");
    QCOMPARE(shell.exitStatus(), QProcess::NormalExit);
    QVERIFY(shell.exitCode() != 0);
    QVERIFY(shell.readAllStandardError().contains("cannot write the output"));
#endif
  }

  // Without --reconnect the monitor ends when the engine closes, as always.
  void monitorEndsWhenTheEngineCloses() {
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    MonitorRun run;
    run.Start(server.serverPort(), {});
    QTcpSocket* engine = AcceptRequests(server);
    QVERIFY(engine);
    engine->disconnectFromHost();
    QVERIFY(run.cli.waitForFinished(10000));
    QCOMPARE(run.cli.exitCode(), 0);
    QCOMPARE(run.Named("closed").size(), 1);
    QVERIFY(run.Named("reconnecting").isEmpty());
  }

  // With --reconnect: the engine closes, refuses for a while and comes back; the monitor says
  // each wait before it, and the new connection brings the next report.
  void monitorReconnectsWhenAsked() {
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const quint16 port = server.serverPort();
    MonitorRun run;
    run.Start(port, {"--reconnect", "--retry-second-ms", "20"});
    QTcpSocket* engine = AcceptRequests(server);
    QVERIFY(engine);
    server.close();
    engine->disconnectFromHost();
    QTRY_VERIFY_WITH_TIMEOUT(run.Named("reconnecting").size() >= 3, 10000);
    const QList<QJsonObject> waits = run.Named("reconnecting");
    QCOMPARE(waits[0]["in_ms"].toInt(), 100);
    QCOMPARE(waits[0]["reason"].toString(),
             QStringLiteral("The remote host closed the connection"));
    QCOMPARE(waits[1]["in_ms"].toInt(), 200);
    QVERIFY(waits[1]["reason"].toString().contains(QStringLiteral("refused"), Qt::CaseInsensitive));
    QCOMPARE(waits[2]["in_ms"].toInt(), 400);
    QVERIFY(server.listen(QHostAddress::LocalHost, port));
    engine = AcceptRequests(server);
    QVERIFY(engine);
    engine->write(StationFrame("_090/010g015t077"));
    QTRY_COMPARE_WITH_TIMEOUT(run.Named("report").size(), 1, 10000);
    QCOMPARE(run.Named("connected").size(), 2);
    QCOMPARE(run.Named("report")[0]["labels"].toObject()["lblTemp"].toString(),
             QStringLiteral("25.0\u00B0C"));
    QCOMPARE(run.cli.state(), QProcess::Running);
  }

  // With --reconnect a first connection that never opens is told, and the engine is awaited all
  // the same: a monitor started before its engine finds it.
  void monitorWithReconnectAwaitsAnEngineMissingAtTheStart() {
    QTcpServer engine;
    QVERIFY(engine.listen(QHostAddress::LocalHost));
    const quint16 port = engine.serverPort();
    engine.close();
    MonitorRun run;
    run.Start(port, {"--reconnect", "--retry-second-ms", "20"});
    QTRY_COMPARE_WITH_TIMEOUT(run.Named("error").size(), 1, 10000);
    QVERIFY(run.Named("error")[0]["text"].toString().contains(QStringLiteral("refused"),
                                                              Qt::CaseInsensitive));
    QVERIFY(engine.listen(QHostAddress::LocalHost, port));
    QVERIFY(AcceptRequests(engine));
    QTRY_COMPARE_WITH_TIMEOUT(run.Named("connected").size(), 1, 10000);
    QCOMPARE(run.cli.state(), QProcess::Running);
    QCOMPARE(run.Named("error").size(), 1);
  }

  // Without it, a first connection that never opens ends the monitor.
  void monitorEndsOnARefusedStart() {
    QTcpServer probe;
    QVERIFY(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();
    MonitorRun run;
    run.Start(port, {});
    QVERIFY(run.cli.waitForFinished(10000));
    QCOMPARE(run.cli.exitCode(), 2);
    QCOMPARE(run.Named("error").size(), 1);
  }

  // One report, then nothing: the alert the report or the silence raises, printed as a line and
  // given to the user's command, whose failure is said on stderr and nowhere else.
  void monitorPrintsAlerts_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("report");
    QTest::addColumn<int>("commandExit");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("minutes");  // -1: none carried
    QTest::addColumn<QString>("quantity");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("limit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("said");  // on stderr; empty: nothing at all
    const QStringList fast{"--silent-after", "1", "--minute-ms", "300"};
    QTest::newRow("a station that stops sending, a command that fails")
        << fast << QByteArray("_090/010g015t077") << 3 << "silent" << 1 << ""
        << ""
        << ""
        << "IW2XYZ non trasmette da un minuto" << QByteArray("ventora-cli: Il comando");
    // 110 F is 43.3 C, beyond the default 40.
    const QStringList noSilence{"--silent-after", "0"};
    QTest::newRow("a reading beyond its default limit")
        << noSilence << QByteArray("_090/010g015t110") << 0 << "alarm" << -1 << "temp-high"
        << "43.3"
        << "40.0"
        << QStringLiteral("IW2XYZ: temperatura 43.3 \u00B0C, oltre il limite di 40.0 \u00B0C")
        << QByteArray();
    QTest::newRow("the text in English and imperial units, the numbers metric")
        << noSilence + QStringList{"--lang", "en", "--units", "imperial"}
        << QByteArray("_090/010g015t110") << 0 << "alarm" << -1 << "temp-high"
        << "43.3"
        << "40.0"
        << QStringLiteral("IW2XYZ: temperature 110.0 \u00B0F, above the limit of 104.0 \u00B0F")
        << QByteArray();
  }
  void monitorPrintsAlerts() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, report);
    QFETCH(int, commandExit);
    QFETCH(QString, kind);
    QFETCH(int, minutes);
    QFETCH(QString, text);
    QFETCH(QByteArray, said);
    QTemporaryDir dir;
    const QString probeFile = dir.filePath("probe.txt");
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    MonitorRun run;
    run.Start(server.serverPort(),
              args + QStringList{"--on-event", ProbeCommand(probeFile, commandExit)});
    QTcpSocket* engine = AcceptRequests(server);
    QVERIFY(engine);
    engine->write(StationFrame(report));
    QTRY_VERIFY_WITH_TIMEOUT(!run.AlertAfterReport(kind).isEmpty(), 10000);
    const QJsonObject alert = run.AlertAfterReport(kind);
    QCOMPARE(alert["station"].toString(), QStringLiteral("IW2XYZ"));
    QCOMPARE(alert["text"].toString(), text);
    QCOMPARE(alert.contains("minutes"), minutes >= 0);
    if (minutes >= 0) QCOMPARE(alert["minutes"].toInt(), minutes);
    QTEST(alert["quantity"].toString(), "quantity");
    QFETCH(QString, value);
    QFETCH(QString, limit);
    QCOMPARE(alert["value"].toDouble(), value.toDouble());
    QCOMPARE(alert["limit"].toDouble(), limit.toDouble());

    QTRY_VERIFY_WITH_TIMEOUT(!ProbeRunFor(probeFile, kind).isEmpty(), 10000);
    const QMap<QString, QString> env = ProbeRunFor(probeFile, kind);
    QCOMPARE(env["VENTORA_STATION"], QStringLiteral("IW2XYZ"));
    QCOMPARE(env["VENTORA_TEXT"], text);
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$"))
                 .match(env["VENTORA_TIME"])
                 .hasMatch(),
             qPrintable(env["VENTORA_TIME"]));
    QCOMPARE(env.value("VENTORA_MINUTES"), minutes >= 0 ? QString::number(minutes) : QString());
    QTEST(env.value("VENTORA_QUANTITY"), "quantity");
    QCOMPARE(env.value("VENTORA_VALUE"), value);
    QCOMPARE(env.value("VENTORA_LIMIT"), limit);

    if (said.isEmpty()) {
      QCOMPARE(run.Err(), QByteArray());
    } else {
      QTRY_VERIFY_WITH_TIMEOUT(run.Err().contains(said), 10000);
      QVERIFY2(run.Err().contains(QByteArray::number(commandExit)), run.err.constData());
    }
    for (const QJsonObject& e : run.events) QVERIFY(e.contains("event"));  // JSON lines only
  }

  // With --reconnect the engine away for the minutes asked is told, and told back when it answers.
  void monitorTellsTheEngineGoneAndBack() {
    QTemporaryDir dir;
    const QString probeFile = dir.filePath("probe.txt");
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    const quint16 port = server.serverPort();
    MonitorRun run;
    run.Start(port,
              {"--reconnect", "--retry-second-ms", "20", "--silent-after", "0", "--engine-after",
               "1", "--minute-ms", "200", "--on-event", ProbeCommand(probeFile)});
    QTcpSocket* engine = AcceptRequests(server);
    QVERIFY(engine);
    server.close();
    engine->disconnectFromHost();
    QTRY_COMPARE_WITH_TIMEOUT(run.Named("alert").size(), 1, 10000);
    QVERIFY(server.listen(QHostAddress::LocalHost, port));
    QVERIFY(AcceptRequests(server));
    QTRY_COMPARE_WITH_TIMEOUT(run.Named("alert").size(), 2, 10000);
    const QList<QJsonObject> alerts = run.Named("alert");
    QCOMPARE(alerts[0]["kind"].toString(), QStringLiteral("engine-lost"));
    QCOMPARE(alerts[0]["minutes"].toInt(), 1);
    QCOMPARE(alerts[0]["text"].toString(), QStringLiteral("AGWPE non risponde da un minuto"));
    QCOMPARE(alerts[1]["kind"].toString(), QStringLiteral("engine-back"));
    QVERIFY(!alerts[1].contains("minutes"));
    QCOMPARE(alerts[1]["text"].toString(), QStringLiteral("AGWPE risponde di nuovo"));
    QTRY_COMPARE_WITH_TIMEOUT(ProbeRuns(probeFile).size(), 2, 10000);
    const auto runs = ProbeRuns(probeFile);
    QCOMPARE(runs[0]["VENTORA_EVENT"], QStringLiteral("engine-lost"));
    QCOMPARE(runs[0]["VENTORA_MINUTES"], QStringLiteral("1"));
    QCOMPARE(runs[1]["VENTORA_EVENT"], QStringLiteral("engine-back"));
    QVERIFY(!runs[1].contains("VENTORA_MINUTES"));
  }

  // The README's ntfy example, run as it is written there but against a server of the test's own:
  // the alert's text is the message, "Ventora" its title.
  void theReadmeNtfyExamplePostsTheAlert() {
    if (QStandardPaths::findExecutable("sh").isEmpty() ||
        QStandardPaths::findExecutable("curl").isEmpty() ||
        QStandardPaths::findExecutable("printenv").isEmpty())
      QSKIP("the example needs a POSIX shell, printenv and curl");
    const QString example = ReadmeExample(QStringLiteral("<!-- tested: ntfy -->"));
    QVERIFY2(example.contains(QLatin1String("https://ntfy.sh/TOPIC")), qPrintable(example));
    QTcpServer ntfy;
    QVERIFY(ntfy.listen(QHostAddress::LocalHost));
    QString command = example;
    command.replace(QStringLiteral("https://ntfy.sh/"),
                    QStringLiteral("http://127.0.0.1:%1/").arg(ntfy.serverPort()));
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    MonitorRun run;
    run.Start(server.serverPort(), {"--silent-after", "0", "--on-event", command});
    QTcpSocket* engine = AcceptRequests(server);
    QVERIFY(engine);
    engine->write(StationFrame("_090/010g015t110"));
    QVERIFY(engine->waitForBytesWritten(5000));
    QVERIFY2(ntfy.waitForNewConnection(15000), run.Err().constData());
    QByteArray body;
    const QByteArray head = ReadHttpRequest(ntfy.nextPendingConnection(), body);
    QVERIFY2(head.startsWith("POST /TOPIC HTTP/1.1\r\n"), head.constData());
    QVERIFY2(head.contains("\r\nTitle: Ventora\r\n"), head.constData());
    QTRY_COMPARE_WITH_TIMEOUT(run.Named("alert").size(), 1, 10000);
    QCOMPARE(QString::fromUtf8(body), run.Named("alert")[0]["text"].toString());
    QCOMPARE(body,
             QStringLiteral("IW2XYZ: temperatura 43.3 \u00B0C, oltre il limite di 40.0 \u00B0C")
                 .toUtf8());
  }

  // The station on MQTT: the state retained with the decoded numbers, online while the monitor
  // runs, everything published again when the broker comes back, and the will's offline when
  // the monitor is killed. --quiet keeps only the changes on stdout.
  void monitorPublishesTheStationOverMqtt() {
    REQUIRE_MQTT_BROKER();
    MqttBroker broker;
    QVERIFY(broker.Start());
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    QTemporaryDir dir;
    const QString history = dir.filePath("h.sqlite");
    MonitorRun run;
    run.Start(server.serverPort(), {"--mqtt", QStringLiteral("127.0.0.1:%1").arg(broker.Port()),
                                    "--quiet", "--history", history, "--tick-ms", "100"});
    QTcpSocket* engine = AcceptRequests(server);
    QVERIFY(engine);
    engine->write(StationFrame("_090/010g015t077h50b10132"));
    QTRY_COMPARE_WITH_TIMEOUT(MqttLines(run, "connected"), 1, 10000);
    QTRY_COMPARE_WITH_TIMEOUT(StoredReports(history), 1, 10000);
    MqttTap tap;
    QVERIFY(tap.Start(broker.Port()));
    const auto state = tap.WaitFor("ventora/IW2XYZ/state");
    QVERIFY(state && state->retained);
    const QJsonObject values = QJsonDocument::fromJson(state->payload).object();
    QCOMPARE(values["temp_c"].toDouble(), 25.0);
    QCOMPARE(values["humidity_pct"].toInt(), 50);
    QCOMPARE(values["pressure_mb"].toDouble(), 1013.2);
    QCOMPARE(values["wind_dir"].toInt(), 90);
    QCOMPARE(tap.WaitFor("ventora/IW2XYZ/availability")->payload, QByteArray("online"));
    QVERIFY(run.Named("report").isEmpty() && run.Named("tick").isEmpty());
    QCOMPARE(run.Named("connected").size(), 1);

    broker.Stop();
    QTRY_VERIFY_WITH_TIMEOUT(MqttLines(run, "unreachable") + MqttLines(run, "connecting") >= 2,
                             10000);
    QVERIFY(broker.Start());
    QTRY_COMPARE_WITH_TIMEOUT(MqttLines(run, "connected"), 2, 15000);
    MqttTap again;
    QVERIFY(again.Start(broker.Port()));
    QVERIFY(again.WaitFor("homeassistant/sensor/ventora_iw2xyz/temp_c/config"));
    QCOMPARE(again.WaitFor("ventora/IW2XYZ/state")->payload, state->payload);
    engine->write(StationFrame("_090/010g015t080h50b10132"));
    QTRY_COMPARE_WITH_TIMEOUT(StoredReports(history), 2, 10000);
    QVERIFY(again.WaitFor("ventora/IW2XYZ/state", [](const MqttTap::Message& m) {
      return QJsonDocument::fromJson(m.payload).object()["temp_c"].toDouble() > 26;
    }));

    run.cli.kill();  // SIGKILL: no goodbye, the broker gives the will
    QVERIFY(again.WaitFor("ventora/IW2XYZ/availability",
                          [](const MqttTap::Message& m) { return m.payload == "offline"; }));
  }

  // The account from the command line or from a Ventora.ini, the command line winning: a wrong
  // password is said once as refused, and the password is never shown.
  void monitorLogsInWithTheAccountItIsGiven_data() {
    QTest::addColumn<bool>("fromConfig");
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<QString>("state");
    QTest::newRow("password file") << false << QByteArray(MqttBroker::Password) << "connected";
    QTest::newRow("wrong password file") << false << QByteArray("not it") << "refused";
    QTest::newRow("Ventora.ini") << true << QByteArray(MqttBroker::Password) << "connected";
  }
  void monitorLogsInWithTheAccountItIsGiven() {
    REQUIRE_MQTT_BROKER();
    QFETCH(bool, fromConfig);
    QFETCH(QByteArray, password);
    QFETCH(QString, state);
    MqttBroker broker({/*account=*/true});
    QVERIFY(broker.Start());
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    QTemporaryDir dir;
    QStringList args;
    if (fromConfig) {
      Preferences p;
      p.mqtt.enabled = true;
      p.mqtt.host = "127.0.0.1";
      p.mqtt.port = broker.Port();
      p.mqtt.user = "someone else";  // the command line's user wins
      p.mqtt.password = QString::fromUtf8(password);
      p.mqtt.prefix = "wx";
      p.alerts.silentAfterMin = 0;
      QVERIFY(WritePreferencesFile(dir.filePath("ventora.ini"), p).isEmpty());
      args = QStringList{"--config", dir.filePath("ventora.ini"), "--mqtt-user", "station"};
    } else {
      args = QStringList{"--mqtt",
                         QStringLiteral("127.0.0.1:%1").arg(broker.Port()),
                         "--mqtt-user",
                         "station",
                         "--mqtt-password-file",
                         broker.PasswordFile(password),
                         "--mqtt-prefix",
                         "wx"};
    }
    MqttTap tap;
    QVERIFY(tap.Start(broker.Port(), "wx/#"));
    MonitorRun run;
    run.Start(server.serverPort(), args);
    QVERIFY(AcceptRequests(server));
    QTRY_COMPARE_WITH_TIMEOUT(MqttLines(run, state), 1, 10000);
    if (state == QLatin1String("refused")) {
      QTest::qWait(2500);  // past the first retry, which is not said again
      QCOMPARE(MqttLines(run, state), 1);
      QCOMPARE(tap.Count("wx/IW2XYZ/availability"), 0);
    } else {
      QCOMPARE(tap.WaitFor("wx/IW2XYZ/availability")->payload, QByteArray("online"));
    }
    run.cli.terminate();  // SIGTERM: offline said before leaving
    QVERIFY(run.cli.waitForFinished(10000));
    QCOMPARE(run.cli.exitStatus(), QProcess::NormalExit);
    if (state == QLatin1String("connected"))
      QVERIFY(tap.WaitFor("wx/IW2XYZ/availability",
                          [](const MqttTap::Message& m) { return m.payload == "offline"; }));
    run.Read();
    QVERIFY(!run.cli.readAllStandardOutput().contains(password));
    QVERIFY(!run.Err().contains(password));
  }

  void monitorRejectsBadMqttOptions_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("said");
    QTest::newRow("password file missing")
        << QStringList{"--mqtt", "h", "--mqtt-password-file", "/nonexistent/pw"}
        << "the password file /nonexistent/pw cannot be read";
    QTest::newRow("config missing") << QStringList{"--config", "/nonexistent/ventora.ini"}
                                    << "/nonexistent/ventora.ini: no such file";
    QTest::newRow("port out of range")
        << QStringList{"--mqtt", "h:70000"} << "--mqtt needs a port from 1 to 65535, not 70000";
    QTest::newRow("wildcard prefix") << QStringList{"--mqtt-prefix", "a/#"}
                                     << "--mqtt-prefix takes a topic without + or #, not a/#";
  }
  void monitorRejectsBadMqttOptions() {
    QFETCH(QStringList, args);
    QFETCH(QString, said);
    const RawRun run = RunCli({}, QStringList{"monitor", "X"} + args);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(said.toUtf8()), run.err.constData());
  }

  void rejectsABadRetrySecond() {
    const RawRun run = RunCli({}, {"monitor", "X", "--retry-second-ms", "0"});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.err.contains("bad value for --retry-second-ms"));
  }

  void rejectsUnknownOptions() {
    QProcess cli;
    cli.start(QStringLiteral(VENTORA_CLI), {"decode", "--bogus", "x"});
    QVERIFY(cli.waitForFinished(30000));
    QCOMPARE(cli.exitCode(), 2);
    QVERIFY(cli.readAllStandardError().contains("unknown option"));
  }
};

QTEST_GUILESS_MAIN(TestVentoraCli)
#include "test_ventora_cli.moc"
