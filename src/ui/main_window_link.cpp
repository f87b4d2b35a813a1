// The main window's side of the AGWPE link: connection, errors and received frames.
#include "frame_dispatcher.h"
#include "main_window.h"

void frmWx::Winsock1_Connect() {
  outage_.OnConnected();
  winsock1_->SendAgwRequest('m');
  winsock1_->SendAgwRequest('R');
  OnConnected(shown_, settings_.StationCall);
  Render();
  winsock1_->SendAgwRequest('G');
}

void frmWx::Winsock1_Error(const QString& description) {
  seams_.showMessage(QMessageBox::Warning, QStringLiteral("Errore collegamento con AGWPE"),
                     description);
  if (!SetupDialog()->isVisible()) ShowSetupModal();
}

void frmWx::Winsock1_Reconnecting(qint64 inMs, const QString& reason) {
  // The last values stay and the minute counter goes on rising: only the status line and the
  // tray tooltip tell that the engine is away.
  const ReconnectNotice notice =
      outage_.OnWait(QDateTime::currentDateTime(), inMs, reason, settings_.StationCall);
  shown_.WxComment = notice.statusLine;
  shown_.tooltip = notice.tooltip;
  Render();
}

void frmWx::HandleAgwFrame(const AgwFrame& frame) {
  if (frame.data.isEmpty()) return;
  Show(::HandleAgwFrame(frame, settings_.StationCall, shown_.report.AcceptReport));
}

void frmWx::HandleAgwFrame(const AgwFrameView& frame) {
  if (frame.data.empty()) return;  // header-only frames are stepped over
  Show(::HandleAgwFrame(frame, settings_.StationCall, shown_.report.AcceptReport));
}

void frmWx::Show(const DispatchResult& r) {
  if (r.rxLines) {
    c_.List2->clear();
    c_.List2->addItems(r.rxLines->ToStringList());
  }
  if (r.rainCaption) shown_.Rain.caption = *r.rainCaption;
  if (r.commentCaption) shown_.WxComment = *r.commentCaption;
  if (r.rainCaption || r.commentCaption) Render();
  if (r.report) DecodeWeatherReport(*r.report);
}
