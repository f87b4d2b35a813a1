#include <QtTest>

#include "history_csv.h"

class TestHistoryCsv : public QObject {
  Q_OBJECT
 private slots:
  // Text cells a spreadsheet would take for a formula are guarded for spreadsheets only; a
  // program reading the raw CSV gets the information field exactly as it was heard.
  void textCellsAreGuardedForSpreadsheets_data() {
    QTest::addColumn<QString>("info");
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QByteArray>("forSpreadsheets");
    QTest::newRow("a position without timestamp starts with =")
        << "=4903.50N/07201.75W_220/004" << QByteArray("=4903.50N/07201.75W_220/004")
        << QByteArray("'=4903.50N/07201.75W_220/004");
    QTest::newRow("+, - and @ start formulas too")
        << "@231049z3841.68N/11959.35W_" << QByteArray("@231049z3841.68N/11959.35W_")
        << QByteArray("'@231049z3841.68N/11959.35W_");
    QTest::newRow("a minus") << "-5" << QByteArray("-5") << QByteArray("'-5");
    QTest::newRow("a plus") << "+1" << QByteArray("+1") << QByteArray("'+1");
    QTest::newRow("a plain report is left alone")
        << "_220/004t077" << QByteArray("_220/004t077") << QByteArray("_220/004t077");
    QTest::newRow("guarded and quoted: the quote goes inside")
        << "=a,\"b\"" << QByteArray("\"=a,\"\"b\"\"\"") << QByteArray("\"'=a,\"\"b\"\"\"");
  }
  void textCellsAreGuardedForSpreadsheets() {
    QFETCH(QString, info);
    QFETCH(QByteArray, raw);
    QFETCH(QByteArray, forSpreadsheets);
    HistoryRow row;
    row.time = 1796810400;
    row.station = QStringLiteral("IW2XYZ");
    row.info = info;
    row[HistoryColumn::TempC] = -5;
    const QByteArray start = "2026-12-09T10:00:00Z,IW2XYZ,";
    const QByteArray end = ",,,,-5,,,,,,,,,\n";
    QCOMPARE(CsvLine(row), start + raw + end);
    QCOMPARE(CsvLine(row, CsvCells::ForSpreadsheets), start + forSpreadsheets + end);
  }
};

QTEST_GUILESS_MAIN(TestHistoryCsv)
#include "test_history_csv.moc"
