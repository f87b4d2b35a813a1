// The main window's side of the AGWPE link: connection, errors and received frames.
#include <utility>

#include "frame_dispatcher.h"
#include "main_window.h"

void frmWx::Winsock1_Connect(bool bySchedule) {
  // The engine answered: the box about its failure, still open, has had its say.
  if (closeLinkError_) {
    engineAnsweredBox_ = true;
    closeLinkError_();
  }
  if (outage_.OnConnected()) shown_.WxComment.clear();  // the wait it told of is over
  winsock1_->SendAgwRequest('m');
  winsock1_->SendAgwRequest('R');
  OnConnected(shown_, settings_.StationCall,
              bySchedule ? ConnectedBy::Schedule : ConnectedBy::User);
  Render();
  winsock1_->SendAgwRequest('G');
  alerts_->Connected();
}

void frmWx::Winsock1_Error(const QString& description) {
  // The link goes on trying behind the box and the dialog, whatever the user does there.
  engineAnsweredBox_ = false;
  seams_.showClosableMessage(QMessageBox::Warning, tr("Errore collegamento con AGWPE"), description,
                             closeLinkError_);
  closeLinkError_ = nullptr;
  if (std::exchange(engineAnsweredBox_, false)) return;  // nothing left for the user to correct
  if (!SetupDialog()->isVisible()) ShowSetupModal();
}

void frmWx::Winsock1_Reconnecting(qint64 inMs, const QString& reason) {
  // The last values stay and the minute counter goes on rising: only the status line and the
  // tray tooltip tell that the engine is away, and when it is tried next.
  const ReconnectNotice notice =
      outage_.OnWait(QDateTime::currentDateTime(), inMs, reason, settings_.StationCall);
  shown_.WxComment = notice.statusLine;
  shown_.tooltip = notice.tooltip;
  Render();
  alerts_->EngineAway();
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
