#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>

#include "mqtt_broker.h"
#include "mqtt_publisher.h"
#include "mqtt_state_text.h"
#include "report_decoder.h"

namespace {

const QString Station = QStringLiteral("iw2xyz-13");
const QString StateTopic = QStringLiteral("wx/IW2XYZ-13/state");
const QString Availability = QStringLiteral("wx/IW2XYZ-13/availability");
const QString Report = QStringLiteral("_220/004g005t077r000p000P000h50b09900");

PublisherOptions Options(quint16 port) {
  PublisherOptions o;
  o.settings.enabled = true;
  o.settings.host = QStringLiteral("127.0.0.1");
  o.settings.port = port;
  o.settings.prefix = QStringLiteral("wx/");
  o.station = Station;
  o.hostName = QStringLiteral("testhost");
  o.silentAfterMin = 30;
  o.version = QStringLiteral("5.01");
  return o;
}

HistoryRow Row(int64_t time) {
  const ReportOutcome out =
      DecodeWeatherReport(Report, DefaultAlarmSettings(), ReportState(), QLocale::c());
  return RowFromReport(time, Station, Report, out.values);
}

std::vector<AlarmTest> GustBeyond() {
  return {AlarmTest{AlarmQuantity::Gust, 8, 5, true},
          AlarmTest{AlarmQuantity::TempHigh, 25, 35, false}};
}

bool Retained(const std::optional<MqttTap::Message>& m, const QByteArray& payload) {
  return m && m->retained && m->payload == payload;
}

int64_t StateTime(const std::optional<MqttTap::Message>& m) {
  return m ? QDateTime::fromString(
                 QJsonDocument::fromJson(m->payload).object().value("time").toString(), Qt::ISODate)
                 .toSecsSinceEpoch()
           : 0;
}

// Passes each connection on to the broker, counting them: the attempts of a client.
class CountingRelay : public QObject {
 public:
  explicit CountingRelay(quint16 to) {
    server_.listen(QHostAddress::LocalHost);
    connect(&server_, &QTcpServer::newConnection, this, [this, to] {
      while (QTcpSocket* in = server_.nextPendingConnection()) {
        ++connections_;
        auto* out = new QTcpSocket(in);
        out->connectToHost(QHostAddress::LocalHost, to);
        connect(in, &QTcpSocket::readyRead, out, [in, out] { out->write(in->readAll()); });
        connect(out, &QTcpSocket::readyRead, in, [in, out] { in->write(out->readAll()); });
        connect(out, &QTcpSocket::disconnected, in, &QTcpSocket::disconnectFromHost);
        connect(in, &QTcpSocket::disconnected, in, &QObject::deleteLater);
      }
    });
  }
  quint16 Port() const { return server_.serverPort(); }
  int Connections() const { return connections_; }

 private:
  QTcpServer server_;
  int connections_ = 0;
};

#define WAIT_STATUS(publisher, expected) \
  QTRY_COMPARE_WITH_TIMEOUT((publisher).State().status, expected, 10000)

}  // namespace

class TestMqttPublisher : public QObject {
  Q_OBJECT
 private slots:
  void init() { REQUIRE_MQTT_BROKER(); }

  // A subscriber that comes later finds everything Home Assistant needs, retained.
  void discoveryStateAndAlarmsArriveRetained() {
    MqttBroker broker;
    QVERIFY(broker.Start());
    MqttTap live;
    QVERIFY(live.Start(broker.Port()));
    MqttPublisher publisher;
    publisher.Configure(Options(broker.Port()));
    WAIT_STATUS(publisher, MqttStatus::Connected);
    QCOMPARE(MqttStateText(publisher.State()),
             QStringLiteral("MQTT: connesso a 127.0.0.1:%1").arg(broker.Port()));
    publisher.Report(Row(1'796'810'400), GustBeyond());
    Alert silent;
    silent.kind = AlertKind::Silent;
    silent.minutes = 30;
    publisher.Raised(silent, QStringLiteral("IW2XYZ-13 non trasmette da 30 minuti"));
    const auto event = live.WaitFor(QStringLiteral("wx/IW2XYZ-13/event"));
    QVERIFY(event && !event->retained);
    QCOMPARE(QJsonDocument::fromJson(event->payload).object().value("kind").toString(),
             QStringLiteral("silent"));
    QVERIFY(live.WaitFor(QStringLiteral("wx/IW2XYZ-13/silent"),
                         [](const auto& m) { return m.payload == "ON"; }));

    MqttTap later;
    QVERIFY(later.Start(broker.Port()));
    QVERIFY(Retained(later.WaitFor(Availability), "online"));
    QCOMPARE(StateTime(later.WaitFor(StateTopic)), 1'796'810'400);
    QVERIFY(later.WaitFor(StateTopic)->retained);
    QVERIFY(Retained(later.WaitFor(QStringLiteral("wx/IW2XYZ-13/alarm/gust")), "ON"));
    QVERIFY(Retained(later.WaitFor(QStringLiteral("wx/IW2XYZ-13/alarm/temp-high")), "OFF"));
    QVERIFY(Retained(later.WaitFor(QStringLiteral("wx/IW2XYZ-13/silent")), "ON"));
    const QString config =
        QStringLiteral("homeassistant/sensor/ventora_iw2xyz_13/rain_today_mm/config");
    const auto discovered = later.WaitFor(config);
    QVERIFY(discovered && discovered->retained);
    QCOMPARE(QJsonDocument::fromJson(discovered->payload).object().value("state_topic").toString(),
             StateTopic);
    QTRY_COMPARE_WITH_TIMEOUT(
        later.Count(QStringLiteral("homeassistant/binary_sensor/ventora_iw2xyz_13/silent/config")),
        1, 5000);
  }

  // A broker without persistence forgets everything when it restarts: all of it comes again.
  void brokerRestartedGetsEverythingAgain() {
    MqttBroker broker;
    QVERIFY(broker.Start());
    MqttPublisher publisher;
    publisher.Configure(Options(broker.Port()));
    WAIT_STATUS(publisher, MqttStatus::Connected);
    publisher.Report(Row(1'796'810'400), GustBeyond());
    broker.Stop();
    WAIT_STATUS(publisher, MqttStatus::Connecting);
    QVERIFY(broker.Start());
    WAIT_STATUS(publisher, MqttStatus::Connected);

    MqttTap tap;
    QVERIFY(tap.Start(broker.Port()));
    QVERIFY(Retained(tap.WaitFor(Availability), "online"));
    QCOMPARE(StateTime(tap.WaitFor(StateTopic)), 1'796'810'400);
    QVERIFY(Retained(tap.WaitFor(QStringLiteral("wx/IW2XYZ-13/alarm/gust")), "ON"));
    QVERIFY(tap.WaitFor(QStringLiteral("homeassistant/sensor/ventora_iw2xyz_13/temp_c/config")));
  }

  // A wrong password is said once, however often the connection tries again.
  void wrongPasswordIsSaidOnce() {
    MqttBroker broker({true, false});
    QVERIFY(broker.Start());
    CountingRelay relay(broker.Port());
    PublisherOptions o = Options(relay.Port());
    o.settings.user = QLatin1String(MqttBroker::User);
    o.settings.password = QStringLiteral("wrong");
    MqttPublisher publisher;
    QSignalSpy states(&publisher, &MqttPublisher::stateChanged);
    publisher.Configure(o);
    WAIT_STATUS(publisher, MqttStatus::Refused);
    QCOMPARE(MqttStateText(publisher.State()),
             QStringLiteral("MQTT: utente o password rifiutati da 127.0.0.1:%1").arg(relay.Port()));
    // The broker refuses the second attempt, two seconds later, too.
    QTRY_VERIFY_WITH_TIMEOUT(relay.Connections() >= 2, 8000);
    QCoreApplication::processEvents();
    int refused = 0;
    for (const QList<QVariant>& s : states)
      refused += s[0].value<MqttState>().status == MqttStatus::Refused;
    QCOMPARE(refused, 1);
    QCOMPARE(publisher.State().status, MqttStatus::Refused);

    o.settings.password = QLatin1String(MqttBroker::Password);
    publisher.Configure(o);
    WAIT_STATUS(publisher, MqttStatus::Connected);
  }

  void tlsWithTheBrokersCa() {
    if (!MqttHasTls()) QSKIP("libmosquitto without TLS");
    MqttBroker broker({false, true});
    QVERIFY(broker.Start());
    PublisherOptions o = Options(broker.TlsPort());
    o.settings.host = QStringLiteral("localhost");  // the name the certificate bears
    o.settings.tls = true;
    o.settings.caFile = broker.CaFile();
    MqttPublisher publisher;
    publisher.Configure(o);
    WAIT_STATUS(publisher, MqttStatus::Connected);
    publisher.Report(Row(1'796'810'460), {});
    MqttTap tap;
    QVERIFY(tap.Start(broker.Port()));
    QCOMPARE(StateTime(tap.WaitFor(StateTopic)), 1'796'810'460);
  }

  // The system's authorities never signed the test's certificate; a CA file that is not there.
  void tlsThatCannotBeVerified_data() {
    QTest::addColumn<QString>("caFile");
    QTest::newRow("system's authorities") << "";
    QTest::newRow("missing CA file") << "/nonexistent/ca.crt";
  }
  void tlsThatCannotBeVerified() {
    if (!MqttHasTls()) QSKIP("libmosquitto without TLS");
    QFETCH(QString, caFile);
    MqttBroker broker({false, true});
    QVERIFY(broker.Start());
    PublisherOptions o = Options(broker.TlsPort());
    o.settings.host = QStringLiteral("localhost");
    o.settings.tls = true;
    o.settings.caFile = caFile;
    MqttPublisher publisher;
    publisher.Configure(o);
    WAIT_STATUS(publisher, MqttStatus::TlsFailed);
    QVERIFY2(MqttStateText(publisher.State())
                 .startsWith(QStringLiteral("MQTT: certificato TLS di localhost non verificato")),
             qPrintable(MqttStateText(publisher.State())));
  }

  void closeLeavesOfflineRetained() {
    MqttBroker broker;
    QVERIFY(broker.Start());
    MqttPublisher publisher;
    publisher.Configure(Options(broker.Port()));
    WAIT_STATUS(publisher, MqttStatus::Connected);
    publisher.Close();
    QCOMPARE(publisher.State().status, MqttStatus::Off);
    QCOMPARE(MqttStateText(publisher.State()), QStringLiteral("MQTT: spento"));
    MqttTap tap;
    QVERIFY(tap.Start(broker.Port()));
    QVERIFY(Retained(tap.WaitFor(Availability), "offline"));
    // Configured again as before, it connects again.
    publisher.Configure(Options(broker.Port()));
    WAIT_STATUS(publisher, MqttStatus::Connected);
    QVERIFY(tap.WaitFor(Availability, [](const auto& m) { return m.payload == "online"; }));
  }

  // What the user reads when no broker answers: a port nobody listens on, a name nobody knows.
  void noBrokerThere_data() {
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("text");
    QTest::newRow("closed port") << "127.0.0.1" << int(MqttStatus::Unreachable)
                                 << "MQTT: 127.0.0.1:%1 non raggiungibile";
    QTest::newRow("unknown name") << "no-such-host.invalid" << int(MqttStatus::UnknownHost)
                                  << "MQTT: server no-such-host.invalid sconosciuto";
  }
  void noBrokerThere() {
    QFETCH(QString, host);
    QFETCH(int, status);
    QFETCH(QString, text);
    QTcpServer closed;  // a port of this machine that was free a moment ago
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    PublisherOptions o = Options(port);
    o.settings.host = host;
    MqttPublisher publisher;
    publisher.Configure(o);
    WAIT_STATUS(publisher, MqttStatus(status));
    QVERIFY2(MqttStateText(publisher.State())
                 .startsWith(text.replace(QStringLiteral("%1"), QString::number(port))),
             qPrintable(MqttStateText(publisher.State())));
  }

  // Turned off, or never answered: nothing waits on the network.
  void brokerThatNeverAnswersHoldsNothingUp() {
    QTcpServer silent;  // accepts, and never says a word
    QVERIFY(silent.listen(QHostAddress::LocalHost));
    auto publisher = std::make_unique<MqttPublisher>();
    publisher->Configure(Options(silent.serverPort()));
    QCOMPARE(publisher->State().status, MqttStatus::Connecting);
    QVERIFY(silent.waitForNewConnection(5000));
    publisher.reset();  // must return; the test's time limit would catch a hang

    MqttPublisher off;
    PublisherOptions o = Options(silent.serverPort());
    o.settings.enabled = false;
    off.Configure(o);
    QCOMPARE(off.State().status, MqttStatus::Off);
  }
};

QTEST_GUILESS_MAIN(TestMqttPublisher)
#include "test_mqtt_publisher.moc"
