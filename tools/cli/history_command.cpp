#include "history_command.h"

#include <QDateTime>

#include "command_line.h"
#include "history_csv.h"
#include "history_file_place.h"
#include "history_store.h"
#include "json_writer.h"

namespace {

constexpr int ExitFault = 2;

void Write(std::FILE* out, const QByteArray& bytes) {
  std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out);
}

QByteArray JsonLine(const HistoryRow& row) {
  JsonWriter json;
  json.BeginObject()
      .String("time", IsoUtc(row.time))
      .String("station", row.station)
      .String("info", row.info);
  for (int c = 0; c < HistoryColumnCount; ++c) {
    const HistoryColumn column = HistoryColumn(c);
    const JsonKey key(ColumnName(column));
    const auto& v = row.values[size_t(c)];
    if (!v)
      json.Null(key);
    else if (IsWholeNumberColumn(column))
      json.Int(key, int64_t(*v));
    else
      json.Float(key, float(*v));
  }
  return json.EndObject().Text() + '\n';
}

QByteArray StationLine(const StationSummary& s, HistoryFormat format) {
  if (format == HistoryFormat::Csv)
    return s.station.toUtf8() + ',' + QByteArray::number(qlonglong(s.count)) + ',' +
           IsoUtc(s.first).toLatin1() + ',' + IsoUtc(s.last).toLatin1() + '\n';
  return JsonWriter()
             .BeginObject()
             .String("station", s.station)
             .Int("count", s.count)
             .String("first", IsoUtc(s.first))
             .String("last", IsoUtc(s.last))
             .EndObject()
             .Text() +
         '\n';
}

int ListStations(HistoryStore& store, HistoryFormat format, std::FILE* out, std::FILE* err) {
  QString error;
  const auto stations = store.Stations(error);
  if (!stations) {
    std::fprintf(err, "ventora-cli: %s\n", qPrintable(error));
    return ExitFault;
  }
  if (format == HistoryFormat::Csv) Write(out, "station,count,first,last\n");
  for (const StationSummary& s : *stations) Write(out, StationLine(s, format));
  return 0;
}

}  // namespace

std::optional<int64_t> ParseCommandTime(const QString& text) {
  QDateTime time = QDateTime::fromString(text, Qt::ISODate);
  if (!time.isValid()) {
    const QDate day = QDate::fromString(text, Qt::ISODate);
    if (day.isValid()) time = day.startOfDay();
  }
  if (!time.isValid()) return std::nullopt;
  return time.toSecsSinceEpoch();
}

QString ParseHistoryOptions(const QStringList& args, HistoryCommandOptions& options) {
  for (int i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (arg == QLatin1String("--stations")) {
      options.stations = true;
      continue;
    }
    if (i + 1 >= args.size()) return QStringLiteral("missing value after %1").arg(arg);
    const QString value = args[++i];
    if (arg == QLatin1String("--file")) {
      options.file = value;
    } else if (arg == QLatin1String("--station")) {
      options.station = UpperCaseCall(value);
    } else if (arg == QLatin1String("--from") || arg == QLatin1String("--to")) {
      const auto time = ParseCommandTime(value);
      if (!time) return QStringLiteral("%1 takes an ISO 8601 time, not %2").arg(arg, value);
      (arg == QLatin1String("--from") ? options.from : options.to) = time;
    } else if (arg == QLatin1String("--format")) {
      if (value != QLatin1String("csv") && value != QLatin1String("jsonl"))
        return QStringLiteral("--format takes csv or jsonl, not %1").arg(value);
      options.format = value == QLatin1String("csv") ? HistoryFormat::Csv : HistoryFormat::Jsonl;
    } else {
      return QStringLiteral("unknown option %1").arg(arg);
    }
  }
  return QString();
}

int RunHistory(const HistoryCommandOptions& options, std::FILE* out, std::FILE* err) {
  HistoryOptions reading;
  reading.access = HistoryAccess::ReadOnly;
  const QString file = options.file.isEmpty() ? DefaultHistoryFile() : options.file;
  OpenedHistory opened = OpenHistory(file, reading);
  if (!opened.store) {
    std::fprintf(err, "ventora-cli: %s\n", qPrintable(opened.error));
    return ExitFault;
  }
  if (options.stations) return ListStations(*opened.store, options.format, out, err);
  if (options.format == HistoryFormat::Csv) Write(out, CsvHeader());
  QString error;
  const bool csv = options.format == HistoryFormat::Csv;
  const bool ok = opened.store->ForEach(
      {options.station, options.from, options.to},
      [&](const HistoryRow& row) { Write(out, csv ? CsvLine(row) : JsonLine(row)); }, error);
  if (ok) return 0;
  std::fprintf(err, "ventora-cli: %s\n", qPrintable(error));
  return ExitFault;
}
