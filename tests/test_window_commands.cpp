#include <QRandomGenerator>
#include <QScrollBar>
#include <QTcpServer>
#include <QtTest>

#include "main_window.h"
#include "test_support.h"
#include "window_seams_recorder.h"

namespace {

// A started window on a folder of its own, with an engine stand-in it can connect to.
struct Rig {
  QTemporaryDir dir;
  Recorder recorder;
  Settings settings;
  QTcpServer engine;
  std::unique_ptr<frmWx> window;

  explicit Rig(const QString& tail = QStringLiteral("iw2xyz")) {
    // The port box holds a 16-bit signed number: find a free port below 32768.
    for (quint16 port = 20000 + QRandomGenerator::global()->bounded(10000);
         !engine.listen(QHostAddress::LocalHost, port); ++port) {
    }
    window = std::make_unique<frmWx>(settings, TestSeams(recorder, dir.path()));
    window->Form_Load(tail);
    window->Winsock1().Close();
    settings.AgwHost = QStringLiteral("127.0.0.1");
    settings.AgwPort = int16_t(engine.serverPort());
    window->show();
  }
  QLabel* Label(const char* name) { return window->findChild<QLabel*>(name); }
  void RightClick(const char* label) { QTest::mousePress(Label(label), Qt::RightButton); }
  frmWxSetup* Setup() { return window->findChild<frmWxSetup*>("frmWxSetup"); }
  int Connections() {
    int n = 0;
    while (engine.waitForNewConnection(100)) {
      delete engine.nextPendingConnection();
      ++n;
    }
    return n;
  }
};

void WriteFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

}  // namespace

class TestWindowCommands : public QObject {
  Q_OBJECT
 private slots:
  void rightClickOpensOneSetupDialog() {
    Rig rig;
    rig.Label("lblWxData")->setFocus();
    QTest::mousePress(rig.Label("lblWxData"), Qt::LeftButton);
    QTest::mousePress(rig.Label("lblRain"), Qt::MiddleButton);
    QVERIFY(!rig.Setup() || !rig.Setup()->isVisible());
    rig.RightClick("lblWxData");
    QVERIFY(rig.Setup()->isVisible());
    QCOMPARE(rig.Setup()->windowTitle(), QStringLiteral("Setup Parametri Ventora"));
    rig.Setup()->Box(SetupBox::HiWind)->setText(QStringLiteral("typed"));
    rig.RightClick("lblRain");  // brings up the same dialog, with what was typed
    QCOMPARE(rig.window->findChildren<frmWxSetup*>().size(), 1);
    QCOMPARE(rig.Setup()->Box(SetupBox::HiWind)->text(), QStringLiteral("typed"));
  }

  void setupFillsConfirmsAndReconnects() {
    Rig rig;
    rig.settings.SaveAlarms = true;
    rig.RightClick("lblWxData");
    frmWxSetup* dialog = rig.Setup();
    auto* call = dialog->findChild<QLineEdit*>("txtCall");
    QCOMPARE(call->text(), QStringLiteral("IW2XYZ"));
    QCOMPARE(call->selectedText(), QStringLiteral("IW2XYZ"));
    QVERIFY(dialog->findChild<QCheckBox*>("chkSaveAlm")->isChecked());
    QVERIFY(dialog->findChild<QPushButton*>("cmdAccept")->isDefault());
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdAccept"), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QVERIFY(dialog->SetupAcceptedOnce());
    QCOMPARE(rig.Connections(), 1);  // the first confirmation reconnects even unchanged
    rig.RightClick("lblWxData");
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdAccept"), Qt::LeftButton);
    QCOMPARE(rig.Connections(), 0);  // the second one leaves the connection alone
    rig.RightClick("lblWxData");
    call->setText(QStringLiteral("iw2xyz"));  // only letter case: same call after upper-casing
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdAccept"), Qt::LeftButton);
    QCOMPARE(rig.Connections(), 0);
    rig.RightClick("lblWxData");
    call->setText(QStringLiteral(" k1abc "));
    dialog->findChild<QCheckBox*>("chkSaveAlm")->setChecked(false);
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdAccept"), Qt::LeftButton);
    QCOMPARE(rig.Connections(), 1);
    QCOMPARE(rig.settings.StationCall, QStringLiteral("K1ABC"));
    QVERIFY(!rig.settings.SaveAlarms);
  }

  // The box limits hold for typing only: stored values longer than them are shown whole and
  // come back unchanged, while the user still cannot type a third humidity digit.
  void boxLimitsNeverCutStoredValues() {
    Rig rig;
    rig.settings.HiHum = 100;
    rig.settings.LoHum = -10;
    rig.settings.LoTemp = -100;
    const Settings before = rig.settings;
    rig.RightClick("lblWxData");
    frmWxSetup* dialog = rig.Setup();
    QCOMPARE(dialog->Box(SetupBox::HiHum)->text(), QStringLiteral("100"));
    QCOMPARE(dialog->Box(SetupBox::LoHum)->text(), QStringLiteral("-10"));
    QCOMPARE(dialog->Box(SetupBox::LoTemp)->text(), QStringLiteral("-100.0"));
    SaveShot(dialog, QStringLiteral("setup-long-limits"));
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdAccept"), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QVERIFY(SameAlarms(rig.settings, before));

    rig.RightClick("lblWxData");
    QLineEdit* hum = dialog->Box(SetupBox::HiHum);
    hum->setFocus();
    QTest::keyClick(hum, Qt::Key_End);
    QTest::keyClicks(hum, QStringLiteral("5"));  // a fourth character: refused
    QCOMPARE(hum->text(), QStringLiteral("100"));
    QTest::keyClick(hum, Qt::Key_Backspace);  // shortening is always allowed
    QCOMPARE(hum->text(), QStringLiteral("10"));
    hum->selectAll();
    QTest::keyClicks(hum, QStringLiteral("987"));
    QCOMPARE(hum->text(), QStringLiteral("98"));
    QLineEdit* temp = dialog->Box(SetupBox::LoTemp);
    temp->selectAll();
    QTest::keyClicks(temp, QStringLiteral("-12.345"));
    QCOMPARE(temp->text(), QStringLiteral("-12.3"));
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdAccept"), Qt::LeftButton);
    QCOMPARE(rig.settings.HiHum, int16_t(98));
    QCOMPARE(rig.settings.LoTemp, -12.3f);
  }

  // Whatever family stands in for the designed one, at the scale the test runs with (ctest runs
  // it at 1x, 1.5x and 2x), no caption runs under or touches the box beside it.
  // The dialog in imperial units: the limit typed is converted back, the others kept exactly.
  void imperialSetupConvertsOnlyWhatWasTyped() {
    Rig rig;
    rig.settings.Units = UnitSystem::Imperial;
    rig.settings.LoBaro = 1013.27f;
    rig.settings.HiRain24 = 33.33f;
    Settings expected = rig.settings;
    expected.LoTemp = 10;
    rig.RightClick("lblWxData");
    frmWxSetup* dialog = rig.Setup();
    QCOMPARE(dialog->Box(SetupBox::LoBaro)->text(), QStringLiteral("29.92"));
    dialog->Box(SetupBox::LoTemp)->setText(QStringLiteral("50.0"));
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdAccept"), Qt::LeftButton);
    QVERIFY(!dialog->isVisible());
    QVERIFY(SameAlarms(rig.settings, expected));
  }

  // In imperial units too, where the captions name the imperial units.
  void setupCaptionsFitTheirPlaces_data() {
    QTest::addColumn<UnitSystem>("units");
    QTest::addColumn<QString>("pressureCaption");
    QTest::newRow("metric") << UnitSystem::Metric << "mb  Hi";
    QTest::newRow("imperial") << UnitSystem::Imperial << "inHg Hi";
  }
  void setupCaptionsFitTheirPlaces() {
    constexpr int Gap = 2;  // pixels between a caption's end and the box after it
    QFETCH(UnitSystem, units);
    Rig rig;
    rig.settings.Units = units;
    rig.RightClick("lblWxData");
    QTEST(rig.Setup()->findChild<QLabel*>("Label9")->text(), "pressureCaption");
    SaveShot(rig.Setup(), QStringLiteral("setup-") + QTest::currentDataTag());
    const auto labels = rig.Setup()->findChildren<QLabel*>();
    QCOMPARE(labels.size(), 13);  // Label1 to Label13
    for (const QLabel* label : labels) {
      const int end = label->x() + label->fontMetrics().horizontalAdvance(label->text());
      QVERIFY2(end <= label->geometry().right() + 1,
               qPrintable(label->objectName() + u' ' + label->text()));
      for (const QLineEdit* box : label->parentWidget()->findChildren<QLineEdit*>()) {
        const bool beside = box->x() > label->x() && box->y() < label->geometry().bottom() &&
                            box->geometry().bottom() > label->y();
        QVERIFY2(!beside || end + Gap <= box->x(), qPrintable(QStringLiteral("%1 to %2, %3 from %4")
                                                                  .arg(label->text())
                                                                  .arg(end)
                                                                  .arg(box->objectName())
                                                                  .arg(box->x())));
      }
    }
  }

  void cancelAndRefusalChangeNothing() {
    Rig rig;
    const Settings before = rig.settings;
    rig.RightClick("lblWxData");
    frmWxSetup* dialog = rig.Setup();
    dialog->Box(SetupBox::HiTemp)->setText(QStringLiteral("35"));
    QTest::keyClick(dialog, Qt::Key_Escape);
    QVERIFY(!dialog->isVisible());
    QVERIFY(SameAlarms(rig.settings, before));
    rig.RightClick("lblWxData");
    QCOMPARE(dialog->Box(SetupBox::HiTemp)->text(), QStringLiteral("40.0"));  // stored value again
    dialog->findChild<QLineEdit*>("txtCall")->setText(QStringLiteral("K1ABC"));
    dialog->Box(SetupBox::LoBaro)->setText(QStringLiteral("abc"));
    dialog->Box(SetupBox::Port)->setText(QStringLiteral("99999"));
    QTest::mouseClick(dialog->findChild<QPushButton*>("cmdAccept"), Qt::LeftButton);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->focusWidget(), dialog->Box(SetupBox::LoBaro));
    QCOMPARE(dialog->Box(SetupBox::LoBaro)->selectedText(), QStringLiteral("abc"));
    QVERIFY(!dialog->Hint().isEmpty());
    QCOMPARE(rig.settings.StationCall, QStringLiteral("IW2XYZ"));
    QVERIFY(!dialog->SetupAcceptedOnce());
    QCOMPARE(rig.Connections(), 0);
  }

  void noCallOpensSetupModallyAtStartUp() {
    QTemporaryDir dir;
    Recorder r;
    Settings s;
    bool visibleBeforeDialog = true;
    frmWx* window = nullptr;
    r.answerModal = [&](QDialog* dialog) {
      visibleBeforeDialog = window->isVisible();
      QCOMPARE(dialog->findChild<QLineEdit*>("txtCall")->text(), QStringLiteral("NOCALL"));
      // No window to stand over yet: the dialog stands in the middle of the screen.
      const QPoint offCentre =
          dialog->frameGeometry().center() - dialog->screen()->availableGeometry().center();
      QVERIFY2(offCentre.manhattanLength() <= 1,
               qPrintable(QStringLiteral("%1, %2").arg(offCentre.x()).arg(offCentre.y())));
      dialog->reject();
    };
    frmWx w(s, TestSeams(r, dir.path()));
    window = &w;
    w.Form_Load(QString());
    QCOMPARE(r.modals, 1);
    QVERIFY(!visibleBeforeDialog);
    QCOMPARE(s.StationCall, QStringLiteral("NOCALL"));
  }

  void socketErrorOffersSetupUnlessVisible() {
    Rig rig;
    rig.window->Winsock1_Error(QStringLiteral("Connection refused"));
    QCOMPARE(rig.recorder.messages.last(),
             QStringLiteral("Errore collegamento con AGWPE | Connection refused"));
    QCOMPARE(rig.recorder.modals, 1);
    rig.RightClick("lblWxData");
    rig.window->Winsock1_Error(QStringLiteral("again"));
    QCOMPARE(rig.recorder.messages.size(), 2);
    QCOMPARE(rig.recorder.modals, 1);  // the open dialog is not shown a second time
  }

  void rxWindowToggles() {
    Rig rig;
    auto* list = rig.window->findChild<QListWidget*>("List2");
    QVERIFY(rig.window->OuterHeightTwips() != ExpandedHeight);
    QTest::mousePress(rig.Label("lblWxComment"), Qt::LeftButton);
    QVERIFY(list->isHidden());
    rig.RightClick("lblWxComment");
    QCOMPARE(rig.window->OuterHeightTwips(), ExpandedHeight);
    QVERIFY(list->isVisible());
    QVERIFY(rig.window->geometry().height() >= list->geometry().bottom());
    rig.RightClick("lblWxComment");
    QCOMPARE(rig.window->OuterHeightTwips(), CollapsedHeight);
    QVERIFY(list->isHidden());
    QVERIFY(rig.window->isVisible());  // a height change never sends the window to the tray
  }

  // The Rx window shows both lines whole in height, a long line cut at the right edge, and no
  // scroll bar over either of them.
  void rxWindowShowsBothLines() {
    Rig rig;
    AgwFrame frame;
    frame.kind = u'U';
    frame.callFrom = QStringLiteral("IW2XYZ");
    frame.data =
        " 1:Fm IW2XYZ To APWX01 Via WIDE1-1,WIDE2-1 <UI pid=F0 Len=60 >[12:00:00]\r"
        "!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW\r";
    rig.window->HandleAgwFrame(frame);
    rig.RightClick("lblWxComment");
    auto* list = rig.window->findChild<QListWidget*>("List2");
    QCOMPARE(list->count(), 2);
    QTRY_VERIFY(list->isVisible());
    const QRect viewport = list->viewport()->rect();
    for (int i = 0; i < list->count(); ++i) {
      const QRect item = list->visualItemRect(list->item(i));
      QVERIFY2(item.top() >= viewport.top() && item.bottom() <= viewport.bottom(),
               qPrintable(QStringLiteral("line %1 at %2..%3 of %4")
                              .arg(i)
                              .arg(item.top())
                              .arg(item.bottom())
                              .arg(viewport.height())));
      QVERIFY(item.height() >= list->fontMetrics().height());
    }
    QVERIFY(!list->horizontalScrollBar()->isVisible());
    QVERIFY(!list->verticalScrollBar()->isVisible());
    // Dark text on the yellow, and a line too long for the box ends in "…".
    const QPalette& pal = list->palette();
    const int contrast = pal.color(QPalette::Disabled, QPalette::Base).lightness() -
                         pal.color(QPalette::Disabled, QPalette::Text).lightness();
    QVERIFY2(contrast >= 128, qPrintable(QString::number(contrast)));
    QCOMPARE(list->textElideMode(), Qt::ElideRight);
    QVERIFY(list->geometry().bottom() < rig.window->height());
    SaveShot(rig.window.get(), QStringLiteral("rx-window"));
  }

  void closingTheWindowClosesTheDialog() {
    Rig rig;
    rig.RightClick("lblWxData");
    QVERIFY(rig.Setup()->isVisible());
    rig.window->close();
    QVERIFY(!rig.Setup()->isVisible());
  }

  void f1OpensHelpWithAnyModifier_data() {
    QTest::addColumn<int>("modifiers");
    QTest::newRow("F1") << int(Qt::NoModifier);
    QTest::newRow("Shift+F1") << int(Qt::ShiftModifier);
    QTest::newRow("Ctrl+Alt+F1") << int(Qt::ControlModifier | Qt::AltModifier);
  }
  void f1OpensHelpWithAnyModifier() {
    QFETCH(int, modifiers);
    Rig rig;
    WriteFile(rig.dir.filePath("Leggimi.rtf"), "{\\rtf1 Aiuto}");
    QTest::keyClick(rig.window.get(), Qt::Key_F1, Qt::KeyboardModifiers(modifiers));
    frmIstruzioni* help = rig.window->HelpWindow();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->windowTitle(), QStringLiteral(" Ventora - Istruzioni"));
    QTRY_COMPARE(help->Box()->toPlainText(), QStringLiteral("Aiuto"));
    QTest::keyClick(rig.window.get(), Qt::Key_F1);
    QCOMPARE(rig.window->findChildren<frmIstruzioni*>().size() + 0, 0);  // a window of its own
    QCOMPARE(rig.window->HelpWindow(), help);
    help->close();
  }

  void missingHelpSaysSoAndCloses() {
    Rig rig;  // its folder holds no help file, nor does the working folder
    const QString old = QDir::currentPath();
    QDir::setCurrent(rig.dir.path());
    rig.window->OpenHelp();
    QTRY_COMPARE(rig.recorder.messages.size(), 1);
    QDir::setCurrent(old);
    QCOMPARE(rig.recorder.messages[0],
             QStringLiteral("Brevander | Manca il file di help Leggimi.rtf"));
    QTRY_VERIFY(!rig.window->HelpWindow());
  }

  void helpIsFoundInWorkingFolderThenProgramFolder() {
    QTemporaryDir work;
    WriteFile(work.filePath("Leggimi.rtf"), "{\\rtf1 working}");
    const QString old = QDir::currentPath();
    QDir::setCurrent(work.path());
    {
      Rig rig;
      WriteFile(rig.dir.filePath("Leggimi.rtf"), "{\\rtf1 program}");
      rig.window->OpenHelp();
      QTRY_COMPARE(rig.window->HelpWindow()->Box()->toPlainText(), QStringLiteral("working"));
      rig.window->HelpWindow()->close();
      QFile::remove(work.filePath("Leggimi.rtf"));
      rig.window->OpenHelp();
      QTRY_COMPARE(rig.window->HelpWindow()->Box()->toPlainText(), QStringLiteral("program"));
      rig.window->HelpWindow()->close();
    }
    QDir::setCurrent(old);
  }

  // Installed system-wide the help file sits under share/, beside bin/: found after the
  // program's own folder.
  void helpIsFoundUnderShareOfASystemWideInstall() {
    QTemporaryDir prefix;
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("bin")));
    QVERIFY(QDir(prefix.path()).mkpath(QStringLiteral("share/ventora")));
    WriteFile(prefix.filePath("share/ventora/Leggimi.rtf"), "{\\rtf1 installed}");
    Recorder recorder;
    const WindowSeams seams = TestSeams(recorder, prefix.filePath("bin"));
    auto* help = new frmIstruzioni(seams, prefix.filePath("bin"));
    help->Apri(QStringLiteral("Leggimi.rtf"), QStringLiteral("Istruzioni"));
    QTRY_COMPARE(help->Box()->toPlainText(), QStringLiteral("installed"));
    help->close();
    WriteFile(prefix.filePath("bin/Leggimi.rtf"), "{\\rtf1 beside}");
    help = new frmIstruzioni(seams, prefix.filePath("bin"));
    help->Apri(QStringLiteral("Leggimi.rtf"), QStringLiteral("Istruzioni"));
    QTRY_COMPARE(help->Box()->toPlainText(), QStringLiteral("beside"));
    help->close();
    QVERIFY(recorder.messages.isEmpty());
  }

  void emptyHelpFileCountsAsPresent() {
    Rig rig;
    WriteFile(rig.dir.filePath("Leggimi.rtf"), "");
    QVERIFY(frmIstruzioni::FileExists(rig.dir.filePath("Leggimi.rtf")));
    QVERIFY(!frmIstruzioni::FileExists(rig.dir.filePath("none.rtf")));
    rig.window->OpenHelp();
    QTest::qWait(100);
    QVERIFY(rig.recorder.messages.isEmpty());
    QVERIFY(rig.window->HelpWindow()->isVisible());
    rig.window->HelpWindow()->close();
  }

  void helpBoxNeverShrinksBelowOnePixel() {
    Rig rig;
    WriteFile(rig.dir.filePath("Leggimi.rtf"), "{\\rtf1 x}");
    rig.window->OpenHelp();
    frmIstruzioni* help = rig.window->HelpWindow();
    help->resize(500, 300);
    // The box fills the window's client area, whatever the frame around it: no empty band.
    QCOMPARE(help->Box()->geometry(), help->rect());
    help->close();
    QCOMPARE(frmIstruzioni::BoxSizeFor(QSize(7, 27)), QSize(7, 27));
    QCOMPARE(frmIstruzioni::BoxSizeFor(QSize(0, 0)), QSize(1, 1));
  }
};

QTEST_MAIN(TestWindowCommands)
#include "test_window_commands.moc"
