#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabBar>
#include <QTableWidget>
#include <QtTest>

#include "generated_weather.h"
#include "history_window.h"
#include "noaa_report.h"
#include "table_text.h"
#include "test_support.h"
#include "window_seams_recorder.h"

namespace {

const QString Station = QStringLiteral("IW2XYZ");

struct Reading {
  QDateTime at;  // local time
  double tempC;
  std::optional<double> windKmh = {}, gustKmh = {}, windDir = {}, rainTodayMm = {}, rain1hMm = {},
                        pressureMb = {};
};

HistoryRow RowOf(const Reading& r) {
  HistoryRow row;
  row.time = r.at.toSecsSinceEpoch();
  row.station = Station;
  row.info = QStringLiteral("_");
  row[HistoryColumn::TempC] = r.tempC;
  row[HistoryColumn::WindKmh] = r.windKmh;
  row[HistoryColumn::GustKmh] = r.gustKmh;
  row[HistoryColumn::WindDir] = r.windDir;
  row[HistoryColumn::RainTodayMm] = r.rainTodayMm;
  row[HistoryColumn::Rain1hMm] = r.rain1hMm;
  row[HistoryColumn::PressureMb] = r.pressureMb;
  return row;
}

QDateTime At(int year, int month, int day, int hour, int minute = 0) {
  return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

// November 2025 with reports on the 3rd, 10th and 11th only, one July day, and two reports of
// today; the summaries below are worked out by hand from these.
const QList<Reading> Readings = {
    {At(2025, 7, 15, 15), 31.0, 12, 80, 90, 12.0, 4.2, 1005},
    {At(2025, 11, 3, 12), 25.0, 30, 60, 270, std::nullopt, std::nullopt, 1012},
    {At(2025, 11, 10, 6), 2.0, 10, 20, 180, 0.0, std::nullopt, 1010},
    {At(2025, 11, 10, 14), 12.0, 20, 45, 200, 3.0, std::nullopt, 1015},
    {At(2025, 11, 10, 20), 7.0, 0, 15, std::nullopt, 5.4, std::nullopt, 1012},
    {At(2025, 11, 11, 9), -3.5, 5, 12, 90, 0.2, std::nullopt, 1020},
    {QDateTime(QDate::currentDate(), QTime(0, 1)), 4.0, 5, 10, 90, 0.0, std::nullopt, 1013},
    {QDateTime(QDate::currentDate(), QTime(0, 2)), 6.5, 5, 10, 90, 0.0, std::nullopt, 1013},
};

// A year of GeneratedWeather up to now, a report every half hour (on the hour and the half).
// The user's regional format is Italian for the guard's lifetime.
struct ItalianNumbers {
  ItalianNumbers() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
  ~ItalianNumbers() { QLocale::setDefault(before); }
  QLocale before;
};

// A history window on a file of its own, holding `readings`, its summary shown.
struct Rig {
  QTemporaryDir dir;
  Recorder recorder;
  Settings settings;
  std::unique_ptr<HistoryWorker> history;
  std::unique_ptr<frmStorico> window;

  explicit Rig(UnitSystem units, const QList<Reading>& readings = Readings) {
    settings.StationCall = Station;
    settings.Units = units;
    {
      auto store = OpenHistory(File()).store;
      QString error;
      for (const Reading& r : readings) store->Store(RowOf(r), error);
    }
    history = std::make_unique<HistoryWorker>(File());
    window = std::make_unique<frmStorico>(*history, settings, TestSeams(recorder, dir.path()));
    window->show();
  }
  QString File() const { return dir.filePath(QStringLiteral("WxHistory.sqlite")); }
  SummaryView* Summary() const { return window->Summary(); }
  // Shows the summary of `month` and returns once it is shown.
  bool ShowMonth(int year, int month) {
    window->ShowSummary();  // read on the history's thread, the answer to come
    QSignalSpy shown(Summary(), &SummaryView::refreshed);
    Summary()->ShowMonth(year, month);
    while (shown.wait())
      if (Summary()->Year() == year && Summary()->Month() == month) return true;
    return false;
  }
  QTableWidget* Table(const char* name) const { return window->findChild<QTableWidget*>(name); }
};

QStringList RowText(const QTableWidget* table, int row) {
  QStringList cells;
  for (int c = 0; c < table->columnCount(); ++c)
    cells << (table->item(row, c) ? table->item(row, c)->text() : QString());
  return cells;
}

}  // namespace

class TestSummaryView : public QObject {
  Q_OBJECT
 private slots:
  // The values worked out by hand from Readings: in °C, mm, km/h, mb, and in °F, in, mph, inHg.
  void showsTheMonthItsTotalsAndTheRecordsInTheUsersUnits_data() {
    QTest::addColumn<int>("units");
    QTest::addColumn<QStringList>("day10");
    QTest::addColumn<QStringList>("month");
    QTest::addColumn<QString>("rainDays");
    QTest::addColumn<QStringList>("allTime");
    QTest::addColumn<QString>("todayHigh");
    QTest::addColumn<QString>("newTodayHigh");
    // Day 10: mean (2 + 12 + 7) / 3 = 7; heating 18.3 - 7 = 11.3; the direction of 10 km/h from
    // 180° plus 20 km/h from 200° is 193.4°.
    QTest::newRow("metric") << int(UnitSystem::Metric)
                            << QStringList{"10",  "7,0", "12,0", "14:00", "2,0",   "06:00", "11,3",
                                           "0,0", "5,4", "10",   "45",    "14:00", "193"}
                            << QStringList{"novembre 2025",
                                           "9,5",
                                           "25,0",
                                           "03/11/25 12:00",
                                           "-3,5",
                                           "11/11/25 09:00",
                                           "33,1",
                                           "6,7",
                                           "5,6",
                                           "",
                                           "60",
                                           "03/11/25 12:00",
                                           ""}
                            << "Giorni con almeno 0,2 mm di pioggia: 2 nel mese, 3 nell'anno"
                            << QStringList{"31,0\n15/07/25 15:00",   "-3,5\n11/11/25 09:00",
                                           "80\n15/07/25 15:00",     "12,0\n15/07/25",
                                           "4,2\n15/07/25 15:00",    "1.020,0\n11/11/25 09:00",
                                           "1.005,0\n15/07/25 15:00"}
                            << "6,5"
                            << "9,0";
    // 7 °C = 44.6 °F, heating 65 - 44.6 = 20.4; 5.4 mm = 0.213 in; 45 km/h = 27.96 mph. The
    // month: 9.5 °C = 49.1 °F, heating 20.4 + (65 - 25.7) = 59.7, cooling 77 - 65 = 12.
    QTest::newRow("imperial") << int(UnitSystem::Imperial)
                              << QStringList{"10",    "44,6",  "53,6", "14:00", "35,6",
                                             "06:00", "20,4",  "0,0",  "0,21",  "6",
                                             "28",    "14:00", "193"}
                              << QStringList{"novembre 2025",
                                             "49,1",
                                             "77,0",
                                             "03/11/25 12:00",
                                             "25,7",
                                             "11/11/25 09:00",
                                             "59,7",
                                             "12,0",
                                             "0,22",
                                             "",
                                             "37",
                                             "03/11/25 12:00",
                                             ""}
                              << "Giorni con almeno 0,01 in di pioggia: 2 nel mese, 3 nell'anno"
                              << QStringList{"87,8\n15/07/25 15:00", "25,7\n11/11/25 09:00",
                                             "50\n15/07/25 15:00",   "0,47\n15/07/25",
                                             "0,17\n15/07/25 15:00", "30,12\n11/11/25 09:00",
                                             "29,68\n15/07/25 15:00"}
                              << "43,7"
                              << "48,2";
  }
  void showsTheMonthItsTotalsAndTheRecordsInTheUsersUnits() {
    QFETCH(int, units);
    QFETCH(QStringList, day10);
    QFETCH(QStringList, month);
    QFETCH(QString, rainDays);
    QFETCH(QStringList, allTime);
    QFETCH(QString, todayHigh);
    QFETCH(QString, newTodayHigh);
    ItalianNumbers italian;
    Rig rig{UnitSystem(units)};
    auto* tabs = rig.window->findChild<QTabBar*>("tabQuantity");
    QCOMPARE(tabs->tabText(tabs->count() - 1), QStringLiteral("Riepilogo"));
    QVERIFY(rig.ShowMonth(2025, 11));
    QCOMPARE(tabs->currentIndex(), tabs->count() - 1);
    QVERIFY(rig.Summary()->isVisible());
    QVERIFY(!rig.window->findChild<QComboBox*>("cboRange")->isVisible());
    QTableWidget* days = rig.Table("tblDays");
    QCOMPARE(days->rowCount(), 30);
    QCOMPARE(RowText(days, 0), QStringList({"1", "", "", "", "", "", "", "", "", "", "", "", ""}));
    QCOMPARE(RowText(days, 9), day10);
    QCOMPARE(RowText(rig.Table("tblTotals"), 0), month);
    QCOMPARE(rig.window->findChild<QLabel*>("lblRainDays")->text(), rainDays);
    const QStringList year = RowText(rig.Table("tblTotals"), 1);
    QCOMPARE(year[0], QStringLiteral("2025"));
    QCOMPARE(year[2] + '\n' + year[3], allTime[0]);  // the year's high and low: of all time
    QCOMPARE(year[4] + '\n' + year[5], allTime[1]);
    QTableWidget* records = rig.Table("tblRecords");
    QCOMPARE(records->verticalHeaderItem(0)->text(), QStringLiteral("Oggi"));
    QCOMPARE(RowText(records, 4), allTime);
    const QString today = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
    QCOMPARE(records->item(0, 0)->text(), todayHigh + '\n' + today + " 00:02");
    QVERIFY(records->isVisible() && !records->visibleRegion().isEmpty());
    for (const QTableWidget* table : {days, rig.Table("tblTotals"), records})
      QVERIFY2(TextsCut(table).isEmpty(), qPrintable(TextsCut(table).join(" | ")));
    SaveShot(rig.window.get(), QStringLiteral("summary-%1").arg(QTest::currentDataTag()));
    // Reports stored now are in today's records soon after.
    for (int i = 0; i < 5; ++i)
      rig.history->Record(RowOf({QDateTime(QDate::currentDate(), QTime(0, 3)), 9.0 - i}));
    QTRY_COMPARE(records->item(0, 0)->text(), newTodayHigh + '\n' + today + " 00:03");
    // Units changed while the summary is shown: its headings follow its numbers.
    const bool toImperial = UnitSystem(units) == UnitSystem::Metric;
    rig.settings.Units = toImperial ? UnitSystem::Imperial : UnitSystem::Metric;
    QSignalSpy again(rig.Summary(), &SummaryView::refreshed);
    rig.Summary()->Refresh();
    QVERIFY(again.wait());
    QCOMPARE(days->horizontalHeaderItem(2)->text().endsWith(toImperial ? "°F" : "°C"), true);
    QCOMPARE(records->horizontalHeaderItem(0)->text().endsWith(toImperial ? "°F" : "°C"), true);
  }

  // A year of made-up weather: each text whole, the records box in sight.
  void aGeneratedYearReadsWhole() {
    ItalianNumbers italian;
    Rig rig{UnitSystem::Metric, {}};
    {
      auto store = OpenHistory(rig.File()).store;
      QVERIFY(store && StoreGeneratedYear(*store, QDateTime::currentSecsSinceEpoch()));
    }
    rig.window->resize(1000, 760);  // as on a screen that has the room
    QVERIFY(rig.ShowMonth(QDate::currentDate().year(), QDate::currentDate().month()));
    for (const char* name : {"tblDays", "tblTotals", "tblRecords"})
      QVERIFY2(TextsCut(rig.Table(name)).isEmpty(),
               qPrintable(TextsCut(rig.Table(name)).join(" | ")));
    QVERIFY(!rig.Table("tblRecords")->item(0, 0)->text().isEmpty());  // today's high
    SaveShot(rig.window.get(), QStringLiteral("summary-year"));
  }

  void monthAndYearAreChosen() {
    ItalianNumbers italian;
    Rig rig{UnitSystem::Metric};
    QVERIFY(rig.ShowMonth(2025, 11));
    QSignalSpy shown(rig.Summary(), &SummaryView::refreshed);
    rig.window->findChild<QComboBox*>("cboMonth")->setCurrentIndex(6);
    QVERIFY(shown.wait());
    QTableWidget* days = rig.Table("tblDays");
    QCOMPARE(days->rowCount(), 31);
    QCOMPARE(RowText(days, 14).mid(0, 4), QStringList({"15", "31,0", "31,0", "15:00"}));
    QCOMPARE(RowText(rig.Table("tblTotals"), 0)[0], QStringLiteral("luglio 2025"));
    rig.window->findChild<QSpinBox*>("spnYear")->setValue(2024);
    QVERIFY(shown.wait());
    QCOMPARE(RowText(days, 14)[1], QString());
    QCOMPARE(RowText(rig.Table("tblTotals"), 1)[0], QStringLiteral("2024"));
  }

  void exportSavesTheMonthAsNoaaTextOrCsv() {
    Rig rig{UnitSystem::Imperial};
    QVERIFY(rig.ShowMonth(2025, 11));
    auto* button = rig.window->findChild<QPushButton*>("cmdSummaryExport");
    QCOMPARE(button->text(), QStringLiteral("Esporta\u2026"));
    QVERIFY(button->isEnabled());
    const QList<QAction*> formats = button->menu()->actions();
    QCOMPARE(formats.size(), 2);
    QString error;
    auto store = OpenHistory(rig.File()).store;
    const auto month =
        SummariseMonth(*store, Station, QTimeZone::systemTimeZone(), 2025, 11, error);
    QVERIFY(month);
    QSignalSpy finished(rig.Summary(), &SummaryView::exportFinished);
    rig.recorder.saveAs = rig.dir.filePath("november.txt");
    formats[0]->trigger();
    QCOMPARE(ReadAll(rig.recorder.saveAs),
             NoaaMonthReport(*month, UnitSystem::Imperial, QTimeZone::systemTimeZone()));
    rig.recorder.saveAs = rig.dir.filePath("november.csv");
    formats[1]->trigger();
    QCOMPARE(ReadAll(rig.recorder.saveAs).count('\n'), 1 + 30);
    QCOMPARE(finished.size(), 2);
    QVERIFY(finished[0][0].toBool() && finished[1][0].toBool());
    QVERIFY(rig.recorder.messages.isEmpty());
    // A place that cannot be written: said in a message box, nothing left.
    rig.recorder.saveAs = rig.dir.filePath("no-such-folder/november.csv");
    formats[1]->trigger();
    QCOMPARE(finished.size(), 3);
    QVERIFY(!finished[2][0].toBool());
    QCOMPARE(rig.recorder.messages, QStringList("Storico meteo | Impossibile salvare " +
                                                QDir::toNativeSeparators(rig.recorder.saveAs)));
    QVERIFY(!QFileInfo::exists(rig.recorder.saveAs));
  }
};

QTEST_MAIN(TestSummaryView)
#include "test_summary_view.moc"
