#include <QtTest>
#include <clocale>

#include "number_text.h"

class TestNumberText : public QObject {
  Q_OBJECT
 private slots:
  void readsLeadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("point decimal") << "1013.2" << 1013.2;
    QTest::newRow("comma stops the number") << "1013,2" << 1013.0;
    QTest::newRow("letters after digits") << "8000abc" << 8000.0;
    QTest::newRow("letters only") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blanks inside are skipped") << " 1 2 3" << 123.0;
    QTest::newRow("sign and exponent") << "-1.5e2" << -150.0;
    QTest::newRow("D exponent") << "2D3" << 2000.0;
    QTest::newRow("dangling exponent") << "7e" << 7.0;
    QTest::newRow("plus sign") << "+12" << 12.0;
    QTest::newRow("leading point") << ".5" << 0.5;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("sign only") << "-" << 0.0;
  }
  void readsLeadingNumber() {
    QFETCH(QString, text);
    QTEST(ReadLeadingNumber(text), "value");
  }

  void ignoresTheCLocale() {
    // Under an Italian C locale strtod would read "1013.2" as 1013.
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const QByteArray saved = old ? QByteArray(old) : QByteArray("C");
    if (!std::setlocale(LC_NUMERIC, "it_IT.UTF-8")) std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    const double v = ReadLeadingNumber(u"1013.2");
    const QString written = FormatPlainNumber(12.5f);
    std::setlocale(LC_NUMERIC, saved.constData());
    QCOMPARE(v, 1013.2);
    QCOMPARE(written, QStringLiteral("12.5"));
  }

  void roundsHalvesToEven_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("whole");
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("3.5") << 3.5 << 4;
    QTest::newRow("96.5") << 96.5 << 96;
    QTest::newRow("97.5") << 97.5 << 98;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-1.5") << -1.5 << -2;
    QTest::newRow("77.4") << 77.4 << 77;
  }
  void roundsHalvesToEven() {
    QFETCH(double, x);
    QTEST(int(*ToInt16(x)), "whole");
  }

  void int16Range() {
    QCOMPARE(*ToInt16(32767.4), int16_t(32767));
    QVERIFY(!ToInt16(32767.5));
    QCOMPARE(*ToInt16(-32768.5), int16_t(-32768));
    QVERIFY(!ToInt16(-32769));
    QVERIFY(!ToInt16(40000));
    QVERIFY(!ToInt16(std::nan("")));
  }

  void formatsPlainNumbers_data() {
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("single precision 12.3 is written as typed") << 12.3f << "12.3";
    QTest::newRow("whole") << 40.0f << "40";
    QTest::newRow("negative whole") << -5.0f << "-5";
    QTest::newRow("below one") << 0.5f << "0.5";
    QTest::newRow("small negative") << -0.25f << "-0.25";
    QTest::newRow("seven digits") << 1234.567f << "1234.567";
    QTest::newRow("eighth digit rounded") << 1013.2501f << "1013.25";
    QTest::newRow("large, no exponent") << 1e8f << "100000000";
    QTest::newRow("tiny, no exponent") << 1.5e-5f << "0.000015";
    QTest::newRow("zero") << 0.0f << "0";
    QTest::newRow("negative zero") << -0.0f << "0";
  }
  void formatsPlainNumbers() {
    QFETCH(float, value);
    QTEST(FormatPlainNumber(value), "text");
  }
};

QTEST_APPLESS_MAIN(TestNumberText)
#include "test_number_text.moc"
