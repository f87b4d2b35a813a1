#include <QtTest>
#include <cmath>

#include "derived_values.h"

namespace {
constexpr float Mph = 1.609347f;
float Celsius(int fahrenheit) {
  return float((fahrenheit - 32) * 0.5555555555555556);
}
double OneDecimal(float x) {
  return std::round(x * 10.0) / 10.0;
}
}  // namespace

class TestDerivedValues : public QObject {
  Q_OBJECT
 private slots:
  void windChill_data() {
    QTest::addColumn<float>("temp");
    QTest::addColumn<float>("speed");
    QTest::addColumn<float>("gust");
    QTest::addColumn<double>("chill");  // -999: not shown
    QTest::newRow("0 C, 12 mph") << Celsius(32) << float(12 * 1.609347) << 20.0f << -8.9;
    QTest::newRow("5 C, 10 mph") << Celsius(41) << float(10 * 1.609347) << 20.0f << -1.1;
    QTest::newRow("10 C, 3 mph is above T") << Celsius(50) << float(3 * 1.609347) << 8.0f << -999.0;
    QTest::newRow("strong wind without gust") << 0.0f << 60.0f << float(-9999 * 1.609347) << -999.0;
    QTest::newRow("gust of zero") << 0.0f << 60.0f << 0.0f << -999.0;
    QTest::newRow("negative speed gives none") << 0.0f << -3 * Mph << 10.0f << -999.0;
  }
  void windChill() {
    QFETCH(float, temp);
    QFETCH(float, speed);
    QFETCH(float, gust);
    QFETCH(double, chill);
    const float got = WindChill(temp, speed, gust);
    QCOMPARE(chill == -999.0 ? double(got) : OneDecimal(got), chill);
  }

  void windChillEqualToTemperatureIsShown() {
    // At 33 C the formula gives exactly 33 whatever the wind.
    QCOMPARE(WindChill(33.0f, 10.0f, 5.0f), 33.0f);
  }

  void dewPoint_data() {
    QTest::addColumn<float>("temp");
    QTest::addColumn<int>("humidity");
    QTest::addColumn<double>("dew");
    QTest::addColumn<double>("abs");
    QTest::newRow("25 C 50 %") << 25.0f << 50 << 13.9 << 11.5;
    QTest::newRow("20 C 60 %") << Celsius(68) << 60 << 12.0 << 10.4;
  }
  void dewPoint() {
    QFETCH(float, temp);
    QFETCH(int, humidity);
    const Moisture m = DewPointAndAbsHumidity(temp, int16_t(humidity));
    QTEST(OneDecimal(m.DewPoint), "dew");
    QTEST(OneDecimal(m.AbsHumidity), "abs");
  }

  void saturatedAirDewsAtTemperature() {
    const Moisture m = DewPointAndAbsHumidity(12.5f, 100);
    QVERIFY(std::fabs(m.DewPoint - 12.5f) < 1e-4f);
  }

  void noMoistureForHumidityThatIsNotPositive_data() {
    QTest::addColumn<float>("temp");
    QTest::addColumn<int>("humidity");
    QTest::newRow("negative humidity") << 20.0f << -5;
    QTest::newRow("zero") << 20.0f << 0;
    QTest::newRow("missing") << 20.0f << -9999;
  }
  void noMoistureForHumidityThatIsNotPositive() {
    QFETCH(float, temp);
    QFETCH(int, humidity);
    QCOMPARE(DewPointAndAbsHumidity(temp, int16_t(humidity)).AbsHumidity, NotShown);
  }

  void extremeInputsStayFinite() {
    for (float t : {-98.0f, 0.0f, 60.0f, 18186.0f})
      for (int h : {1, 100, 32767}) {
        const Moisture m = DewPointAndAbsHumidity(t, int16_t(h));
        QVERIFY(std::isfinite(m.DewPoint) && std::isfinite(m.AbsHumidity));
      }
    QVERIFY(std::isfinite(WindChill(-98.0f, 1e10f, 1.0f)));
  }
};

QTEST_APPLESS_MAIN(TestDerivedValues)
#include "test_derived_values.moc"
