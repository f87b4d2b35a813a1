// ventora-cli: Ventora's decoder on the command line, for logging a station and for tests.
#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <optional>

#include "alarm_settings_file.h"
#include "binary_stdio.h"
#include "command_line.h"
#include "decode_command.h"
#include "history_command.h"
#include "monitor_command.h"
#include "mqtt_options.h"
#include "preferences_file.h"
#include "program_language.h"
#include "summary_command.h"
#include "termination_signals.h"
#include "units_option.h"

namespace {

const char Usage[] =
    "Usage:\n"
    "  ventora-cli decode [--tnc2] [--threads N] [--locale NAME] [--alarms FILE] [--call CALL]\n"
    "                     [--units metric|imperial] [--lang it|en]\n"
    "      Decodes each line of standard input as the information text of a weather\n"
    "      report and prints one JSON object per line.\n"
    "      --tnc2         lines are whole packets, SRC>DEST[,PATH]:info, as APRS-IS and\n"
    "                     direwolf log them; only what the window would decode is decoded,\n"
    "                     each station with its own trends; objects gain \"from\"\n"
    "      --threads N    with --tnc2, decoders working at once (1 to 8; the output is the\n"
    "                     same for any number); default: one for each processor\n"
    "      --locale NAME  regional number format (C, en_US, it_IT); default: the system's\n"
    "      --alarms FILE  alarm limits and switches from FILE; default: the built-in defaults\n"
    "      --call CALL    station call shown in the tray tooltip; default: empty; with\n"
    "                     --tnc2, the one station decoded (default: every station)\n"
    "      --units U      the captions' units, metric (default) or imperial (F, mph, inHg,\n"
    "                     in); the JSON values stay metric\n"
    "      --lang L       the captions' language, it (default) or en\n"
    "  ventora-cli monitor CALL [HOST] [--port N] [--tick-ms N] [--locale NAME] [--alarms FILE]\n"
    "                      [--reconnect] [--history FILE] [--units U] [--lang L]\n"
    "                      [--silent-after MIN] [--engine-after MIN] [--on-event COMMAND]\n"
    "                      [--quiet] [--config FILE] [--mqtt HOST[:PORT]] [--mqtt-user USER]\n"
    "                      [--mqtt-password-file FILE] [--mqtt-prefix P] [--mqtt-tls]\n"
    "                      [--mqtt-ca-file FILE] [--no-discovery]\n"
    "      Connects to the AGWPE engine on HOST (default localhost, port 8000), watches CALL\n"
    "      as the window does and prints one JSON object per event (connected, frame,\n"
    "      version, ports, report, tick, error, reconnecting, closed, alert, mqtt).\n"
    "      --tick-ms sets the gate's minute.\n"
    "      --quiet        for a journal: no frame, version, ports, report or tick lines; each\n"
    "                     change of a connection (engine, MQTT) and each alert still one line\n"
    "      --config FILE  the [alerts] and [mqtt] sections of a Ventora.ini; the options\n"
    "                     given here win over the file\n"
    "      --reconnect    a connection lost or never opened is tried again as the window\n"
    "                     does (5 s, doubling to 160 s, then every 300 s), with a\n"
    "                     reconnecting event (in_ms, reason) before each wait; a first\n"
    "                     connection that fails is told with an error event and retried\n"
    "      --history FILE  also stores each decoded report in FILE, as the window does\n"
    "      Each alert the window would give is an alert event: kind (silent, heard,\n"
    "      engine-lost, engine-back, alarm, alarm-cleared), station, minutes for the first\n"
    "      three, quantity, value and limit (metric) for alarms, text (in the captions'\n"
    "      language and units).\n"
    "      --silent-after MIN  CALL sent no report for MIN minutes while the engine was\n"
    "                     connected (default 30; 0: never told)\n"
    "      --engine-after MIN  with --reconnect, the engine away for MIN minutes (default\n"
    "                     5; 0: never told)\n"
    "      --on-event COMMAND  runs COMMAND for each alert, without a shell (words split\n"
    "                     at blanks, double quotes keep one together), with VENTORA_EVENT,\n"
    "                     VENTORA_STATION, VENTORA_TIME, VENTORA_TEXT, VENTORA_QUANTITY,\n"
    "                     VENTORA_VALUE, VENTORA_LIMIT and VENTORA_MINUTES in its\n"
    "                     environment; one run at\n"
    "                     a time, each killed after 30 s; a failure is said on stderr\n"
    "      --mqtt HOST[:PORT]  publishes the station on the MQTT broker at HOST (port 1883,\n"
    "                     8883 with --mqtt-tls): each report's state, the alarms, the\n"
    "                     alerts, online/offline, and Home Assistant's discovery; each\n"
    "                     change of the connection is an mqtt event (state: connecting,\n"
    "                     connected, refused, unknown-host, unreachable, tls-failed, off;\n"
    "                     host, port, text). SIGTERM or Ctrl+C says offline first\n"
    "      --mqtt-user USER, --mqtt-password-file FILE  the broker's account; the password\n"
    "                     is the first line of FILE, never given on the command line\n"
    "      --mqtt-prefix P  the topics' prefix, P/CALL/... (default ventora)\n"
    "      --mqtt-tls, --mqtt-ca-file FILE  TLS, the server checked against FILE (default:\n"
    "                     the system's authorities); not in the Windows build\n"
    "      --no-discovery  no Home Assistant discovery configurations\n"
    "  ventora-cli history [--file FILE] [--station CALL] [--from TIME] [--to TIME]\n"
    "                      [--format csv|jsonl] [--stations]\n"
    "      Prints the reports stored in the history file, oldest first (default FILE: the\n"
    "      window's WxHistory.sqlite for this user). TIME is ISO 8601, local time unless it\n"
    "      ends in Z (2026-12-09T10:00:00Z). --stations lists each station with its count\n"
    "      and its first and last time.\n"
    "      Exit 1 when the station is not in the file; an empty export is said on stderr.\n"
    "  ventora-cli summary --station CALL (--day YYYY-MM-DD | --month YYYY-MM | --year YYYY |\n"
    "                      --records) [--file FILE] [--format json|text|noaa]\n"
    "                      [--units metric|imperial]\n"
    "      Summarises the station's reports in the history file (default FILE as for\n"
    "      history) over local calendar days of the computer's time zone (TZ honoured):\n"
    "      a day, a month day by day, a year month by month with their highs and lows and\n"
    "      their times, rain and gusts, or the records of today, yesterday, this month,\n"
    "      this year and all time. JSON (the default) keeps the stored numbers unrounded,\n"
    "      in the units asked; text is for reading; noaa, for --month and --year, is the\n"
    "      NOAA-style climatological summary. Exit 2 when the station is not in the file.\n"
    "  ventora-cli --help\n";

// Asked for help anywhere on the line: the usage, whatever else the line holds.
bool AsksForHelp(const QStringList& args) {
  return args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"));
}

// --units and --lang, which decode and monitor share: nothing when `arg` is neither, else what
// is wrong with its value (empty: nothing).
std::optional<QString> ParseCaptionOption(const QString& arg, const QString& value,
                                          Settings& settings, QString& language) {
  if (arg == QLatin1String("--units")) return ParseUnitsOption(value, settings.Units);
  if (arg != QLatin1String("--lang")) return std::nullopt;
  const QStringList languages = AvailableLanguages();
  if (!languages.contains(value))
    return QStringLiteral("--lang takes %1, not %2")
        .arg(languages.join(QLatin1String(" or ")), value);
  language = value;
  return QString();
}

int Fail(const QString& message) {
  std::fprintf(stderr, "ventora-cli: %s\n%s", qPrintable(message), Usage);
  return 2;
}

// Fills `options` from the words after "decode"; returns an error text or nothing.
QString ParseDecodeOptions(const QStringList& args, DecodeOptions& options) {
  ApplyDefaultAlarms(options.settings);
  options.locale = QLocale::system();
  for (int i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (arg == QLatin1String("--tnc2")) {
      options.tnc2 = true;
      continue;
    }
    if (i + 1 >= args.size()) return QStringLiteral("missing value after %1").arg(arg);
    const QString value = args[++i];
    if (const auto wrong = ParseCaptionOption(arg, value, options.settings, options.language)) {
      if (!wrong->isEmpty()) return *wrong;
    } else if (arg == QLatin1String("--locale")) {
      options.locale = QLocale(value);
    } else if (arg == QLatin1String("--threads")) {
      bool ok = false;
      options.threads = value.toInt(&ok);
      if (!ok || options.threads < 1 || options.threads > MostDecodeThreads)
        return QStringLiteral("--threads takes 1 to %1, not %2").arg(MostDecodeThreads).arg(value);
    } else if (arg == QLatin1String("--call")) {
      options.settings.StationCall = UpperCaseCall(value);
    } else if (arg == QLatin1String("--alarms")) {
      if (!ReadAlarmSettingsFile(value, options.settings))
        std::fprintf(stderr, "ventora-cli: %s unreadable, using the default alarms\n",
                     qPrintable(value));
    } else {
      return QStringLiteral("unknown option %1").arg(arg);
    }
  }
  return QString();
}

bool ReadPositive(const QString& text, qint64& value) {
  bool ok = false;
  const qint64 read = text.toLongLong(&ok);
  if (!ok || read <= 0) return false;
  value = read;
  return true;
}

// Minutes of an alert's wait: 0 turns the alert off.
bool ReadMinutes(const QString& text, int& value) {
  bool ok = false;
  const int read = text.toInt(&ok);
  if (!ok || read < 0) return false;
  value = read;
  return true;
}

// The [alerts] and [mqtt] sections of a Ventora.ini, which the command line then overrides.
QString ReadMonitorConfig(const QString& path, MonitorOptions& options) {
  if (!QFile::exists(path)) return QStringLiteral("%1: no such file").arg(path);
  const PreferencesRead read = ReadPreferencesFile(path);
  if (!read.problem.isEmpty()) return read.problem;
  const AlertPreferences& alerts = read.preferences.alerts;
  options.alertTimes.silentAfterMin = alerts.silentAfterMin;
  options.alertTimes.engineAfterMin = alerts.engineAfterMin;
  options.onEvent = alerts.command;
  options.mqtt = read.preferences.mqtt;
  return QString();
}

// The value of --config, wherever it stands among the options.
std::optional<QString> ConfigFile(const QStringList& args) {
  for (int i = 0; i + 1 < args.size(); ++i)
    if (args[i] == QLatin1String("--config")) return args[i + 1];
  return std::nullopt;
}

// The options that take no value: whether `arg` was one.
bool ParseMonitorSwitch(const QString& arg, MonitorOptions& options, MqttOverrides& mqtt) {
  if (arg == QLatin1String("--reconnect")) return options.reconnect = true;
  if (arg == QLatin1String("--quiet")) return options.quiet = true;
  return ParseMqttSwitch(arg, mqtt);
}

// Fills `options` from the words after "monitor"; returns an error text or nothing.
QString ParseMonitorOptions(const QStringList& args, MonitorOptions& options) {
  ApplyDefaultAlarms(options.settings);
  options.locale = QLocale::system();
  options.settings.AgwHost = QStringLiteral("localhost");
  options.settings.AgwPort = DefaultAgwPort;
  if (const auto config = ConfigFile(args)) {
    const QString wrong = ReadMonitorConfig(*config, options);
    if (!wrong.isEmpty()) return wrong;
  }
  MqttOverrides mqtt;
  QStringList words;
  for (int i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (!arg.startsWith(QLatin1String("--"))) {
      words << arg;
      continue;
    }
    if (ParseMonitorSwitch(arg, options, mqtt)) continue;
    if (i + 1 >= args.size()) return QStringLiteral("missing value after %1").arg(arg);
    const QString value = args[++i];
    if (const auto wrong = ParseCaptionOption(arg, value, options.settings, options.language)) {
      if (!wrong->isEmpty()) return *wrong;
      continue;
    }
    if (const auto wrong = ParseMqttOption(arg, value, mqtt)) {
      if (!wrong->isEmpty()) return *wrong;
      continue;
    }
    if (arg == QLatin1String("--config")) continue;  // read before the rest
    bool ok = true;
    if (arg == QLatin1String("--port"))
      options.settings.AgwPort = static_cast<int16_t>(value.toUShort(&ok));
    else if (arg == QLatin1String("--tick-ms"))
      options.tickMs = value.toInt(&ok);
    else if (arg == QLatin1String("--locale"))
      options.locale = QLocale(value);
    else if (arg == QLatin1String("--retry-second-ms"))  // for tests: not in the usage text
      ok = ReadPositive(value, options.retrySecondMs);
    else if (arg == QLatin1String("--alarms"))
      ReadAlarmSettingsFile(value, options.settings);
    else if (arg == QLatin1String("--history"))
      options.historyFile = value;
    else if (arg == QLatin1String("--silent-after"))
      ok = ReadMinutes(value, options.alertTimes.silentAfterMin);
    else if (arg == QLatin1String("--engine-after"))
      ok = ReadMinutes(value, options.alertTimes.engineAfterMin);
    else if (arg == QLatin1String("--minute-ms"))  // for tests: not in the usage text
      ok = ReadPositive(value, options.alertTimes.minuteMs);
    else if (arg == QLatin1String("--on-event"))
      options.onEvent = value;
    else
      return QStringLiteral("unknown option %1").arg(arg);
    if (!ok) return QStringLiteral("bad value for %1: %2").arg(arg, value);
  }
  if (words.isEmpty() || words.size() > 2) return QStringLiteral("monitor needs CALL [HOST]");
  options.settings.StationCall = UpperCaseCall(words[0]);
  if (words.size() == 2) options.settings.AgwHost = words[1];
  return ApplyMqttOverrides(mqtt, options.mqtt);
}

// Without --lang nothing is installed: the captions are in the language they are written in.
bool InstallLanguage(QCoreApplication& app, const QString& language) {
  return language.isEmpty() || InstallProgramLanguage(app, language);
}

QString CannotInstall(const QString& language) {
  return QStringLiteral("the %1 translation cannot be loaded").arg(language);
}

}  // namespace

int main(int argc, char* argv[]) {
  UseBinaryStdio();
  QCoreApplication app(argc, argv);
  const QStringList args = QCoreApplication::arguments().mid(1);
  if (args.isEmpty()) return Fail(QStringLiteral("no command given"));
  if (AsksForHelp(args)) {
    std::fputs(Usage, stdout);
    return 0;
  }
  if (args[0] == QLatin1String("decode")) {
    DecodeOptions options;
    const QString error = ParseDecodeOptions(args.mid(1), options);
    if (!error.isEmpty()) return Fail(error);
    if (!InstallLanguage(app, options.language)) return Fail(CannotInstall(options.language));
    return RunDecode(options, stdin, stdout);
  }
  if (args[0] == QLatin1String("monitor")) {
    MonitorOptions options;
    const QString error = ParseMonitorOptions(args.mid(1), options);
    if (!error.isEmpty()) return Fail(error);
    if (!InstallLanguage(app, options.language)) return Fail(CannotInstall(options.language));
    MonitorSession session(options, stdout, stderr);
    QuitOnTerminationSignals();
    session.Start();
    const int code = QCoreApplication::exec();
    session.Close();
    return code;
  }
  if (args[0] == QLatin1String("history")) {
    HistoryCommandOptions options;
    const QString error = ParseHistoryOptions(args.mid(1), options);
    if (!error.isEmpty()) return Fail(error);
    return RunHistory(options, stdout, stderr);
  }
  if (args[0] == QLatin1String("summary")) {
    SummaryCommandOptions options;
    const QString error = ParseSummaryOptions(args.mid(1), options);
    if (!error.isEmpty()) return Fail(error);
    return RunSummary(options, stdout, stderr);
  }
  return Fail(QStringLiteral("unknown command %1").arg(args[0]));
}
