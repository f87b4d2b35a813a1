#include <QtTest>
#include <cstdint>

#include "number_format.h"
#include "number_format_cases.h"

// NumberFormat must write exactly what QLocale writes: checked differentially.
class TestNumberFormat : public QObject {
  Q_OBJECT
 private slots:
  void locales_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("native");
    for (const char* name : {"C", "en_US", "it_IT", "de_DE", "fr_FR", "de_CH"})
      QTest::newRow(name) << QString::fromLatin1(name) << true;
    // Others go to QLocale: different minimum grouping, digits or separators.
    for (const char* name : {"es_ES", "sv_SE", "ar_EG", "hi_IN"})
      QTest::newRow(name) << QString::fromLatin1(name) << false;
  }
  void locales() {
    QFETCH(QString, locale);
    QFETCH(bool, native);
    const QLocale qlocale(locale);
    const NumberFormat format(qlocale);
    QCOMPARE(format.Native(), native);
    for (int i = INT16_MIN; i <= INT16_MAX; ++i)
      for (int decimals : {0, 1})
        QCOMPARE(format.Fixed(i, decimals), qlocale.toString(double(i), 'f', decimals));
    std::mt19937 rng(12345);
    for (unsigned k = 0; k < 60000; ++k) {
      const double x = NumberFormatCase(rng, k);
      for (int decimals : {0, 1, 2}) {
        const QString expected = qlocale.toString(x, 'f', decimals);
        if (format.Fixed(x, decimals) != expected)
          QFAIL(qPrintable(QStringLiteral("%1 with %2 decimals: %3, QLocale %4")
                               .arg(x, 0, 'g', 17)
                               .arg(decimals)
                               .arg(format.Fixed(x, decimals), expected)));
      }
    }
  }

  void namedValues_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("half away from zero") << "C" << 2.5 << 0 << "3";
    QTest::newRow("negative half") << "C" << -0.5 << 0 << "-1";
    QTest::newRow("tie at one decimal") << "it_IT" << 0.25 << 1 << "0,3";
    QTest::newRow("negative zero has no sign") << "C" << -0.0 << 1 << "0.0";
    QTest::newRow("rounds to zero keeps the sign") << "C" << -0.04 << 1 << "-0.0";
    QTest::newRow("Italian groups") << "it_IT" << 1013.25 << 1 << "1.013,3";
    QTest::newRow("C does not group") << "C" << 1013.25 << 1 << "1013.3";
    QTest::newRow("Swiss apostrophe") << "de_CH" << 1013.25 << 1 << QStringLiteral("1\u2019013.3");
    QTest::newRow("French narrow space")
        << "fr_FR" << -1234567.5 << 1 << QStringLiteral("-1\u202F234\u202F567,5");
  }
  void namedValues() {
    QFETCH(QString, locale);
    QFETCH(double, x);
    QFETCH(int, decimals);
    QTEST(NumberFormat(QLocale(locale)).Fixed(x, decimals), "text");
  }
};

QTEST_APPLESS_MAIN(TestNumberFormat)
#include "test_number_format.moc"
