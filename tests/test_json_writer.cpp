#include <QtTest>

#include "json_writer.h"

// The JSON ventora-cli prints: texts as UTF-8 with the escapes JSON needs, written straight into
// a buffer that grows.
class TestJsonWriter : public QObject {
  Q_OBJECT
 private slots:
  void texts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("quoted");
    QTest::newRow("plain") << QStringLiteral("1015.6 mb") << QByteArray("\"1015.6 mb\"");
    QTest::newRow("quote and backslash")
        << QStringLiteral("a\"b\\c") << QByteArray("\"a\\\"b\\\\c\"");
    QTest::newRow("line ends and tab")
        << QStringLiteral("0mm/24h\r\n\t") << QByteArray("\"0mm/24h\\r\\n\\t\"");
    QTest::newRow("other controls")
        << QString(QChar(1)) + QChar(0x7f) << QByteArray("\"\\u0001\\u007f\"");
    QTest::newRow("latin-1") << QStringLiteral("22.9\u00b0C 20.0g/m\u00b3")
                             << QByteArray(
                                    "\"22.9\xc2\xb0"
                                    "C 20.0g/m\xc2\xb3\"");
    QTest::newRow("euro sign") << QStringLiteral("\u20ac") << QByteArray("\"\xe2\x82\xac\"");
    QTest::newRow("outside the BMP after plain text")
        << QStringLiteral("x\"") + QString::fromUcs4(U"\U0001F600")
        << QByteArray("\"x\\\"\xf0\x9f\x98\x80\"");
    // Plain text is written eight characters at a time: a character that needs care is found at
    // every place in such a group.
    const std::pair<QChar, QByteArray> special[] = {{u'"', "\\\""},
                                                    {u'\\', "\\\\"},
                                                    {QChar(0x7f), "\\u007f"},
                                                    {QChar(0x1f), "\\u001f"},
                                                    {QChar(0xe9), "\xc3\xa9"}};
    for (const auto& [c, escaped] : special) {
      for (int at = 0; at <= 16; ++at) {
        const QString plain = QStringLiteral("abcdefghijklmnop");
        QTest::addRow("U+%04x at %d", c.unicode(), at)
            << plain.left(at) + c + plain.mid(at)
            << "\"" + plain.left(at).toLatin1() + escaped + plain.mid(at).toLatin1() + "\"";
      }
    }
    // Qt writes a lone surrogate as "?": the line stays valid UTF-8.
    QTest::newRow("lone surrogate") << QString(QChar(0xd800)) << QByteArray("\"?\"");
  }
  void texts() {
    QFETCH(QString, text);
    QFETCH(QByteArray, quoted);
    JsonWriter json;
    json.BeginObject().Name("kind", "U").String("text", text).EndObject();
    QCOMPARE(json.Text(), "{\"kind\":\"U\",\"text\":" + quoted + "}");
  }

  // Far past the first buffer, and again after Clear: nothing of the earlier text is lost or kept.
  void growsAndStartsAfresh() {
    const QString comment = QString(5000, QChar(u'\u00e9'));
    JsonWriter json;
    json.BeginObject().Int("n", -12).Float("x", 6.437388f).String("c", comment).EndObject();
    const QByteArray text = json.Text();
    QVERIFY(text.startsWith("{\"n\":-12,\"x\":6.437388,\"c\":\""));
    constexpr qsizetype Prefix = 27;  // up to the comment's opening quote
    QCOMPARE(text.size(), Prefix + 2 * 5000 + 2);
    QCOMPARE(QString::fromUtf8(text.mid(Prefix, 10000)), comment);
    json.Clear();
    json.BeginObject().Null("a").Bool("b", false).EndObject();
    QCOMPARE(json.Text(), QByteArray("{\"a\":null,\"b\":false}"));
  }
};

QTEST_APPLESS_MAIN(TestJsonWriter)
#include "test_json_writer.moc"
