#include "preferences_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSysInfo>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "alert_environment.h"
#include "alert_text.h"
#include "app_icon.h"
#include "mqtt_messages.h"
#include "mqtt_state_text.h"

namespace {

// Picks the item whose data is `value`.
void Select(QComboBox* combo, int value) {
  combo->setCurrentIndex(combo->findData(value));
}

// The width of the alerts page's texts of several lines, in average characters.
constexpr int WrappedChars = 64;

// A label for a text of several lines across the page: a fixed width gives it the height its
// lines need.
QLabel* WrappedLabel(const char* name, QWidget* page) {
  auto* label = new QLabel(page);
  label->setObjectName(QLatin1String(name));
  label->setWordWrap(true);
  label->setFixedWidth(label->fontMetrics().averageCharWidth() * WrappedChars);
  // Its height is set with its text: the layout need not ask it for one.
  label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

// Such a label as high as its lines at that width, in the font it shows now.
void FitHeight(QLabel* label) {
  label->ensurePolished();
  label->setFixedHeight(label->text().isEmpty() ? 0 : label->heightForWidth(label->minimumWidth()));
}

void SetWrappedText(QLabel* label, const QString& text) {
  label->setText(text);
  FitHeight(label);
}

}  // namespace

frmPreferenze::frmPreferenze(const Preferences& current, LanguageChoice running,
                             const AlertPageContext& alerts, QWidget* parent)
    : QDialog(parent), running_(running), station_(alerts.station) {
  setObjectName(QStringLiteral("frmPreferenze"));
  setWindowTitle(tr("Preferenze"));
  setWindowIcon(VentoraIcon());
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("tabPages"));
  pages_->addTab(BuildDisplayPage(), tr("Generale"));
  pages_->addTab(BuildAlertsPage(alerts), tr("Avvisi"));
  pages_->addTab(BuildMqttPage(), tr("MQTT"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName(QStringLiteral("buttons"));
  buttons->button(QDialogButtonBox::Cancel)->setText(tr("Annulla"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Select(cboLanguage_, int(current.language));
  Select(cboUnits_, int(current.units));
  ShowLanguageNote();
  spnSilent_->setValue(current.alerts.silentAfterMin);
  spnEngine_->setValue(current.alerts.engineAfterMin);
  chkNotify_->setChecked(current.alerts.notify);
  txtCommand_->setText(current.alerts.command);
  ShowCommandProblem(alerts.commandProblem);
  const MqttSettings& mqtt = current.mqtt;
  mqttKept_ = mqtt;
  chkMqtt_->setChecked(mqtt.enabled);
  txtMqttHost_->setText(mqtt.host);
  spnMqttPort_->setValue(mqtt.port);
  txtMqttUser_->setText(mqtt.user);
  txtMqttPassword_->setText(mqtt.password);
  chkMqttTls_->setChecked(mqtt.tls && MqttHasTls());
  txtMqttCaFile_->setText(mqtt.caFile);
  txtMqttPrefix_->setText(mqtt.prefix);
  chkMqttDiscovery_->setChecked(mqtt.discovery);
  ShowMqttState({});
}

QWidget* frmPreferenze::BuildDisplayPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("pagGenerale"));
  cboLanguage_ = new QComboBox(page);
  cboLanguage_->setObjectName(QStringLiteral("cboLanguage"));
  cboLanguage_->addItem(tr("Automatico"), int(LanguageChoice::Automatic));
  // Each language is named in itself, whatever the program speaks.
  cboLanguage_->addItem(QStringLiteral("Italiano"), int(LanguageChoice::Italian));
  cboLanguage_->addItem(QStringLiteral("English"), int(LanguageChoice::English));
  cboUnits_ = new QComboBox(page);
  cboUnits_->setObjectName(QStringLiteral("cboUnits"));
  cboUnits_->addItem(tr("Metriche (°C, km/h, mb, mm)"), int(UnitSystem::Metric));
  cboUnits_->addItem(tr("Imperiali (°F, mph, inHg, in)"), int(UnitSystem::Imperial));
  lblLanguageNote_ = new QLabel(LanguageNote(), page);
  lblLanguageNote_->setObjectName(QStringLiteral("lblLanguageNote"));
  // The note comes and goes with the choice; its room stays, so that nothing jumps.
  lblLanguageNote_->setMinimumSize(lblLanguageNote_->sizeHint());
  connect(cboLanguage_, &QComboBox::currentIndexChanged, this, &frmPreferenze::ShowLanguageNote);
  auto* form = new QFormLayout(page);
  form->addRow(tr("Lingua"), cboLanguage_);
  form->addRow(QString(), lblLanguageNote_);
  form->addRow(tr("Unità di misura"), cboUnits_);
  return page;
}

QWidget* frmPreferenze::BuildAlertsPage(const AlertPageContext& alerts) {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("pagAvvisi"));
  spnSilent_ = MinutesBox("spnSilent", page);
  spnEngine_ = MinutesBox("spnEngine", page);
  chkNotify_ = new QCheckBox(tr("Notifiche sul desktop"), page);
  chkNotify_->setObjectName(QStringLiteral("chkNotify"));
  txtCommand_ = new QLineEdit(page);
  txtCommand_->setObjectName(QStringLiteral("txtCommand"));
  txtCommand_->setPlaceholderText(tr("Nessuno"));
  lblCommandNote_ = WrappedLabel("lblCommandNote", page);
  SetWrappedText(lblCommandNote_,
                 tr("Programma e argomenti, senza shell. Il comando trova nell'ambiente "
                    "VENTORA_EVENT, VENTORA_STATION, VENTORA_TIME, VENTORA_TEXT, "
                    "VENTORA_MINUTES e, per gli allarmi, VENTORA_QUANTITY, VENTORA_VALUE e "
                    "VENTORA_LIMIT."));
  cmdTest_ = new QPushButton(tr("Prova"), page);
  cmdTest_->setObjectName(QStringLiteral("cmdTest"));
  lblTestOutcome_ = WrappedLabel("lblTestOutcome", page);
  lblCommandProblem_ = WrappedLabel("lblCommandProblem", page);
  testCommand_ = new AlertCommand(this, alerts.commandTimeLimitMs);
  connect(cmdTest_, &QPushButton::clicked, this, &frmPreferenze::RunTestCommand);
  connect(txtCommand_, &QLineEdit::textChanged, this, [this] {
    cmdTest_->setEnabled(testCommand_->Idle() && !txtCommand_->text().trimmed().isEmpty());
  });
  connect(testCommand_, &AlertCommand::finished, this, [this](const CommandOutcome& outcome) {
    SetWrappedText(lblTestOutcome_, CommandOutcomeText(outcome));
    cmdTest_->setEnabled(!txtCommand_->text().trimmed().isEmpty());
  });
  cmdTest_->setEnabled(false);
  auto* test = new QHBoxLayout;
  test->addWidget(cmdTest_);
  test->addStretch(1);
  auto* form = new QFormLayout;
  form->addRow(tr("Avvisa se la stazione tace da"), spnSilent_);
  form->addRow(tr("Avvisa se AGWPE manca da"), spnEngine_);
  form->addRow(QString(), chkNotify_);
  form->addRow(tr("Comando"), txtCommand_);
  // The texts of several lines run across the page, below the settings.
  auto* column = new QVBoxLayout(page);
  column->addLayout(form);
  column->addWidget(lblCommandNote_);
  column->addLayout(test);
  column->addWidget(lblTestOutcome_);
  column->addWidget(lblCommandProblem_);
  column->addStretch(1);
  return page;
}

QWidget* frmPreferenze::BuildMqttPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("pagMqtt"));
  const auto line = [page](const char* name) {
    auto* edit = new QLineEdit(page);
    edit->setObjectName(QLatin1String(name));
    return edit;
  };
  const auto check = [page](const char* name, const QString& text) {
    auto* box = new QCheckBox(text, page);
    box->setObjectName(QLatin1String(name));
    return box;
  };
  chkMqtt_ = check("chkMqtt", tr("Pubblica su MQTT"));
  txtMqttHost_ = line("txtMqttHost");
  spnMqttPort_ = new QSpinBox(page);
  spnMqttPort_->setObjectName(QStringLiteral("spnMqttPort"));
  spnMqttPort_->setRange(1, 65535);
  txtMqttUser_ = line("txtMqttUser");
  txtMqttUser_->setPlaceholderText(tr("Nessuno"));
  txtMqttPassword_ = line("txtMqttPassword");
  txtMqttPassword_->setEchoMode(QLineEdit::Password);
  chkMqttTls_ = check("chkMqttTls", tr("Connessione cifrata (TLS)"));
  txtMqttCaFile_ = line("txtMqttCaFile");
  txtMqttCaFile_->setPlaceholderText(tr("Quelli del sistema"));
  txtMqttPrefix_ = line("txtMqttPrefix");
  chkMqttDiscovery_ = check("chkMqttDiscovery", tr("Scoperta automatica di Home Assistant"));
  cmdMqttTest_ = new QPushButton(tr("Prova"), page);
  cmdMqttTest_->setObjectName(QStringLiteral("cmdMqttTest"));
  lblMqttTestOutcome_ = WrappedLabel("lblMqttTestOutcome", page);
  lblMqttState_ = WrappedLabel("lblMqttState", page);
  connect(cmdMqttTest_, &QPushButton::clicked, this, &frmPreferenze::TryMqtt);
  connect(txtMqttHost_, &QLineEdit::textChanged, this, &frmPreferenze::EnableMqttTest);
  auto* test = new QHBoxLayout;
  test->addWidget(cmdMqttTest_);
  test->addStretch(1);
  auto* form = new QFormLayout;
  form->addRow(QString(), chkMqtt_);
  form->addRow(tr("Server"), txtMqttHost_);
  form->addRow(tr("Porta"), spnMqttPort_);
  form->addRow(tr("Utente"), txtMqttUser_);
  form->addRow(tr("Password"), txtMqttPassword_);
  form->addRow(QString(), chkMqttTls_);
  if (!MqttHasTls()) {
    chkMqttTls_->setEnabled(false);
    auto* note = new QLabel(tr("TLS non disponibile su questo sistema."), page);
    note->setObjectName(QStringLiteral("lblMqttTlsNote"));
    form->addRow(QString(), note);
  }
  form->addRow(tr("Certificato CA"), txtMqttCaFile_);
  form->addRow(tr("Prefisso dei topic"), txtMqttPrefix_);
  form->addRow(QString(), chkMqttDiscovery_);
  auto* column = new QVBoxLayout(page);
  column->addLayout(form);
  column->addLayout(test);
  column->addWidget(lblMqttTestOutcome_);
  column->addWidget(lblMqttState_);
  column->addStretch(1);
  return page;
}

void frmPreferenze::showEvent(QShowEvent* event) {
  // Polished, the labels may show in another font than the one they were made with.
  for (QLabel* label :
       {lblCommandNote_, lblTestOutcome_, lblCommandProblem_, lblMqttTestOutcome_, lblMqttState_})
    FitHeight(label);
  QDialog::showEvent(event);
}

QSpinBox* frmPreferenze::MinutesBox(const char* name, QWidget* page) {
  auto* box = new QSpinBox(page);
  box->setObjectName(QLatin1String(name));
  box->setRange(0, MostAlertMinutes);
  box->setSpecialValueText(tr("Mai"));
  box->setSuffix(tr(" min"));
  return box;
}

void frmPreferenze::RunTestCommand() {
  cmdTest_->setEnabled(false);
  SetWrappedText(lblTestOutcome_, tr("Prova in corso\u2026"));
  testCommand_->Run(txtCommand_->text(), TestEnvironment(QDateTime::currentMSecsSinceEpoch(),
                                                         station_, TestAlertText(station_)));
}

void frmPreferenze::ShowCommandProblem(const QString& problem) {
  SetWrappedText(lblCommandProblem_, problem.isEmpty()
                                         ? QString()
                                         : tr("Ultimo problema del comando: %1").arg(problem));
}

void frmPreferenze::ShowMqttState(const MqttState& state) {
  SetWrappedText(lblMqttState_, tr("Ventora ora: %1").arg(MqttStateText(state)));
}

void frmPreferenze::EnableMqttTest() {
  cmdMqttTest_->setEnabled(!mqttTest_ && !txtMqttHost_->text().trimmed().isEmpty());
}

void frmPreferenze::TryMqtt() {
  SetWrappedText(lblMqttTestOutcome_, tr("Prova in corso\u2026"));
  MqttConnection* const test = mqttTest_ = new MqttConnection(this);
  EnableMqttTest();
  // What a connection already given up says comes too late.
  connect(test, &MqttConnection::stateChanged, this, [this, test](const MqttState& state) {
    if (mqttTest_ == test && state.status != MqttStatus::Connecting)
      EndMqttTest(MqttStateText(state));
  });
  const MqttSettings typed = ChosenMqtt();
  QTimer::singleShot(MqttTestWaitMs, test, [this, test, typed] {
    if (mqttTest_ == test)
      EndMqttTest(tr("Nessuna risposta da %1:%2").arg(typed.host, QString::number(typed.port)));
  });
  // A client of its own beside the window's, which the broker would otherwise drop; no will.
  const QString id = MqttClientId(station_ + QStringLiteral("-test"), QSysInfo::machineHostName());
  test->Open(typed, id, MqttMessage{});
}

void frmPreferenze::EndMqttTest(const QString& outcome) {
  SetWrappedText(lblMqttTestOutcome_, outcome);
  // Its own signal may be what ends it.
  mqttTest_->deleteLater();
  mqttTest_ = nullptr;
  EnableMqttTest();
}

QString frmPreferenze::LanguageNote() {
  return tr("La lingua cambia al prossimo avvio di Ventora.");
}

void frmPreferenze::ShowLanguageNote() {
  lblLanguageNote_->setText(Chosen().language != running_ ? LanguageNote() : QString());
}

Preferences frmPreferenze::Chosen() const {
  Preferences chosen;
  chosen.language = static_cast<LanguageChoice>(cboLanguage_->currentData().toInt());
  chosen.units = static_cast<UnitSystem>(cboUnits_->currentData().toInt());
  chosen.alerts.silentAfterMin = spnSilent_->value();
  chosen.alerts.engineAfterMin = spnEngine_->value();
  chosen.alerts.notify = chkNotify_->isChecked();
  chosen.alerts.command = txtCommand_->text().trimmed();
  chosen.mqtt = ChosenMqtt();
  return chosen;
}

MqttSettings frmPreferenze::ChosenMqtt() const {
  MqttSettings m = mqttKept_;
  m.enabled = chkMqtt_->isChecked();
  m.host = txtMqttHost_->text().trimmed();
  m.port = spnMqttPort_->value();
  m.user = txtMqttUser_->text();
  m.password = txtMqttPassword_->text();
  m.tls = chkMqttTls_->isChecked();
  m.caFile = txtMqttCaFile_->text().trimmed();
  m.prefix = TopicPrefixOr(txtMqttPrefix_->text(), MqttSettings().prefix);
  m.discovery = chkMqttDiscovery_->isChecked();
  return m;
}
