#include <QComboBox>
#include <QFileSystemModel>
#include <QMenu>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabBar>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QXYSeries>
#include <QtTest>

#include "generated_weather.h"
#include "history_file_place.h"
#include "main_window.h"
#include "save_file_dialog.h"
#include "test_support.h"
#include "window_seams_recorder.h"

namespace {

const QString Station = QStringLiteral("IW2XYZ");

// A monitored frame of the station carrying `info`, as the engine hands it over.
AgwFrame StationFrame(const QString& info) {
  const QByteArray text = " 1:Fm IW2XYZ To APRS <UI pid=F0 Len=" + QByteArray::number(info.size()) +
                          " >[12:00:00]\r" + info.toLatin1() + "\r";
  return AgwFrame{QChar('U'), Station, text + '\0'};
}

// A started window on a folder of its own; no engine: frames are handed to it.
struct Rig {
  QTemporaryDir dir;
  Recorder recorder;
  Settings settings;
  std::unique_ptr<frmWx> window;

  explicit Rig(const WindowSeams* seams = nullptr) {
    window = std::make_unique<frmWx>(settings, seams ? *seams : TestSeams(recorder, dir.path()));
    window->Form_Load(QStringLiteral("iw2xyz"));
    window->Winsock1().Close();
    window->show();
  }
  QString File() const { return dir.filePath(HistoryFileName); }
  QList<HistoryRow> Rows() {
    OpenedHistory opened = OpenHistory(File());
    QString error;
    const auto rows = opened.store ? opened.store->Read({}, error) : std::nullopt;
    return rows ? QList<HistoryRow>(rows->begin(), rows->end()) : QList<HistoryRow>();
  }
  frmStorico* History() { return window->HistoryWindow(); }
  // Shows `span` and returns once it is drawn (the file is read on the history's thread).
  frmStorico* ShowSpan(HistorySpan span) {
    frmStorico* w = History();
    QSignalSpy drawn(w, &frmStorico::refreshed);
    w->ShowSpan(span);
    w->Refresh();  // a span already shown is read again too: one answer is awaited either way
    return drawn.wait() ? w : nullptr;
  }
};

// Reports of the last `minutes`, one a minute up to now, written as the window writes them;
// none from `silentFrom` to `silentTo` minutes ago, while the engine was stopped.
void FillHistory(const QString& path, int minutes, int silentFrom = 0, int silentTo = 0) {
  auto store = OpenHistory(path).store;
  QVERIFY(store);
  GeneratedWeather weather;
  const int64_t now = QDateTime::currentSecsSinceEpoch();
  std::vector<HistoryRow> rows;
  for (int m = minutes; m > 0; --m)
    if (m > silentFrom || m <= silentTo) rows.push_back(weather.Row(now - m * 60));
  QString error;
  QVERIFY2(store->StoreAll(rows, error), qPrintable(error));
}

// The longest step, in seconds, between neighbouring points of any line drawn.
int64_t LongestDrawnStep(frmStorico* w) {
  int64_t longest = 0;
  for (QAbstractSeries* s : w->Chart()->series()) {
    auto* line = qobject_cast<QLineSeries*>(s);
    for (qsizetype i = 1; line && i < line->count(); ++i)
      longest = std::max(longest, int64_t(line->at(i).x() - line->at(i - 1).x()) / 1000);
  }
  return longest;
}

// The user's regional format is Italian for the guard's lifetime.
struct ItalianNumbers {
  ItalianNumbers() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
  ~ItalianNumbers() { QLocale::setDefault(before); }
  QLocale before;
};

QXYSeries* Line(frmStorico* w, int i) {
  return static_cast<QXYSeries*>(w->Chart()->series()[i]);
}

// The label's text is shown whole: it fits the label's width on one line or wraps.
bool TextFits(const QLabel* label) {
  const QRect need =
      label->fontMetrics().boundingRect(label->contentsRect(), Qt::TextWordWrap, label->text());
  return need.width() <= label->contentsRect().width() &&
         need.height() <= label->contentsRect().height();
}

constexpr char ReaderOption[] = "--reader";

// Another program reading the history, as `sqlite3 WxHistory.sqlite 'SELECT ...'` does: an
// ordinary connection, closed at the end; prints each row's information field.
int RunReader(const QString& path) {
  OpenedHistory opened = OpenHistory(path);
  QString error;
  const auto rows = opened.store ? opened.store->Read({}, error) : std::nullopt;
  if (!rows) return 3;
  for (const HistoryRow& row : *rows) std::printf("%s\n", qPrintable(row.info));
  return 0;
}

// What another program reads; nothing where no program can be started (qemu-user refuses
// Qt's way of starting one).
std::optional<QByteArray> ReadInAnotherProcess(const QString& path) {
  QProcess reader;
  reader.start(QCoreApplication::applicationFilePath(), {ReaderOption, path});
  if (!reader.waitForStarted()) return std::nullopt;
  if (!reader.waitForFinished(60'000) || reader.exitCode() != 0) return QByteArray("failed");
  return reader.readAllStandardOutput().replace("\r\n", "\n");  // Windows ends its lines so
}

struct AxisTick {
  QDateTime at;  // local time
  QString label;
};

// Where the time axis puts its labels, and what they say.
QList<AxisTick> TimeTicks(frmStorico* w) {
  QList<AxisTick> ticks;
  QAbstractAxis* axis = w->Chart()->axes(Qt::Horizontal)[0];
  if (auto* labelled = qobject_cast<QCategoryAxis*>(axis))
    for (const QString& label : labelled->categoriesLabels())
      ticks.append({QDateTime::fromMSecsSinceEpoch(qint64(labelled->endValue(label))), label});
  return ticks;
}

}  // namespace

class TestHistoryWindow : public QObject {
  Q_OBJECT
 private slots:
  void storesExactlyTheReportsItShows() {
    Rig rig;
    const QString first = QStringLiteral("_220/004g005t077r000p000P000h50b09900wRSW");
    const QString inGate = QStringLiteral("_100/010g020t060r000p000P000h40b10100wRSW");
    const QString afterTick = QStringLiteral("_.../...g...t050h60b10200");
    rig.window->HandleAgwFrame(StationFrame(first));
    rig.window->HandleAgwFrame(StationFrame(inGate));  // the gate is shut: not shown
    TickMinute(rig.window.get());
    rig.window->HandleAgwFrame(StationFrame(afterTick));
    rig.window->History().WaitUntilDone();
    const QList<HistoryRow> rows = rig.Rows();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0].info, first);
    QCOMPARE(rows[1].info, afterTick);
    QCOMPARE(rows[0].station, Station);
    QCOMPARE(rows[0][HistoryColumn::TempC], std::optional<double>(25));
    QVERIFY(!rows[1][HistoryColumn::WindDir]);
    QCOMPARE(rows[1][HistoryColumn::PressureMb], std::optional<double>(1020));
    QVERIFY(qAbs(rows[1].time - QDateTime::currentSecsSinceEpoch()) < 60);
    QVERIFY(rig.recorder.messages.isEmpty());
  }

  void unusableHistoryIsSaidOnceAndTheWindowGoesOn() {
    QTemporaryDir dir;
    Recorder r;
    WindowSeams seams = TestSeams(r, UnwritableFolder(dir.path(), QStringLiteral("program")));
    seams.userDataFolder = UnwritableFolder(dir.path(), QStringLiteral("data"));
    Rig rig(&seams);
    for (int i = 0; i < 3; ++i) {
      rig.window->HandleAgwFrame(StationFrame(QStringLiteral("_220/004t0%1h50b10132").arg(60 + i)));
      TickMinute(rig.window.get());
    }
    rig.window->History().WaitUntilDone();
    const QStringList said = r.messages.filter(QStringLiteral("Storico meteo | "));
    QCOMPARE(said.size(), 1);
    QVERIFY2(said[0].startsWith("Storico meteo | Lo storico"), qPrintable(said[0]));
    QVERIFY(said[0].contains("continua senza registrare"));
    QCOMPARE(rig.window->findChild<QLabel*>("lblTemp")->text(), QStringLiteral("16.7\u00B0C"));
  }

  // The save dialog lists the history's folder without opening the history's files: a close()
  // outside SQLite drops the window's locks on the file, and the next program that reads it
  // believes it is the last one, folds the write-ahead log in and deletes it under the window.
  void saveDialogLeavesTheHistoryReachable_data() {
    QTest::addColumn<bool>("startedThere");
    QTest::newRow("the export suggested in the history's folder") << false;
    QTest::newRow("a bare name, the program started in the history's folder") << true;
  }
  void saveDialogLeavesTheHistoryReachable() {
    QFETCH(bool, startedThere);
    Rig rig;
    const QString startedIn = QDir::currentPath();
    auto goBack = qScopeGuard([&] { QDir::setCurrent(startedIn); });
    if (startedThere) QVERIFY(QDir::setCurrent(rig.dir.path()));
    const QString before = QStringLiteral("_220/004g005t077r000p000P000h50b09900");
    const QString after = QStringLiteral("_100/010g020t060r000p000P000h40b10100");
    rig.window->HandleAgwFrame(StationFrame(before));
    rig.window->History().WaitUntilDone();
    QVERIFY(QFileInfo::exists(rig.File() + "-wal") && QFileInfo::exists(rig.File() + "-shm"));
    {
      std::unique_ptr<QFileDialog> dialog(
          NewSaveFileDialog(rig.window.get(), "Esporta CSV",
                            startedThere ? "export.csv" : rig.dir.filePath("export.csv")));
      dialog->show();
      auto* listed = dialog->findChild<QFileSystemModel*>();
      QVERIFY(listed);
      // Each of the history's files has been looked at as the dialog looks at files.
      for (const char* suffix : {"", "-wal", "-shm"})
        QTRY_VERIFY(!listed->type(listed->index(rig.File() + suffix)).isEmpty());
      dialog->reject();
    }
    const auto first = ReadInAnotherProcess(rig.File());
    if (!first) QSKIP("no other program can be started here");
    QCOMPARE(*first, before.toLatin1() + '\n');
    TickMinute(rig.window.get());
    rig.window->HandleAgwFrame(StationFrame(after));
    rig.window->History().WaitUntilDone();
    QVERIFY(rig.recorder.messages.isEmpty());
    QCOMPARE(ReadInAnotherProcess(rig.File()).value_or(""),
             (before + '\n' + after + '\n').toLatin1());
  }

  void damagedFileIsSetAsideAndSaid() {
    Rig rig;
    {
      QFile junk(rig.File());
      QVERIFY(junk.open(QIODevice::WriteOnly));
      junk.write("this is no database");
    }
    rig.window->HandleAgwFrame(StationFrame(QStringLiteral("_220/004t077h50b10132")));
    rig.window->History().WaitUntilDone();
    QCOMPARE(rig.recorder.messages.size(), 1);
    QVERIFY(rig.recorder.messages[0].contains("WxHistory.sqlite.bad"));
    QVERIFY(QFileInfo::exists(rig.File() + ".bad"));
    QCOMPARE(rig.Rows().size(), 1);
  }

  void doubleClickOpensTheValuesChart_data() {
    QTest::addColumn<QString>("widget");
    QTest::addColumn<int>("quantity");
    QTest::newRow("temperature") << "lblTemp" << int(HistoryQuantity::Temperature);
    QTest::newRow("its trend picture") << "picVar_0" << int(HistoryQuantity::Temperature);
    QTest::newRow("humidity") << "lblUR" << int(HistoryQuantity::Humidity);
    QTest::newRow("humidity's trend") << "picVar_1" << int(HistoryQuantity::Humidity);
    QTest::newRow("pressure") << "lblPress" << int(HistoryQuantity::Pressure);
    QTest::newRow("pressure's trend") << "picVar_2" << int(HistoryQuantity::Pressure);
    QTest::newRow("rain") << "lblRain" << int(HistoryQuantity::Rain);
    QTest::newRow("the compass: wind") << "picWx" << int(HistoryQuantity::Wind);
  }
  void doubleClickOpensTheValuesChart() {
    QFETCH(QString, widget);
    QFETCH(int, quantity);
    Rig rig;
    QWidget* target = rig.window->findChild<QWidget*>(widget);
    QVERIFY(target);
    QVERIFY(target->toolTip().contains("Doppio clic per lo storico"));
    QTest::mouseDClick(target, Qt::RightButton);
    QVERIFY(!rig.History());
    QTest::mouseDClick(target, Qt::LeftButton);
    frmStorico* history = rig.History();
    QVERIFY(history && history->isVisible());
    QCOMPARE(int(history->Quantity()), quantity);
    QCOMPARE(history->windowTitle(), QStringLiteral("Storico meteo IW2XYZ"));
    QVERIFY(!history->isModal());
    QCOMPARE(history->findChild<QTabBar*>("tabQuantity")->currentIndex(), quantity);
    // One window: another value shows its chart in the same one.
    QTest::mouseDClick(rig.window->findChild<QWidget*>("lblPress"), Qt::LeftButton);
    QCOMPARE(rig.History(), history);
    QCOMPARE(history->Quantity(), HistoryQuantity::Pressure);
  }

  void trayMenuRestoresOpensTheHistoryAndEnds() {
    Rig rig;
    QMenu* menu = rig.window->cSysTray1().contextMenu();
    QVERIFY(menu);
    QStringList texts;
    for (QAction* a : menu->actions()) texts << a->text();
    QCOMPARE(texts, (QStringList{"Ripristina", "Storico", "Preferenze\u2026", "Esci"}));
    rig.window->hide();
    emit rig.window->cSysTray1().activated(QSystemTrayIcon::Context);  // the menu, nothing more
    QVERIFY(!rig.window->isVisible());
    menu->actions()[0]->trigger();
    QVERIFY(rig.window->isVisible());
    emit rig.window->cSysTray1().activated(QSystemTrayIcon::Trigger);  // a left click restores
    QVERIFY(rig.window->isVisible());
    menu->actions()[1]->trigger();
    QVERIFY(rig.History() && rig.History()->isVisible());
    QPointer<frmStorico> history = rig.History();
    QSignalSpy closed(rig.window.get(), &frmWx::closed);
    rig.window->hide();  // in the tray
    menu->actions().last()->trigger();
    QCOMPARE(closed.size(), 1);
    QTRY_VERIFY(!history);  // the history window went with it
  }

  void noDataYetIsSaid() {
    Rig rig;
    rig.window->OpenHistoryWindow(HistoryQuantity::Temperature);
    auto* note = rig.History()->findChild<QLabel*>("lblNoData");
    QTRY_COMPARE(note->text(), QStringLiteral("Nessun dato registrato per IW2XYZ"));
    QVERIFY(note->isVisible());
    QVERIFY(TextFits(note));
    QVERIFY(!rig.History()->findChild<QChartView*>("chartView")->isVisible());
    SaveShot(rig.History(), "history-no-data");
  }

  void chartsTheRangeAndFollowsNewReports() {
    ItalianNumbers italian;
    Rig rig;
    FillHistory(rig.File(), 3 * 24 * 60);
    rig.window->OpenHistoryWindow(HistoryQuantity::Temperature);
    frmStorico* w = rig.History();
    QTRY_VERIFY(!w->findChild<QLabel*>("lblNoData")->isVisible());
    QVERIFY(w->findChild<QChartView*>("chartView")->isVisible());
    // 24 hours: 1440 reports, at most two points a pixel column.
    const int points = int(Line(w, 0)->count());
    QVERIFY2(points > 100 && points <= 2 * w->width(), qPrintable(QString::number(points)));
    auto* time = static_cast<QCategoryAxis*>(w->Chart()->axes(Qt::Horizontal)[0]);
    QVERIFY(qAbs(time->max() - time->min() - 86400e3) < 5e3);
    QCOMPARE(TimeTicks(w)[0].label, TimeTicks(w)[0].at.toString("HH:mm"));
    // The values' labels in the user's (Italian) format, one decimal for temperatures.
    for (QAbstractAxis* axis : w->Chart()->axes(Qt::Vertical)) {
      const QStringList labels = qobject_cast<QCategoryAxis*>(axis)->categoriesLabels();
      QVERIFY(labels.size() >= 3);
      for (const QString& label : labels)
        QVERIFY2(QRegularExpression("^-?\\d+,\\d$").match(label).hasMatch(), qPrintable(label));
    }
    SaveShot(w, "history-24h");
    // A new report is drawn at once, at its own reading.
    rig.window->HandleAgwFrame(StationFrame(QStringLiteral("_220/004g005t113h50b10132")));
    QTRY_COMPARE(Line(w, 0)->at(Line(w, 0)->count() - 1).y(), 45.0);
    // The range chooser: a week, the same reports thinned again.
    w->findChild<QComboBox*>("cboRange")->setCurrentIndex(1);
    QCOMPARE(w->Span(), HistorySpan::Week);
    QTRY_VERIFY(qAbs(time->max() - time->min() - 7 * 86400e3) < 5e3);
    QVERIFY(Line(w, 0)->count() <= 2 * w->width());
    w->findChild<QTabBar*>("tabQuantity")->setCurrentIndex(int(HistoryQuantity::Wind));
    QCOMPARE(w->Chart()->series().size(), 3);  // mean, gust and direction
    QTRY_VERIFY(Line(w, 2)->count() > 0);
  }

  // No line is drawn where no reading exists: an outage leaves a hole in each view.
  void linesBreakAcrossOutages_data() {
    QTest::addColumn<int>("span");
    QTest::addColumn<int>("quantity");
    QTest::addColumn<int>("silentFrom");
    QTest::addColumn<int>("silentTo");
    QTest::newRow("24 hours, the engine stopped for 3 hours")
        << int(HistorySpan::Day) << int(HistoryQuantity::Temperature) << 10 * 60 << 7 * 60;
    QTest::newRow("7 days, three days without reports")
        << int(HistorySpan::Week) << int(HistoryQuantity::Wind) << 5 * 24 * 60 << 2 * 24 * 60;
    QTest::newRow("30 days, from the hourly summary")
        << int(HistorySpan::Month) << int(HistoryQuantity::Pressure) << 20 * 24 * 60
        << 12 * 24 * 60;
  }
  void linesBreakAcrossOutages() {
    QFETCH(int, span);
    QFETCH(int, quantity);
    QFETCH(int, silentFrom);
    QFETCH(int, silentTo);
    Rig rig;
    FillHistory(rig.File(), silentFrom + 24 * 60, silentFrom, silentTo);
    rig.window->OpenHistoryWindow(HistoryQuantity(quantity));
    frmStorico* w = rig.ShowSpan(HistorySpan(span));
    QVERIFY(w);
    const int64_t silence = int64_t(silentFrom - silentTo) * 60;
    QVERIFY2(LongestDrawnStep(w) < silence / 2, qPrintable(QString::number(LongestDrawnStep(w))));
    // Both sides of the hole are drawn, in the colour of their line.
    const QColor first = QColor::fromRgb(ChartOf(HistoryQuantity(quantity)).lines[0].rgb);
    int drawn = 0;
    for (QAbstractSeries* s : w->Chart()->series())
      if (auto* line = qobject_cast<QLineSeries*>(s); line && line->count() > 0)
        drawn += line->color() == first;
    QVERIFY(drawn >= 2);
    // The legend names each line once, however many pieces it is drawn in.
    QCoreApplication::processEvents();  // the legend lays its markers out on the next turn
    QStringList named;
    for (QLegendMarker* marker : w->Chart()->legend()->markers())
      if (marker->isVisible()) named << marker->label();
    QCOMPARE(named.size(), int(ChartOf(HistoryQuantity(quantity)).lines.size()));
    SaveShot(w, QStringLiteral("history-outage-%1").arg(span));
  }

  // The time axis is labelled at the local boundaries its labels name: whole hours for a day,
  // each midnight for a week (every day named once), midnights for a month, the first of each
  // month for a year.
  void timeAxisIsLabelledAtLocalBoundaries_data() {
    QTest::addColumn<int>("span");
    QTest::addColumn<QString>("format");
    QTest::newRow("24 hours: every 4 hours") << int(HistorySpan::Day) << "HH:mm";
    QTest::newRow("7 days: each midnight") << int(HistorySpan::Week) << "ddd d";
    QTest::newRow("30 days: midnights") << int(HistorySpan::Month) << "d MMM";
    QTest::newRow("a year: the first of each month") << int(HistorySpan::Year) << "MMM yyyy";
  }
  void timeAxisIsLabelledAtLocalBoundaries() {
    QFETCH(int, span);
    QFETCH(QString, format);
    Rig rig;
    FillHistory(rig.File(), 60);
    rig.window->OpenHistoryWindow(HistoryQuantity::Temperature);
    frmStorico* w = rig.ShowSpan(HistorySpan(span));
    QVERIFY(w);
    const QList<AxisTick> ticks = TimeTicks(w);
    QVERIFY(ticks.size() >= 4);
    const auto [from, to] = w->Range();
    for (qsizetype i = 0; i < ticks.size(); ++i) {
      const QDateTime& at = ticks[i].at;
      const QString said = at.toString(Qt::ISODate);
      QVERIFY2(at.toSecsSinceEpoch() >= from && at.toSecsSinceEpoch() <= to, qPrintable(said));
      QCOMPARE(ticks[i].label, QLocale().toString(at, format));
      QVERIFY2(at.time().minute() == 0 && at.time().second() == 0, qPrintable(said));
      if (HistorySpan(span) == HistorySpan::Day) {
        QVERIFY2(at.time().hour() % 4 == 0, qPrintable(said));
        continue;
      }
      QVERIFY2(at.time() == QTime(0, 0), qPrintable(said));
      if (HistorySpan(span) == HistorySpan::Year) QVERIFY2(at.date().day() == 1, qPrintable(said));
      if (HistorySpan(span) == HistorySpan::Week && i > 0)
        QCOMPARE(ticks[i - 1].at.date().addDays(1), at.date());
    }
    if (HistorySpan(span) == HistorySpan::Week) SaveShot(w, "history-7d-ticks");
  }

  void thirtyDaysForTheScreenshot() {
    ItalianNumbers italian;
    Rig rig;
    FillHistory(rig.File(), 30 * 24 * 60);
    rig.window->OpenHistoryWindow(HistoryQuantity::Pressure);
    rig.History()->ShowSpan(HistorySpan::Month);
    QTRY_VERIFY(Line(rig.History(), 0)->count() > 0);
    SaveShot(rig.History(), "history-30d-pressure");
    rig.History()->ShowQuantity(HistoryQuantity::Temperature);
    QTRY_VERIFY(Line(rig.History(), 0)->count() > 0);
    SaveShot(rig.History(), "history-30d");
    rig.History()->ShowQuantity(HistoryQuantity::Wind);
    QTRY_VERIFY(Line(rig.History(), 2)->count() > 0);
    SaveShot(rig.History(), "history-30d-wind");
  }

  void hoverSaysTimeAndValueInTheUsersFormat() {
    std::optional<ItalianNumbers> italian(std::in_place);
    Rig rig;
    FillHistory(rig.File(), 60);
    rig.window->OpenHistoryWindow(HistoryQuantity::Temperature);
    frmStorico* w = rig.History();
    const QDateTime at(QDate(2026, 12, 9), QTime(10, 5));
    emit Line(w, 0)->hovered(QPointF(double(at.toMSecsSinceEpoch()), 12.34), true);
    const QString said = w->findChild<QLabel*>("lblPoint")->text();
    italian.reset();
    QCOMPARE(said, QStringLiteral("09/12/26 10:05  Temperatura: 12,3 \u00B0C"));
  }

  // Set to imperial units, each chart shows its values, its axis and what a point says in its
  // imperial unit. The newest report (_220/004g005t113r010h50b10132) is worked out by hand
  // from the published factors, as in the decoder's tests.
  void imperialUnitsOnTheChart_data() {
    QTest::addColumn<int>("quantity");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("newest");
    QTest::newRow("temperature: 45 C")
        << int(HistoryQuantity::Temperature) << "\u00B0F" << 1 << 113.0;
    QTest::newRow("pressure: 1013.2 / 33.8639")
        << int(HistoryQuantity::Pressure) << "inHg" << 2 << 29.9198;
    QTest::newRow("wind: 6.43739 km/h / 1.609344")
        << int(HistoryQuantity::Wind) << "mph" << 0 << 4.0000;
    QTest::newRow("rain: 2.54003 mm / 25.4") << int(HistoryQuantity::Rain) << "in" << 2 << 0.1000;
    QTest::newRow("humidity stays in %") << int(HistoryQuantity::Humidity) << "%" << 0 << 50.0;
  }
  void imperialUnitsOnTheChart() {
    QFETCH(int, quantity);
    QFETCH(QString, unit);
    QFETCH(int, decimals);
    QFETCH(double, newest);
    ItalianNumbers italian;
    Rig rig;
    rig.settings.Units = UnitSystem::Imperial;
    FillHistory(rig.File(), 60);
    rig.window->OpenHistoryWindow(HistoryQuantity(quantity));
    frmStorico* w = rig.History();
    rig.window->HandleAgwFrame(StationFrame(QStringLiteral("_220/004g005t113r010h50b10132")));
    const auto last = [w] {
      return Line(w, 0)->count() ? Line(w, 0)->at(Line(w, 0)->count() - 1) : QPointF();
    };
    QTRY_VERIFY2(qAbs(last().y() - newest) < 1e-4, qPrintable(QString::number(last().y())));
    QCategoryAxis* left = nullptr;
    for (QAbstractAxis* axis : w->Chart()->axes(Qt::Vertical))
      if (axis->alignment() == Qt::AlignLeft) left = qobject_cast<QCategoryAxis*>(axis);
    QVERIFY(left);
    QCOMPARE(left->titleText(), unit);
    const QRegularExpression number(decimals ? QStringLiteral("^-?\\d+,\\d{%1}$").arg(decimals)
                                             : QStringLiteral("^-?\\d+$"));
    for (const QString& label : left->categoriesLabels())
      QVERIFY2(number.match(label).hasMatch(), qPrintable(label));
    const QString said =
        w->PointText(ChartOf(HistoryQuantity(quantity)).lines[0], last().x(), last().y());
    QVERIFY2(said.endsWith(QLocale().toString(newest, 'f', decimals) + u' ' + unit),
             qPrintable(said));
    SaveShot(w, QStringLiteral("history-imperial-%1").arg(quantity));
  }

  void exportSavesTheRangeShown() {
    Rig rig;
    FillHistory(rig.File(), 2 * 24 * 60);
    HistoryRow position;  // a position report: its text starts like a spreadsheet formula
    position.time = QDateTime::currentSecsSinceEpoch() - 1;
    position.station = Station;
    position.info = QStringLiteral("=4903.50N/07201.75W_220/004g005t077");
    QString stored;
    QVERIFY(OpenHistory(rig.File()).store->Store(position, stored));
    rig.window->OpenHistoryWindow(HistoryQuantity::Humidity);
    rig.recorder.saveAs = rig.dir.filePath("export.csv");
    const auto before = rig.History()->Range();
    auto* button = rig.History()->findChild<QPushButton*>("cmdExport");
    QSignalSpy finished(rig.History(), &frmStorico::exportFinished);
    QTest::mouseClick(button, Qt::LeftButton);
    const auto after = rig.History()->Range();
    QVERIFY(!button->isEnabled());  // under way: not asked twice
    QVERIFY(finished.wait());
    QCOMPARE(finished[0][0].toBool(), true);
    QFile csv(rig.recorder.saveAs);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = csv.readAll().split('\n');
    QVERIFY(lines[0].startsWith("time,station,info,wind_dir,"));
    // The range was taken during the click: the rows of every range it may have been.
    QString error;
    auto store = OpenHistory(rig.File()).store;
    const auto least = store->Read({Station, after.first, before.second}, error);
    const auto most = store->Read({Station, before.first, after.second}, error);
    QVERIFY(least && most && least->size() >= 24 * 60 - 2);
    const int reports = int(lines.size()) - 2;  // the header and the last line's end
    QVERIFY2(reports >= int(least->size()) && reports <= int(most->size()),
             qPrintable(QString::number(reports)));
    QVERIFY(lines[1].contains(",IW2XYZ,_"));
    QVERIFY2(lines[lines.size() - 2].contains(",IW2XYZ,'=4903.50N/"), lines[lines.size() - 2]);
    QVERIFY(button->isEnabled());
    QCOMPARE(button->text(), QStringLiteral("Esporta CSV\u2026"));
    QVERIFY(rig.recorder.messages.isEmpty());
    // Given up: nothing written, nothing said.
    rig.recorder.saveAs.clear();
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(button->isEnabled());
    QVERIFY(rig.recorder.messages.isEmpty());
    // A place that cannot be written: said in a message box.
    rig.recorder.saveAs = rig.dir.filePath("no-such-folder/export.csv");
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(finished.wait());
    QCOMPARE(finished[1][0].toBool(), false);
    QCOMPARE(rig.recorder.messages, QStringList("Storico meteo | Impossibile salvare " +
                                                QDir::toNativeSeparators(rig.recorder.saveAs)));
  }

  void windowClosedDuringAnExportLeavesNoHalfFile() {
    Rig rig;
    FillHistory(rig.File(), 2 * 24 * 60);
    rig.window->OpenHistoryWindow(HistoryQuantity::Humidity);
    rig.recorder.saveAs = rig.dir.filePath("export.csv");
    QPointer<frmStorico> history = rig.History();
    QTest::mouseClick(history->findChild<QPushButton*>("cmdExport"), Qt::LeftButton);
    history->close();
    QTRY_VERIFY(!history);
    rig.window->History().WaitUntilDone();
    // Given up, or done before the window went: never a part of the file.
    QFile csv(rig.recorder.saveAs);
    if (csv.open(QIODevice::ReadOnly)) {
      const QByteArray all = csv.readAll();
      QVERIFY(all.endsWith('\n') && all.count('\n') >= 24 * 60);  // the header and a whole day
    }
    QVERIFY(rig.recorder.messages.isEmpty());
  }

  void reportWaitingForTheFileIsStoredAndTheWindowGoesOn() {
    Rig rig;
    rig.window->HandleAgwFrame(StationFrame(QStringLiteral("_220/004t077h50b10132")));
    rig.window->History().WaitUntilDone();
    QCOMPARE(rig.recorder.messages, QStringList());
    QCOMPARE(rig.Rows().size(), 1);
    {
      // Another program writes to the file a moment.
      QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "other");
      other.setDatabaseName(rig.File());
      QVERIFY(other.open());
      QVERIFY(QSqlQuery(other).exec(QStringLiteral("BEGIN EXCLUSIVE")));
      TickMinute(rig.window.get());
      rig.window->HandleAgwFrame(StationFrame(QStringLiteral("_220/004t050h50b10132")));
      QCOMPARE(rig.window->findChild<QLabel*>("lblTemp")->text(), QStringLiteral("10.0\u00B0C"));
      QVERIFY(QSqlQuery(other).exec(QStringLiteral("COMMIT")));
    }
    QSqlDatabase::removeDatabase("other");
    // The report handed over just before the window closes is in the file afterwards.
    rig.window.reset();
    const QList<HistoryRow> rows = rig.Rows();
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[1][HistoryColumn::TempC], std::optional<double>(10));
    QVERIFY(rig.recorder.messages.isEmpty());
  }
};

int main(int argc, char* argv[]) {
  if (argc == 3 && QByteArray(argv[1]) == ReaderOption) {
    QCoreApplication app(argc, argv);
    return RunReader(QString::fromLocal8Bit(argv[2]));
  }
  QApplication app(argc, argv);
  TestHistoryWindow test;
  return QTest::qExec(&test, argc, argv);
}
#include "test_history_window.moc"
