#include "monitor_command.h"

#include <QCoreApplication>

#include "frame_dispatcher.h"
#include "json_writer.h"
#include "label_text.h"
#include "report_json.h"

MonitorSession::MonitorSession(const MonitorOptions& options, std::FILE* out)
    : options_(options), out_(out) {
  connect(&link_, &AgwLink::connected, this, &MonitorSession::OnConnected);
  connect(&link_, &AgwLink::frameReceived, this, &MonitorSession::OnFrame);
  connect(&link_, &AgwLink::errorOccurred, this, [this](const QString& text) {
    Print(JsonWriter()
              .BeginObject()
              .String("event", "error")
              .String("text", text)
              .EndObject()
              .Text());
    QCoreApplication::exit(2);
  });
  connect(&link_, &AgwLink::closedByPeer, this, [this] {
    Print(JsonWriter().BeginObject().String("event", "closed").EndObject().Text());
    QCoreApplication::exit(0);
  });
  connect(&tick_, &QTimer::timeout, this, &MonitorSession::OnTick);
}

void MonitorSession::Start() {
  tick_.start(options_.tickMs);
  link_.Connect(options_.settings.AgwHost, static_cast<quint16>(options_.settings.AgwPort));
}

void MonitorSession::OnConnected() {
  link_.SendAgwRequest('m');
  const QString caption = options_.settings.StationCall + QStringLiteral(" Wx Station");
  link_.SendAgwRequest('R');
  // The window's display is reset as on every new connection.
  shown_.WxData.caption = QStringLiteral("Ventora v5");
  shown_.Press.caption.clear();
  shown_.Temp.caption.clear();
  shown_.UR.caption.clear();
  shown_.Rain.caption.clear();
  shown_.trends = {};
  shown_.Elapsed = QStringLiteral("00");
  minutes_ = 0;
  state_.HavePrevious = false;
  link_.SendAgwRequest('G');
  Print(JsonWriter()
            .BeginObject()
            .String("event", "connected")
            .String("caption", caption)
            .EndObject()
            .Text());
}

void MonitorSession::OnFrame(const AgwFrame& frame) {
  if (frame.data.isEmpty()) return;
  const DispatchResult r =
      HandleAgwFrame(frame, options_.settings.StationCall, state_.AcceptReport);
  if (r.rxLines) {
    JsonWriter json;
    json.BeginObject()
        .String("event", "frame")
        .String("kind", frame.kind)
        .String("from", frame.callFrom);
    json.BeginArray("rx");
    for (const QString& line : *r.rxLines) json.String(nullptr, line);
    Print(json.EndArray().EndObject().Text());
  }
  if (r.commentCaption) {
    shown_.WxComment = *r.commentCaption;
    Print(JsonWriter()
              .BeginObject()
              .String("event", "version")
              .String("text", *r.commentCaption)
              .EndObject()
              .Text());
  }
  if (r.rainCaption) {
    shown_.Rain.caption = *r.rainCaption;
    Print(JsonWriter()
              .BeginObject()
              .String("event", "ports")
              .String("text", *r.rainCaption)
              .EndObject()
              .Text());
  }
  if (!r.report) return;
  CarryShownCaptions(shown_, state_);
  const ReportOutcome out =
      DecodeWeatherReport(*r.report, options_.settings, state_, options_.locale);
  state_ = out.after;
  minutes_ = 0;
  if (out.restartTimer) tick_.start();
  ApplyReport(shown_, out);
  JsonWriter json;
  json.BeginObject().String("event", "report");
  WriteReportJson(json, shown_, out);
  Print(json.EndObject().Text());
}

void MonitorSession::OnTick() {
  state_.AcceptReport = true;
  if (minutes_ < 99) ++minutes_;
  shown_.Elapsed = FormatTwoDigits(minutes_);
  Print(JsonWriter()
            .BeginObject()
            .String("event", "tick")
            .String("elapsed", shown_.Elapsed)
            .Bool("acceptReport", true)
            .EndObject()
            .Text());
}

void MonitorSession::Print(const QByteArray& json) {
  std::fwrite(json.constData(), 1, size_t(json.size()), out_);
  std::fputc('\n', out_);
  std::fflush(out_);
}
