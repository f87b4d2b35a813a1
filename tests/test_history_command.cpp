#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "history_store.h"
#include "link_frames.h"
#include "report_decoder.h"
#include "test_support.h"

namespace {

struct Run {
  QByteArray out, err;
  int exitCode = -1;
};

Run RunCli(const QStringList& args, const QByteArray& input = {},
           const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
  QProcess cli;
  cli.setProcessEnvironment(env);
  cli.start(QStringLiteral(VENTORA_CLI), args);
  cli.write(input);
  cli.closeWriteChannel();
  cli.waitForFinished(60000);
  return {cli.readAllStandardOutput(), cli.readAllStandardError(), cli.exitCode()};
}

// `ventora-cli monitor` of IW2XYZ storing into `file`, connected to `engine`: the engine's end.
QTcpSocket* StartMonitor(QTcpServer& engine, QProcess& cli, const QString& file) {
  if (!engine.listen(QHostAddress::LocalHost)) return nullptr;
  cli.start(QStringLiteral(VENTORA_CLI),
            {"monitor", "IW2XYZ", "127.0.0.1", "--port", QString::number(engine.serverPort()),
             "--tick-ms", "20", "--locale", "C", "--history", file});
  return engine.waitForNewConnection(10000) ? engine.nextPendingConnection() : nullptr;
}

QList<QJsonObject> JsonLines(const QByteArray& text) {
  QList<QJsonObject> lines;
  for (const QByteArray& line : text.split('\n'))
    if (!line.isEmpty()) lines << QJsonDocument::fromJson(line).object();
  return lines;
}

// 2026-12-09T10:00:00Z
constexpr int64_t TenOClock = 1796810400;

// Three rows of two stations, a minute apart, written as the window writes them.
void WriteThreeRows(const QString& path) {
  auto store = OpenHistory(path).store;
  QVERIFY(store);
  const ReportOutcome out =
      DecodeWeatherReport(QStringLiteral("_220/004g005t077r000p000P000h50b09900wRSW"),
                          DefaultAlarmSettings(), ReportState(), QLocale::c());
  QString error;
  for (auto [time, call] :
       {std::pair{TenOClock, "IW2XYZ"}, {TenOClock + 30, "IK1ABC"}, {TenOClock + 60, "IW2XYZ"}}) {
    HistoryRow row = RowFromReport(time, call, QStringLiteral("_220/004, \"quoted\""), out.values);
    QVERIFY(store->Store(row, error));
  }
}

// The `values` object of `decode` and the row of `history`: the same numbers under the
// table's names.
const char* const SameValue[][2] = {{"WindDir", "wind_dir"},
                                    {"WindSpeed", "wind_kmh"},
                                    {"Gust", "gust_kmh"},
                                    {"TempC", "temp_c"},
                                    {"RainHour", "rain_1h_mm"},
                                    {"Rain24h", "rain_24h_mm"},
                                    {"RainDay", "rain_today_mm"},
                                    {"Pressure", "pressure_mb"},
                                    {"Humidity", "humidity_pct"},
                                    {"PressChange4h", "pressure_change_4h_mb"},
                                    {"WindChill", "wind_chill_c"},
                                    {"DewPoint", "dew_point_c"},
                                    {"AbsHumidity", "abs_humidity_gm3"}};

}  // namespace

class TestHistoryCommand : public QObject {
  Q_OBJECT
 private slots:
  // The monitor stores exactly the reports it decodes, and `history` gives back the very
  // numbers that `decode` prints for them.
  void monitorStoresWhatDecodeShows() {
    const QList<QByteArray> reports = {
        "!3748.51N/12112.44W_357/004g005t076V136P000h60b10133OTW1",
        "_10231457c359s000g000t070r000p003P001h..b.....tU2k",
        "@231049z3841.68N/11959.35W_114/002g007t047r000p000P000h57b10185.DsVP",
        "!4903.50N/07201.75W_.../...g...t-05r001p012P004h00b09900v-3"};
    QTemporaryDir dir;
    const QString file = dir.filePath("h.sqlite");
    QTcpServer engine;
    QProcess cli;
    QTcpSocket* link = StartMonitor(engine, cli, file);
    QVERIFY(link);
    QByteArray out;
    for (const QByteArray& info : reports) {
      link->write(MonitoredFrame("IW2XYZ", info));
      QTRY_VERIFY_WITH_TIMEOUT((out += cli.readAllStandardOutput()).count("\"event\":\"report\"") ==
                                   reports.indexOf(info) + 1,
                               10000);
      QTRY_VERIFY_WITH_TIMEOUT(
          (out += cli.readAllStandardOutput()).endsWith("\"acceptReport\":true}\n"),
          10000);  // the gate is open again
    }
    link->close();
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 0);

    const Run decoded = RunCli({"decode", "--locale", "C"}, reports.join('\n') + '\n');
    const Run stored = RunCli({"history", "--file", file, "--format", "jsonl"});
    QCOMPARE(stored.exitCode, 0);
    const QList<QJsonObject> values = JsonLines(decoded.out), rows = JsonLines(stored.out);
    QCOMPARE(rows.size(), reports.size());
    for (int i = 0; i < rows.size(); ++i) {
      QCOMPARE(rows[i]["station"].toString(), QStringLiteral("IW2XYZ"));
      QCOMPARE(rows[i]["info"].toString().toLatin1(), reports[i]);
      for (const auto& [decode, column] : SameValue) {
        if (i == 3 && QByteArray(column) == "wind_kmh") continue;  // "...": shown 0, not stored
        QVERIFY2(values[i]["values"].toObject()[decode] == rows[i][column],
                 qPrintable(QStringLiteral("report %1, %2").arg(i).arg(column)));
      }
    }
    QCOMPARE(values[3]["values"].toObject()["WindSpeed"].toDouble(), 0.0);
    QVERIFY(rows[3]["wind_kmh"].isNull());
    QVERIFY(rows[3]["wind_dir"].isNull());
    QCOMPARE(rows[3]["pressure_change_4h_mb"].toInt(), -3);
  }

  void csvIsTheTableWithIsoTimes() {
    QTemporaryDir dir;
    const QString file = dir.filePath("h.sqlite");
    WriteThreeRows(file);
    const Run run = RunCli({"history", "--file", file, "--station", "iw2xyz"});
    QCOMPARE(run.exitCode, 0);
    const QList<QByteArray> lines = run.out.split('\n');
    QCOMPARE(lines.size(), 4);  // header, two rows, the last line's end
    QCOMPARE(lines[0], QByteArray("time,station,info,wind_dir,wind_kmh,gust_kmh,temp_c,"
                                  "rain_1h_mm,rain_24h_mm,rain_today_mm,pressure_mb,"
                                  "humidity_pct,pressure_change_4h_mb,wind_chill_c,dew_point_c,"
                                  "abs_humidity_gm3"));
    QCOMPARE(lines[1], QByteArray("2026-12-09T10:00:00Z,IW2XYZ,\"_220/004, \"\"quoted\"\"\",220,"
                                  "6.437388,8.046735,25,0,0,0,990,50,,,13.867617,11.509621"));
    QVERIFY(lines[2].startsWith("2026-12-09T10:01:00Z,IW2XYZ,"));
  }

  void rangesAndStations_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QByteArray>("out");
    QTest::newRow("from and to are inclusive, in UTC with Z")
        << QStringList{"--from", "2026-12-09T10:00:30Z", "--to", "2026-12-09T10:01:00Z", "--format",
                       "jsonl"}
        << QByteArray("IK1ABC IW2XYZ");
    QTest::newRow("a date alone is its midnight")
        << QStringList{"--from", "2026-12-10", "--format", "jsonl"} << QByteArray();
    QTest::newRow("one station") << QStringList{"--station", "IK1ABC", "--format", "jsonl"}
                                 << QByteArray("IK1ABC");
    QTest::newRow("the stations, csv")
        << QStringList{"--stations"}
        << QByteArray(
               "station,count,first,last\n"
               "IK1ABC,1,2026-12-09T10:00:30Z,2026-12-09T10:00:30Z\n"
               "IW2XYZ,2,2026-12-09T10:00:00Z,2026-12-09T10:01:00Z\n");
    QTest::newRow("the stations, json lines")
        << QStringList{"--stations", "--format", "jsonl"}
        << QByteArray(
               "{\"station\":\"IK1ABC\",\"count\":1,\"first\":\"2026-12-09T10:00:30Z\","
               "\"last\":\"2026-12-09T10:00:30Z\"}\n"
               "{\"station\":\"IW2XYZ\",\"count\":2,\"first\":\"2026-12-09T10:00:00Z\","
               "\"last\":\"2026-12-09T10:01:00Z\"}\n");
  }
  void rangesAndStations() {
    QFETCH(QStringList, args);
    QFETCH(QByteArray, out);
    QTemporaryDir dir;
    const QString file = dir.filePath("h.sqlite");
    WriteThreeRows(file);
    const Run run = RunCli(QStringList{"history", "--file", file} + args);
    QCOMPARE(run.exitCode, 0);
    if (args.contains("--stations")) {
      QCOMPARE(run.out, out);
      return;
    }
    QStringList calls;
    for (const QJsonObject& row : JsonLines(run.out)) calls << row["station"].toString();
    QCOMPARE(calls.join(' ').toLatin1(), out);
  }

#ifndef Q_OS_WIN  // the time zone of a Windows program is the system's, not TZ
  void timeWithoutZIsLocal() {
    QTemporaryDir dir;
    const QString file = dir.filePath("h.sqlite");
    WriteThreeRows(file);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("TZ", "Europe/Rome");  // UTC+1 in December
    const Run run = RunCli(
        {"history", "--file", file, "--from", "2026-12-09T11:00:30", "--format", "jsonl"}, {}, env);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(JsonLines(run.out).size(), 2);
  }
#endif

  void faultsAreSaidWithExitCodeTwo_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("said");
    QTest::newRow("no such file") << QStringList{"--file", "@DIR@/missing.sqlite"}
                                  << "missing.sqlite: no such file";
    QTest::newRow("not a database")
        << QStringList{"--file", "@DIR@/text.sqlite"} << "not a database";
    QTest::newRow("a bad time") << QStringList{"--file", "@DIR@/h.sqlite", "--from", "yesterday"}
                                << "--from takes an ISO 8601 time, not yesterday";
    QTest::newRow("a bad format") << QStringList{"--file", "@DIR@/h.sqlite", "--format", "xml"}
                                  << "--format takes csv or jsonl, not xml";
    QTest::newRow("an unknown option") << QStringList{"--bogus", "1"} << "unknown option --bogus";
  }
  void faultsAreSaidWithExitCodeTwo() {
    QFETCH(QStringList, args);
    QFETCH(QString, said);
    QTemporaryDir dir;
    WriteThreeRows(dir.filePath("h.sqlite"));
    QFile text(dir.filePath("text.sqlite"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("station,count\n");
    text.close();
    args.replaceInStrings("@DIR@", dir.path());
    const Run run = RunCli(QStringList{"history"} + args);
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(said.toUtf8()), run.err.constData());
    QVERIFY(run.out.isEmpty());
    QVERIFY(!QFileInfo::exists(dir.filePath("missing.sqlite")));
    QVERIFY(!QFileInfo::exists(dir.filePath("text.sqlite.bad")));
  }

  // Output that cannot be written is an error, whatever is written.
  void lostOutputIsAnError_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("reports as csv") << QStringList{};
    QTest::newRow("reports as json lines") << QStringList{"--format", "jsonl"};
    QTest::newRow("the stations") << QStringList{"--stations"};
  }
  void lostOutputIsAnError() {
#ifdef Q_OS_WIN
    QSKIP("no /dev/full");
#else
    QFETCH(QStringList, args);
    QTemporaryDir dir;
    WriteThreeRows(dir.filePath("h.sqlite"));
    QProcess cli;
    cli.setStandardOutputFile(QStringLiteral("/dev/full"));
    cli.start(QStringLiteral(VENTORA_CLI),
              QStringList{"history", "--file", dir.filePath("h.sqlite")} + args);
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QVERIFY(cli.exitCode() != 0);
    QVERIFY(cli.readAllStandardError().contains("cannot write the output"));
#endif
  }

  // An empty export says why on stderr; only an unknown station is a failure.
  void nothingToExportIsSaid_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    QTest::addColumn<QByteArray>("out");
    QTest::newRow("a known station, an empty range")
        << QStringList{"--station", "IK1ABC", "--from", "2026-12-10"} << 0
        << "no reports of IK1ABC in the range" << QByteArray("time,station,info,");
    QTest::newRow("an unknown station")
        << QStringList{"--station", "IZ9ZZZ"} << 1 << "no reports of IZ9ZZZ in" << QByteArray();
    QTest::newRow("any station, an empty range")
        << QStringList{"--to", "2026-12-01", "--format", "jsonl"} << 0 << "no reports in the range"
        << QByteArray();
  }
  void nothingToExportIsSaid() {
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QFETCH(QByteArray, out);
    QTemporaryDir dir;
    WriteThreeRows(dir.filePath("h.sqlite"));
    const Run run = RunCli(QStringList{"history", "--file", dir.filePath("h.sqlite")} + args);
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(said.toUtf8()), run.err.constData());
    QVERIFY2(out.isEmpty() ? run.out.isEmpty() : run.out.startsWith(out), run.out.constData());
  }

  void helpIsTheUsage_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("history --help") << QStringList{"history", "--help"};
    QTest::newRow("history with options, then -h") << QStringList{"history", "--stations", "-h"};
    QTest::newRow("decode --help") << QStringList{"decode", "--help"};
    QTest::newRow("monitor --help") << QStringList{"monitor", "--help"};
    QTest::newRow("--help alone") << QStringList{"--help"};
  }
  void helpIsTheUsage() {
    QFETCH(QStringList, args);
    const Run run = RunCli(args);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    QVERIFY(run.out.startsWith("Usage:\n"));
  }

  // A history that cannot be kept is said once on the error stream; the monitor goes on, and
  // stores again once the file can be made.
  void monitorGoesOnWhileTheHistoryCannotBeKept() {
    QTemporaryDir dir;
    QFile blocker(dir.filePath("folder"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString file = dir.filePath("folder/h.sqlite");
    QTcpServer engine;
    QProcess cli;
    QTcpSocket* link = StartMonitor(engine, cli, file);
    QVERIFY(link);
    QByteArray out, err;
    QTRY_VERIFY_WITH_TIMEOUT((err += cli.readAllStandardError()).contains("h.sqlite"), 10000);
    QVERIFY(blocker.remove() && QDir(dir.path()).mkdir("folder"));
    // A report each second, each of its own, until the file is tried again and made.
    for (int n = 0; n < 30 && !QFileInfo::exists(file); ++n) {
      link->write(MonitoredFrame("IW2XYZ", "_.../...g...t0" + QByteArray::number(10 + n)));
      QTRY_VERIFY_WITH_TIMEOUT(
          (out += cli.readAllStandardOutput()).count("\"event\":\"report\"") == n + 1, 10000);
      QTest::qWait(1000);
    }
    link->close();
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), 0);
    err += cli.readAllStandardError();
    QCOMPARE(err.count("ventora-cli:"), 1);
    const Run stored = RunCli({"history", "--file", file, "--format", "jsonl"});
    QCOMPARE(stored.exitCode, 0);
    QCOMPARE(JsonLines(stored.out).size(), 1);
  }
};

QTEST_GUILESS_MAIN(TestHistoryCommand)
#include "test_history_command.moc"
