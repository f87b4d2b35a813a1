#include "summary_command.h"

#include <QDateTime>
#include <QRegularExpression>
#include <QTimeZone>

#include "checked_output.h"
#include "climate_summary.h"
#include "command_line.h"
#include "history_command.h"
#include "history_file_place.h"
#include "history_store.h"
#include "noaa_report.h"
#include "summary_json.h"
#include "summary_text.h"
#include "units_option.h"
#include "weather_records.h"

namespace {

constexpr int ExitFault = 2;

// A date of the command line, in exactly this many digits: "2026-11-05", "2026-11", "2026".
QDate ParseDate(const QString& text, const char* pattern, const QString& completion) {
  if (!QRegularExpression(QLatin1String(pattern)).match(text).hasMatch()) return QDate();
  return QDate::fromString(text + completion, Qt::ISODate);
}

struct PeriodOption {
  const char* name;
  SummaryPeriod period;
  const char* pattern;
  const char* completion;  // what makes the value a whole date
  const char* shape;       // what the value must look like, for the error
};

const PeriodOption PeriodOptions[] = {
    {"--day", SummaryPeriod::Day, "^\\d{4}-\\d{2}-\\d{2}$", "", "YYYY-MM-DD"},
    {"--month", SummaryPeriod::Month, "^\\d{4}-\\d{2}$", "-01", "YYYY-MM"},
    {"--year", SummaryPeriod::Year, "^\\d{4}$", "-01-01", "YYYY"},
    {"--today", SummaryPeriod::None, "^\\d{4}-\\d{2}-\\d{2}$", "", "YYYY-MM-DD"},  // for tests
};

const PeriodOption* PeriodOptionNamed(const QString& arg) {
  for (const PeriodOption& option : PeriodOptions)
    if (arg == QLatin1String(option.name)) return &option;
  return nullptr;
}

QString SetPeriod(SummaryCommandOptions& options, SummaryPeriod period) {
  if (options.period != SummaryPeriod::None)
    return QStringLiteral("give one of --day, --month, --year and --records");
  options.period = period;
  return QString();
}

// A period option and its value: what is wrong with them (empty: nothing).
QString ParsePeriod(const PeriodOption& option, const QString& value,
                    SummaryCommandOptions& options) {
  const QDate date = ParseDate(value, option.pattern, QLatin1String(option.completion));
  if (!date.isValid())
    return QStringLiteral("%1 takes %2, not %3").arg(option.name, option.shape, value);
  if (option.period == SummaryPeriod::None) {
    options.today = date;
    return QString();
  }
  options.date = date;
  return SetPeriod(options, option.period);
}

QString ParseFormat(const QString& value, SummaryFormat& format) {
  if (value == QLatin1String("json"))
    format = SummaryFormat::Json;
  else if (value == QLatin1String("text"))
    format = SummaryFormat::Text;
  else if (value == QLatin1String("noaa"))
    format = SummaryFormat::Noaa;
  else
    return QStringLiteral("--format takes json, text or noaa, not %1").arg(value);
  return QString();
}

// What the options lack, or ask that cannot be given together.
QString Incomplete(const SummaryCommandOptions& options) {
  if (options.station.isEmpty()) return QStringLiteral("summary needs --station CALL");
  if (options.period == SummaryPeriod::None)
    return QStringLiteral("summary needs --day, --month, --year or --records");
  const bool noaaPeriod =
      options.period == SummaryPeriod::Month || options.period == SummaryPeriod::Year;
  if (options.format == SummaryFormat::Noaa && !noaaPeriod)
    return QStringLiteral("--format noaa is for --month and --year");
  return QString();
}

// The output of the period asked for, or nothing with `error` set.
std::optional<QByteArray> Summary(HistoryStore& store, const SummaryCommandOptions& o,
                                  const QTimeZone& zone, QString& error) {
  const SummaryFormat f = o.format;
  switch (o.period) {
    case SummaryPeriod::Day:
      if (const auto day = SummariseDay(store, o.station, zone, o.date, error))
        return f == SummaryFormat::Json ? DayJson(*day, o.units, zone)
                                        : DayText(o.station, *day, o.units, zone);
      break;
    case SummaryPeriod::Month:
      if (const auto m =
              SummariseMonth(store, o.station, zone, o.date.year(), o.date.month(), error))
        return f == SummaryFormat::Json   ? MonthJson(*m, o.units, zone)
               : f == SummaryFormat::Text ? MonthText(*m, o.units, zone)
                                          : NoaaMonthReport(*m, o.units, zone);
      break;
    case SummaryPeriod::Year:
      if (const auto y = SummariseYear(store, o.station, zone, o.date.year(), error))
        return f == SummaryFormat::Json   ? YearJson(*y, o.units, zone)
               : f == SummaryFormat::Text ? YearText(*y, o.units, zone)
                                          : NoaaYearReport(*y, o.units, zone);
      break;
    case SummaryPeriod::Records: {
      const QDate today =
          o.today.isValid() ? o.today : QDateTime::currentDateTimeUtc().toTimeZone(zone).date();
      if (const auto r = SummariseRecords(store, o.station, zone, today, error))
        return f == SummaryFormat::Json ? RecordsJson(*r, o.units, zone)
                                        : RecordsText(*r, o.units, zone);
      break;
    }
    case SummaryPeriod::None:
      break;
  }
  return std::nullopt;
}

int Say(std::FILE* err, const QString& message) {
  std::fprintf(err, "ventora-cli: %s\n", qPrintable(message));
  return ExitFault;
}

}  // namespace

QString ParseSummaryOptions(const QStringList& args, SummaryCommandOptions& options) {
  for (int i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    QString wrong;
    if (arg == QLatin1String("--records")) {
      wrong = SetPeriod(options, SummaryPeriod::Records);
    } else if (i + 1 >= args.size()) {
      return QStringLiteral("missing value after %1").arg(arg);
    } else if (const PeriodOption* period = PeriodOptionNamed(arg)) {
      wrong = ParsePeriod(*period, args[++i], options);
    } else if (arg == QLatin1String("--file")) {
      options.file = args[++i];
    } else if (arg == QLatin1String("--station")) {
      options.station = UpperCaseCall(args[++i]);
    } else if (arg == QLatin1String("--format")) {
      wrong = ParseFormat(args[++i], options.format);
    } else if (arg == QLatin1String("--units")) {
      wrong = ParseUnitsOption(args[++i], options.units);
    } else {
      return QStringLiteral("unknown option %1").arg(arg);
    }
    if (!wrong.isEmpty()) return wrong;
  }
  return Incomplete(options);
}

int RunSummary(const SummaryCommandOptions& options, std::FILE* out, std::FILE* err) {
  HistoryOptions reading;
  reading.access = HistoryAccess::ReadOnly;
  const QString file = options.file.isEmpty() ? DefaultHistoryFile() : options.file;
  OpenedHistory opened = OpenHistory(file, reading);
  if (!opened.store) return Say(err, opened.error);
  QString error;
  if (!HasStation(*opened.store, options.station, error))
    return Say(err, error.isEmpty()
                        ? QStringLiteral("no reports of %1 in %2").arg(options.station, file)
                        : error);
  const QTimeZone zone = QTimeZone::systemTimeZone();
  const std::optional<QByteArray> summary = Summary(*opened.store, options, zone, error);
  if (!summary) return Say(err, error);
  CheckedOutput output(out);
  (void)output.Write(std::string_view(summary->constData(), size_t(summary->size())));
  return FinishOutput(output, err);
}
