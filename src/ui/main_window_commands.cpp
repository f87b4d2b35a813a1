// The main window's commands: F1 for help, F2 for the preferences, right-clicks for the setup
// dialog and the Rx window.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>

#include "main_window.h"
#include "twips.h"

namespace {

// The outer height less the client area: the title bar and borders the layout was drawn with.
constexpr int FrameAllowance = 450;

// Puts a window that has nothing to stand over in the middle of its screen's free area.
void CentreOnScreen(QWidget* window) {
  if (const QScreen* screen = window->screen())
    window->move(screen->availableGeometry().center() - window->rect().center());
}

}  // namespace

frmWxSetup* frmWx::SetupDialog() {
  if (!setup_) {
    setup_ = new frmWxSetup(
        settings_,
        [this] {
          winsock1_->Close();
          ConnectToEngine();
        },
        this);
    // The station or the units may have changed.
    connect(setup_, &QDialog::accepted, this, &frmWx::ConfigureAlerts);
  }
  return setup_;
}

void frmWx::ShowSetupModal() {
  frmWxSetup* dialog = SetupDialog();
  if (!dialog->isVisible()) dialog->Form_Load();
  // At start-up the main window is not shown yet: Qt would put the dialog in the top-left corner.
  if (!isVisible()) CentreOnScreen(dialog);
  seams_.execModal(dialog);
}

void frmWx::ShowSetupModeless() {
  frmWxSetup* dialog = SetupDialog();
  if (!dialog->isVisible()) {
    dialog->Form_Load();
    dialog->show();
  }
  dialog->raise();
  dialog->activateWindow();
}

void frmWx::OpenPreferences() {
  if (preferencesDialog_) return preferencesDialog_->activateWindow();
  preferencesDialog_ = new frmPreferenze(preferences_, runningLanguage_, AlertPage(), this);
  preferencesDialog_->ShowMqttState(mqtt_->State());
  if (!isVisible()) CentreOnScreen(preferencesDialog_);
  seams_.execModal(preferencesDialog_);
  if (!preferencesDialog_) return;  // the window went while the dialog was open
  const bool confirmed = preferencesDialog_->result() == QDialog::Accepted;
  const Preferences chosen = preferencesDialog_->Chosen();
  delete preferencesDialog_;
  if (confirmed) ApplyPreferences(chosen);
}

void frmWx::OpenHelp() {
  // A closed help window is on its way out: the next one is created anew.
  if (help_ && !help_->isVisible()) help_ = nullptr;
  if (!help_) {
    help_ = new frmIstruzioni(seams_, ProgramFolder());
  }
  help_->Apri(QCoreApplication::translate("frmIstruzioni", HelpFileName),
              QCoreApplication::translate("frmIstruzioni", HelpTitle));
}

// Twips do not fall on whole pixels: the height the program last set is reported as set.
int frmWx::OuterHeightTwips() const {
  if (outerHeightSet_ && height() == Px(outerHeightSet_ - FrameAllowance)) return outerHeightSet_;
  return int(height() * TwipsPerPixel) + FrameAllowance;
}

void frmWx::ToggleRxWindow() {
  const bool expand = OuterHeightTwips() != ExpandedHeight;
  outerHeightSet_ = expand ? ExpandedHeight : CollapsedHeight;
  setFixedHeight(Px(outerHeightSet_ - FrameAllowance));
  c_.List2->setVisible(expand);
}

void frmWx::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1) return OpenHelp();
  if (event->key() == Qt::Key_F2) return OpenPreferences();
  QWidget::keyPressEvent(event);
}

bool frmWx::eventFilter(QObject* watched, QEvent* event) {
  if (OpenHistoryOnDoubleClick(watched, event)) return true;
  if (event->type() != QEvent::MouseButtonPress ||
      static_cast<QMouseEvent*>(event)->button() != Qt::RightButton)
    return QWidget::eventFilter(watched, event);
  if (watched == c_.lblWxData || watched == c_.lblRain) ShowSetupModeless();
  if (watched == c_.lblWxComment) ToggleRxWindow();
  return true;
}
