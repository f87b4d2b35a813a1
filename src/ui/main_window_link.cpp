// The main window's side of the AGWPE link: connection, errors and received frames.
#include "frame_dispatcher.h"
#include "main_window.h"

void frmWx::Winsock1_Connect() {
  winsock1_->SendAgwRequest('m');
  setWindowTitle(settings_.StationCall + QStringLiteral(" Wx Station"));
  SetTrayTooltip(windowTitle());
  winsock1_->SendAgwRequest('R');
  c_.lblWxData->setText(QStringLiteral("Ventora v5"));
  for (QLabel* label : {c_.lblPress, c_.lblTemp, c_.lblUR, c_.lblRain}) label->clear();
  for (PictureBox* pic : c_.picVar) pic->Clear();
  c_.lblElapsed->setText(QStringLiteral("00"));
  minutesSinceReport_ = 0;
  state_.HavePrevious = false;
  winsock1_->SendAgwRequest('G');
}

void frmWx::Winsock1_Error(const QString& description) {
  seams_.showMessage(QMessageBox::Warning, QStringLiteral("Errore collegamento con AGWPE"),
                     description);
  if (!SetupDialog()->isVisible()) ShowSetupModal();
}

void frmWx::HandleAgwFrame(const AgwFrame& frame) {
  if (frame.data.isEmpty()) return;  // header-only frames are stepped over
  const DispatchResult r = ::HandleAgwFrame(frame, settings_.StationCall, state_.AcceptReport);
  if (r.rxLines) {
    c_.List2->clear();
    c_.List2->addItems(*r.rxLines);
  }
  if (r.rainCaption) c_.lblRain->setText(*r.rainCaption);
  if (r.commentCaption) c_.lblWxComment->setText(*r.commentCaption);
  if (r.report) DecodeWeatherReport(*r.report);
}
