#include <QTextBlock>
#include <QTextCursor>
#include <QtTest>

#include "rtf_reader.h"
#include "test_support.h"

namespace {

QString PlainText(const QByteArray& rtf) {
  QTextDocument doc;
  ReadRtf(rtf, &doc);
  return doc.toPlainText();
}

// The character format at the first occurrence of `text`.
QTextCharFormat FormatOf(QTextDocument& doc, const QString& text) {
  QTextCursor c = doc.find(text, 0, QTextDocument::FindCaseSensitively);
  if (c.isNull()) return {};
  c.setPosition(c.selectionStart() + 1);
  return c.charFormat();
}

QByteArray ReadData(const char* name) {
  QFile f(TestDataPath(name));
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class TestRtfReader : public QObject {
  Q_OBJECT
 private slots:
  void text_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << QByteArray("{\\rtf1\\ansi Hello}") << "Hello";
    QTest::newRow("par and line") << QByteArray("{\\rtf1 a\\par b\\line c}") << "a\nb\nc";
    QTest::newRow("tab") << QByteArray("{\\rtf1 a\\tab b}") << "a\tb";
    QTest::newRow("escaped braces and backslash")
        << QByteArray("{\\rtf1 \\{x\\} \\\\}") << "{x} \\";
    QTest::newRow("hex in Windows-1252")
        << QByteArray("{\\rtf1 perch\\'e8 25\\'b0 \\'80}") << "perch\u00E8 25\u00B0 \u20AC";
    QTest::newRow("unicode skips its fallback")
        << QByteArray("{\\rtf1 \\u8364?x \\uc2\\u945\\'3f\\'3fy}") << "\u20ACx \u03B1y";
    QTest::newRow("negative unicode") << QByteArray("{\\rtf1 \\u-3913?}") << "\uF0B7";
    QTest::newRow("symbols")
        << QByteArray("{\\rtf1 \\bullet\\emdash\\endash\\lquote\\rquote\\ldblquote\\rdblquote}")
        << "\u2022\u2014\u2013\u2018\u2019\u201C\u201D";
    QTest::newRow("starred destination skipped")
        << QByteArray("{\\rtf1 a{\\*\\generator Writer;}{\\*\\unknown x}b}") << "ab";
    QTest::newRow("tables and info skipped")
        << QByteArray(
               "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red1\\green2\\blue3;}"
               "{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}}x}")
        << "x";
    QTest::newRow("picture skipped") << QByteArray("{\\rtf1 a{\\pict\\pngblip 89504e47}b}") << "ab";
    QTest::newRow("field result shown, instruction not")
        << QByteArray("{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}") << "link";
    QTest::newRow("line ends in the source are ignored") << QByteArray("{\\rtf1 a\r\nb}") << "ab";
    QTest::newRow("not rtf at all") << QByteArray("just text") << "just text";
    QTest::newRow("empty file") << QByteArray() << "";
  }
  void text() {
    QFETCH(QByteArray, rtf);
    QTEST(PlainText(rtf), "text");
  }

  void characterFormats() {
    QTextDocument doc;
    ReadRtf(
        "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}{\\colortbl;\\red255\\green0\\blue0;"
        "\\red0\\green0\\blue255;}\\f0\\fs20 n {\\b bold} {\\i it} {\\ul un} {\\strike st} "
        "{\\cf1 red} {\\highlight2 hi} {\\f1\\fs40 big} {\\b\\i both\\plain plain}}",
        &doc);
    QCOMPARE(FormatOf(doc, "bold").fontWeight(), int(QFont::Bold));
    QCOMPARE(FormatOf(doc, "n").fontWeight(), int(QFont::Normal));
    QVERIFY(FormatOf(doc, "it").fontItalic());
    QVERIFY(FormatOf(doc, "un").fontUnderline());
    QVERIFY(FormatOf(doc, "st").fontStrikeOut());
    QCOMPARE(FormatOf(doc, "red").foreground().color(), QColor(255, 0, 0));
    QCOMPARE(FormatOf(doc, "hi").background().color(), QColor(0, 0, 255));
    QCOMPARE(FormatOf(doc, "big").fontPointSize(), 20.0);
    QCOMPARE(FormatOf(doc, "big").fontFamilies().toStringList(), QStringList{"Courier New"});
    QCOMPARE(FormatOf(doc, "n").fontPointSize(), 10.0);
    QVERIFY(!FormatOf(doc, "plain").fontItalic());
    QCOMPARE(FormatOf(doc, "plain").fontWeight(), int(QFont::Normal));
  }

  void paragraphFormats() {
    QTextDocument doc;
    ReadRtf(
        "{\\rtf1\\qc centre\\par\\pard\\qr right\\par\\pard\\qj just\\par"
        "\\pard\\li720\\ri360\\fi-360 indented\\par\\pard left}",
        &doc);
    QCOMPARE(doc.blockCount(), 5);
    QCOMPARE(doc.findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
             Qt::AlignHCenter);
    QCOMPARE(doc.findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
             Qt::AlignRight);
    QCOMPARE(doc.findBlockByNumber(2).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
             Qt::AlignJustify);
    const QTextBlockFormat indented = doc.findBlockByNumber(3).blockFormat();
    QCOMPARE(indented.leftMargin(), 36.0);
    QCOMPARE(indented.rightMargin(), 18.0);
    QCOMPARE(indented.textIndent(), -18.0);
    QCOMPARE(doc.findBlockByNumber(4).blockFormat().leftMargin(), 0.0);
  }

  void libreOfficeFiles() {
    QTextDocument doc;
    ReadRtf(ReadData("rtf/libreoffice-sample.rtf"), &doc);
    const QString text = doc.toPlainText();
    QVERIFY2(text.contains(QStringLiteral("Titolo della prova")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("àèéìòù, gradi 25°C, g/m³, euro €")));
    QVERIFY(text.contains(QStringLiteral("“doppie” e ‘singole’ — trattino lungo – medio")));
    QVERIFY(text.contains(QStringLiteral("αβγ")));
    QVERIFY(text.contains(QStringLiteral("\u2022\tPrimo punto")));
    QVERIFY(!text.contains(QStringLiteral("Times New Roman")));  // the font table is not text
    QCOMPARE(FormatOf(doc, "grassetto").fontWeight(), int(QFont::Bold));
    QVERIFY(FormatOf(doc, "corsivo").fontItalic());
    QCOMPARE(FormatOf(doc, "Rosso").foreground().color(), QColor(255, 0, 0));
    QCOMPARE(doc.find("A destra").block().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
             Qt::AlignRight);

    QTextDocument help;
    ReadRtf(ReadData("rtf/libreoffice-leggimi.rtf"), &help);
    QVERIFY(help.toPlainText().contains(QStringLiteral("La finestra di Setup")));
    QCOMPARE(FormatOf(help, "La finestra di Setup").fontWeight(), int(QFont::Bold));
  }

  void malformedInputIsShownAsFarAsRead_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("contains");
    QTest::newRow("unclosed groups") << QByteArray("{\\rtf1 {\\b abc") << "abc";
    QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}}} b") << "a";
    QTest::newRow("truncated control word") << QByteArray("{\\rtf1 ok\\") << "ok";
    QTest::newRow("truncated hex") << QByteArray("{\\rtf1 ok\\'e") << "ok";
    QTest::newRow("huge numbers") << QByteArray("{\\rtf1\\fs999999999999999\\u99999999999?ok}")
                                  << "\uFFFDok";
    QTest::newRow("huge colour index")
        << QByteArray("{\\rtf1{\\colortbl;\\red9999999\\green-5\\blue1;}\\cf2147483647 ok}")
        << "ok";
    QTest::newRow("very long control word")
        << QByteArray("{\\rtf1\\") + QByteArray(100000, 'a') + " ok}"
        << "ok";
    QTest::newRow("deep nesting") << QByteArray(200000, '{') + "deep" + QByteArray(200000, '}')
                                  << "deep";
  }
  void malformedInputIsShownAsFarAsRead() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, contains);
    const QString text = PlainText(rtf);
    QVERIFY2(text.contains(contains), qPrintable(text.left(200)));
  }
};

QTEST_MAIN(TestRtfReader)
#include "test_rtf_reader.moc"
