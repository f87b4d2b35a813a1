// frmPreferenze: the preferences kept in Ventora.ini, one page per subject.
#pragma once

#include <QDialog>

#include "preferences_file.h"

class QComboBox;
class QLabel;
class QTabWidget;

class frmPreferenze : public QDialog {
  Q_OBJECT
 public:
  // `running`: the language this run started in; another one takes effect at the next start.
  frmPreferenze(const Preferences& current, LanguageChoice running,
                QWidget* parent = nullptr);

  // What the pages show now.
  Preferences Chosen() const;

 private:
  QWidget* BuildDisplayPage();
  static QString LanguageNote();
  // The note shows while the chosen language differs from the running one.
  void ShowLanguageNote();

  LanguageChoice running_;
  QTabWidget* pages_ = nullptr;
  QComboBox* cboLanguage_ = nullptr;
  QComboBox* cboUnits_ = nullptr;
  QLabel* lblLanguageNote_ = nullptr;
};
