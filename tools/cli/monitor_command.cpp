#include "monitor_command.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QSysInfo>

#include "alert_json.h"
#include "frame_dispatcher.h"
#include "json_writer.h"
#include "mqtt_state_text.h"
#include "report_json.h"

MonitorSession::MonitorSession(const MonitorOptions& options, std::FILE* out, std::FILE* err)
    : options_(options), out_(out), err_(err), format_(options.locale), watch_(WatchOptions()) {
  if (!options_.historyFile.isEmpty())
    history_ = std::make_unique<HistoryRecorder>(options_.historyFile);
  connect(&link_, &AgwLink::connected, this, &MonitorSession::OnConnected);
  connect(&link_, &AgwLink::frameReceived, this, &MonitorSession::OnFrame);
  connect(&link_, &AgwLink::errorOccurred, this, [this](const QString& text) {
    Print(JsonWriter()
              .BeginObject()
              .String("event", "error")
              .String("text", text)
              .EndObject()
              .Text());
    // With --reconnect the link has already set its next attempt: the engine is awaited.
    if (!options_.reconnect) QCoreApplication::exit(2);
  });
  connect(&link_, &AgwLink::closedByPeer, this, &MonitorSession::OnClosed);
  connect(&link_, &AgwLink::reconnecting, this, [this](qint64 inMs, const QString& reason) {
    watch_.EngineAway();
    Print(JsonWriter()
              .BeginObject()
              .String("event", "reconnecting")
              .Int("in_ms", inMs)
              .String("reason", reason)
              .EndObject()
              .Text());
  });
  if (options_.reconnect) link_.RetryLostConnections(options_.retrySecondMs);
  connect(&tick_, &QTimer::timeout, this, &MonitorSession::OnTick);
  connect(&watch_, &AlertWatch::raised, this, [this](const Alert& alert, const QString& text) {
    JsonWriter json;
    json.BeginObject();
    WriteAlertJson(json, alert, options_.settings.StationCall, text);
    Print(json.EndObject().Text());
    mqtt_.Raised(alert, text);
  });
  connect(&watch_, &AlertWatch::commandProblem, this, &MonitorSession::Say);
  connect(&mqtt_, &MqttPublisher::stateChanged, this, &MonitorSession::OnMqttState);
}

namespace {

// The status as the mqtt event names it.
const char* StatusWord(MqttStatus status) {
  switch (status) {
    case MqttStatus::Off:
      return "off";
    case MqttStatus::Connecting:
      return "connecting";
    case MqttStatus::Connected:
      return "connected";
    case MqttStatus::Refused:
      return "refused";
    case MqttStatus::UnknownHost:
      return "unknown-host";
    case MqttStatus::Unreachable:
      return "unreachable";
    case MqttStatus::TlsFailed:
      break;
  }
  return "tls-failed";
}

}  // namespace

void MonitorSession::OnMqttState(const MqttState& state) {
  Print(JsonWriter()
            .BeginObject()
            .String("event", "mqtt")
            .String("state", StatusWord(state.status))
            .String("host", state.host)
            .Int("port", state.port)
            .String("text", MqttStateText(state))
            .EndObject()
            .Text());
}

// The alerts in the captions' language and units, for the station watched.
AlertOptions MonitorSession::WatchOptions() const {
  AlertOptions alerts;
  alerts.times = options_.alertTimes;
  alerts.command = options_.onEvent;
  alerts.station = options_.settings.StationCall;
  alerts.locale = options_.locale;
  alerts.units = options_.settings.Units;
  return alerts;
}

void MonitorSession::Start() {
  if (history_) {
    QStringList messages;
    history_->Store(messages);
    SayHistory(messages);
  }
  mqtt_.Configure({options_.mqtt, options_.settings.StationCall, QSysInfo::machineHostName(),
                   options_.alertTimes.silentAfterMin, QStringLiteral(VENTORA_VERSION)});
  tick_.start(options_.tickMs);
  link_.Connect(options_.settings.AgwHost, static_cast<quint16>(options_.settings.AgwPort));
}

void MonitorSession::Close() {
  mqtt_.Close();
}

void MonitorSession::OnConnected(bool bySchedule) {
  link_.SendAgwRequest('m');
  link_.SendAgwRequest('R');
  ::OnConnected(shown_, options_.settings.StationCall,
                bySchedule ? ConnectedBy::Schedule : ConnectedBy::User);
  link_.SendAgwRequest('G');
  Print(JsonWriter()
            .BeginObject()
            .String("event", "connected")
            .String("caption", shown_.Caption)
            .EndObject()
            .Text());
  watch_.Connected();
}

void MonitorSession::OnClosed() {
  if (options_.reconnect) return;  // the link tries again and says so
  Print(JsonWriter().BeginObject().String("event", "closed").EndObject().Text());
  QCoreApplication::exit(0);
}

void MonitorSession::OnFrame(const AgwFrameView& view) {
  if (view.data.empty()) return;
  const DispatchResult r =
      HandleAgwFrame(view, options_.settings.StationCall, shown_.report.AcceptReport);
  if (r.rxLines) {
    const AgwFrame frame = ToAgwFrame(view);
    JsonWriter json;
    json.BeginObject()
        .String("event", "frame")
        .String("kind", frame.kind)
        .String("from", frame.callFrom);
    json.BeginArray("rx");
    for (int i = 0; i < r.rxLines->size(); ++i) json.String(nullptr, r.rxLines->at(i));
    PrintDetail(json.EndArray().EndObject().Text());
  }
  if (r.commentCaption) {
    shown_.WxComment = *r.commentCaption;
    PrintDetail(JsonWriter()
                    .BeginObject()
                    .String("event", "version")
                    .String("text", *r.commentCaption)
                    .EndObject()
                    .Text());
  }
  if (r.rainCaption) {
    shown_.Rain.caption = *r.rainCaption;
    PrintDetail(JsonWriter()
                    .BeginObject()
                    .String("event", "ports")
                    .String("text", *r.rainCaption)
                    .EndObject()
                    .Text());
  }
  if (!r.report) return;
  const ReportOutcome out = OnReport(shown_, *r.report, options_.settings, format_);
  if (out.restartTimer) tick_.start();
  const HistoryRow row = RowFromReport(QDateTime::currentSecsSinceEpoch(),
                                       options_.settings.StationCall, *r.report, out.values);
  StoreReport(row);
  mqtt_.Report(row, out.alarmTests);
  JsonWriter json;
  json.BeginObject().String("event", "report");
  WriteReportJson(json, shown_, out);
  PrintDetail(json.EndObject().Text());
  watch_.Report(out.alarmTests);
}

void MonitorSession::OnTick() {
  ::OnTick(shown_);
  PrintDetail(JsonWriter()
                  .BeginObject()
                  .String("event", "tick")
                  .String("elapsed", shown_.Elapsed)
                  .Bool("acceptReport", shown_.report.AcceptReport)
                  .EndObject()
                  .Text());
}

// The window's row for the same report, kept by the window's recorder and published.
void MonitorSession::StoreReport(const HistoryRow& row) {
  if (history_) SayHistory(history_->Record(row));
}

void MonitorSession::SayHistory(const QStringList& messages) {
  for (const QString& text : messages) Say(text);
}

void MonitorSession::Say(const QString& text) {
  std::fprintf(err_, "ventora-cli: %s\n", qPrintable(text));
  std::fflush(err_);
}

void MonitorSession::Print(const QByteArray& json) {
  std::fwrite(json.constData(), 1, size_t(json.size()), out_);
  std::fputc('\n', out_);
  std::fflush(out_);
}

// A line for each frame, report or minute: left out with --quiet.
void MonitorSession::PrintDetail(const QByteArray& json) {
  if (!options_.quiet) Print(json);
}
