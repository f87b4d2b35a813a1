// frmPreferenze: the preferences kept in Ventora.ini, one page per subject.
#pragma once

#include <QDialog>

#include "alert_command.h"
#include "mqtt_connection.h"
#include "preferences_file.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

// How long Prova on the MQTT page waits for the broker's answer.
inline constexpr int MqttTestWaitMs = 5000;

// What the alerts page needs of the window besides the preferences.
struct AlertPageContext {
  QString station;         // the test event names it
  QString commandProblem;  // the last run of the command that did not succeed; empty: none
  int commandTimeLimitMs = CommandTimeLimitMs;
};

class frmPreferenze : public QDialog {
  Q_OBJECT
 public:
  // `running`: the language this run started in; another one takes effect at the next start.
  frmPreferenze(const Preferences& current, LanguageChoice running,
                const AlertPageContext& alerts = {}, QWidget* parent = nullptr);

  // What the pages show now.
  Preferences Chosen() const;
  // The last problem of the alert command, shown on the alerts page; empty: none.
  void ShowCommandProblem(const QString& problem);
  // The state of the window's own connection to the broker, shown on the MQTT page.
  void ShowMqttState(const MqttState& state);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildDisplayPage();
  QWidget* BuildAlertsPage(const AlertPageContext& alerts);
  QWidget* BuildMqttPage();
  QSpinBox* MinutesBox(const char* name, QWidget* page);
  MqttSettings ChosenMqtt() const;
  // Connects once with the settings as typed; what came of it shows beside the button.
  void TryMqtt();
  void EndMqttTest(const QString& outcome);
  void EnableMqttTest();
  // Runs the command as typed once with the test event; its outcome shows beside the button.
  void RunTestCommand();
  static QString LanguageNote();
  // The note shows while the chosen language differs from the running one.
  void ShowLanguageNote();

  LanguageChoice running_;
  QTabWidget* pages_ = nullptr;
  QComboBox* cboLanguage_ = nullptr;
  QComboBox* cboUnits_ = nullptr;
  QLabel* lblLanguageNote_ = nullptr;
  QSpinBox* spnSilent_ = nullptr;
  QSpinBox* spnEngine_ = nullptr;
  QCheckBox* chkNotify_ = nullptr;
  QLineEdit* txtCommand_ = nullptr;
  QLabel* lblCommandNote_ = nullptr;
  QPushButton* cmdTest_ = nullptr;
  QLabel* lblTestOutcome_ = nullptr;
  QLabel* lblCommandProblem_ = nullptr;
  QString station_;
  AlertCommand* testCommand_ = nullptr;
  MqttSettings mqttKept_;  // what the page does not show: the discovery's prefix
  QCheckBox* chkMqtt_ = nullptr;
  QLineEdit* txtMqttHost_ = nullptr;
  QSpinBox* spnMqttPort_ = nullptr;
  QLineEdit* txtMqttUser_ = nullptr;
  QLineEdit* txtMqttPassword_ = nullptr;
  QCheckBox* chkMqttTls_ = nullptr;
  QLineEdit* txtMqttCaFile_ = nullptr;
  QLineEdit* txtMqttPrefix_ = nullptr;
  QCheckBox* chkMqttDiscovery_ = nullptr;
  QPushButton* cmdMqttTest_ = nullptr;
  QLabel* lblMqttTestOutcome_ = nullptr;
  QLabel* lblMqttState_ = nullptr;
  MqttConnection* mqttTest_ = nullptr;  // while Prova waits for the broker
};
