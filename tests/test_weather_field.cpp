#include <QtTest>

#include "weather_field.h"

class TestWeatherField : public QObject {
  Q_OBJECT
 private slots:
  void reads_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("letter");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("rest");
    QTest::newRow("temperature cut out") << "g005t077r000" << QChar('t') << 3 << 77 << "g005r000";
    QTest::newRow("pressure grows to five digits")
        << "h50b10132" << QChar('b') << 4 << 10132 << "h50";
    QTest::newRow("humidity stops at a letter") << "h50b10132" << QChar('h') << 2 << 50 << "b10132";
    QTest::newRow("h00 reads 0") << "h00" << QChar('h') << 2 << 0 << "";
    QTest::newRow("h100 grows") << "h100x" << QChar('h') << 2 << 100 << "x";
    QTest::newRow("negative temperature") << "t-05r000" << QChar('t') << 3 << -5 << "r000";
    QTest::newRow("plus sign") << "v+12" << QChar('v') << 3 << 12 << "";
    QTest::newRow("dotted field is cut, missing")
        << "g...t077" << QChar('g') << 3 << -9999 << "t077";
    QTest::newRow("blank field stays") << "g   t077" << QChar('g') << 3 << -9999 << "g   t077";
    QTest::newRow("short field at the end") << "t077h5" << QChar('h') << 2 << 5 << "t077";
    QTest::newRow("letter at the very end") << "t077h" << QChar('h') << 2 << -9999 << "t077h";
    QTest::newRow("letter absent") << "t077" << QChar('b') << 4 << -9999 << "t077";
    QTest::newRow("case matters") << "p000P012" << QChar('P') << 3 << 12 << "p000";
    QTest::newRow("first occurrence hides a later field")
        << "RSWb10132" << QChar('S') << 3 << -9999 << "RSWb10132";
    QTest::newRow("fraction rounds half to even") << "t77.5x" << QChar('t') << 3 << 78 << "x";
    QTest::newRow("fraction 76.5 to even") << "t76.5x" << QChar('t') << 3 << 76 << "x";
    QTest::newRow("two dots are not shorter than width")
        << "g..t077" << QChar('g') << 3 << -9999 << "g..t077";
    QTest::newRow("beyond 16 bits counts as missing and is cut")
        << "t99999r000" << QChar('t') << 3 << -9999 << "r000";
    QTest::newRow("largest 16-bit value") << "b32767x" << QChar('b') << 4 << 32767 << "x";
    QTest::newRow("trailing blank in the slice") << "t77 r000" << QChar('t') << 3 << 77 << "r000";
    QTest::newRow("sign alone is not numeric") << "t-  " << QChar('t') << 3 << -9999 << "t-  ";
  }
  void reads() {
    QFETCH(QString, text);
    QFETCH(QChar, letter);
    QFETCH(int, width);
    QTEST(int(ReadWeatherField(text, letter, width)), "value");
    QTEST(text, "rest");
  }

  void acceptsUserDecimalSeparator() {
    QString text = QStringLiteral("t7,5x");
    QCOMPARE(ReadWeatherField(text, u't', 3, u','), int16_t(7));  // the value reads "." only
    QCOMPARE(text, QStringLiteral("x"));
    QVERIFY(IsNumericText(u" 1,5 ", u','));
    QVERIFY(!IsNumericText(u"1,5", u'.'));
  }

  void numericTexts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::newRow("digits") << "077" << true;
    QTest::newRow("blanks around") << " 77 " << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blanks") << "   " << false;
    QTest::newRow("dots") << "..." << false;
    QTest::newRow("point only") << "." << false;
    QTest::newRow("leading point") << ".5" << true;
    QTest::newRow("trailing point") << "5." << true;
    QTest::newRow("two points") << "1.2.3" << false;
    QTest::newRow("inner blank") << "1 2" << false;
    QTest::newRow("sign") << "-05" << true;
    QTest::newRow("letter") << "0a5" << false;
  }
  void numericTexts() {
    QFETCH(QString, text);
    QTEST(IsNumericText(text), "numeric");
  }

  void longDigitRunIsLinear() {
    QString text = QStringLiteral("t") + QString(30000, u'1');
    QCOMPARE(ReadWeatherField(text, u't', 3), MissingField);
    QVERIFY(text.isEmpty());
  }
};

QTEST_APPLESS_MAIN(TestWeatherField)
#include "test_weather_field.moc"
