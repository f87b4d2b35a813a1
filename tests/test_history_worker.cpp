#include <QtTest>

#include "generated_weather.h"
#include "history_csv.h"
#include "history_worker.h"

namespace {

const QString Station = QStringLiteral("IW2XYZ");
constexpr int64_t Start = 1'800'000'000;
constexpr int64_t Minute = 60;

QByteArray Lines(const std::vector<HistoryRow>& rows) {
  QByteArray all;
  for (const HistoryRow& row : rows) all += CsvLine(row);
  return all;
}

std::vector<HistoryRow> ReadAll(const QString& path, const HistoryRange& range = {}) {
  QString error;
  auto store = OpenHistory(path).store;
  const auto rows = store ? store->Read(range, error) : std::nullopt;
  return rows.value_or(std::vector<HistoryRow>());
}

// A day of reports, one a minute from Start, stored straight into the file.
void FillDay(const QString& path) {
  auto store = OpenHistory(path).store;
  QVERIFY(store);
  GeneratedWeather weather;
  std::vector<HistoryRow> rows;
  for (int64_t m = 0; m < 24 * 60; ++m) rows.push_back(weather.Row(Start + m * Minute));
  QString error;
  QVERIFY2(store->StoreAll(rows, error), qPrintable(error));
}

using Series = std::vector<std::vector<std::pair<int64_t, double>>>;
Series Plain(const std::vector<std::vector<ChartPoint>>& series) {
  Series plain;
  for (const auto& line : series) {
    plain.emplace_back();
    for (const ChartPoint& p : line) plain.back().emplace_back(p.time, p.value);
  }
  return plain;
}

}  // namespace

class TestHistoryWorker : public QObject {
  Q_OBJECT
 private slots:
  void rowsAreStoredInTheOrderHandedOverEvenAtTheEnd() {
    QTemporaryDir dir;
    const QString path = dir.filePath("history.sqlite");
    GeneratedWeather weather;
    std::vector<HistoryRow> rows;
    // One second for all: only the order of storing orders them.
    for (int i = 0; i < 200; ++i) rows.push_back(weather.Row(Start));
    {
      HistoryWorker worker(path);
      QSignalSpy stored(&worker, &HistoryWorker::stored);
      for (size_t i = 0; i < rows.size() / 2; ++i) worker.Record(rows[i]);
      worker.WaitUntilDone();
      QCOMPARE(stored.size(), int(rows.size() / 2));
      for (size_t i = rows.size() / 2; i < rows.size(); ++i) worker.Record(rows[i]);
    }  // gone at once: what was handed over is stored first
    QCOMPARE(Lines(ReadAll(path)), Lines(rows));
  }

  void chartReadIsTheStoresOwn() {
    QTemporaryDir dir;
    const QString path = dir.filePath("history.sqlite");
    FillDay(path);
    const HistoryChartRequest request{
        Station, Start, Start + 86400, {HistoryColumn::TempC, HistoryColumn::GustKmh}, 300};
    HistoryWorker worker(path);
    std::optional<HistoryChart> got;
    const quint64 ticket = worker.Chart(request);
    connect(&worker, &HistoryWorker::charted, this, [&](quint64 t, const HistoryChart& chart) {
      if (t == ticket) got = chart;
    });
    worker.WaitUntilDone();
    QVERIFY(got && got->opened && got->series);
    QString error;
    const auto direct = OpenHistory(path).store->Thin(request.station, request.from, request.to,
                                                      request.columns, request.pixelColumns, error);
    QVERIFY(direct && !direct->at(0).empty());
    QVERIFY(Plain(*got->series) == Plain(*direct));
  }

  void exportWritesTheRangeWholeOrNothing() {
    QTemporaryDir dir;
    const QString path = dir.filePath("history.sqlite");
    FillDay(path);
    HistoryWorker worker(path);
    QSignalSpy exported(&worker, &HistoryWorker::exported);
    const HistoryRange range{Station, Start + 3600, Start + 7200};
    const QString csv = dir.filePath("hour.csv"), nowhere = dir.filePath("no/such/folder.csv");
    const quint64 ticket = worker.Export(range, csv, CsvCells::Raw);
    worker.Export(range, nowhere, CsvCells::Raw);
    worker.WaitUntilDone();
    QCOMPARE(exported.size(), 2);
    QCOMPARE(exported[0][0].toULongLong(), ticket);
    QVERIFY(exported[0][1].value<HistoryExport>().saved);
    QCOMPARE(exported[0][1].value<HistoryExport>().rows, int64_t(61));
    QVERIFY(!exported[1][1].value<HistoryExport>().saved);
    QFile written(csv);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const std::vector<HistoryRow> hour = ReadAll(path, range);
    QCOMPARE(hour.size(), size_t(61));
    QCOMPARE(written.readAll(), CsvHeader() + Lines(hour));
    QVERIFY(!QFileInfo::exists(nowhere));
  }
};

QTEST_GUILESS_MAIN(TestHistoryWorker)
#include "test_history_worker.moc"
