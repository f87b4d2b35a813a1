#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTranslator>
#include <QtTest>

#include "main_window.h"
#include "mqtt_broker.h"
#include "mqtt_state_text.h"
#include "test_support.h"
#include "window_seams_recorder.h"

namespace {

const QString Report = QStringLiteral("_220/004g005t077r010p020P030h50b10132");

// A started window on a folder of its own, its seams recorded; `prepare` runs before start-up.
struct StartedWindow {
  QTemporaryDir dir;
  Recorder r;
  Settings s;
  std::unique_ptr<frmWx> w;
  explicit StartedWindow(const std::function<void(const QTemporaryDir&)>& prepare = {}) {
    if (prepare) prepare(dir);
    w = std::make_unique<frmWx>(s, TestSeams(r, dir.path()));
    w->Form_Load(QStringLiteral("iw2xyz"));
  }
  QString Ini() const { return dir.filePath(QLatin1String(PreferencesFileName)); }
  QStringList PreferenceMessages() const {
    return r.messages.filter(QDir::toNativeSeparators(Ini()) + QStringLiteral(" | "));
  }
  QString Text(const char* label) const { return w->findChild<QLabel*>(label)->text(); }
};

// The user picks a language and units and confirms.
std::function<void(QDialog*)> Choose(LanguageChoice language, UnitSystem units) {
  return [=](QDialog* dialog) {
    const auto combo = [dialog](const char* name) { return dialog->findChild<QComboBox*>(name); };
    combo("cboLanguage")->setCurrentIndex(combo("cboLanguage")->findData(int(language)));
    combo("cboUnits")->setCurrentIndex(combo("cboUnits")->findData(int(units)));
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  };
}

// Every text of the page drawn whole: no label, combo or button smaller than its text needs.
void VerifyPageWhole(QWidget* page) {
  for (QLabel* label : page->findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;
    // A label of several lines needs their height too.
    const QRect room = label->contentsRect();
    const QRect needed = label->fontMetrics().boundingRect(
        QRect(0, 0, room.width(), 100000), label->wordWrap() ? Qt::TextWordWrap : 0, label->text());
    QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
             qPrintable(label->text()));
  }
  for (QComboBox* combo : page->findChildren<QComboBox*>())
    for (int i = 0; i < combo->count(); ++i) {
      QStyleOptionComboBox option;
      option.initFrom(combo);
      const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                         QStyle::SC_ComboBoxEditField, combo);
      const int advance = combo->fontMetrics().horizontalAdvance(combo->itemText(i));
      QVERIFY2(advance <= field.width(), qPrintable(combo->itemText(i)));
    }
  for (QAbstractButton* button : page->findChildren<QAbstractButton*>())
    QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
}

// Every page of the dialog, each shown in turn, and its buttons.
void VerifyTextsWhole(QDialog* dialog) {
  dialog->show();
  auto* tabs = dialog->findChild<QTabWidget*>();
  const int current = tabs->currentIndex();
  for (int i = 0; i < tabs->count(); ++i) {
    tabs->setCurrentIndex(i);
    VerifyPageWhole(tabs->widget(i));
  }
  tabs->setCurrentIndex(current);
  VerifyPageWhole(dialog->findChild<QDialogButtonBox*>());
}

// The alerts page of a dialog, shown.
QWidget* AlertsPage(QDialog* dialog) {
  auto* tabs = dialog->findChild<QTabWidget*>();
  tabs->setCurrentIndex(1);
  dialog->show();
  return tabs->currentWidget();
}

// The MQTT page of a dialog, shown.
QWidget* MqttPage(QDialog* dialog) {
  auto* tabs = dialog->findChild<QTabWidget*>();
  tabs->setCurrentIndex(2);
  dialog->show();
  return tabs->currentWidget();
}

void Type(QDialog* dialog, const char* edit, const QString& text) {
  dialog->findChild<QLineEdit*>(edit)->setText(text);
}

// Presses Prova with `command` typed and waits for what came of it.
QString TestOutcome(QDialog* dialog, const QString& command) {
  dialog->findChild<QLineEdit*>("txtCommand")->setText(command);
  auto* button = dialog->findChild<QPushButton*>("cmdTest");
  auto* outcome = dialog->findChild<QLabel*>("lblTestOutcome");
  button->click();
  const QString running = QCoreApplication::translate("frmPreferenze", "Prova in corso\u2026");
  if (outcome->text() != running || button->isEnabled())
    return QStringLiteral("not running: ") + outcome->text();
  if (!QTest::qWaitFor([button] { return button->isEnabled(); }, 10000))
    return QStringLiteral("still running");
  return outcome->text();
}

}  // namespace

class TestPreferencesDialog : public QObject {
  Q_OBJECT
 private slots:
  // F2 and the tray icon's menu open the same dialog; its texts show whole.
  void f2AndTheTrayMenuOpenIt() {
    StartedWindow started;
    auto& [dir, r, s, w] = started;
    QStringList titles;
    r.answerModal = [&titles](QDialog* dialog) {
      titles << dialog->windowTitle();
      auto* tabs = dialog->findChild<QTabWidget*>();
      QCOMPARE(tabs->tabText(0), QStringLiteral("Generale"));
      VerifyTextsWhole(dialog);
      SaveShot(dialog, QStringLiteral("preferences"));
      dialog->reject();
    };
    QTest::keyClick(w.get(), Qt::Key_F2);
    QMenu* menu = w->cSysTray1().contextMenu();
    const QList<QAction*> actions = menu->actions();
    QCOMPARE(actions[actions.size() - 2]->text(), QStringLiteral("Preferenze\u2026"));
    actions[actions.size() - 2]->trigger();
    QCOMPARE(titles, (QStringList{"Preferenze", "Preferenze"}));
    QVERIFY(!QFile::exists(started.Ini()));  // cancelled: nothing written
  }

  // OK writes Ventora.ini beside WxAlarms.ini, and the window shows its readings in the new
  // units at once, as a report decoded in them shows them; nothing else of the report happens
  // again. The note on the language shows only for a language other than the running one.
  void confirmingWritesTheFileAndShowsTheUnitsAtOnce() {
    StartedWindow started;
    auto& [dir, r, s, w] = started;
    QCOMPARE(QFileInfo(started.Ini()).dir(), QFileInfo(w->AlarmsFile()).dir());
    w->DecodeWeatherReport(Report);
    const int beeps = r.beeps, raised = r.raised;
    TickMinute(w.get());
    const auto choose = Choose(LanguageChoice::English, UnitSystem::Imperial);
    r.answerModal = [&](QDialog* dialog) {
      auto* note = dialog->findChild<QLabel*>("lblLanguageNote");
      QVERIFY(note->text().isEmpty());
      auto* language = dialog->findChild<QComboBox*>("cboLanguage");
      language->setCurrentIndex(language->findData(int(LanguageChoice::English)));
      QCOMPARE(note->text(), QStringLiteral("La lingua cambia al prossimo avvio di Ventora."));
      VerifyTextsWhole(dialog);
      SaveShot(dialog, QStringLiteral("preferences-language-note"));
      choose(dialog);
    };
    QTest::keyClick(w.get(), Qt::Key_F2);
    const PreferencesRead saved = ReadPreferencesFile(started.Ini());
    QVERIFY(saved.problem.isEmpty());
    QCOMPARE(saved.preferences.units, UnitSystem::Imperial);
    QCOMPARE(saved.preferences.language, LanguageChoice::English);
    QCOMPARE(s.Units, UnitSystem::Imperial);
    const ReportOutcome imperial = DecodeWeatherReport(Report, s, ReportState(), QLocale());
    QCOMPARE(started.Text("lblTemp"), *imperial.Temp.caption);
    QVERIFY(started.Text("lblTemp").endsWith(QStringLiteral("\u00B0F")));
    QCOMPARE(started.Text("lblPress"), *imperial.Press.caption);
    QCOMPARE(started.Text("lblWxData"), *imperial.WxData.caption);
    QCOMPARE(started.Text("lblRain"), imperial.Rain);
    QCOMPARE(w->TrayTooltip(), imperial.tooltip);
    QCOMPARE(std::pair(r.beeps, r.raised), std::pair(beeps, raised));
    QVERIFY(w->AcceptReport());  // the gate the minute opened stays open
    QCOMPARE(w->MinutesSinceReport(), int16_t(1));
    // The language takes effect at the next start: the note stays while it differs.
    r.answerModal = [](QDialog* dialog) {
      QVERIFY(!dialog->findChild<QLabel*>("lblLanguageNote")->text().isEmpty());
      dialog->reject();
    };
    QTest::keyClick(w.get(), Qt::Key_F2);
  }

  // A Ventora.ini that cannot be read is said once; the run goes on with the defaults, and the
  // file is left as it is until the user confirms the dialog, whose failed save is said too.
  void unreadableFileIsSaidOnceAndLeftAlone() {
    StartedWindow started([](const QTemporaryDir& dir) {
      QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Ventora.ini/held")));
    });
    auto& [dir, r, s, w] = started;
    QCOMPARE(started.PreferenceMessages().size(), 1);
    QVERIFY2(started.PreferenceMessages()[0].contains(QStringLiteral("predefinite")),
             qPrintable(started.PreferenceMessages()[0]));
    QCOMPARE(s.Units, UnitSystem::Metric);
    w->DecodeWeatherReport(Report);
    r.answerModal = [](QDialog* dialog) { dialog->reject(); };
    w->OpenPreferences();
    QCOMPARE(started.PreferenceMessages().size(), 1);
    r.answerModal = Choose(LanguageChoice::Automatic, UnitSystem::Imperial);
    w->OpenPreferences();
    QCOMPARE(started.PreferenceMessages().size(), 2);
    QVERIFY2(started.PreferenceMessages()[1].contains(QStringLiteral("non sono state salvate")),
             qPrintable(started.PreferenceMessages()[1]));
    QCOMPARE(s.Units, UnitSystem::Imperial);  // the choice holds for this run
    w->close();
    QCOMPARE(started.PreferenceMessages().size(), 2);
    QVERIFY(QFileInfo(started.Ini()).isDir());
  }

  // The alerts page shows what Ventora.ini holds and OK writes what it shows. Prova runs the
  // command as typed with the test event, the dialog working meanwhile, and says what came of it.
  void alertsPageEditsTheFileAndTriesTheCommand() {
    StartedWindow started([](const QTemporaryDir& dir) {
      WriteAll(dir.filePath(QLatin1String(PreferencesFileName)),
               "[alerts]\nsilent_after_min=0\nengine_after_min=7\nnotify=false\n");
    });
    auto& [dir, r, s, w] = started;
    w->Winsock1().Close();  // no engine: the setup dialog stays away while the test runs
    const QString runs = dir.filePath(QStringLiteral("runs.txt"));
    const QString probe = QStringLiteral("\"%1\" \"%2\"").arg(VENTORA_ALERT_PROBE, runs);
    r.answerModal = [&](QDialog* dialog) {
      QCOMPARE(dialog->findChild<QTabWidget*>()->tabText(1), QStringLiteral("Avvisi"));
      AlertsPage(dialog);
      auto* silent = dialog->findChild<QSpinBox*>("spnSilent");
      QCOMPARE(silent->text(), QStringLiteral("Mai"));
      QCOMPARE(dialog->findChild<QSpinBox*>("spnEngine")->text(), QStringLiteral("7 min"));
      QVERIFY(!dialog->findChild<QCheckBox*>("chkNotify")->isChecked());
      QVERIFY(!dialog->findChild<QPushButton*>("cmdTest")->isEnabled());  // no command yet
      const QString missing = dir.filePath(QStringLiteral("no-such-program"));
      QVERIFY2(TestOutcome(dialog, missing)
                   .startsWith(QStringLiteral("Il comando «%1» non parte").arg(missing)),
               qPrintable(TestOutcome(dialog, missing)));
      QCOMPARE(TestOutcome(dialog, probe),
               QStringLiteral("Il comando «%1» è terminato bene").arg(VENTORA_ALERT_PROBE));
      const QByteArray ran = ReadAll(runs);
      QVERIFY2(ran.startsWith("VENTORA_EVENT=test\nVENTORA_STATION=IW2XYZ\nVENTORA_TIME="),
               ran.constData());
      QVERIFY(ran.contains("VENTORA_TEXT=Prova degli avvisi di Ventora per IW2XYZ\n"));
      silent->setValue(45);
      dialog->findChild<QCheckBox*>("chkNotify")->setChecked(true);
      dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    };
    QTest::keyClick(w.get(), Qt::Key_F2);
    const AlertPreferences saved = ReadPreferencesFile(started.Ini()).preferences.alerts;
    QCOMPARE((QList<int>{saved.silentAfterMin, saved.engineAfterMin}), (QList<int>{45, 7}));
    QVERIFY(saved.notify);
    QCOMPARE(saved.command, probe);
    QVERIFY(r.messages.isEmpty());
  }

  // The page in either language, with a test's outcome and a problem of the command, whole.
  void alertsPageShowsWhole_data() {
    QTest::addColumn<bool>("english");
    QTest::newRow("it") << false;
    QTest::newRow("en") << true;
  }
  void alertsPageShowsWhole() {
    QFETCH(bool, english);
    QTranslator translator;
    if (english) {
      QVERIFY(translator.load(QStringLiteral("ventora_en"), QStringLiteral(":/translations")));
      QCoreApplication::installTranslator(&translator);
    }
    QTemporaryDir dir;
    const CommandOutcome killed{
        CommandOutcome::Kind::Killed, QStringLiteral("curl"), 0, {}, CommandTimeLimitMs};
    Preferences shown;
    shown.alerts.engineAfterMin = 0;
    frmPreferenze dialog(shown, LanguageChoice::Automatic,
                         {QStringLiteral("IW2XYZ-13"), CommandOutcomeText(killed)});
    AlertsPage(&dialog);
    const QString outcome =
        TestOutcome(&dialog, QStringLiteral("\"%1\" \"%2\" 3")
                                 .arg(VENTORA_ALERT_PROBE, dir.filePath(QStringLiteral("runs"))));
    QVERIFY2(outcome.contains(QStringLiteral(" 3")), qPrintable(outcome));
    QVERIFY(
        dialog.findChild<QLabel*>("lblCommandProblem")->text().contains(QStringLiteral("curl")));
    VerifyTextsWhole(&dialog);
    SaveShot(&dialog, QStringLiteral("preferences-alerts-") + QTest::currentDataTag());
    QCoreApplication::removeTranslator(&translator);
  }

  // The MQTT page shows what Ventora.ini holds, and OK writes what it shows; a prefix with a
  // wildcard is not taken. The discovery's prefix, not on the page, is kept.
  void mqttPageEditsTheFile() {
    StartedWindow started([](const QTemporaryDir& dir) {
      WriteAll(dir.filePath(QLatin1String(PreferencesFileName)),
               "[mqtt]\nhost=old.lan\nport=1884\ndiscovery=false\ndiscovery_prefix=ha\n");
    });
    auto& [dir, r, s, w] = started;
    w->Winsock1().Close();  // no engine: the setup dialog stays away while the test runs
    r.answerModal = [](QDialog* dialog) {
      QCOMPARE(dialog->findChild<QTabWidget*>()->tabText(2), QStringLiteral("MQTT"));
      MqttPage(dialog);
      QCOMPARE(dialog->findChild<QLineEdit*>("txtMqttHost")->text(), QStringLiteral("old.lan"));
      QCOMPARE(dialog->findChild<QSpinBox*>("spnMqttPort")->value(), 1884);
      QVERIFY(!dialog->findChild<QCheckBox*>("chkMqttDiscovery")->isChecked());
      QCOMPARE(dialog->findChild<QLineEdit*>("txtMqttPassword")->echoMode(), QLineEdit::Password);
      dialog->findChild<QCheckBox*>("chkMqtt")->setChecked(true);
      Type(dialog, "txtMqttHost", QStringLiteral(" 127.0.0.1 "));
      dialog->findChild<QSpinBox*>("spnMqttPort")->setValue(8883);
      Type(dialog, "txtMqttUser", QStringLiteral("meteo"));
      Type(dialog, "txtMqttPassword", QStringLiteral("a=b; #c"));
      dialog->findChild<QCheckBox*>("chkMqttTls")->setChecked(MqttHasTls());
      Type(dialog, "txtMqttCaFile", QStringLiteral("/etc/ca.pem"));
      Type(dialog, "txtMqttPrefix", QStringLiteral("casa/#"));
      dialog->findChild<QCheckBox*>("chkMqttDiscovery")->setChecked(true);
      dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    };
    QTest::keyClick(w.get(), Qt::Key_F2);
    const MqttSettings expected{true,
                                QStringLiteral("127.0.0.1"),
                                8883,
                                QStringLiteral("meteo"),
                                QStringLiteral("a=b; #c"),
                                MqttHasTls(),
                                QStringLiteral("/etc/ca.pem"),
                                QStringLiteral("ventora"),
                                true,
                                QStringLiteral("ha")};
    QVERIFY(ReadPreferencesFile(started.Ini()).preferences.mqtt == expected);
    QVERIFY(r.messages.isEmpty());
  }

  // The page in either language, whole, with what Prova found, the dialog working meanwhile: in
  // Italian a real broker that refuses the password typed, in English a server that never answers.
  void mqttPageShowsWhole_data() {
    QTest::addColumn<bool>("english");
    QTest::newRow("it") << false;
    QTest::newRow("en") << true;
  }
  void mqttPageShowsWhole() {
    REQUIRE_MQTT_BROKER();
    QFETCH(bool, english);
    QTranslator translator;
    if (english) {
      QVERIFY(translator.load(QStringLiteral("ventora_en"), QStringLiteral(":/translations")));
      QCoreApplication::installTranslator(&translator);
    }
    MqttBroker broker({true, false});
    QTcpServer silent;
    QVERIFY(english ? silent.listen(QHostAddress::LocalHost) : broker.Start());
    const quint16 port = english ? silent.serverPort() : broker.Port();
    const QString host = QStringLiteral("127.0.0.1");
    Preferences shown;
    shown.mqtt.enabled = true;
    shown.mqtt.host = host;
    shown.mqtt.port = port;
    shown.mqtt.user = QLatin1String(MqttBroker::User);
    shown.mqtt.password = QStringLiteral("not the password");
    frmPreferenze dialog(shown, LanguageChoice::Automatic,
                         {QStringLiteral("IW2XYZ-13"), QString(), CommandTimeLimitMs});
    dialog.ShowMqttState({MqttStatus::Connected, host, port, {}});
    MqttPage(&dialog);
    auto* button = dialog.findChild<QPushButton*>("cmdMqttTest");
    button->click();
    QVERIFY(!button->isEnabled());
    QVERIFY(QTest::qWaitFor([button] { return button->isEnabled(); }, MqttTestWaitMs + 5000));
    const QString outcome = dialog.findChild<QLabel*>("lblMqttTestOutcome")->text();
    const QString where = QStringLiteral("127.0.0.1:%1").arg(port);
    QCOMPARE(outcome, english ? QStringLiteral("No answer from %1").arg(where)
                              : MqttStateText({MqttStatus::Refused, host, port, {}}));
    QCOMPARE(dialog.findChild<QLabel*>("lblMqttState")->text(),
             english ? QStringLiteral("Ventora now: MQTT: connected to %1").arg(where)
                     : QStringLiteral("Ventora ora: MQTT: connesso a %1").arg(where));
    VerifyTextsWhole(&dialog);
    SaveShot(&dialog, QStringLiteral("preferences-mqtt-") + QTest::currentDataTag());
    QCoreApplication::removeTranslator(&translator);
  }

  // Start-up reads the units into the settings.
  void startUpReadsTheUnits() {
    StartedWindow started([](const QTemporaryDir& dir) {
      QFile f(dir.filePath(QLatin1String(PreferencesFileName)));
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write("[display]\nunits=imperial\n");
    });
    QCOMPARE(started.s.Units, UnitSystem::Imperial);
    QVERIFY(started.PreferenceMessages().isEmpty());
  }
};

QTEST_MAIN(TestPreferencesDialog)
#include "test_preferences_dialog.moc"
