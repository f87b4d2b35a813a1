// How fast one report is decoded, labels formatted included, over the real packets in tests/data.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QLocale>
#include <QStringList>

#include "fastest_run.h"
#include "report_decoder.h"
#include "windows1252.h"

namespace {

QStringList CorpusReports() {
  QStringList reports;
  for (const char* name : {"aprs-weather-cwop.txt", "aprs-weather-misc.txt"}) {
    QFile f(QStringLiteral(VENTORA_TEST_DATA "/") + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly)) continue;
    for (const QByteArray& line : f.readAll().split('\n')) {
      const int colon = line.indexOf(':');
      if (colon >= 0) reports << FromWindows1252(line.mid(colon + 1).trimmed());
    }
  }
  return reports;
}

// The window and ventora-cli make the locale's number rules and the words once; the QLocale form
// makes them for every report.
void DecodeCorpus(benchmark::State& bench, const char* localeName, bool formatMadeOnce,
                  UnitSystem units = UnitSystem::Metric) {
  const QStringList reports = CorpusReports();
  Settings settings;
  ApplyDefaultAlarms(settings);
  settings.StationCall = QStringLiteral("IW2XYZ");
  settings.Units = units;
  const QLocale locale(QString::fromLatin1(localeName));
  const CaptionFormat fmt(locale);
  ReportState state;
  qsizetype i = 0;
  for (auto _ : bench) {
    ReportOutcome out = formatMadeOnce
                            ? DecodeWeatherReport(QStringView(reports[i]), settings, state, fmt)
                            : DecodeWeatherReport(reports[i], settings, state, locale);
    state = std::move(out.after);
    benchmark::DoNotOptimize(out);
    if (++i == reports.size()) i = 0;
  }
  bench.SetItemsProcessed(bench.iterations());
}

}  // namespace

BENCHMARK_CAPTURE(DecodeCorpus, C, "C", false)->ComputeStatistics("min", FastestRun);
BENCHMARK_CAPTURE(DecodeCorpus, it_IT, "it_IT", false)->ComputeStatistics("min", FastestRun);
BENCHMARK_CAPTURE(DecodeCorpus, C_format_made_once, "C", true)
    ->ComputeStatistics("min", FastestRun);
BENCHMARK_CAPTURE(DecodeCorpus, it_IT_format_made_once, "it_IT", true)
    ->ComputeStatistics("min", FastestRun);
BENCHMARK_CAPTURE(DecodeCorpus, it_IT_imperial_format_made_once, "it_IT", true,
                  UnitSystem::Imperial)
    ->ComputeStatistics("min", FastestRun);

BENCHMARK_MAIN();
