#include "history_command.h"

#include <QDateTime>
#include <algorithm>

#include "checked_output.h"
#include "command_line.h"
#include "history_csv.h"
#include "history_file_place.h"
#include "history_store.h"
#include "json_writer.h"

namespace {

constexpr int ExitFault = 2;
constexpr int ExitUnknownStation = 1;

bool Write(CheckedOutput& out, const QByteArray& bytes) {
  return out.Write(std::string_view(bytes.constData(), size_t(bytes.size())));
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

int ListStations(HistoryStore& store, HistoryFormat format, CheckedOutput& out, std::FILE* err) {
  QString error;
  const auto stations = store.Stations(error);
  if (!stations) {
    std::fprintf(err, "ventora-cli: %s\n", qPrintable(error));
    return ExitFault;
  }
  if (format == HistoryFormat::Csv) (void)Write(out, "station,count,first,last\n");
  for (const StationSummary& s : *stations) (void)Write(out, StationLine(s, format));
  return FinishOutput(out, err);
}

// An export without rows: a known station (or every station) over an empty range is said and
// succeeds; a station the file has never heard of fails, so that a mistyped call is noticed.
int SayNothingExported(HistoryStore& store, const HistoryCommandOptions& options,
                       const QString& file, std::FILE* err) {
  if (options.station.isEmpty()) {
    std::fprintf(err, "ventora-cli: no reports in the range\n");
    return 0;
  }
  QString error;
  if (HasStation(store, options.station, error)) {
    std::fprintf(err, "ventora-cli: no reports of %s in the range\n", qPrintable(options.station));
    return 0;
  }
  if (!error.isEmpty()) {
    std::fprintf(err, "ventora-cli: %s\n", qPrintable(error));
    return ExitFault;
  }
  std::fprintf(err, "ventora-cli: no reports of %s in %s\n", qPrintable(options.station),
               qPrintable(file));
  return ExitUnknownStation;
}

// The range's rows, the CSV header before the first; how many there were, or nothing when the
// file could not be read. A failed write shows at the end, in FinishOutput.
std::optional<int64_t> ExportRows(HistoryStore& store, const HistoryCommandOptions& options,
                                  CheckedOutput& out, QString& error) {
  const bool csv = options.format == HistoryFormat::Csv;
  int64_t rows = 0;
  const bool ok = store.ForEach(
      {options.station, options.from, options.to},
      [&](const HistoryRow& row) {
        if (rows++ == 0 && csv) (void)Write(out, CsvHeader());
        (void)Write(out, csv ? CsvLine(row) : JsonLine(row));
      },
      error);
  return ok ? std::optional<int64_t>(rows) : std::nullopt;
}

}  // namespace

bool HasStation(HistoryStore& store, const QString& station, QString& error) {
  const auto stations = store.Stations(error);
  return stations && std::any_of(stations->begin(), stations->end(),
                                 [&](const StationSummary& s) { return s.station == station; });
}

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
  CheckedOutput output(out);
  if (options.stations) return ListStations(*opened.store, options.format, output, err);
  QString error;
  const std::optional<int64_t> rows = ExportRows(*opened.store, options, output, error);
  if (!rows) {
    std::fprintf(err, "ventora-cli: %s\n", qPrintable(error));
    return ExitFault;
  }
  if (*rows == 0) {
    const int said = SayNothingExported(*opened.store, options, file, err);
    if (said != 0) return said;
    if (options.format == HistoryFormat::Csv) (void)Write(output, CsvHeader());
  }
  return FinishOutput(output, err);
}
