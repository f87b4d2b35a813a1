#include <QtTest>

#include "program_language.h"

Q_DECLARE_METATYPE(LanguageChoice)

class TestProgramLanguage : public QObject {
  Q_OBJECT
 private slots:
  void choosesTheLanguage_data() {
    QTest::addColumn<LanguageChoice>("choice");
    QTest::addColumn<QStringList>("desktop");
    QTest::addColumn<QString>("language");
    const auto automatic = LanguageChoice::Automatic;
    QTest::newRow("Italian desktop") << automatic << QStringList{"it-IT", "it"} << "it";
    QTest::newRow("English desktop") << automatic << QStringList{"en-US", "en"} << "en";
    QTest::newRow("German desktop: English")
        << automatic << QStringList{"de-DE", "de-Latn-DE", "de"} << "en";
    QTest::newRow("German first, then Italian: the first Ventora has")
        << automatic << QStringList{"de", "de-DE", "it", "it-IT"} << "it";
    QTest::newRow("the C locale speaks the source") << automatic << QStringList{"C"} << "it";
    QTest::newRow("POSIX too") << automatic << QStringList{"POSIX"} << "it";
    QTest::newRow("forced Italian on an English desktop")
        << LanguageChoice::Italian << QStringList{"en-US"} << "it";
    QTest::newRow("forced English on an Italian desktop")
        << LanguageChoice::English << QStringList{"it-IT"} << "en";
  }
  void choosesTheLanguage() {
    QFETCH(LanguageChoice, choice);
    QFETCH(QStringList, desktop);
    QFETCH(QString, language);
    QCOMPARE(ChooseProgramLanguage(choice, desktop, AvailableLanguages()), language);
  }

  void everyBuiltInTranslationIsInstalled() {
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QVERIFY(AvailableLanguages().contains(QStringLiteral("en")));
    QVERIFY(!InstallProgramLanguage(app, QStringLiteral("xx")));
    QVERIFY(InstallProgramLanguage(app, QStringLiteral("en")));
    QCOMPARE(QCoreApplication::translate("EngineOutage", "Riprovo AGWPE ore %1"),
             QStringLiteral("AGWPE retry at %1"));
  }
};

QTEST_APPLESS_MAIN(TestProgramLanguage)
#include "test_program_language.moc"
