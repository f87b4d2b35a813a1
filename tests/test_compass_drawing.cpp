#include <QtTest>

#include "compass_drawing.h"

namespace {
bool Near(float a, float b, float tolerance = 0.001f) {
  return std::fabs(a - b) <= tolerance;
}
}  // namespace

class TestCompassDrawing : public QObject {
  Q_OBJECT
 private slots:
  void calmShowsOnlyTheLabel() {
    const CompassFigure f = DrawWindCompass(220, 0.0f, 0.0f);
    QVERIFY(f.calm);
    QCOMPARE(f.drawing.size(), size_t(1));
    QCOMPARE(f.drawing[0].kind, DrawOp::Kind::Clear);
  }

  void eastWindCoordinates() {
    const CompassFigure f = DrawWindCompass(90, 10.0f, 15.0f);
    QVERIFY(!f.calm);
    QCOMPARE(f.drawing.size(), size_t(4));
    const DrawOp& marker = f.drawing[1];
    QCOMPARE(marker.kind, DrawOp::Kind::Circle);
    QVERIFY(Near(marker.x1, 1127.0f));
    QVERIFY(Near(marker.y1, 607.0f));
    QCOMPARE(marker.radius, 10.0f);
    QCOMPARE(*marker.colour, MarkerColour);
    const DrawOp& gust = f.drawing[2];
    QCOMPARE(*gust.colour, GustColour);
    QVERIFY(Near(gust.x1, 747.0f) && Near(gust.x2, 927.0f));
    const DrawOp& wind = f.drawing[3];
    QCOMPARE(*wind.colour, WindColour);
    QVERIFY(Near(wind.x1, 747.0f) && Near(wind.x2, 867.0f));
    for (const DrawOp* op : {&gust, &wind}) QVERIFY(Near(op->y1, 607.0f) && Near(op->y2, 607.0f));
    // The degree factor is not exact pi/180: cos(90 degrees) is about 1.3e-6, not 0.
    QVERIFY(gust.y2 != 607.0f || wind.y2 != 607.0f || marker.y1 != 607.0f);
  }

  void cardinalDirections_data() {
    QTest::addColumn<int>("dir");
    QTest::addColumn<float>("x");
    QTest::addColumn<float>("y");
    QTest::newRow("north is up") << 0 << 607.0f << 87.0f;
    QTest::newRow("south is down") << 180 << 607.0f << 1127.0f;
    QTest::newRow("west is left") << 270 << 87.0f << 607.0f;
  }
  void cardinalDirections() {
    QFETCH(int, dir);
    QFETCH(float, x);
    QFETCH(float, y);
    const DrawOp marker = DrawWindCompass(int16_t(dir), 5.0f, 5.0f).drawing[1];
    QVERIFY2(Near(marker.x1, x, 0.01f) && Near(marker.y1, y, 0.01f),
             qPrintable(QStringLiteral("%1,%2").arg(marker.x1).arg(marker.y1)));
  }

  void gustOnlyIsNotCalm() {
    const CompassFigure f = DrawWindCompass(0, 0.0f, 5.0f);
    QVERIFY(!f.calm);
    QVERIFY(Near(f.drawing[3].y1, 607 - 140) && Near(f.drawing[3].y2, 607 - 140));  // zero length
    QVERIFY(Near(f.drawing[2].y2, 607 - 200));
  }

  void missingGustNeedleEndsAtCentre() {
    const CompassFigure f = DrawWindCompass(0, 0.0f, float(-9999 * 1.609347));
    QVERIFY(!f.calm);
    QVERIFY(Near(f.drawing[2].y2, 607.0f));
  }

  void needleIsCappedAtRim() {
    const CompassFigure f = DrawWindCompass(0, 40.0f, 100.0f);
    QVERIFY(Near(f.drawing[3].y2, 607 - 520));
    QVERIFY(Near(f.drawing[2].y2, 607 - 520));
  }

  void negativeSpeedPointsTheOtherWay() {
    const CompassFigure f = DrawWindCompass(0, -20.0f, 0.0f);
    QVERIFY(f.drawing[3].y2 > 607.0f);
  }

  void trendArrows_data() {
    QTest::addColumn<float>("delta");
    QTest::addColumn<int>("trend");
    QTest::addColumn<float>("firstY1");
    QTest::addColumn<int>("lines");
    QTest::newRow("up") << 0.1f << int(Trend::Up) << 200.0f << 4;
    QTest::newRow("equal") << 0.0f << int(Trend::Equal) << 100.0f << 2;
    QTest::newRow("down") << -0.1f << int(Trend::Down) << 35.0f << 4;
  }
  void trendArrows() {
    QFETCH(float, delta);
    QTEST(int(TrendOf(delta)), "trend");
    const Drawing d = DrawTrendArrow(TrendOf(delta));
    QTEST(int(d.size()), "lines");
    QCOMPARE(d[0].kind, DrawOp::Kind::Line);
    QTEST(d[0].y1, "firstY1");
    QVERIFY(!d[0].colour);  // the picture's own drawing colour
    if (d.size() == 4) {
      QCOMPARE(d[3].kind, DrawOp::Kind::LineOn);
      QCOMPARE(d[3].x2, d[0].x2);  // the head closes on the shaft's tip
      QCOMPARE(d[3].y2, d[0].y2);
    }
  }
};

QTEST_APPLESS_MAIN(TestCompassDrawing)
#include "test_compass_drawing.moc"
