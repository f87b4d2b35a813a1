#include <QtTest>

#include "blank_wrap_label.h"
#include "fitted_label.h"
#include "main_window.h"
#include "read_only_place.h"
#include "test_support.h"
#include "twips.h"
#include "window_seams_recorder.h"

namespace {

// A window started with `tail` on a folder of its own, its seams recorded.
struct StartedWindow {
  QTemporaryDir dir;
  Recorder r;
  Settings s;
  frmWx w;
  explicit StartedWindow(const QString& tail) : w(s, TestSeams(r, dir.path())) {
    w.Form_Load(tail);
  }
};

// The font a label's text is drawn in.
QFont ShownFont(const QLabel* label) {
  const auto* fitted = qobject_cast<const FittedLabel*>(label);
  return fitted ? fitted->ShownFont() : label->font();
}

QColor TextColour(QWidget* w) {
  return w->palette().color(QPalette::WindowText);
}

// A WxAlarms.ini that cannot be read, the user's only copy of the limits.
constexpr char FaultyAlarms[] = "#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n1,2,3,4\r\n";

// Writes the faulty file into `dir` as `f`, and blocks its backup place with a folder that is
// not empty, so that no copy of it can be kept.
bool PlaceFaultyFileWithoutBackup(const QTemporaryDir& dir, QFile& f) {
  if (!f.open(QIODevice::WriteOnly) || f.write(FaultyAlarms) < 0) return false;
  f.close();
  return QDir(dir.path()).mkpath(QStringLiteral("WxAlarms.ini.bak/busy"));
}

}  // namespace

class TestMainWindow : public QObject {
  Q_OBJECT
 private slots:
  void designTimeState() {
    StartedWindow started(QStringLiteral("iw2xyz"));
    auto& [dir, r, s, w] = started;
    QCOMPARE(w.windowTitle(), QStringLiteral("Wx Station"));
    QCOMPARE(w.size(), QSize(Px(3180), Px(1455)));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    const auto label = [&](const char* name) { return w.findChild<QLabel*>(name); };
    QCOMPARE(label("lblWxData")->text(), QStringLiteral("Ventora v5.01"));
    QCOMPARE(label("lblElapsed")->text(), QStringLiteral("00"));
    for (const char* name : {"lblTemp", "lblUR", "lblPress", "lblRain", "lblWxComment"})
      QVERIFY2(label(name)->text().isEmpty(), name);
    QCOMPARE(label("lblCardinals_0")->text(), QStringLiteral("N"));
    QCOMPARE(label("lblCardinals_1")->text(), QStringLiteral("O"));
    QCOMPARE(label("lblCardinals_3")->text(), QStringLiteral("E"));
    QCOMPARE(TextColour(label("lblCardinals_2")), QColor(255, 0, 0));
    QCOMPARE(TextColour(label("lblWxData")), QColor(0, 0, 255));
    QCOMPARE(TextColour(label("lblCalm")), QColor(0, 128, 0));
    QCOMPARE(label("lblWxData")->geometry(), TwipsRect(1200, -10, 1935, 255));
    QCOMPARE(label("lblRain")->geometry(), TwipsRect(1200, 650, 1935, 580));
    QCOMPARE(label("lblWxData")->toolTip(),
             QStringLiteral("Click col tasto destro del muose per avviare il Setup. F1=Help"));
    QVERIFY(label("lblTemp")->alignment() & Qt::AlignRight);
    QVERIFY(label("lblWxComment")->alignment() & Qt::AlignHCenter);
    QVERIFY(label("lblCalm")->isHidden());
    auto* list = w.findChild<QListWidget*>("List2");
    QVERIFY(list->isHidden() && !list->isEnabled());
    QCOMPARE(list->geometry(), TwipsRect(0, 1470, 3180, 390));
    auto* compass = w.findChild<PictureBox*>("picWx");
    QCOMPARE(compass->geometry(), TwipsRect(0, 0, 1215, 1215));
    QVERIFY(compass->Steps().empty());
    QCOMPARE(label("lblElapsed")->parentWidget(), compass);
    for (const char* name : {"picVar_0", "picVar_1", "picVar_2"})
      QVERIFY(w.findChild<PictureBox*>(name)->Steps().empty());
    auto* timer = w.findChild<QTimer*>("tmrElapsed");
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 60000);
    QVERIFY(w.AcceptReport());
    QVERIFY(!w.HavePrevious());
    QCOMPARE(w.MinutesSinceReport(), int16_t(0));
    QVERIFY(r.messages.isEmpty());
  }

  void startUp_data() {
    QTest::addColumn<QString>("tail");
    QTest::addColumn<QString>("call");
    QTest::addColumn<QString>("host");
    QTest::addColumn<bool>("save");
    QTest::newRow("empty command line") << ""
                                        << "NOCALL"
                                        << "localhost" << false;
    QTest::newRow("lower-case call") << "iw2abc"
                                     << "IW2ABC"
                                     << "localhost" << false;
    QTest::newRow("call host SAVE") << " iw2abc  Engine.Lan  save "
                                    << "IW2ABC"
                                    << "Engine.Lan" << true;
  }
  void startUp() {
    QFETCH(QString, tail);
    StartedWindow started(tail);
    auto& [dir, r, s, w] = started;
    QTEST(s.StationCall, "call");
    QTEST(s.AgwHost, "host");
    QTEST(s.SaveAlarms, "save");
    QCOMPARE(s.AgwPort, int16_t(8000));
    QCOMPARE(w.AlarmsFile(), QDir::toNativeSeparators(dir.filePath("WxAlarms.ini")));
    // First run: the default file is created, silently.
    QFile f(w.AlarmsFile());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.size(), 67);
    QVERIFY(r.messages.isEmpty());
    QCOMPARE(s.LoBaro, 900.0f);
  }

  void faultyAlarmFileIsKeptAndReplaced() {
    QTemporaryDir dir;
    QFile f(dir.filePath("WxAlarms.ini"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n1,2,3,4\r\n");
    f.close();
    Recorder r;
    Settings s;
    frmWx w(s, TestSeams(r, dir.path()));
    w.Form_Load(QStringLiteral("x"));
    QCOMPARE(s.HiTemp, 40.0f);
    QFile backup(dir.filePath("WxAlarms.ini.bak"));
    QVERIFY(backup.open(QIODevice::ReadOnly));
    QCOMPARE(backup.readAll(), QByteArray("#TRUE#,#TRUE#,#TRUE#,#TRUE#\r\n1,2,3,4\r\n"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.size(), 67);
  }

  // The faulty file is the user's only copy of the limits: without a backup it is not replaced.
  void faultyAlarmFileWithoutBackupIsLeftAlone() {
    QTemporaryDir dir;
    const QByteArray faulty = FaultyAlarms;
    QFile f(dir.filePath("WxAlarms.ini"));
    QVERIFY(PlaceFaultyFileWithoutBackup(dir, f));
    Recorder r;
    Settings s;
    frmWx w(s, TestSeams(r, dir.path()));
    w.Form_Load(QStringLiteral("x"));
    QCOMPARE(s.HiTemp, 40.0f);  // the run goes on with the defaults
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), faulty);
    QCOMPARE(r.messages.size(), 1);
    QVERIFY2(r.messages[0].startsWith(w.AlarmsFile() + QStringLiteral(" | ")),
             qPrintable(r.messages[0]));
    QVERIFY(r.messages[0].contains(QStringLiteral("WxAlarms.ini.bak")));
  }

  // After the warning that the faulty file is left alone, SAVE at close replaces it only once a
  // copy of it has been kept; otherwise the close says so and leaves the file.
  void saveAtCloseKeepsTheFileLeftAlone_data() {
    QTest::addColumn<bool>("backupFreedBeforeClose");
    QTest::newRow("still no backup at close: the file stays, and the close says so") << false;
    QTest::newRow("a backup can be made by then: it is kept, then the file is saved") << true;
  }
  void saveAtCloseKeepsTheFileLeftAlone() {
    QFETCH(bool, backupFreedBeforeClose);
    QTemporaryDir dir;
    const QByteArray faulty = FaultyAlarms;
    QFile f(dir.filePath("WxAlarms.ini"));
    QVERIFY(PlaceFaultyFileWithoutBackup(dir, f));
    Recorder r;
    Settings s;
    frmWx w(s, TestSeams(r, dir.path()));
    w.Form_Load(QStringLiteral("x y SAVE"));
    QCOMPARE(r.messages.size(), 1);  // the file is left as it is
    s.HiTemp = 35;                   // as the setup dialog would leave it
    if (backupFreedBeforeClose) QVERIFY(QDir(dir.filePath("WxAlarms.ini.bak")).removeRecursively());
    w.close();
    QVERIFY(!w.isVisible());
    QVERIFY(f.open(QIODevice::ReadOnly));
    if (backupFreedBeforeClose) {
      QVERIFY2(r.messages.size() == 1, qPrintable(r.messages.join(u'\n')));
      QVERIFY(f.readAll().contains("\r\n-5,35,20,96\r\n"));
      QFile backup(dir.filePath("WxAlarms.ini.bak"));
      QVERIFY(backup.open(QIODevice::ReadOnly));
      QCOMPARE(backup.readAll(), faulty);
      return;
    }
    QCOMPARE(f.readAll(), faulty);
    QCOMPARE(r.messages.size(), 2);
    QVERIFY2(r.messages[1].startsWith(w.AlarmsFile() + QStringLiteral(" | ")),
             qPrintable(r.messages[1]));
    QVERIFY(r.messages[1].contains(QStringLiteral("WxAlarms.ini.bak")));
  }

  // Installed system-wide, the program's folder is read-only: the user's own file takes over,
  // seeded once from the file beside the program, and SAVE writes there.
  void readOnlyProgramFolderUsesTheUsersFile() {
#ifdef Q_OS_WIN
    QSKIP("read-only folders are a matter of ACLs on Windows: the decision is table-tested");
#else
    QTemporaryDir program, home;
    const QByteArray beside =
        "#FALSE#,#FALSE#,#TRUE#,#TRUE#\r\n-5,35,20,96\r\n900,1040,40,250\r\n50,80\r\n";
    QFile seed(program.filePath("WxAlarms.ini"));
    QVERIFY(seed.open(QIODevice::WriteOnly));
    seed.write(beside);
    seed.close();
    const auto readOnly = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup |
                          QFile::ReadOther | QFile::ExeOther;
    QFile::setPermissions(program.path(), readOnly);
    QFile::setPermissions(home.path(),
                          readOnly | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther);
    Recorder r;
    Settings s;
    WindowSeams seams = TestSeams(r, program.path());
    seams.userConfigFolder = home.filePath("Ventora");
    const QString own = seams.userConfigFolder + "/WxAlarms.ini";
    {
      OrdinaryUser user;
      QVERIFY(user.Ok());
      frmWx w(s, seams);
      w.Form_Load(QStringLiteral("iw2xyz 127.0.0.1 save"));
      QCOMPARE(w.AlarmsFile(), QDir::toNativeSeparators(own));
      QCOMPARE(s.HiTemp, 35.0f);  // the starting values came from beside the program
      QVERIFY(!s.FocusOnData);
      s.HiTemp = 30;
      w.close();
    }
    QFile::setPermissions(program.path(), readOnly | QFile::WriteOwner);
    QVERIFY2(r.messages.isEmpty(), qPrintable(r.messages.join(u'\n')));
    QFile mine(own);
    QVERIFY(mine.open(QIODevice::ReadOnly));
    QCOMPARE(mine.readAll(), QByteArray(beside).replace(",35,", ",30,"));
    QVERIFY(seed.open(QIODevice::ReadOnly));
    QCOMPARE(seed.readAll(), beside);  // the file beside the program is never written
#endif
  }

  void unwritableFolderWarnsAndGoesOn() {
    QTemporaryDir dir;
    Recorder r;
    Settings s;
    // Neither the program's folder nor the user's configuration folder can be written.
    WindowSeams seams = TestSeams(r, UnwritableFolder(dir.path(), QStringLiteral("program")));
    seams.userConfigFolder = UnwritableFolder(dir.path(), QStringLiteral("config"));
    frmWx w(s, seams);
    w.Form_Load(QStringLiteral("x y save"));
    QCOMPARE(r.messages.size(), 1);  // titled with the place tried last: the user's own file
    const QString path = QDir::toNativeSeparators(seams.userConfigFolder + "/WxAlarms.ini");
    QCOMPARE(r.messages[0], path + " | Unable to save Wx Alarm values");
    QCOMPARE(s.HiGust, 80.0f);
    w.close();  // SaveAlarms is on: the warning again, and the window still closes
    QCOMPARE(r.messages.size(), 2);
    QVERIFY(!w.isVisible());
  }

  void unloadSavesOnlyWhenAsked() {
    QTemporaryDir dir;
    Recorder r;
    Settings s;
    {
      frmWx w(s, TestSeams(r, dir.path()));
      w.Form_Load(QStringLiteral("x"));
      s.HiTemp = 35.5f;
      w.Form_Unload();
    }
    QFile f(dir.filePath("WxAlarms.ini"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains("-5,40,"));
    f.close();
    frmWx w(s, TestSeams(r, dir.path()));
    w.Form_Load(QStringLiteral("x localhost SAVE"));
    s.HiTemp = 35.5f;
    w.Form_Unload();
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().contains("-5,35.5,"));
  }

  void showsADecodedReport() {
    StartedWindow started(QStringLiteral("iw2xyz"));
    auto& [dir, r, s, w] = started;
    s.BeepOnData = true;
    w.DecodeWeatherReport(QStringLiteral("_090/010g015t077h50b10132"));
    w.DecodeWeatherReport(QStringLiteral("_090/010g015t150h50b10132"));  // gate is the window's job
    const auto label = [&](const char* name) { return w.findChild<QLabel*>(name); };
    QCOMPARE(label("lblWxData")->text(), QStringLiteral("090\u00B0  16 / 24 km/h"));
    QCOMPARE(label("lblTemp")->text(), QStringLiteral("65.6\u00B0C"));
    QCOMPARE(TextColour(label("lblTemp")), QColor(255, 0, 0));
    QCOMPARE(TextColour(label("lblUR")), QColor(0, 0, 255));
    QCOMPARE(w.findChild<PictureBox*>("picWx")->Steps().size(), size_t(3));
    QCOMPARE(w.findChild<PictureBox*>("picVar_0")->Steps().size(), size_t(4));  // up arrow
    QCOMPARE(w.findChild<PictureBox*>("picVar_1")->Steps().size(), size_t(2));  // equals
    QCOMPARE(r.beeps, 2);
    QCOMPARE(r.raised, 2);
    QVERIFY(!w.AcceptReport());
    QVERIFY(w.HavePrevious());
    QVERIFY(w.TrayTooltip().startsWith(QStringLiteral("IW2XYZ 090")));
    w.DecodeWeatherReport(QStringLiteral("_000/000g000"));
    QVERIFY(label("lblCalm")->isVisibleTo(&w));
    QCOMPARE(w.findChild<PictureBox*>("picWx")->Steps().size(), size_t(0));
  }

  void timerTickOpensGateAndCountsTo99() {
    StartedWindow started(QStringLiteral("iw2xyz"));
    auto& [dir, r, s, w] = started;
    w.DecodeWeatherReport(QStringLiteral("_090/010g015t077"));
    QVERIFY(!w.AcceptReport());
    TickMinute(&w);
    QVERIFY(w.AcceptReport());
    QCOMPARE(w.findChild<QLabel*>("lblElapsed")->text(), QStringLiteral("01"));
    for (int i = 0; i < 120; ++i) TickMinute(&w);
    QCOMPARE(w.MinutesSinceReport(), int16_t(99));
    QCOMPARE(w.findChild<QLabel*>("lblElapsed")->text(), QStringLiteral("99"));
    w.DecodeWeatherReport(QStringLiteral("_.../...t077"));
    QCOMPARE(w.MinutesSinceReport(), int16_t(0));
    QCOMPARE(w.findChild<QLabel*>("lblElapsed")->text(), QStringLiteral("00"));
  }

  void wrapsOnlyAtBlanks_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");  // in characters
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("fits") << "0mm/h 0mm/24h" << 20 << QStringList{"0mm/h 0mm/24h"};
    QTest::newRow("hard break, CR dropped")
        << "0mm/h 0mm/24h\r\n0mm/Day" << 20 << QStringList{"0mm/h 0mm/24h", "0mm/Day"};
    QTest::newRow("slash stays inside its word")
        << "Dp 13.9C  8.3g/m3" << 12 << QStringList{"Dp 13.9C ", "8.3g/m3"};
    QTest::newRow("word wider than the line stays whole")
        << "0mm/Day Wch-12.5C" << 5 << QStringList{"0mm/Day", "Wch-12.5C"};
    QTest::newRow("empty") << "" << 10 << QStringList{""};
    QTest::newRow("a name stays with its value")
        << "0mm/Day Dp -3.3C  3.8g/m3" << 11 << QStringList{"0mm/Day", "Dp -3.3C ", "3.8g/m3"};
    QTest::newRow("so does the wind chill")
        << "10mm/Day Wch -12.4C" << 12 << QStringList{"10mm/Day", "Wch -12.4C"};
  }
  void wrapsOnlyAtBlanks() {
    QFETCH(QString, text);
    QFETCH(int, width);
    QTEST(WrapAtBlanks(text, width, [](const QString& s) { return int(s.size()); }), "lines");
  }

  // Each value label, at the scale the test runs with (ctest runs it at 1x, 1.5x and 2x), shows
  // the longest texts it gets whole, within its own box and clear of the arrow beside it.
  void labelsShowTheirTextsWhole_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("neighbour");  // the picture that lies over the label's right end
    QTest::newRow("the % of a full humidity") << "lblUR"
                                              << "100%"
                                              << "picVar_1";
    QTest::newRow("a low humidity") << "lblUR"
                                    << "5%"
                                    << "picVar_1";
    QTest::newRow("a cold temperature") << "lblTemp"
                                        << "-12.5\u00B0C"
                                        << "picVar_0";
    QTest::newRow("a hot temperature") << "lblTemp"
                                       << "100.0\u00B0C"
                                       << "picVar_0";
    QTest::newRow("a pressure with grouping") << "lblPress"
                                              << "1,013.2 mb"
                                              << "picVar_2";
    QTest::newRow("a hot temperature in Fahrenheit") << "lblTemp"
                                                     << "104.5\u00B0F"
                                                     << "picVar_0";
    QTest::newRow("a high pressure in inches") << "lblPress"
                                               << "31.12 inHg"
                                               << "picVar_2";
    QTest::newRow("a storm with gusts") << "lblWxData"
                                        << "360\u00B0  199 / 249 km/h"
                                        << "";
    QTest::newRow("the engine's version") << "lblWxComment"
                                          << "Ventora connesso a AGWPE v2000.15"
                                          << "";
    QTest::newRow("a station's long comment") << "lblWxComment"
                                              << "Davis Vantage Pro2 Plus - Milano Nord (MI)"
                                              << "";
  }
  void labelsShowTheirTextsWhole() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, neighbour);
    StartedWindow started(QStringLiteral("iw2xyz"));
    auto& w = started.w;
    w.show();
    auto* label = w.findChild<QLabel*>(name);
    label->setText(text);
    SaveShot(&w, QStringLiteral("whole-") + QTest::currentDataTag());
    const QRect box = label->contentsRect();
    const int advance = QFontMetrics(ShownFont(label), label).horizontalAdvance(text);
    QVERIFY2(advance <= box.width(),
             qPrintable(QStringLiteral("%1 px in %2").arg(advance).arg(box.width())));
    if (!neighbour.isEmpty()) {
      const QRect over = w.findChild<QWidget*>(neighbour)->geometry();
      const int end = label->mapTo(&w, box.topRight()).x();
      QVERIFY2(
          end < over.left(),
          qPrintable(
              QStringLiteral("text to %1, %2 from %3").arg(end).arg(neighbour).arg(over.left())));
    }
  }

  // The compass ends in one straight edge: no label beside it lies over any of its rows.
  void compassEdgeIsStraight() {
    StartedWindow started(QStringLiteral("iw2xyz"));
    auto& w = started.w;
    auto* compass = w.findChild<PictureBox*>("picWx");
    const int edge = compass->geometry().right();
    for (int y = 0; y <= compass->geometry().bottom(); ++y) {
      const QWidget* at = w.childAt(edge, y);
      QVERIFY2(at == compass || compass->isAncestorOf(at),
               qPrintable(QStringLiteral("%1 at row %2").arg(at->objectName()).arg(y)));
    }
  }

  // The real label at its real size and font: the derived values never break inside a word.
  void rainLabelKeepsUnitsWhole_data() {
    QTest::addColumn<QString>("report");
    QTest::addColumn<bool>("imperial");
    QTest::newRow("rain and wind chill") << "_220/015g025t030r010p123P045h85b10132" << false;
    QTest::newRow("a dew point that could fall to the next line")
        << "_220/010g015t030r000p000P000h85b10132" << false;
    QTest::newRow("rain and wind chill in inches and Fahrenheit")
        << "_220/015g025t030r010p123P045h85b10132" << true;
    QTest::newRow("the longest rain in inches, frost")
        << "_220/015g025t-05r999p999P999h85b10132" << true;
  }
  void rainLabelKeepsUnitsWhole() {
    QFETCH(QString, report);
    QFETCH(bool, imperial);
    StartedWindow started(QStringLiteral("iw2xyz"));
    auto& w = started.w;
    started.s.Units = imperial ? UnitSystem::Imperial : UnitSystem::Metric;
    w.show();
    w.DecodeWeatherReport(report);
    auto* rain = w.findChild<QLabel*>("lblRain");
    QVERIFY(rain->text().contains(QStringLiteral("g/m\u00B3")));
    const QFontMetrics metrics(rain->font());
    const QStringList lines =
        WrapAtBlanks(rain->text(), rain->contentsRect().width(),
                     [&metrics](const QString& s) { return metrics.horizontalAdvance(s); });
    QVERIFY2(lines.size() <= 3, qPrintable(lines.join(u'|')));
    for (const QString& line : lines) {
      QVERIFY2(!line.endsWith(u'/') && !line.startsWith(QStringLiteral("m\u00B3")) &&
                   !line.trimmed().endsWith(QStringLiteral(" Dp")),
               qPrintable(lines.join(u'|')));
      QVERIFY2(metrics.horizontalAdvance(line.trimmed()) <= rain->contentsRect().width() ||
                   !line.trimmed().contains(u' '),
               qPrintable(line));
    }
    QVERIFY(lines.size() * metrics.lineSpacing() <= rain->height() + metrics.leading());
    SaveShot(&w, QStringLiteral("rain-wrap-") + QTest::currentDataTag());
  }
};

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
