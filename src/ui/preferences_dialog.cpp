#include "preferences_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app_icon.h"

namespace {

// Picks the item whose data is `value`.
void Select(QComboBox* combo, int value) {
  combo->setCurrentIndex(combo->findData(value));
}

}  // namespace

frmPreferenze::frmPreferenze(const Preferences& current, LanguageChoice running, QWidget* parent)
    : QDialog(parent), running_(running) {
  setObjectName(QStringLiteral("frmPreferenze"));
  setWindowTitle(tr("Preferenze"));
  setWindowIcon(VentoraIcon());
  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("tabPages"));
  pages_->addTab(BuildDisplayPage(), tr("Generale"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName(QStringLiteral("buttons"));
  buttons->button(QDialogButtonBox::Cancel)->setText(tr("Annulla"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pages_);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  Select(cboLanguage_, int(current.language));
  Select(cboUnits_, int(current.units));
  ShowLanguageNote();
}

QWidget* frmPreferenze::BuildDisplayPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("pagGenerale"));
  cboLanguage_ = new QComboBox(page);
  cboLanguage_->setObjectName(QStringLiteral("cboLanguage"));
  cboLanguage_->addItem(tr("Automatico"), int(LanguageChoice::Automatic));
  // Each language is named in itself, whatever the program speaks.
  cboLanguage_->addItem(QStringLiteral("Italiano"), int(LanguageChoice::Italian));
  cboLanguage_->addItem(QStringLiteral("English"), int(LanguageChoice::English));
  cboUnits_ = new QComboBox(page);
  cboUnits_->setObjectName(QStringLiteral("cboUnits"));
  cboUnits_->addItem(tr("Metriche (°C, km/h, mb, mm)"), int(UnitSystem::Metric));
  cboUnits_->addItem(tr("Imperiali (°F, mph, inHg, in)"), int(UnitSystem::Imperial));
  lblLanguageNote_ = new QLabel(LanguageNote(), page);
  lblLanguageNote_->setObjectName(QStringLiteral("lblLanguageNote"));
  // The note comes and goes with the choice; its room stays, so that nothing jumps.
  lblLanguageNote_->setMinimumSize(lblLanguageNote_->sizeHint());
  connect(cboLanguage_, &QComboBox::currentIndexChanged, this, &frmPreferenze::ShowLanguageNote);
  auto* form = new QFormLayout(page);
  form->addRow(tr("Lingua"), cboLanguage_);
  form->addRow(QString(), lblLanguageNote_);
  form->addRow(tr("Unità di misura"), cboUnits_);
  return page;
}

QString frmPreferenze::LanguageNote() {
  return tr("La lingua cambia al prossimo avvio di Ventora.");
}

void frmPreferenze::ShowLanguageNote() {
  lblLanguageNote_->setText(Chosen().language != running_ ? LanguageNote() : QString());
}

Preferences frmPreferenze::Chosen() const {
  Preferences chosen;
  chosen.language = static_cast<LanguageChoice>(cboLanguage_->currentData().toInt());
  chosen.units = static_cast<UnitSystem>(cboUnits_->currentData().toInt());
  return chosen;
}
