// The main window's side of Ventora.ini: read at start-up, saved and applied when the user
// confirms the preferences dialog.
#include <QDir>

#include "main_window.h"

void frmWx::LoadPreferences(const QString& alarmsPath) {
  preferencesFile_ = PreferencesFileBeside(alarmsPath);
  const PreferencesRead read = ReadPreferencesFile(preferencesFile_);
  preferences_ = read.preferences;
  runningLanguage_ = preferences_.language;
  settings_.Units = preferences_.units;
  if (read.problem.isEmpty()) return;
  seams_.showNotice(QMessageBox::Warning, QDir::toNativeSeparators(preferencesFile_),
                    tr("Le preferenze non si leggono: Ventora usa quelle predefinite e lascia "
                       "il file com'è finché non si salvano le preferenze.") +
                        QStringLiteral("\n\n") + read.problem);
}

void frmWx::ApplyPreferences(const Preferences& chosen) {
  const QString problem = WritePreferencesFile(preferencesFile_, chosen);
  if (!problem.isEmpty())
    seams_.showMessage(QMessageBox::Warning, QDir::toNativeSeparators(preferencesFile_),
                       tr("Le preferenze non sono state salvate: valgono fino alla chiusura di "
                          "Ventora.") +
                           QStringLiteral("\n\n") + problem);
  if (chosen.alerts.command != preferences_.alerts.command) ShowCommandProblem(QString());
  preferences_ = chosen;
  const bool otherUnits = settings_.Units != chosen.units;
  settings_.Units = chosen.units;
  ConfigureAlerts();
  if (otherUnits) ShowInCurrentUnits();
}

void frmWx::ShowInCurrentUnits() {
  ReshowLastReport(shown_, settings_, QLocale());
  Render();
  if (!storico_) return;
  storico_->Refresh();
  if (storico_->Summary()) storico_->Summary()->Refresh();
}
