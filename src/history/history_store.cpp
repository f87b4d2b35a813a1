#include "history_store.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QUrl>
#include <QUuid>
#include <QVariant>

#include "history_quarters.h"
#include "history_span.h"
#include "history_summary.h"

namespace {

// SQLite's primary result codes.
constexpr int SqliteBusy = 5;
constexpr int SqliteReadOnly = 8;
constexpr int SqliteCorrupt = 11;
constexpr int SqliteCannotOpen = 14;
constexpr int SqliteNotADatabase = 26;

// The pause between two tries of a switch to the write-ahead log that found the file busy.
constexpr unsigned long WriteAheadLogRetryPauseMs = 10;

const QString Driver = QStringLiteral("QSQLITE");

const char* const Schema[] = {
    "CREATE TABLE IF NOT EXISTS reports ("
    "time INTEGER NOT NULL, station TEXT NOT NULL, info TEXT NOT NULL, "
    "wind_dir INTEGER, wind_kmh REAL, gust_kmh REAL, temp_c REAL, "
    "rain_1h_mm REAL, rain_24h_mm REAL, rain_today_mm REAL, pressure_mb REAL, "
    "humidity_pct INTEGER, pressure_change_4h_mb INTEGER, "
    "wind_chill_c REAL, dew_point_c REAL, abs_humidity_gm3 REAL)",
    "CREATE INDEX IF NOT EXISTS reports_station_time ON reports (station, time)",
    "CREATE TABLE IF NOT EXISTS meta (key TEXT PRIMARY KEY, value)",
    "INSERT OR IGNORE INTO meta (key, value) VALUES ('schema_version', 1)",
};

int PrimaryCode(const QSqlError& e) {
  return e.nativeErrorCode().toInt() & 0xff;  // the primary code of an extended one
}

bool IsDamage(const QSqlError& e) {
  const int code = PrimaryCode(e);
  return code == SqliteCorrupt || code == SqliteNotADatabase;
}

QString ColumnList() {
  QString list = QStringLiteral("time, station, info");
  for (int c = 0; c < HistoryColumnCount; ++c)
    list += QStringLiteral(", ") + QLatin1String(ColumnName(HistoryColumn(c)));
  return list;
}

QVariant Bound(HistoryColumn column, const std::optional<double>& v) {
  if (!v) return QVariant();
  return IsWholeNumberColumn(column) ? QVariant(qlonglong(*v)) : QVariant(*v);
}

std::optional<double> Loaded(const QVariant& v) {
  if (v.isNull()) return std::nullopt;
  return v.toDouble();
}

// What one attempt at opening found.
enum class Outcome { Opened, Damaged, Failed };

QString Described(const QString& what, const QSqlError& e) {
  return what + QStringLiteral(": ") + e.text();
}

// The first free name of .bad, .bad2, .bad3, ...: an earlier damaged file is never replaced.
QString AsideName(const QString& path) {
  QString aside = path + QStringLiteral(".bad");
  for (int n = 2; QFileInfo::exists(aside); ++n) aside = path + QStringLiteral(".bad%1").arg(n);
  return aside;
}

// Moves the file and its write-ahead log aside (the log under the name sqlite3 looks for).
bool KeepAside(const QString& path, QString& aside) {
  aside = AsideName(path);
  if (!QFile::rename(path, aside)) return false;
  const QString wal = path + QStringLiteral("-wal");
  if (QFileInfo::exists(wal)) QFile::rename(wal, aside + QStringLiteral("-wal"));
  QFile::remove(path + QStringLiteral("-shm"));
  return true;
}

}  // namespace

HistoryStore::HistoryStore(QString path, QString connection)
    : path_(std::move(path)), connection_(std::move(connection)) {
  db_ = QSqlDatabase::addDatabase(Driver, connection_);
}

HistoryStore::~HistoryStore() {
  db_.close();
  db_ = QSqlDatabase();
  QSqlDatabase::removeDatabase(connection_);
}

namespace {

struct Attempt {
  Outcome outcome = Outcome::Failed;
  QString error;
  int code = 0;  // SQLite's primary result code of a failure
};

Attempt Fault(const QSqlError& e, const QString& what) {
  return {IsDamage(e) ? Outcome::Damaged : Outcome::Failed, Described(what, e), PrimaryCode(e)};
}

Attempt Exec(QSqlDatabase& db, const QString& sql, const QString& what) {
  QSqlQuery q(db);
  if (q.exec(sql)) return {Outcome::Opened, {}};
  return Fault(q.lastError(), what);
}

// The file's own check: "ok", or the first fault it found.
Attempt Check(QSqlDatabase& db) {
  QSqlQuery q(db);
  if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next()) {
    Attempt a = Fault(q.lastError(), "check");
    if (!q.lastError().isValid()) a.outcome = Outcome::Damaged;
    return a;
  }
  const QString verdict = q.value(0).toString();
  if (verdict == QLatin1String("ok")) return {Outcome::Opened, {}};
  return {Outcome::Damaged, QStringLiteral("check: ") + verdict};
}

Attempt SwitchToWriteAheadLog(QSqlDatabase& db) {
  QSqlQuery wal(db);
  if (wal.exec(QStringLiteral("PRAGMA journal_mode=WAL")) && wal.next() &&
      wal.value(0).toString() == QLatin1String("wal"))
    return {Outcome::Opened, {}};
  return Fault(wal.lastError(), "cannot be written");
}

// The journal in a write-ahead log: readers never wait for the writer, and a write that is cut
// off leaves the file as it was before that write. The switch reads the file's header and then
// writes it, and SQLite does not wait for a lock it must raise from reading to writing: while a
// second program is making the same new file the switch is tried again, up to the busy timeout.
Attempt UseWriteAheadLog(QSqlDatabase& db) {
  const QDeadlineTimer deadline(HistoryBusyTimeoutMs);
  Attempt a = SwitchToWriteAheadLog(db);
  while (a.code == SqliteBusy && !deadline.hasExpired()) {
    QThread::msleep(WriteAheadLogRetryPauseMs);
    a = SwitchToWriteAheadLog(db);
  }
  return a;
}

// A file whose summary was dropped (or made by another tool) gets it again.
Attempt MakeSummaryIfMissing(QSqlDatabase& db) {
  QSqlQuery q(db);
  if (!q.exec(SummaryMissingQuery()) || !q.next()) return Fault(q.lastError(), "summary");
  if (!q.value(0).toBool()) return {Outcome::Opened, {}};
  q.finish();
  return Exec(db, SummaryRebuild(), "summary");
}

// The same for the quarter-hour summary, and the sines its triggers read.
Attempt MakeQuartersIfMissing(QSqlDatabase& db) {
  for (const auto& [missing, make] :
       {std::pair{WindSinesMissingQuery(), WindSinesFill(QStringLiteral("wind_sines"))},
        std::pair{QuarterMissingQuery(), QStringList{QuarterRebuild()}}}) {
    QSqlQuery q(db);
    if (!q.exec(missing) || !q.next()) return Fault(q.lastError(), "summary");
    if (!q.value(0).toBool()) continue;
    q.finish();
    for (const QString& sql : make) {
      const Attempt a = Exec(db, sql, "summary");
      if (a.outcome != Outcome::Opened) return a;
    }
  }
  return {Outcome::Opened, {}};
}

Attempt CheckVersion(QSqlDatabase& db) {
  QSqlQuery q(db);
  if (!q.exec(QStringLiteral("SELECT value FROM meta WHERE key = 'schema_version'")) || !q.next())
    return {IsDamage(q.lastError()) ? Outcome::Damaged : Outcome::Failed,
            QStringLiteral("not a Ventora history (no schema_version in its meta table)")};
  const int version = q.value(0).toInt();
  if (version == HistorySchemaVersion) return {Outcome::Opened, {}};
  return {Outcome::Failed, QStringLiteral("schema version %1, this Ventora knows version %2 only")
                               .arg(version)
                               .arg(HistorySchemaVersion)};
}

// Whose the file is, before anything is written to it: a new or empty file may be made a history,
// one with tables must be a Ventora history of this version.
Attempt CheckOwner(QSqlDatabase& db, bool mayMake) {
  QSqlQuery q(db);
  if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) || !q.next())
    return Fault(q.lastError(), "check");
  if (q.value(0).toInt() == 0 && mayMake) return {Outcome::Opened, {}};
  q.finish();
  return CheckVersion(db);
}

Attempt Prepare(QSqlDatabase& db, const HistoryOptions& options) {
  const bool readOnly = options.access == HistoryAccess::ReadOnly;
  Attempt a = Check(db);
  if (a.outcome == Outcome::Opened) a = CheckOwner(db, !readOnly);
  if (a.outcome != Outcome::Opened || readOnly) return a;
  a = UseWriteAheadLog(db);
  if (a.outcome != Outcome::Opened) return a;
  a = Exec(db, QStringLiteral("PRAGMA synchronous=NORMAL"), "synchronous");
  if (a.outcome == Outcome::Opened && options.maxPageCount > 0)
    a = Exec(db, QStringLiteral("PRAGMA max_page_count=%1").arg(options.maxPageCount), "limit");
  if (a.outcome != Outcome::Opened) return a;
  // A second program may be making the same new file: the schema is made under its lock.
  a = Exec(db, QStringLiteral("BEGIN IMMEDIATE"), "cannot be written");
  QStringList statements;
  for (const char* sql : Schema) statements << QLatin1String(sql);
  statements += SummarySchema();
  statements += QuarterSchema();
  for (const QString& sql : statements) {
    if (a.outcome != Outcome::Opened) break;
    a = Exec(db, sql, "cannot be written");
  }
  if (a.outcome == Outcome::Opened) a = MakeSummaryIfMissing(db);
  if (a.outcome == Outcome::Opened) a = MakeQuartersIfMissing(db);
  if (a.outcome == Outcome::Opened) a = Exec(db, QStringLiteral("COMMIT"), "cannot be written");
  if (a.outcome != Outcome::Opened) Exec(db, QStringLiteral("ROLLBACK"), "rollback");
  return a;
}

// A file where this user may not write (another user's folder, read-only media) gets no log
// beside it: it is read as it is on disk, as nobody can be writing it meanwhile.
bool NeedsImmutable(const Attempt& a) {
  return a.code == SqliteReadOnly || a.code == SqliteCannotOpen;
}

QString ImmutableUri(const QString& path) {
  return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
         QStringLiteral("?immutable=1");
}

// Whether another connection (a second window, sqlite3) has the file open: its lock stops the
// exclusive one that a connection in exclusive locking mode takes at its first read.
bool InUse(const QString& path) {
  const QString name = QStringLiteral("ventora-probe-") + QUuid::createUuid().toString();
  bool busy = false;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(Driver, name);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
    db.setDatabaseName(path);
    if (db.open()) {
      QSqlQuery q(db);
      busy = !q.exec(QStringLiteral("PRAGMA locking_mode=EXCLUSIVE")) ||
             (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) &&
              PrimaryCode(q.lastError()) == SqliteBusy);
    }
  }
  QSqlDatabase::removeDatabase(name);
  return busy;
}

QString InUseText() {
  return QCoreApplication::translate(
      "HistoryStore", "danneggiato, ma in uso da un altro programma: lasciato dov'è");
}

// Opens the connection and makes the file ready; `immutable`: read as it lies on disk.
Attempt OpenAs(QSqlDatabase& db, const QString& path, const HistoryOptions& options,
               bool immutable) {
  if (!db.isValid())
    return {Outcome::Failed, QStringLiteral("Qt's SQLite driver (QSQLITE) is not installed")};
  QString connectOptions = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(HistoryBusyTimeoutMs);
  if (options.access == HistoryAccess::ReadOnly)
    connectOptions += QStringLiteral(";QSQLITE_OPEN_READONLY");
  if (immutable) connectOptions += QStringLiteral(";QSQLITE_OPEN_URI");
  db.setConnectOptions(connectOptions);
  db.setDatabaseName(immutable ? ImmutableUri(path) : path);
  if (!db.open()) return {Outcome::Failed, db.lastError().text()};
  return Prepare(db, options);
}

}  // namespace

OpenedHistory OpenHistory(const QString& path, const HistoryOptions& options) {
  OpenedHistory result;
  const bool readOnly = options.access == HistoryAccess::ReadOnly;
  if (readOnly && !QFileInfo(path).isFile()) {
    result.error = path + QStringLiteral(": no such file");
    return result;
  }
  bool immutable = false;
  for (int round = 0; round < 2; ++round) {
    std::unique_ptr<HistoryStore> store(new HistoryStore(
        path, QStringLiteral("ventora-history-") + QUuid::createUuid().toString()));
    const Attempt a = OpenAs(store->db_, path, options, immutable);
    if (a.outcome == Outcome::Opened) {
      result.store = std::move(store);
      result.error.clear();
      return result;
    }
    result.error = path + QStringLiteral(": ") + a.error;
    if (readOnly && !immutable && NeedsImmutable(a)) {
      immutable = true;
      continue;
    }
    if (a.outcome == Outcome::Failed || readOnly || round > 0) return result;
    store.reset();  // the file is closed before it is moved
    if (InUse(path)) {
      result.error = path + QStringLiteral(": ") + InUseText();
      return result;
    }
    if (!KeepAside(path, result.keptAside)) {
      result.error = path + QStringLiteral(": damaged, and it cannot be moved aside");
      result.keptAside.clear();
      return result;
    }
  }
  return result;
}

namespace {

void PrepareInsert(QSqlQuery& q) {
  QString marks = QStringLiteral("?, ?, ?");
  for (int c = 0; c < HistoryColumnCount; ++c) marks += QStringLiteral(", ?");
  q.prepare(QStringLiteral("INSERT INTO reports (%1) VALUES (%2)").arg(ColumnList(), marks));
}

bool Insert(QSqlQuery& q, const HistoryRow& row) {
  q.addBindValue(qlonglong(row.time));
  q.addBindValue(row.station);
  q.addBindValue(row.info);
  for (int c = 0; c < HistoryColumnCount; ++c)
    q.addBindValue(Bound(HistoryColumn(c), row.values[size_t(c)]));
  return q.exec();
}

}  // namespace

bool HistoryStore::Store(const HistoryRow& row, QString& error) {
  QSqlQuery q(db_);
  PrepareInsert(q);
  // Outside an explicit transaction SQLite makes the one statement a transaction of its own.
  if (Insert(q, row)) return true;
  error = path_ + QStringLiteral(": ") + q.lastError().text();
  return false;
}

bool HistoryStore::StoreAll(const std::vector<HistoryRow>& rows, QString& error) {
  if (!db_.transaction()) {
    error = path_ + QStringLiteral(": ") + db_.lastError().text();
    return false;
  }
  QSqlQuery q(db_);
  PrepareInsert(q);
  for (const HistoryRow& row : rows) {
    if (Insert(q, row)) continue;
    error = path_ + QStringLiteral(": ") + q.lastError().text();
    q.finish();
    db_.rollback();
    return false;
  }
  if (db_.commit()) return true;
  error = path_ + QStringLiteral(": ") + db_.lastError().text();
  db_.rollback();
  return false;
}

namespace {

QString RangeWhere(const HistoryRange& range) {
  QString where = QStringLiteral(" WHERE ") + SpanCondition(QStringLiteral("time"));
  if (!range.station.isEmpty()) where += QStringLiteral(" AND station = :station");
  return where;
}

void BindRange(QSqlQuery& q, const HistoryRange& range) {
  if (!range.station.isEmpty()) q.bindValue(QStringLiteral(":station"), range.station);
  BindSpan(q, SpanThrough(range.from, range.to));
}

}  // namespace

bool HistoryStore::ForEach(const HistoryRange& range,
                           const std::function<void(const HistoryRow&)>& visit, QString& error) {
  QSqlQuery q(db_);
  q.setForwardOnly(true);
  q.prepare(QStringLiteral("SELECT %1 FROM reports%2 ORDER BY time, rowid")
                .arg(ColumnList(), RangeWhere(range)));
  BindRange(q, range);
  if (!q.exec()) {
    error = path_ + QStringLiteral(": ") + q.lastError().text();
    return false;
  }
  HistoryRow row;
  while (q.next()) {
    row.time = q.value(0).toLongLong();
    row.station = q.value(1).toString();
    row.info = q.value(2).toString();
    for (int c = 0; c < HistoryColumnCount; ++c) row.values[size_t(c)] = Loaded(q.value(3 + c));
    visit(row);
  }
  return true;
}

std::optional<std::vector<HistoryRow>> HistoryStore::Read(const HistoryRange& range,
                                                          QString& error) {
  std::vector<HistoryRow> rows;
  if (!ForEach(
          range, [&rows](const HistoryRow& row) { rows.push_back(row); }, error))
    return std::nullopt;
  return rows;
}

std::optional<std::vector<StationSummary>> HistoryStore::Stations(QString& error) {
  QSqlQuery q(db_);
  if (!q.exec(QStringLiteral("SELECT station, count(*), min(time), max(time) FROM reports "
                             "GROUP BY station ORDER BY station"))) {
    error = path_ + QStringLiteral(": ") + q.lastError().text();
    return std::nullopt;
  }
  std::vector<StationSummary> stations;
  while (q.next())
    stations.push_back({q.value(0).toString(), q.value(1).toLongLong(), q.value(2).toLongLong(),
                        q.value(3).toLongLong()});
  return stations;
}
