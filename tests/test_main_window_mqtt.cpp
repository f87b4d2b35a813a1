// The window on MQTT against a stand-in engine and a real broker: each report's state, the alerts,
// "offline" on closing, and the connection's state on the tray tooltip.
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QtTest>

#include "engine_rig.h"
#include "link_frames.h"
#include "mqtt_broker.h"
#include "mqtt_state_text.h"
#include "test_support.h"

namespace {

const QByteArray Version = AgwFrameBytes('R', "", QByteArray("\xd5\7\0\0\x7f\0\0\0", 8));
const QByteArray HotReport = MonitoredFrame("IW2XYZ", "_090/010g015t110");  // 43.3 °C

// The user turns MQTT on in the preferences dialog, towards `port` on this computer.
void PublishTo(EngineRig& rig, quint16 port) {
  rig.recorder.answerModal = [=](QDialog* dialog) {
    dialog->findChild<QCheckBox*>("chkMqtt")->setChecked(true);
    dialog->findChild<QLineEdit*>("txtMqttHost")->setText(QStringLiteral("127.0.0.1"));
    dialog->findChild<QSpinBox*>("spnMqttPort")->setValue(port);
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
  };
  rig.window->OpenPreferences();
  rig.recorder.answerModal = nullptr;
}

}  // namespace

class TestMainWindowMqtt : public QObject {
  Q_OBJECT
 private slots:
  void publishesTheReportsAndGoesOfflineOnClosing() {
    REQUIRE_MQTT_BROKER();
    MqttBroker broker;
    QVERIFY2(broker.Start(), broker.Log().constData());
    MqttTap tap;
    QVERIFY(tap.Start(broker.Port(), QStringLiteral("ventora/#")));
    EngineRig rig;
    QVERIFY(rig.Connected());
    const QString tooltip = rig.window->TrayTooltip();
    PublishTo(rig, broker.Port());
    const QString connected =
        MqttStateText({MqttStatus::Connected, QStringLiteral("127.0.0.1"), broker.Port(), {}});
    QTRY_COMPARE(rig.window->TrayTooltip(), tooltip + QLatin1Char('\n') + connected);
    QVERIFY(tap.WaitFor(QStringLiteral("ventora/IW2XYZ/availability"),
                        [](const MqttTap::Message& m) { return m.payload == "online"; }));
    rig.Send(Version + HotReport);
    const auto state = tap.WaitFor(QStringLiteral("ventora/IW2XYZ/state"));
    QVERIFY(state);
    QVERIFY2(state->payload.contains("\"temp_c\":43.3"), state->payload.constData());
    const auto event = tap.WaitFor(QStringLiteral("ventora/IW2XYZ/event"));
    QVERIFY(event);
    QVERIFY2(event->payload.contains("\"alarm\""), event->payload.constData());
    rig.window->close();
    QVERIFY(tap.WaitFor(QStringLiteral("ventora/IW2XYZ/availability"),
                        [](const MqttTap::Message& m) { return m.payload == "offline"; }));
    QVERIFY(rig.recorder.messages.filter(QStringLiteral("MQTT")).isEmpty());  // no boxes
  }
};

QTEST_MAIN(TestMainWindowMqtt)
#include "test_main_window_mqtt.moc"
