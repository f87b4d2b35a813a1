#include <QComboBox>
#include <QDialogButtonBox>
#include <QMenu>
#include <QtTest>

#include "main_window.h"
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

// Every text of the dialog drawn whole: no label, combo or button smaller than its text needs.
void VerifyTextsWhole(QDialog* dialog) {
  dialog->show();
  for (QLabel* label : dialog->findChildren<QLabel*>()) {
    const int advance = label->fontMetrics().horizontalAdvance(label->text());
    QVERIFY2(advance <= label->contentsRect().width(), qPrintable(label->text()));
  }
  for (QComboBox* combo : dialog->findChildren<QComboBox*>())
    for (int i = 0; i < combo->count(); ++i) {
      QStyleOptionComboBox option;
      option.initFrom(combo);
      const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                         QStyle::SC_ComboBoxEditField, combo);
      const int advance = combo->fontMetrics().horizontalAdvance(combo->itemText(i));
      QVERIFY2(advance <= field.width(), qPrintable(combo->itemText(i)));
    }
  for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
    QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
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
