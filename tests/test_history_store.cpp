#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>
#include <QtTest>
#include <cstdio>
#include <limits>
#include <thread>

#include "history_file_place.h"
#include "history_recorder.h"
#include "history_store.h"
#include "read_only_place.h"
#include "test_support.h"

namespace {

const QString Station = QStringLiteral("IW2XYZ");
const QString Example =
    QStringLiteral("!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW");

HistoryRow ExampleRow(int64_t time, const QString& station = Station) {
  const ReportOutcome out =
      DecodeWeatherReport(Example, DefaultAlarmSettings(), ReportState(), QLocale::c());
  return RowFromReport(time, station, Example, out.values);
}

// A row whose temperature tells which it was.
HistoryRow Numbered(int64_t time, int n, const QString& station = Station) {
  HistoryRow row = ExampleRow(time, station);
  row[HistoryColumn::TempC] = n;
  return row;
}

// Rows 0 .. count-1, each at its own second with its own number.
std::vector<HistoryRow> NumberedRows(int count) {
  std::vector<HistoryRow> rows;
  for (int n = 0; n < count; ++n) rows.push_back(Numbered(n, n));
  return rows;
}

std::unique_ptr<HistoryStore> Open(const QString& path, const HistoryOptions& options = {}) {
  OpenedHistory opened = OpenHistory(path, options);
  if (!opened.store) qWarning() << opened.error;
  return std::move(opened.store);
}

// The file as another program sees it: a connection of its own, outside the store.
QVariant Ask(const QString& path, const QString& sql) {
  const QString name = QUuid::createUuid().toString();
  QVariant answer;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    if (db.open()) {
      QSqlQuery q(db);
      if (q.exec(sql) && q.next()) answer = q.value(0);
    }
  }
  QSqlDatabase::removeDatabase(name);
  return answer;
}

// Another program's connection that holds the file open while it lives, as a second window does.
class OtherConnection {
 public:
  explicit OtherConnection(const QString& path) : name_(QUuid::createUuid().toString()) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db.setDatabaseName(path);
    if (db.open()) QSqlQuery(db).exec(QStringLiteral("SELECT count(*) FROM sqlite_master"));
  }
  ~OtherConnection() { QSqlDatabase::removeDatabase(name_); }

 private:
  QString name_;
};

// A folder that nobody, root included, can create: its parent is a plain file.
QString UnwritableFolder(const QString& inside, const QString& name) {
  QFile blocker(inside + QStringLiteral("/blocker-") + name);
  if (blocker.open(QIODevice::WriteOnly)) blocker.close();
  return blocker.fileName() + u'/' + name;
}

QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString& path, const QByteArray& bytes, qint64 at = 0) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::ReadWrite));
  f.seek(at);
  f.write(bytes);
}

QList<double> Temperatures(HistoryStore& store, const HistoryRange& range = {}) {
  QString error;
  QList<double> temps;
  const auto rows = store.Read(range, error);
  if (rows)
    for (const HistoryRow& row : *rows) temps << row[HistoryColumn::TempC].value_or(-1);
  return temps;
}

// The writer run in a process of its own: stores `count` rows numbered from `first` (count 0:
// without end) a second apart, and prints each number once its row is committed.
int RunWriter(const QString& path, const QString& station, int count, int first) {
  auto store = Open(path);
  if (!store) return 3;
  for (int n = first; count == 0 || n < first + count; ++n) {
    QString error;
    if (!store->Store(Numbered(1'800'000'000 + n, n, station), error)) {
      std::fprintf(stderr, "%s\n", qPrintable(error));
      return 4;
    }
    std::printf("%d\n", n);
    std::fflush(stdout);
  }
  return 0;
}

void StartWriter(QProcess& p, const QString& path, const QString& station, int count,
                 int first = 1) {
  p.start(
      QCoreApplication::applicationFilePath(),
      {QStringLiteral("--writer"), path, station, QString::number(count), QString::number(first)});
}

}  // namespace

class TestHistoryStore : public QObject {
  Q_OBJECT
 private slots:
  void storesTheDecodersNumbers() {
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFileName);
    auto store = Open(path);
    QVERIFY(store);
    QString error;
    QVERIFY(store->Store(ExampleRow(1'800'000'000), error));
    // What another tool reads: the decoder's printed numbers, NULL where a reading is absent.
    QCOMPARE(Ask(path, "SELECT wind_kmh FROM reports").toString(), QStringLiteral("6.437388"));
    QCOMPARE(Ask(path, "SELECT temp_c FROM reports").toString(), QStringLiteral("25"));
    QCOMPARE(Ask(path, "SELECT wind_dir FROM reports").toInt(), 220);
    QCOMPARE(Ask(path, "SELECT typeof(wind_dir) FROM reports").toString(),
             QStringLiteral("integer"));
    QCOMPARE(Ask(path,
                 "SELECT pressure_change_4h_mb IS NULL AND wind_chill_c IS NULL "
                 "FROM reports")
                 .toInt(),
             1);
    QCOMPARE(Ask(path, "SELECT info FROM reports").toString(), Example);
    const auto rows = store->Read({}, error);
    QVERIFY(rows && rows->size() == 1);
    const HistoryRow& row = rows->front();
    QCOMPARE(row.time, int64_t(1'800'000'000));
    QCOMPARE(ValueText(HistoryColumn::GustKmh, *row[HistoryColumn::GustKmh]), "8.046735");
    QCOMPARE(ValueText(HistoryColumn::DewPointC, *row[HistoryColumn::DewPointC]), "13.867617");
    QCOMPARE(ValueText(HistoryColumn::HumidityPct, *row[HistoryColumn::HumidityPct]), "50");
    QVERIFY(!row[HistoryColumn::PressureChange4hMb]);
  }

  // A report whose speed characters hold no number (no anemometer, or "..." sent) has no wind
  // speed in the history, not a calm: the window's compass and decode's "values" still show 0.
  void windSpeedIsStoredOnlyWhenTheReportGivesIt_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("stored");
    QTest::newRow("a speed") << "_220/004g005t077"
                             << "6.437388";
    QTest::newRow("a calm") << "_220/000g000t077"
                            << "0";
    QTest::newRow("dots for direction and speed") << "_.../...g...t077"
                                                  << "";
    QTest::newRow("dots for the speed alone") << "_220/...g005t077"
                                              << "";
    QTest::newRow("no wind field at all") << "_t077h50b10132"
                                          << "";
    QTest::newRow("a positionless report's speed") << "_10090556c220s004g005t077"
                                                   << "6.437388";
    QTest::newRow("a positionless report without speed") << "_10090556c...s...g...t077"
                                                         << "";
  }
  void windSpeedIsStoredOnlyWhenTheReportGivesIt() {
    QFETCH(QString, report);
    QFETCH(QString, stored);
    const ReportOutcome out =
        DecodeWeatherReport(report, DefaultAlarmSettings(), ReportState(), QLocale::c());
    const HistoryRow row = RowFromReport(1'800'000'000, Station, report, out.values);
    const auto& speed = row[HistoryColumn::WindKmh];
    QCOMPARE(speed ? QString::fromLatin1(ValueText(HistoryColumn::WindKmh, *speed)) : QString(),
             stored);
    if (stored.isEmpty()) QCOMPARE(out.values.WindSpeed, 0.0f);  // what the window shows
  }

  void schemaIsThePublishedOne_data() {
    QTest::addColumn<int>("cid");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("type");
    const char* table[][2] = {{"time", "INTEGER"},
                              {"station", "TEXT"},
                              {"info", "TEXT"},
                              {"wind_dir", "INTEGER"},
                              {"wind_kmh", "REAL"},
                              {"gust_kmh", "REAL"},
                              {"temp_c", "REAL"},
                              {"rain_1h_mm", "REAL"},
                              {"rain_24h_mm", "REAL"},
                              {"rain_today_mm", "REAL"},
                              {"pressure_mb", "REAL"},
                              {"humidity_pct", "INTEGER"},
                              {"pressure_change_4h_mb", "INTEGER"},
                              {"wind_chill_c", "REAL"},
                              {"dew_point_c", "REAL"},
                              {"abs_humidity_gm3", "REAL"}};
    for (int i = 0; i < int(std::size(table)); ++i)
      QTest::addRow("column %d is %s", i, table[i][0]) << i << table[i][0] << table[i][1];
  }
  void schemaIsThePublishedOne() {
    QFETCH(int, cid);
    QFETCH(QString, column);
    QFETCH(QString, type);
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFileName);
    QVERIFY(Open(path));
    QCOMPARE(Ask(path, QStringLiteral("SELECT name || ' ' || type FROM pragma_table_info("
                                      "'reports') WHERE cid = %1")
                           .arg(cid))
                 .toString(),
             column + ' ' + type);
    QCOMPARE(Ask(path, "SELECT count(*) FROM pragma_table_info('reports')").toInt(), 16);
  }

  void fileIsSetUpForOtherTools() {
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFileName);
    QVERIFY(Open(path));
    QCOMPARE(Ask(path, "SELECT value FROM meta WHERE key = 'schema_version'").toInt(), 1);
    QCOMPARE(Ask(path, "PRAGMA journal_mode").toString(), QStringLiteral("wal"));
    QCOMPARE(
        Ask(path, "SELECT sql FROM sqlite_master WHERE name = 'reports_station_time'").toString(),
        QStringLiteral("CREATE INDEX reports_station_time ON reports (station, time)"));
  }

  void rangesAreInclusiveAndOldestFirst() {
    QTemporaryDir dir;
    auto store = Open(dir.filePath(HistoryFileName));
    QVERIFY(store);
    QString error;
    for (int n = 1; n <= 5; ++n) QVERIFY(store->Store(Numbered(100 * n, n), error));
    QVERIFY(store->Store(Numbered(250, 9, QStringLiteral("IK1ABC")), error));
    QCOMPARE(Temperatures(*store, {Station, 200, 400}), (QList<double>{2, 3, 4}));
    QCOMPARE(Temperatures(*store, {Station, 301, std::nullopt}), (QList<double>{4, 5}));
    QCOMPARE(Temperatures(*store, {QString(), 200, 300}), (QList<double>{2, 9, 3}));
    QCOMPARE(Temperatures(*store, {QStringLiteral("NOBODY"), {}, {}}), QList<double>());
    QCOMPARE(Temperatures(*store, {Station, 400, std::numeric_limits<int64_t>::max()}),
             (QList<double>{4, 5}));
    const auto stations = store->Stations(error);
    QVERIFY(stations && stations->size() == 2);
    QCOMPARE(stations->at(0).station, QStringLiteral("IK1ABC"));
    QCOMPARE(stations->at(1).count, int64_t(5));
    QCOMPARE(stations->at(1).first, int64_t(100));
    QCOMPARE(stations->at(1).last, int64_t(500));
  }

  void clockSetBackBreaksNothing() {
    QTemporaryDir dir;
    auto store = Open(dir.filePath(HistoryFileName));
    QVERIFY(store);
    QString error;
    // An hour back, then on again; two reports in one second keep the order they came in.
    for (auto [time, n] : {std::pair{10'000, 1}, {6'400, 2}, {6'400, 3}, {10'060, 4}})
      QVERIFY(store->Store(Numbered(time, n), error));
    QCOMPARE(Temperatures(*store), (QList<double>{2, 3, 1, 4}));
    const auto series = store->Thin(Station, 0, 20'000, {HistoryColumn::TempC}, 3, error);
    QVERIFY(series);
    QCOMPARE(series->at(0).size(), size_t(4));
    for (size_t i = 1; i < series->at(0).size(); ++i)
      QVERIFY(series->at(0)[i - 1].time <= series->at(0)[i].time);
  }

  void damagedFileIsKeptAsideAndANewOneStarted_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("at");
    QTest::newRow("a text file where the history belongs") << QByteArray("hello, world\n") << -1LL;
    QTest::newRow("the header overwritten") << QByteArray(100, 'x') << 0LL;
    QTest::newRow("a page of the table overwritten, header intact")
        << QByteArray(4096, char(0xA5)) << 4096LL * 3;
  }
  void damagedFileIsKeptAsideAndANewOneStarted() {
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, at);
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFileName);
    if (at < 0) {
      WriteBytes(path, bytes);
    } else {
      {
        auto store = Open(path);
        QVERIFY(store);
        QString error;
        QVERIFY(store->StoreAll(NumberedRows(2000), error));
      }
      QVERIFY(Ask(path, "PRAGMA wal_checkpoint(TRUNCATE)").isValid());
      WriteBytes(path, bytes, at);
    }
    const QByteArray damaged = ReadBytes(path);
    OpenedHistory opened = OpenHistory(path);
    QVERIFY2(opened.store, qPrintable(opened.error));
    QCOMPARE(opened.keptAside, path + ".bad");
    QCOMPARE(ReadBytes(path + ".bad"), damaged);  // nothing of it is lost
    QString error;
    QVERIFY(opened.store->Store(ExampleRow(1), error));
    QCOMPARE(Temperatures(*opened.store).size(), 1);
    opened.store.reset();
    // A second damaged file does not replace the first one kept aside.
    WriteBytes(path, "not again");
    opened = OpenHistory(path);
    QVERIFY(opened.store);
    QCOMPARE(opened.keptAside, path + ".bad2");
    QCOMPARE(ReadBytes(path + ".bad"), damaged);
  }

  void faultsThatAreNoDamageLeaveTheFileAlone() {
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFileName);
    QVERIFY(Open(path));
    Ask(path, "UPDATE meta SET value = 2 WHERE key = 'schema_version'");
    OpenedHistory newer = OpenHistory(path);
    QVERIFY(!newer.store);
    QVERIFY2(newer.error.contains("schema version 2"), qPrintable(newer.error));
    QVERIFY(newer.keptAside.isEmpty());
    QVERIFY(QFileInfo::exists(path));
    // Reading only: a missing file or a damaged one is said, never made or moved.
    const QString missing = dir.filePath("missing.sqlite");
    HistoryOptions reading;
    reading.access = HistoryAccess::ReadOnly;
    QVERIFY(OpenHistory(missing, reading).error.contains("no such file"));
    QVERIFY(!QFileInfo::exists(missing));
    const QString text = dir.filePath("text.sqlite");
    WriteBytes(text, "plain text\n");
    OpenedHistory read = OpenHistory(text, reading);
    QVERIFY(!read.store);
    QVERIFY2(read.error.contains("not a database"), qPrintable(read.error));
    QVERIFY(QFileInfo::exists(text) && !QFileInfo::exists(text + ".bad"));
  }

  // Only a new or empty file is made into a history; a database of another program, or a later
  // Ventora's, is refused and left byte for byte as it was.
  void onlyANewOrEmptyFileIsMadeAHistory_data() {
    QTest::addColumn<QStringList>("sql");
    QTest::addColumn<QString>("refused");
    QTest::newRow("no file yet") << QStringList() << QString();
    QTest::newRow("an empty file") << QStringList{""} << QString();
    QTest::newRow("another program's database")
        << QStringList{"CREATE TABLE t (x)", "INSERT INTO t VALUES (1)"} << "not a Ventora history";
    QTest::newRow("another program's meta table")
        << QStringList{"CREATE TABLE meta (key TEXT PRIMARY KEY, value)",
                       "INSERT INTO meta VALUES ('owner', 'someone')"}
        << "not a Ventora history";
    QTest::newRow("another program's database with a write-ahead log")
        << QStringList{"PRAGMA journal_mode=WAL", "CREATE TABLE reports (time)"}
        << "not a Ventora history";
    QTest::newRow("a later Ventora's history")
        << QStringList{"CREATE TABLE meta (key TEXT PRIMARY KEY, value)",
                       "INSERT INTO meta VALUES ('schema_version', 2)"}
        << "schema version 2";
  }
  void onlyANewOrEmptyFileIsMadeAHistory() {
    QFETCH(QStringList, sql);
    QFETCH(QString, refused);
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFileName);
    if (!sql.isEmpty()) WriteBytes(path, {});
    for (const QString& statement : sql)
      if (!statement.isEmpty()) Ask(path, statement);
    const QByteArray before = ReadBytes(path);
    OpenedHistory opened = OpenHistory(path);
    if (refused.isEmpty()) {
      QVERIFY2(opened.store, qPrintable(opened.error));
      QCOMPARE(Ask(path, "SELECT value FROM meta WHERE key = 'schema_version'").toInt(), 1);
      return;
    }
    QVERIFY(!opened.store);
    QVERIFY2(opened.error.contains(refused), qPrintable(opened.error));
    QVERIFY(opened.keptAside.isEmpty());
    QCOMPARE(ReadBytes(path), before);
    QVERIFY(!QFileInfo::exists(path + "-wal"));
    QCOMPARE(
        Ask(path, "SELECT count(*) FROM sqlite_master WHERE name LIKE 'reports_hourly%'").toInt(),
        0);
  }

  // A damaged file that another program has open is not moved from under it.
  void damagedFileInUseIsLeftInPlace() {
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFileName);
    {
      auto store = Open(path);
      QVERIFY(store);
      QString error;
      QVERIFY(store->StoreAll(NumberedRows(2000), error));
    }
    QVERIFY(Ask(path, "PRAGMA wal_checkpoint(TRUNCATE)").isValid());
    WriteBytes(path, QByteArray(4096, char(0xA5)), 4096LL * 3);
    {
      OtherConnection other(path);
      OpenedHistory opened = OpenHistory(path);
      QVERIFY(!opened.store);
      QVERIFY2(opened.error.contains("in uso"), qPrintable(opened.error));
      QVERIFY(opened.keptAside.isEmpty());
      QVERIFY(QFileInfo::exists(path) && !QFileInfo::exists(path + ".bad"));
    }
    OpenedHistory alone = OpenHistory(path);  // once nobody else holds it, it is set aside
    QVERIFY2(alone.store, qPrintable(alone.error));
    QCOMPARE(alone.keptAside, path + ".bad");
  }

  // Reading needs no right to write beside the file (the log's shared memory, a backup on
  // read-only media, another user's history).
  void readingNeedsNoWriteAccess_data() {
    QTest::addColumn<bool>("writerOpen");
    QTest::newRow("a folder that cannot be written") << false;
    QTest::newRow("a folder that cannot be written, its writer at work") << true;
  }
  void readingNeedsNoWriteAccess() {
#ifdef Q_OS_WIN
    QSKIP("a folder's rights on Windows do not stop SQLite's log beside the file");
#else
    QFETCH(bool, writerOpen);
    QTemporaryDir dir;
    const QString folder = dir.filePath("backup");
    QVERIFY(QDir().mkdir(folder));
    const QString path = folder + "/" + HistoryFileName;
    auto writer = Open(path);
    QVERIFY(writer);
    QString error;
    for (int n = 1; n <= 3; ++n) QVERIFY(writer->Store(Numbered(100 * n, n), error));
    if (!writerOpen) writer.reset();
    const auto everyone = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                          QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(dir.path(), everyone | QFile::WriteOwner);
    QFile::setPermissions(folder, everyone);
    HistoryOptions reading;
    reading.access = HistoryAccess::ReadOnly;
    {
      OrdinaryUser nobody;
      QVERIFY(nobody.Ok());
      QVERIFY(!QFile(folder + "/probe").open(QIODevice::WriteOnly));
      OpenedHistory opened = OpenHistory(path, reading);
      QVERIFY2(opened.store, qPrintable(opened.error));
      const auto stations = opened.store->Stations(error);
      QVERIFY2(stations && stations->size() == 1, qPrintable(error));
      QCOMPARE(stations->front().count, int64_t(3));
      QCOMPARE(Temperatures(*opened.store), (QList<double>{1, 2, 3}));
    }
    QFile::setPermissions(folder, everyone | QFile::WriteOwner);
#endif
  }

  void folderThatCannotBeWritten() {
    QTemporaryDir dir;
    const QString folder = UnwritableFolder(dir.path(), QStringLiteral("history"));
    OpenedHistory opened = OpenHistory(folder + "/" + HistoryFileName);
    QVERIFY(!opened.store);
    QVERIFY(!opened.error.isEmpty());
    QVERIFY(opened.keptAside.isEmpty());
  }

  void fileThatCannotBeWritten() {
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFileName);
    {
      auto store = Open(path);
      QVERIFY(store);
      QString error;
      QVERIFY(store->Store(ExampleRow(1), error));
    }
    const QByteArray before = ReadBytes(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
#ifndef Q_OS_WIN
    // Anyone may make the log beside it, the file itself is read-only; root could write it all
    // the same, so an ordinary user tries.
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                          QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther);
    OrdinaryUser nobody;
    QVERIFY(nobody.Ok());
#endif
    {
      QFile probe(path);
      if (probe.open(QIODevice::ReadWrite)) {  // wine run by root writes read-only files
#ifdef Q_OS_WIN
        probe.close();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
#endif
        QSKIP("this system lets this user write a read-only file");
      }
    }
    OpenedHistory opened = OpenHistory(path);
    if (opened.store) {  // opened for reading only: storing fails instead
      QString error;
      QVERIFY(!opened.store->Store(ExampleRow(2), error));
      QVERIFY(!error.isEmpty());
    } else {
      QVERIFY(!opened.error.isEmpty());
    }
    QVERIFY(opened.keptAside.isEmpty());
    opened.store.reset();
    const QByteArray after = ReadBytes(path);
#ifdef Q_OS_WIN
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);  // the folder can go
#endif
    QCOMPARE(after, before);
  }

  void fullDiskFailsTheReportAndKeepsTheEarlierOnes() {
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFileName);
    HistoryOptions small;
    small.maxPageCount = 16;
    auto store = Open(path, small);
    QVERIFY(store);
    QString error;
    // Many reports at once that do not fit: none of them is kept.
    QVERIFY(!store->StoreAll(NumberedRows(10'000), error));
    QVERIFY2(error.contains("full"), qPrintable(error));
    QCOMPARE(Temperatures(*store).size(), 0);
    int stored = 0;
    while (stored < 10'000 && store->Store(Numbered(stored, stored), error)) ++stored;
    QVERIFY(stored > 0 && stored < 10'000);
    QVERIFY2(error.contains("full"), qPrintable(error));
    store.reset();
    store = Open(path);
    QVERIFY(store);
    QCOMPARE(Temperatures(*store).size(), stored);
    QCOMPARE(Ask(path, "PRAGMA integrity_check").toString(), QStringLiteral("ok"));
  }

  void twoWritersOnOneFileBothSucceed() {
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFileName);
    constexpr int Rows = 300;
    QProcess a, b;
    StartWriter(a, path, QStringLiteral("IW2XYZ"), Rows);
    StartWriter(b, path, QStringLiteral("IK1ABC"), Rows);
    for (QProcess* p : {&a, &b}) {
      QVERIFY(p->waitForFinished(120'000));
      QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
    }
    auto store = Open(path);
    QVERIFY(store);
    QString error;
    const auto stations = store->Stations(error);
    QVERIFY(stations && stations->size() == 2);
    QCOMPARE(stations->at(0).count, int64_t(Rows));
    QCOMPARE(stations->at(1).count, int64_t(Rows));
  }

  void twoOpeningsOfANewFileBothSucceed() {
    QTemporaryDir dir;
    constexpr int Rounds = 200;
    for (int round = 0; round < Rounds; ++round) {
      const QString path = dir.filePath(QStringLiteral("h%1.sqlite").arg(round));
      QSemaphore ready, go;
      OpenedHistory outcome[2];
      // Each thread makes and drops its own connection, as the window's and the monitor's do.
      auto open = [&](int i) {
        ready.release();
        go.acquire();
        OpenedHistory opened = OpenHistory(path);
        outcome[i].error = opened.store ? QString() : opened.error;
        outcome[i].keptAside = opened.keptAside;
      };
      std::thread first(open, 0), second(open, 1);
      ready.acquire(2);
      go.release(2);
      first.join();
      second.join();
      for (const OpenedHistory& o : outcome) {
        QVERIFY2(o.error.isEmpty(), qPrintable(QStringLiteral("round %1: ").arg(round) + o.error));
        QCOMPARE(o.keptAside, QString());
      }
      QCOMPARE(Ask(path, "SELECT value FROM meta WHERE key = 'schema_version'").toInt(),
               HistorySchemaVersion);
    }
  }

  void killedWhileWritingKeepsEveryCommittedReport() {
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFileName);
    int expected = 0;
    for (int round = 0; round < 5; ++round) {
      QProcess writer;
      StartWriter(writer, path, Station, 0, expected + 1);
      QVERIFY(writer.waitForStarted());
      const int target = 20 + QRandomGenerator::global()->bounded(200);
      int committed = 0;
      QByteArray out;
      while (committed < target && writer.waitForReadyRead(30'000)) {
        out += writer.readAllStandardOutput();
        committed = out.count('\n');
      }
      writer.kill();  // SIGKILL, in the middle of whatever it was writing
      writer.waitForFinished();
      out += writer.readAllStandardOutput();
      committed = out.count('\n');
      QVERIFY(committed >= target);
      QCOMPARE(Ask(path, "PRAGMA integrity_check").toString(), QStringLiteral("ok"));
      auto store = Open(path);
      QVERIFY(store);
      // Each round goes on from the last report stored: every number, in order, no gap.
      const QList<double> temps = Temperatures(*store);
      QVERIFY(temps.size() >= expected + committed);
      for (int i = 0; i < int(temps.size()); ++i) QCOMPARE(temps[i], double(i + 1));
      expected = int(temps.size());
    }
  }

  void thinningKeepsEveryPeak() {
    QTemporaryDir dir;
    auto store = Open(dir.filePath(HistoryFileName));
    QVERIFY(store);
    QString error;
    constexpr int Minutes = 5000, Columns = 100;
    std::vector<HistoryRow> rows;
    for (int n = 0; n < Minutes; ++n) {
      HistoryRow& row = rows.emplace_back(Numbered(n * 60, 10));
      if (n == 1234) row[HistoryColumn::TempC] = 38.5;
      if (n == 4321) row[HistoryColumn::TempC] = -7.25;
      if (n % 2) row[HistoryColumn::GustKmh].reset();
    }
    QVERIFY(store->StoreAll(rows, error));
    const auto series = store->Thin(
        Station, 0, Minutes * 60,
        {HistoryColumn::TempC, HistoryColumn::GustKmh, HistoryColumn::WindChillC}, Columns, error);
    QVERIFY(series);
    const auto& temps = series->at(0);
    QVERIFY(temps.size() <= 2 * Columns);
    double low = 100, high = -100;
    for (const ChartPoint& p : temps) {
      low = std::min(low, p.value);
      high = std::max(high, p.value);
    }
    QCOMPARE(high, 38.5);
    QCOMPARE(low, -7.25);
    QVERIFY(!series->at(1).empty() && series->at(1).size() <= 2 * Columns);
    QVERIFY(series->at(2).empty());  // no report had a wind chill
    // Fewer reports than pixel columns: the reports themselves, at their own times.
    const auto few = store->Thin(Station, 0, 600, {HistoryColumn::TempC}, Columns, error);
    QVERIFY(few);
    QCOMPARE(few->at(0).size(), size_t(10));
    QCOMPARE(few->at(0)[3].time, int64_t(180));
  }

  // A steady rise or fall stays one line once thinned: each column's two readings go on from the
  // column before, never a saw of little rises inside a fall.
  void thinningFollowsASteadyTrend_data() {
    QTest::addColumn<double>("step");
    QTest::newRow("falling") << -0.01;
    QTest::newRow("rising") << 0.01;
  }
  void thinningFollowsASteadyTrend() {
    QFETCH(double, step);
    QTemporaryDir dir;
    auto store = Open(dir.filePath(HistoryFileName));
    QVERIFY(store);
    QString error;
    constexpr int Minutes = 1000, Columns = 100;
    std::vector<HistoryRow> rows;
    for (int n = 0; n < Minutes; ++n) {
      rows.push_back(ExampleRow(n * 60, Station));
      rows.back()[HistoryColumn::TempC] = 10 + step * n;
    }
    QVERIFY(store->StoreAll(rows, error));
    const auto series =
        store->Thin(Station, 0, Minutes * 60, {HistoryColumn::TempC}, Columns, error);
    QVERIFY(series);
    const auto& temps = series->at(0);
    QVERIFY(temps.size() > size_t(Columns));
    // The first column has no point before it to go on from: its two readings may go either way.
    for (size_t i = 2; i < temps.size(); ++i)
      QVERIFY2((temps[i].value - temps[i - 1].value) * step >= 0, qPrintable(QString::number(i)));
  }

  // Long ranges are read from the hourly summary, which follows every change of the reports.
  void longRangesKeepEveryPeakThroughTheSummary() {
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFileName);
    constexpr int64_t Step = 600, Days = 60, Columns = 100;
    constexpr int64_t Span = Days * 86400;
    const auto highest = [&](HistoryStore& store) {
      QString error;
      const auto series = store.Thin(Station, 0, Span, {HistoryColumn::TempC}, Columns, error);
      double high = -100;
      for (const ChartPoint& p : series ? series->at(0) : std::vector<ChartPoint>{})
        high = std::max(high, p.value);
      return std::pair{high, series ? series->at(0).size() : size_t(0)};
    };
    {
      auto store = Open(path);
      QVERIFY(store);
      QString error;
      std::vector<HistoryRow> rows;
      for (int64_t t = 0; t < Span; t += Step)
        rows.push_back(Numbered(t, t == 30 * 86400 ? 41 : 10 + int(t % 7)));
      QVERIFY(store->StoreAll(rows, error));
      const auto [high, points] = highest(*store);
      QCOMPARE(high, 41.0);
      QVERIFY(points > size_t(Columns) && points <= size_t(2 * Columns));
    }
    Ask(path, "DELETE FROM reports WHERE temp_c = 41");
    auto store = Open(path);
    QCOMPARE(highest(*store).first, 16.0);
    store.reset();
    Ask(path, "DROP TABLE reports_hourly");
    store = Open(path);
    QVERIFY(store);
    QCOMPARE(highest(*store).first, 16.0);
    QCOMPARE(Ask(path, "SELECT count(*) FROM reports_hourly").toInt(), int(Days * 24));
  }

  void fileLivesBesideTheProgramElseWithTheUser() {
    QTemporaryDir dir;
    const QString user = dir.filePath("user/Ventora");
    QCOMPARE(ChooseHistoryFile(dir.path(), user), dir.filePath(HistoryFileName));
    QVERIFY(!QFileInfo::exists(user));  // nothing is made that is not used
    const QString program = UnwritableFolder(dir.path(), "program");
    QCOMPARE(ChooseHistoryFile(program, user), user + "/" + HistoryFileName);
    QVERIFY(QFileInfo(user).isDir());
    QVERIFY(HistoryUserFolder().endsWith("/Ventora"));
    // Installed for every user, the program's folder is left alone even by root.
    QCOMPARE(ChooseHistoryFile("/usr/bin", user), user + "/" + HistoryFileName);
    // In a build tree ventora-cli, in tools/, shares the window's file one folder up; a folder
    // merely named tools keeps its own.
    QVERIFY(QDir(dir.path()).mkpath("tools"));
    QCOMPARE(ChooseHistoryFile(dir.filePath("tools"), user),
             dir.filePath("tools") + "/" + HistoryFileName);
    QFile cache(dir.filePath("CMakeCache.txt"));
    QVERIFY(cache.open(QIODevice::WriteOnly));
    cache.close();
    QCOMPARE(ChooseHistoryFile(dir.filePath("tools"), user), dir.filePath(HistoryFileName));
  }

  void recorderSaysEachFaultOnce() {
    QTemporaryDir dir;
    HistoryOptions small;
    small.maxPageCount = 16;
    HistoryRecorder recorder(dir.filePath(HistoryFileName), small);
    QSignalSpy stored(&recorder, &HistoryRecorder::stored);
    QStringList said;
    for (int n = 0; n < 2000; ++n) said += recorder.Record(Numbered(n * 60, n));
    QCOMPARE(said.size(), 1);
    QVERIFY2(said[0].contains("non si può scrivere"), qPrintable(said[0]));
    QVERIFY(stored.size() > 0 && stored.size() < 2000);

    HistoryRecorder nowhere(UnwritableFolder(dir.path(), "h") + "/" + HistoryFileName);
    QCOMPARE(nowhere.Record(ExampleRow(1)).size(), 1);
    QVERIFY(nowhere.Record(ExampleRow(2)).isEmpty());

    const QString damaged = dir.filePath("damaged.sqlite");
    WriteBytes(damaged, "garbage");
    HistoryRecorder fresh(damaged);
    const QStringList aside = fresh.Record(ExampleRow(1));
    QCOMPARE(aside.size(), 1);
    QVERIFY2(aside[0].contains("damaged.sqlite.bad"), qPrintable(aside[0]));
    QVERIFY(fresh.Record(ExampleRow(2)).isEmpty());
  }

  // A file that could not be opened is tried again at a later report; a different fault is said
  // again, the same one not.
  void recorderTriesAgainAfterAFailedOpening() {
    QTemporaryDir dir;
    const QString folder = UnwritableFolder(dir.path(), "h");
    const QString path = folder + "/" + HistoryFileName;
    HistoryRecorder recorder(path);
    QSignalSpy stored(&recorder, &HistoryRecorder::stored);
    const auto report = [](int64_t time, int n) {
      HistoryRow row = Numbered(time, n);
      row.info += QString::number(n);  // each a report of its own, no copy of another
      return row;
    };
    QCOMPARE(recorder.Record(report(1000, 1)).size(), 1);
    QVERIFY(recorder.Record(report(1001, 2)).isEmpty());
    QVERIFY(QFile::remove(QFileInfo(folder).path()) && QDir().mkpath(folder));
    WriteBytes(path, {});
    Ask(path, "CREATE TABLE t (x)");  // another program's database: a different fault
    const QStringList foreign = recorder.Record(report(1060, 3));
    QCOMPARE(foreign.size(), 1);
    QVERIFY2(foreign[0].contains("not a Ventora history"), qPrintable(foreign[0]));
    QVERIFY(recorder.Record(report(1120, 4)).isEmpty());
    QVERIFY(QFile::remove(path));
    QVERIFY(recorder.Record(report(1180, 5)).isEmpty());
    QCOMPARE(stored.size(), 1);
    QCOMPARE(Temperatures(*Open(path)), QList<double>{5});
  }

  // Copies of one transmission (direct and digipeated) are stored once.
  void recorderStoresOneRowPerTransmission_data() {
    QTest::addColumn<QStringList>("heard");  // "seconds station information" each
    QTest::addColumn<int>("rows");
    QTest::newRow("the same packet five times in a second")
        << QStringList{"0 IW2XYZ A", "0 IW2XYZ A", "0 IW2XYZ A", "1 IW2XYZ A", "1 IW2XYZ A"} << 1;
    QTest::newRow("digipeated copies up to 29 s after the first")
        << QStringList{"0 IW2XYZ A", "12 IW2XYZ A", "29 IW2XYZ A"} << 1;
    QTest::newRow("a late copy after another report")
        << QStringList{"0 IW2XYZ A", "5 IW2XYZ B", "10 IW2XYZ A"} << 2;
    QTest::newRow("the same information 30 s later is a new report")
        << QStringList{"0 IW2XYZ A", "30 IW2XYZ A", "60 IW2XYZ A"} << 3;
    QTest::newRow("another station's same information")
        << QStringList{"0 IW2XYZ A", "1 IK1ABC A"} << 2;
    QTest::newRow("the clock set back an hour") << QStringList{"3600 IW2XYZ A", "0 IW2XYZ A"} << 2;
  }
  void recorderStoresOneRowPerTransmission() {
    QFETCH(QStringList, heard);
    QFETCH(int, rows);
    QTemporaryDir dir;
    const QString path = dir.filePath(HistoryFileName);
    HistoryRecorder recorder(path);
    QSignalSpy stored(&recorder, &HistoryRecorder::stored);
    for (const QString& line : heard) {
      const QStringList parts = line.split(' ');
      HistoryRow row = ExampleRow(parts[0].toLongLong(), parts[1]);
      row.info = Example + parts[2];
      QVERIFY(recorder.Record(row).isEmpty());
    }
    QCOMPARE(stored.size(), rows);
    QCOMPARE(Ask(path, "SELECT count(*) FROM reports").toInt(), rows);
  }
};

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  if (argc == 6 && QByteArray(argv[1]) == "--writer")
    return RunWriter(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                     QByteArray(argv[4]).toInt(), QByteArray(argv[5]).toInt());
  TestHistoryStore test;
  return QTest::qExec(&test, argc, argv);
}

#include "test_history_store.moc"
