#include "history_store.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

#include "history_summary.h"

namespace {

// SQLite's result codes for a file that is not a database and for a damaged one.
constexpr int SqliteCorrupt = 11;
constexpr int SqliteNotADatabase = 26;

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

bool IsDamage(const QSqlError& e) {
  const int code = e.nativeErrorCode().toInt() & 0xff;  // the primary code of an extended one
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
};

Attempt Exec(QSqlDatabase& db, const QString& sql, const QString& what) {
  QSqlQuery q(db);
  if (q.exec(sql)) return {Outcome::Opened, {}};
  return {IsDamage(q.lastError()) ? Outcome::Damaged : Outcome::Failed,
          Described(what, q.lastError())};
}

// The file's own check: "ok", or the first fault it found.
Attempt Check(QSqlDatabase& db) {
  QSqlQuery q(db);
  if (!q.exec(QStringLiteral("PRAGMA quick_check")) || !q.next()) {
    const bool damage = IsDamage(q.lastError()) || !q.lastError().isValid();
    return {damage ? Outcome::Damaged : Outcome::Failed, Described("check", q.lastError())};
  }
  const QString verdict = q.value(0).toString();
  if (verdict == QLatin1String("ok")) return {Outcome::Opened, {}};
  return {Outcome::Damaged, QStringLiteral("check: ") + verdict};
}

// The journal in a write-ahead log: readers never wait for the writer, and a write that is cut
// off leaves the file as it was before that write.
Attempt UseWriteAheadLog(QSqlDatabase& db) {
  QSqlQuery wal(db);
  if (wal.exec(QStringLiteral("PRAGMA journal_mode=WAL")) && wal.next() &&
      wal.value(0).toString() == QLatin1String("wal"))
    return {Outcome::Opened, {}};
  return {IsDamage(wal.lastError()) ? Outcome::Damaged : Outcome::Failed,
          Described("cannot be written", wal.lastError())};
}

// A file whose summary was dropped (or made by another tool) gets it again.
Attempt MakeSummaryIfMissing(QSqlDatabase& db) {
  QSqlQuery q(db);
  if (!q.exec(SummaryMissingQuery()) || !q.next())
    return {IsDamage(q.lastError()) ? Outcome::Damaged : Outcome::Failed,
            Described("summary", q.lastError())};
  if (!q.value(0).toBool()) return {Outcome::Opened, {}};
  q.finish();
  return Exec(db, SummaryRebuild(), "summary");
}

Attempt Prepare(QSqlDatabase& db, const HistoryOptions& options) {
  Attempt a = Check(db);
  if (a.outcome != Outcome::Opened || options.access == HistoryAccess::ReadOnly) return a;
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
  for (const QString& sql : statements) {
    if (a.outcome != Outcome::Opened) break;
    a = Exec(db, sql, "cannot be written");
  }
  if (a.outcome == Outcome::Opened) a = MakeSummaryIfMissing(db);
  if (a.outcome == Outcome::Opened) a = Exec(db, QStringLiteral("COMMIT"), "cannot be written");
  if (a.outcome != Outcome::Opened) Exec(db, QStringLiteral("ROLLBACK"), "rollback");
  return a;
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

}  // namespace

OpenedHistory OpenHistory(const QString& path, const HistoryOptions& options) {
  OpenedHistory result;
  const bool readOnly = options.access == HistoryAccess::ReadOnly;
  if (readOnly && !QFileInfo(path).isFile()) {
    result.error = path + QStringLiteral(": no such file");
    return result;
  }
  for (int round = 0; round < 2; ++round) {
    std::unique_ptr<HistoryStore> store(new HistoryStore(
        path, QStringLiteral("ventora-history-") + QUuid::createUuid().toString()));
    QSqlDatabase& db = store->db_;
    if (!db.isValid()) {
      result.error = QStringLiteral("Qt's SQLite driver (QSQLITE) is not installed");
      return result;
    }
    QString connectOptions = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(HistoryBusyTimeoutMs);
    if (readOnly) connectOptions += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(connectOptions);
    db.setDatabaseName(path);
    if (!db.open()) {
      result.error = path + QStringLiteral(": ") + db.lastError().text();
      return result;
    }
    Attempt a = Prepare(db, options);
    if (a.outcome == Outcome::Opened) a = CheckVersion(db);
    if (a.outcome == Outcome::Opened) {
      result.store = std::move(store);
      result.error.clear();
      return result;
    }
    result.error = path + QStringLiteral(": ") + a.error;
    if (a.outcome == Outcome::Failed || readOnly || round > 0) return result;
    store.reset();  // the file is closed before it is moved
    if (!KeepAside(path, result.keptAside)) {
      result.error = path + QStringLiteral(": damaged, and it cannot be moved aside");
      result.keptAside.clear();
      return result;
    }
  }
  return result;
}

bool HistoryStore::Store(const HistoryRow& row, QString& error) {
  QSqlQuery q(db_);
  QString marks = QStringLiteral("?, ?, ?");
  for (int c = 0; c < HistoryColumnCount; ++c) marks += QStringLiteral(", ?");
  q.prepare(QStringLiteral("INSERT INTO reports (%1) VALUES (%2)").arg(ColumnList(), marks));
  q.addBindValue(qlonglong(row.time));
  q.addBindValue(row.station);
  q.addBindValue(row.info);
  for (int c = 0; c < HistoryColumnCount; ++c)
    q.addBindValue(Bound(HistoryColumn(c), row.values[size_t(c)]));
  // Outside an explicit transaction SQLite makes the one statement a transaction of its own.
  if (q.exec()) return true;
  error = path_ + QStringLiteral(": ") + q.lastError().text();
  return false;
}

namespace {

QString RangeWhere(const HistoryRange& range) {
  QStringList terms;
  if (!range.station.isEmpty()) terms << QStringLiteral("station = :station");
  if (range.from) terms << QStringLiteral("time >= :from");
  if (range.to) terms << QStringLiteral("time <= :to");
  return terms.isEmpty() ? QString() : QStringLiteral(" WHERE ") + terms.join(" AND ");
}

void BindRange(QSqlQuery& q, const HistoryRange& range) {
  if (!range.station.isEmpty()) q.bindValue(QStringLiteral(":station"), range.station);
  if (range.from) q.bindValue(QStringLiteral(":from"), qlonglong(*range.from));
  if (range.to) q.bindValue(QStringLiteral(":to"), qlonglong(*range.to));
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
