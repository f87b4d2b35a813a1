#include "setup_dialog.h"

#include <QGroupBox>
#include <QToolTip>
#include <algorithm>
#include <vector>

#include "design_fonts.h"
#include "font_fit.h"
#include "twips.h"
#include "typed_length_limit.h"

namespace {

const QColor Blue(0, 0, 255);
const QColor Red(255, 0, 0);
const QColor DarkRed(192, 0, 0);
// The most characters the user may type into the humidity and temperature boxes.
constexpr int HumidityChars = 2;
constexpr int TempChars = 5;
// Pixels kept clear between a caption's end and the box after it.
constexpr int CaptionGap = 2;

void SetTextColour(QWidget* w, const QColor& text, std::optional<QColor> base = std::nullopt) {
  QPalette pal = w->palette();
  pal.setColor(QPalette::WindowText, text);
  pal.setColor(QPalette::Text, text);
  pal.setColor(QPalette::ButtonText, text);
  if (base) pal.setColor(QPalette::Base, *base);
  w->setPalette(pal);
}

template <typename T>
T* Named(T* widget, const char* name, QRect px) {
  widget->setObjectName(QLatin1String(name));
  widget->setGeometry(px);
  return widget;
}

// Where the designed font is missing, a wider stand-in must not run under the next box.
void FitCaption(QLabel* label) {
  const QString text = label->text();
  const int width = label->width();
  label->setFont(ShrinkToFit(label->parentWidget()->font(), [&text, width](const QFontMetrics& m) {
    return m.horizontalAdvance(text) <= width;
  }));
}

QLabel* Caption(QWidget* parent, const char* name, const QString& text, QRect px,
                const QColor& colour) {
  auto* label = Named(new QLabel(text, parent), name, px);
  SetTextColour(label, colour);
  FitCaption(label);
  return label;
}

// The captions of one table in one size: the smallest that any of them needed.
void SameSmallestFont(const std::vector<QLabel*>& labels) {
  const auto smallest = std::min_element(labels.begin(), labels.end(), [](auto* a, auto* b) {
    return a->font().pointSizeF() < b->font().pointSizeF();
  });
  const QFont font = (*smallest)->font();
  for (QLabel* label : labels) label->setFont(font);
}

// One row of the alarm limits: caption, box, caption with the unit, box.
struct AlarmRow {
  const char* label;
  const char* labelName;
  const char* middle;  // as shown in metric units
  const char* middleName;
  SetupBox first;
  const char* firstName;
  SetupBox second;
  const char* secondName;
  std::optional<Quantity> quantity;  // what the limits measure, when they have a unit to convert
  const char* afterUnit;             // what follows the unit in the middle caption
};

const AlarmRow AlarmRows[] = {
    {QT_TRANSLATE_NOOP("frmWxSetup", "Wind:  Max"), "Label12", "Km/h  g", "Label13",
     SetupBox::HiWind, "txtHiWind", SetupBox::HiGust, "txtHiGust", Quantity::Speed, "  g"},
    {QT_TRANSLATE_NOOP("frmWxSetup", "Temp: Low"), "Label4", "\u00B0C   Hi", "Label6",
     SetupBox::LoTemp, "txtLoTemp", SetupBox::HiTemp, "txtHiTemp", Quantity::Temperature, "   Hi"},
    {QT_TRANSLATE_NOOP("frmWxSetup", "U.R.:   Low"), "Label5", "%    Hi", "Label7", SetupBox::LoHum,
     "txtLoHum", SetupBox::HiHum, "TxtHiHum", std::nullopt, ""},
    {QT_TRANSLATE_NOOP("frmWxSetup", "Baro:   Low"), "Label8", "mb  Hi", "Label9", SetupBox::LoBaro,
     "txtLoBaro", SetupBox::HiBaro, "txtHiBaro", Quantity::Pressure, " Hi"},
    {QT_TRANSLATE_NOOP("frmWxSetup", "Rain:   1h"), "Label10", "mm 24h", "Label11",
     SetupBox::HiRainHour, "txtHiRainHour", SetupBox::HiRain24, "txtHiRain24", Quantity::Rain,
     " 24h"},
};

// The middle caption of a row: the metric one as designed, or the row's imperial unit.
QString MiddleCaption(const AlarmRow& row, UnitSystem units) {
  if (units == UnitSystem::Metric || !row.quantity) return QString::fromUtf8(row.middle);
  return UnitOf(units, *row.quantity).symbol + QLatin1String(row.afterUnit);
}

QGroupBox* Frame(QWidget* parent, const char* name, const QString& title, QRect px) {
  return Named(new QGroupBox(title, parent), name, px);
}

}  // namespace

frmWxSetup::frmWxSetup(Settings& settings, std::function<void()> reconnect, QWidget* parent)
    : QDialog(parent), settings_(settings), reconnect_(std::move(reconnect)) {
  setObjectName(QStringLiteral("frmWxSetup"));
  setWindowTitle(tr("Setup Parametri Ventora"));
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(Px(2805), Px(4710));
  QFont font(DesignFamily(DesignFont::Sans));
  font.setPointSizeF(7.5);
  setFont(font);
  Build();
  connect(cmdAccept_, &QPushButton::clicked, this, &frmWxSetup::cmdAccept_Click);
  connect(cmdCancel_, &QPushButton::clicked, this, &frmWxSetup::cmdCancel_Click);
}

void frmWxSetup::Build() {
  // Pixel positions at 96 dpi inside the 187 x 314 client area.
  QGroupBox* station = Frame(this, "fraCall", QStringLiteral("Station Call"), {4, 0, 179, 40});
  auto* label3 = Caption(station, "Label3", QStringLiteral("Wx Station"), {8, 17, 62, 18}, Red);
  QFont bold = label3->font();
  bold.setBold(true);
  label3->setFont(bold);
  txtCall_ = Named(new QLineEdit(station), "txtCall", {74, 15, 98, 21});
  QFont callFont = txtCall_->font();
  callFont.setPointSizeF(9.75);
  callFont.setBold(true);
  txtCall_->setFont(callFont);
  SetTextColour(txtCall_, Blue, QColor(192, 255, 255));

  QGroupBox* data = Frame(this, "fraData", tr("All'arrivo nuovi dati"), {4, 42, 179, 36});
  chkFocus_ = Named(new QCheckBox(tr("Evidenzia finestra"), data), "chkFocus", {8, 15, 112, 18});
  chkBeep_ = Named(new QCheckBox(tr("Suona"), data), "chkBeep", {122, 15, 54, 18});
  SetTextColour(chkFocus_, Blue);
  SetTextColour(chkBeep_, Blue);

  QGroupBox* alarms =
      Frame(this, "fraAlarms", tr("Allarmi (valori evidenziati rosso)"), {4, 80, 179, 152});
  SetTextColour(alarms, Red);
  BuildAlarmFrame(alarms);

  QGroupBox* agwpe = Frame(this, "fraAgwpe", QStringLiteral("AGWPE"), {4, 234, 179, 58});
  Caption(agwpe, "Label1", QStringLiteral("Agwpe Addr"), {6, 17, 58, 18}, Blue);
  txtHost_ = Named(new QLineEdit(agwpe), "txtHost", {66, 15, 106, 19});
  Caption(agwpe, "Label2", QStringLiteral("Agwpe Port"), {6, 37, 58, 18}, Blue);
  boxes_[int(SetupBox::Port)] = Named(new QLineEdit(agwpe), "txtPort", {66, 35, 50, 19});
  for (QLineEdit* box : {txtHost_, Box(SetupBox::Port)})
    SetTextColour(box, DarkRed, QColor(255, 255, 192));

  cmdAccept_ = Named(new QPushButton(tr("&Conferma"), this), "cmdAccept", {8, 294, 82, 19});
  cmdCancel_ = Named(new QPushButton(tr("&Cancella"), this), "cmdCancel", {97, 294, 82, 19});
  cmdAccept_->setDefault(true);
  cmdAccept_->setAutoDefault(true);

  QWidget* order[] = {txtCall_,
                      cmdAccept_,
                      cmdCancel_,
                      chkFocus_,
                      chkBeep_,
                      Box(SetupBox::HiWind),
                      Box(SetupBox::HiGust),
                      Box(SetupBox::LoTemp),
                      Box(SetupBox::HiTemp),
                      Box(SetupBox::LoHum),
                      Box(SetupBox::HiHum),
                      Box(SetupBox::LoBaro),
                      Box(SetupBox::HiBaro),
                      Box(SetupBox::HiRainHour),
                      Box(SetupBox::HiRain24),
                      chkFocusAlm_,
                      chkBeepAlm_,
                      txtHost_,
                      Box(SetupBox::Port),
                      chkSaveAlm_};
  for (size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
}

void frmWxSetup::BuildAlarmFrame(QWidget* frame) {
  // Each row: caption, box, caption, box; a caption ends short of the box after it.
  constexpr int LabelX = 5, FirstBoxX = 56, MiddleX = 100, SecondBoxX = 135;
  int y = 15;
  for (const AlarmRow& row : AlarmRows) {
    captions_.push_back(Caption(frame, row.labelName, tr(row.label),
                                {LabelX, y + 1, FirstBoxX - CaptionGap - LabelX, 16}, DarkRed));
    boxes_[int(row.first)] = Named(new QLineEdit(frame), row.firstName, {FirstBoxX, y, 42, 18});
    captions_.push_back(Caption(frame, row.middleName, QString::fromUtf8(row.middle),
                                {MiddleX, y + 1, SecondBoxX - CaptionGap - MiddleX, 16}, DarkRed));
    boxes_[int(row.second)] = Named(new QLineEdit(frame), row.secondName, {SecondBoxX, y, 40, 18});
    y += 20;
  }
  SameSmallestFont(captions_);
  for (const AlarmRow& row : AlarmRows)
    for (SetupBox b : {row.first, row.second}) SetTextColour(Box(b), Qt::black);
  for (SetupBox b : {SetupBox::LoHum, SetupBox::HiHum}) new TypedLengthLimit(HumidityChars, Box(b));
  for (SetupBox b : {SetupBox::LoTemp, SetupBox::HiTemp}) new TypedLengthLimit(TempChars, Box(b));
  chkFocusAlm_ =
      Named(new QCheckBox(tr("Evidenzia finestra"), frame), "chkFocusAlm", {8, y, 112, 18});
  chkBeepAlm_ = Named(new QCheckBox(tr("Suona"), frame), "chkBeepAlm", {122, y, 54, 18});
  chkSaveAlm_ = Named(new QCheckBox(tr("Salva i valori di Allarme / Suoni"), frame), "chkSaveAlm",
                      {8, y + 18, 168, 18});
  for (QWidget* w : {static_cast<QWidget*>(chkFocusAlm_), static_cast<QWidget*>(chkBeepAlm_),
                     static_cast<QWidget*>(chkSaveAlm_)})
    SetTextColour(w, DarkRed);
}

void frmWxSetup::ShowUnits(UnitSystem units) {
  if (units == shownUnits_) return;
  shownUnits_ = units;
  for (const AlarmRow& row : AlarmRows)
    findChild<QLabel*>(QLatin1String(row.middleName))->setText(MiddleCaption(row, units));
  for (QLabel* caption : captions_) FitCaption(caption);
  SameSmallestFont(captions_);
}

void frmWxSetup::Form_Load() {
  const SetupForm form = FillSetupForm(settings_, QLocale());
  ShowUnits(form.units);
  chkFocus_->setChecked(form.focusOnData);
  chkBeep_->setChecked(form.beepOnData);
  chkFocusAlm_->setChecked(form.focusOnAlarm);
  chkBeepAlm_->setChecked(form.beepOnAlarm);
  chkSaveAlm_->setChecked(form.saveAlarms);
  for (int i = 0; i < SetupBoxCount; ++i) boxes_[i]->setText(form.boxes[i]);
  txtHost_->setText(form.host);
  txtCall_->setText(form.call);
  txtCall_->selectAll();
  txtCall_->setFocus();
  hint_.clear();
}

SetupForm frmWxSetup::ReadBoxes() const {
  SetupForm form;
  form.call = txtCall_->text();
  form.host = txtHost_->text();
  for (int i = 0; i < SetupBoxCount; ++i) form.boxes[i] = boxes_[i]->text();
  form.focusOnData = chkFocus_->isChecked();
  form.beepOnData = chkBeep_->isChecked();
  form.focusOnAlarm = chkFocusAlm_->isChecked();
  form.beepOnAlarm = chkBeepAlm_->isChecked();
  form.saveAlarms = chkSaveAlm_->isChecked();
  form.units = shownUnits_;
  return form;
}

void frmWxSetup::cmdAccept_Click() {
  const SetupReading reading = ReadSetupForm(ReadBoxes(), settings_, QLocale());
  if (reading.faultyBox) return Refuse(*reading.faultyBox, reading.hint);
  const bool reconnect = NeedsReconnect(reading.settings, settings_, setupAcceptedOnce_);
  settings_ = reading.settings;  // call, host and port are unchanged unless they reconnect
  if (reconnect) {
    setupAcceptedOnce_ = true;
    reconnect_();
  }
  accept();
}

void frmWxSetup::Refuse(SetupBox box, const QString& hint) {
  hint_ = hint;
  QLineEdit* edit = Box(box);
  edit->setFocus();
  edit->selectAll();
  QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), hint, edit);
}

void frmWxSetup::cmdCancel_Click() {
  reject();
}
