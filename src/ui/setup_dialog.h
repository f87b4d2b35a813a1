// frmWxSetup: edits the station call, the engine address, the reaction switches and alarm limits.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <functional>
#include <vector>

#include "settings.h"
#include "setup_form.h"

class frmWxSetup : public QDialog {
  Q_OBJECT
 public:
  // `reconnect` closes the AGWPE connection and opens it again with the stored call, host, port.
  frmWxSetup(Settings& settings, std::function<void()> reconnect, QWidget* parent = nullptr);

  // Fills the boxes from the settings; runs on every opening after the dialog was closed.
  void Form_Load();
  void cmdAccept_Click();
  void cmdCancel_Click();

  bool SetupAcceptedOnce() const { return setupAcceptedOnce_; }
  QLineEdit* Box(SetupBox box) const { return boxes_[static_cast<int>(box)]; }
  const QString& Hint() const { return hint_; }

 private:
  void Build();
  void BuildAlarmFrame(QWidget* frame);
  SetupForm ReadBoxes() const;
  void Refuse(SetupBox box, const QString& hint);
  // Shows the limits' units in the captions of the alarm rows.
  void ShowUnits(UnitSystem units);

  Settings& settings_;
  std::function<void()> reconnect_;
  bool setupAcceptedOnce_ = false;
  QLineEdit* txtCall_ = nullptr;
  QLineEdit* txtHost_ = nullptr;
  std::array<QLineEdit*, SetupBoxCount> boxes_{};
  QCheckBox *chkFocus_ = nullptr, *chkBeep_ = nullptr, *chkFocusAlm_ = nullptr,
            *chkBeepAlm_ = nullptr, *chkSaveAlm_ = nullptr;
  QPushButton *cmdAccept_ = nullptr, *cmdCancel_ = nullptr;
  QString hint_;
  std::vector<QLabel*> captions_;               // the alarm rows' captions, all in one size
  UnitSystem shownUnits_ = UnitSystem::Metric;  // the units the boxes were last filled in
};
