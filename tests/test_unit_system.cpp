#include <QtTest>

#include "unit_system.h"

Q_DECLARE_METATYPE(Quantity)

class TestUnitSystem : public QObject {
  Q_OBJECT
 private slots:
  // Checked against the published definitions, not against the table's own factors.
  void imperialAgreesWithThePublishedFactors_data() {
    QTest::addColumn<Quantity>("quantity");
    QTest::addColumn<double>("metric");
    QTest::addColumn<double>("imperial");
    QTest::newRow("freezing") << Quantity::Temperature << 0.0 << 32.0;
    QTest::newRow("boiling") << Quantity::Temperature << 100.0 << 212.0;
    QTest::newRow("the scales meet at -40") << Quantity::Temperature << -40.0 << -40.0;
    QTest::newRow("a winter night") << Quantity::Temperature << -12.5 << 9.5;
    QTest::newRow("calm wind") << Quantity::Speed << 0.0 << 0.0;
    QTest::newRow("one mile an hour") << Quantity::Speed << 1.609344 << 1.0;
    QTest::newRow("a gale") << Quantity::Speed << 100.0 << 62.13711922373339;
    QTest::newRow("one inch of rain") << Quantity::Rain << 25.4 << 1.0;
    QTest::newRow("no rain") << Quantity::Rain << 0.0 << 0.0;
    QTest::newRow("one inch of mercury") << Quantity::Pressure << 33.8639 << 1.0;
    QTest::newRow("standard sea level") << Quantity::Pressure << 1013.25 << 29.921244;
  }
  void imperialAgreesWithThePublishedFactors() {
    QFETCH(Quantity, quantity);
    QFETCH(double, metric);
    QFETCH(double, imperial);
    QVERIFY(qAbs(ToShown(UnitSystem::Imperial, quantity, metric) - imperial) < 1e-4);
    QVERIFY(qAbs(ToMetric(UnitSystem::Imperial, quantity, imperial) - metric) < 1e-4);
  }

  void metricIsShownAsDecoded() {
    for (Quantity q :
         {Quantity::Temperature, Quantity::Speed, Quantity::Pressure, Quantity::Rain}) {
      QCOMPARE(ToShown(UnitSystem::Metric, q, -7.25), -7.25);
      QCOMPARE(ToMetric(UnitSystem::Metric, q, 1013.2), 1013.2);
    }
  }

  void symbolsAndDecimals_data() {
    QTest::addColumn<int>("system");
    QTest::addColumn<Quantity>("quantity");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<int>("decimals");
    const int m = int(UnitSystem::Metric), i = int(UnitSystem::Imperial);
    QTest::newRow("°C") << m << Quantity::Temperature << QStringLiteral("\u00B0C") << 1;
    QTest::newRow("km/h") << m << Quantity::Speed << QStringLiteral("km/h") << 0;
    QTest::newRow("mb") << m << Quantity::Pressure << QStringLiteral("mb") << 1;
    QTest::newRow("mm") << m << Quantity::Rain << QStringLiteral("mm") << 0;
    QTest::newRow("°F") << i << Quantity::Temperature << QStringLiteral("\u00B0F") << 1;
    QTest::newRow("mph") << i << Quantity::Speed << QStringLiteral("mph") << 0;
    QTest::newRow("inHg") << i << Quantity::Pressure << QStringLiteral("inHg") << 2;
    QTest::newRow("in") << i << Quantity::Rain << QStringLiteral("in") << 2;
  }
  void symbolsAndDecimals() {
    QFETCH(int, system);
    QFETCH(Quantity, quantity);
    QFETCH(QString, symbol);
    QFETCH(int, decimals);
    const ShownUnit& unit = UnitOf(static_cast<UnitSystem>(system), quantity);
    QCOMPARE(unit.symbol, symbol);
    QCOMPARE(unit.decimals, decimals);
  }
};

QTEST_APPLESS_MAIN(TestUnitSystem)
#include "test_unit_system.moc"
