// frmPreferenze: the preferences kept in Ventora.ini, one page per subject.
#pragma once

#include <QDialog>

#include "alert_command.h"
#include "preferences_file.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

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

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildDisplayPage();
  QWidget* BuildAlertsPage(const AlertPageContext& alerts);
  QSpinBox* MinutesBox(const char* name, QWidget* page);
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
};
