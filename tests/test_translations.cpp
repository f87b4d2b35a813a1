// The English translation: every text the sources mark for translation has a finished English
// one with the same placeholders, and the English shows whole where the windows give it a fixed
// room.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

#include "fitted_label.h"
#include "generated_weather.h"
#include "history_file_place.h"
#include "main_window.h"
#include "rtf_reader.h"
#include "table_text.h"
#include "test_support.h"
#include "window_seams_recorder.h"

namespace {

const QString SourceTs = QStringLiteral(VENTORA_SOURCE_DIR "/translations/ventora_en.ts");

struct Message {
  QString context, source, translation;
  QString type;  // "unfinished", "vanished", "obsolete"; empty when finished
};

QList<Message> ReadTs(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  QXmlStreamReader xml(&file);
  QList<Message> messages;
  QString context;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == u"name") {
      context = xml.readElementText();
    } else if (xml.name() == u"message") {
      messages.append({context, {}, {}, {}});
    } else if (xml.name() == u"source" && !messages.isEmpty()) {
      messages.last().source = xml.readElementText();
    } else if (xml.name() == u"translation" && !messages.isEmpty()) {
      messages.last().type = xml.attributes().value(QLatin1String("type")).toString();
      messages.last().translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
    }
  }
  return xml.hasError() ? QList<Message>() : messages;
}

// The places where arguments go, in order of their numbers: %1, %L2, ...
QStringList Placeholders(const QString& text) {
  static const QRegularExpression mark(QStringLiteral("%L?[1-9][0-9]?"));
  QStringList found;
  for (const QRegularExpressionMatch& m : mark.globalMatch(text)) found << m.captured();
  found.sort();
  return found;
}

// The file as lupdate makes it from today's sources: texts marked since it was written come in
// unfinished, texts no longer in the sources stay as vanished.
QString UpdatedTs(const QTemporaryDir& dir) {
#ifdef VENTORA_LUPDATE
  const QString copy = dir.filePath(QStringLiteral("ventora_en.ts"));
  if (!QFile::copy(SourceTs, copy)) return {};
  QProcess lupdate;
  lupdate.setWorkingDirectory(QStringLiteral(VENTORA_SOURCE_DIR));
  lupdate.start(QStringLiteral(VENTORA_LUPDATE),
                {QStringLiteral("src"), QStringLiteral("tools"), QStringLiteral("-ts"), copy,
                 QStringLiteral("-source-language"), QStringLiteral("it"),
                 QStringLiteral("-target-language"), QStringLiteral("en")});
  const bool ran = lupdate.waitForFinished(120000) &&
                   lupdate.exitStatus() == QProcess::NormalExit && lupdate.exitCode() == 0;
  return ran ? copy : QString();
#else
  Q_UNUSED(dir);  // a cross build has no lupdate it can run: the file is checked as it is
  return SourceTs;
#endif
}

QFont ShownFont(const QLabel* label) {
  const auto* fitted = qobject_cast<const FittedLabel*>(label);
  return fitted ? fitted->ShownFont() : label->font();
}

// Why the control's text does not show whole in its fixed room, or nothing when it does: a
// label's in the font it is drawn in; beside a check box's text is its indicator; a group box's
// title and a button's text keep a margin either side.
std::optional<QString> TextCut(const QWidget* w) {
  const QStyle* style = w->style();
  QString text;
  int room = 0;
  if (const auto* label = qobject_cast<const QLabel*>(w)) {
    const auto* fitted = qobject_cast<const FittedLabel*>(label);
    text = fitted ? fitted->ShownText() : label->text();
    room = label->contentsRect().width();
    if (text != label->text()) return label->objectName() + QStringLiteral(" cut: ") + text;
  } else if (const auto* box = qobject_cast<const QCheckBox*>(w)) {
    text = box->text();
    room = box->width() - style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w) -
           style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
  } else if (const auto* button = qobject_cast<const QPushButton*>(w)) {
    text = button->text();
    room = button->width() - 2 * style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w);
  } else if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
    text = group->title();
    room = group->width() - 2 * style->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, w);
  } else {
    return QStringLiteral("%1: not a control with a text").arg(w->objectName());
  }
  const auto* label = qobject_cast<const QLabel*>(w);
  const QFontMetrics metrics(label ? ShownFont(label) : w->font(), w);
  const int advance = metrics.horizontalAdvance(QString(text).remove(u'&'));
  if (advance <= room) return std::nullopt;
  return QStringLiteral("%1 \"%2\": %3 px in %4").arg(w->objectName(), text).arg(advance).arg(room);
}

// A started window on a folder of its own; no engine: frames are handed to it.
struct Rig {
  QTemporaryDir dir;
  Recorder recorder;
  Settings settings;
  std::unique_ptr<frmWx> window;

  Rig() {
    window = std::make_unique<frmWx>(settings, TestSeams(recorder, dir.path()));
    window->Form_Load(QStringLiteral("iw2xyz"));
    window->Winsock1().Close();
    window->show();
  }
};

}  // namespace

class TestTranslations : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QList<Message> messages_;
  QTranslator english_;

 private slots:
  void initTestCase() {
    messages_ = ReadTs(UpdatedTs(dir_));
    QVERIFY2(!messages_.isEmpty(), "the translation file could not be brought up to date and read");
    QVERIFY(english_.load(QStringLiteral("ventora_en"), QStringLiteral(":/translations")));
    QCoreApplication::installTranslator(&english_);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
  }

  void everyTextHasItsEnglish_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("translation");
    QTest::addColumn<QString>("type");
    for (const Message& m : messages_)
      QTest::newRow(qPrintable(m.context + u' ' + m.source.left(40).replace(u'\n', u' ')))
          << m.source << m.translation << m.type;
  }
  void everyTextHasItsEnglish() {
    QFETCH(QString, source);
    QFETCH(QString, translation);
    QFETCH(QString, type);
    QVERIFY2(type.isEmpty(), qPrintable(type));
    QVERIFY(!translation.isEmpty());
    QCOMPARE(Placeholders(translation), Placeholders(source));
  }

  void setupDialogShowsItsEnglishWhole() {
    Rig rig;
    QTest::mousePress(rig.window->findChild<QLabel*>("lblWxData"), Qt::RightButton);
    auto* dialog = rig.window->findChild<frmWxSetup*>("frmWxSetup");
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->findChild<QPushButton*>("cmdCancel")->text(), QStringLiteral("&Cancel"));
    SaveShot(dialog, QStringLiteral("en-setup"));
    QStringList cut;
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
      const bool hasText = qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ||
                           qobject_cast<QGroupBox*>(w);
      if (const auto why = hasText ? TextCut(w) : std::nullopt) cut << *why;
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
  }

  void mainWindowShowsItsEnglishWhole() {
    Rig rig;
    frmWx& w = *rig.window;
    QCOMPARE(w.findChild<QLabel*>("lblCardinals_1")->text(), QStringLiteral("W"));
    // The engine's version on the status line, the radio ports over the rain.
    w.HandleAgwFrame(AgwFrame{QChar('R'), QString(), QByteArray("\xd0\x07\0\0\x0f\0\0\0", 8)});
    w.HandleAgwFrame(AgwFrame{QChar('G'), QString(), QByteArray("2;Port1 VHF;Port2 UHF;")});
    SaveShot(&w, QStringLiteral("en-main"));
    QStringList cut;
    for (const char* name :
         {"lblCardinals_0", "lblCardinals_1", "lblCardinals_2", "lblCardinals_3", "lblWxComment"})
      if (const auto why = TextCut(w.findChild<QLabel*>(name))) cut << *why;
    // The status line while the engine is away, with the seconds of a near attempt.
    EngineOutage outage;
    const QString waiting =
        outage.OnWait(QDateTime::currentDateTime(), 5000, QString(), QStringLiteral("IW2XYZ"))
            .statusLine;
    QVERIFY2(waiting.size() <= StatusLineChars, qPrintable(waiting));
    w.findChild<QLabel*>("lblWxComment")->setText(waiting);
    if (const auto why = TextCut(w.findChild<QLabel*>("lblWxComment"))) cut << *why;
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
  }

  // The controls above the chart are laid out: each must get the width its text asks for.
  void historyWindowShowsItsEnglishWhole() {
    Rig rig;
    {
      auto store = OpenHistory(rig.dir.filePath(HistoryFileName)).store;
      QVERIFY(store);
      GeneratedWeather weather;
      const int64_t now = QDateTime::currentSecsSinceEpoch();
      QString error;
      for (int m = 24 * 60; m > 0; m -= 5) QVERIFY(store->Store(weather.Row(now - m * 60), error));
    }
    rig.window->OpenHistoryWindow(HistoryQuantity::Wind);
    frmStorico* history = rig.window->HistoryWindow();
    QSignalSpy drawn(history, &frmStorico::refreshed);
    history->Refresh();
    QVERIFY(drawn.wait());
    QCOMPARE(history->windowTitle(), QStringLiteral("Weather history IW2XYZ"));
    SaveShot(history, QStringLiteral("en-history-wind"));
    QStringList cut;
    for (QWidget* w : history->findChildren<QWidget*>()) {
      const bool laidOut = qobject_cast<QTabBar*>(w) || qobject_cast<QComboBox*>(w) ||
                           qobject_cast<QPushButton*>(w) ||
                           (qobject_cast<QLabel*>(w) && w->objectName().isEmpty());
      if (laidOut && w->width() < w->sizeHint().width())
        cut << QStringLiteral("%1: %2 px of %3")
                   .arg(w->metaObject()->className())
                   .arg(w->width())
                   .arg(w->sizeHint().width());
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    history->ShowQuantity(HistoryQuantity::Rain);
    history->ShowSpan(HistorySpan::Week);
    QVERIFY(drawn.wait());
    SaveShot(history, QStringLiteral("en-history-rain-7d"));
  }

  // The summary of a generated year: the tables' texts and the controls above them whole. Its
  // picture is the README's.
  void summaryShowsItsEnglishWhole() {
    Rig rig;
    {
      auto store = OpenHistory(rig.dir.filePath(HistoryFileName)).store;
      QVERIFY(store);
      QVERIFY(StoreGeneratedYear(*store, QDateTime::currentSecsSinceEpoch()));
    }
    rig.window->OpenHistoryWindow(HistoryQuantity::Temperature);
    frmStorico* history = rig.window->HistoryWindow();
    history->resize(1000, 760);  // as on a screen that has the room
    history->ShowSummary();      // read on the history's thread, the answer to come
    QSignalSpy shown(history->Summary(), &SummaryView::refreshed);
    QVERIFY(shown.wait());
    auto* tabs = history->findChild<QTabBar*>("tabQuantity");
    QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("Summary"));
    QStringList cut;
    for (const char* name : {"tblDays", "tblTotals", "tblRecords"})
      cut << TextsCut(history->findChild<QTableWidget*>(name));
    for (QWidget* w : history->Summary()->findChildren<QWidget*>()) {
      const bool laidOut =
          qobject_cast<QComboBox*>(w) || qobject_cast<QPushButton*>(w) || qobject_cast<QLabel*>(w);
      if (laidOut && w->isVisible() && w->width() < w->sizeHint().width())
        cut << QStringLiteral("%1: %2 px of %3")
                   .arg(w->objectName())
                   .arg(w->width())
                   .arg(w->sizeHint().width());
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(u'\n')));
    SaveShot(history, QStringLiteral("en-summary"));
  }

  // The English help reads with Ventora's own RTF reader: the Italian one's paragraphs, no control
  // word left.
  void englishHelpReads() {
    Recorder recorder;
    auto* help = new frmIstruzioni(TestSeams(recorder, dir_.path()), dir_.path());
    help->Apri(QStringLiteral(VENTORA_SOURCE_DIR "/resources/ReadMe.rtf"),
               QStringLiteral("Ventora - Help"));
    QFile italian(QStringLiteral(VENTORA_SOURCE_DIR "/resources/Leggimi.rtf"));
    QVERIFY(italian.open(QIODevice::ReadOnly));
    QTextDocument paragraphs;
    ReadRtf(italian.readAll(), &paragraphs);
    QTRY_COMPARE(help->Box()->document()->blockCount(), paragraphs.blockCount());
    const QString text = help->Box()->toPlainText();
    QVERIFY(recorder.messages.isEmpty());
    QVERIFY2(!text.contains(u'\\') && !text.contains(u'{'), qPrintable(text));
    QVERIFY(text.startsWith(QStringLiteral("Ventora - Help\n")));
    QVERIFY(text.contains(QStringLiteral("temperature (\u00B0C)")));
    QVERIFY(text.contains(QStringLiteral("g/m\u00B3")));
    SaveShot(help, QStringLiteral("en-help"));
    help->close();
  }
};

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
