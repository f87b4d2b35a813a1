#include <QtTest>

#include "windows1252.h"

class TestWindows1252 : public QObject {
  Q_OBJECT
 private slots:
  void bytesBecomeTheirCharacters_data() {
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("character");
    QTest::newRow("NUL") << 0x00 << 0x0000;
    QTest::newRow("A") << 0x41 << 0x0041;
    QTest::newRow("DEL") << 0x7F << 0x007F;
    QTest::newRow("euro") << 0x80 << 0x20AC;
    QTest::newRow("unassigned 0x81 keeps its code") << 0x81 << 0x0081;
    QTest::newRow("single low quote") << 0x82 << 0x201A;
    QTest::newRow("unassigned 0x9D keeps its code") << 0x9D << 0x009D;
    QTest::newRow("Y with diaeresis") << 0x9F << 0x0178;
    QTest::newRow("no-break space") << 0xA0 << 0x00A0;
    QTest::newRow("degree") << 0xB0 << 0x00B0;
    QTest::newRow("y with diaeresis") << 0xFF << 0x00FF;
  }
  void bytesBecomeTheirCharacters() {
    QFETCH(int, byte);
    QFETCH(int, character);
    QCOMPARE(FromWindows1252(char(byte)).unicode(), char16_t(character));
  }

  // The whole-text conversions agree with the one of a single byte, for every byte and at
  // every place (the start, the middle, after text already there).
  void textAgreesWithSingleBytes() {
    QByteArray all;
    for (int b = 0; b < 256; ++b) all += char(b);
    const QByteArray bytes = "x" + all + all;
    QString expected;
    for (char b : bytes) expected += FromWindows1252(b);
    QCOMPARE(FromWindows1252(bytes), expected);
    QString appended = QStringLiteral("ab");
    AppendWindows1252(appended, bytes.constData(), bytes.size());
    QCOMPARE(appended, QStringLiteral("ab") + expected);
    QString assigned = QStringLiteral("longer than the bytes");
    AssignWindows1252(assigned, bytes.constData(), bytes.size());
    QCOMPARE(assigned, expected);
    QVERIFY(FromWindows1252(QByteArray()).isEmpty());
  }
};

QTEST_APPLESS_MAIN(TestWindows1252)
#include "test_windows1252.moc"
