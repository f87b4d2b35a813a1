#include "summary_view.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>
#include <cmath>

#include "history_quantities.h"
#include "noaa_report.h"
#include "summary_csv.h"

namespace {

// Reports stored within this long of the first are summarised together.
constexpr int StoredSettleMs = 1500;
constexpr int FirstYear = 1990, LastYear = 2100;
constexpr int MonthsAYear = 12;

// What a column shows its numbers in; nothing: no unit, Degrees: a direction.
enum class ColumnUnit { None, Temperature, Wind, Rain, Pressure, Degrees };

struct Column {
  const char* name;
  ColumnUnit unit = ColumnUnit::None;
  const char* tip = nullptr;
};

// The NOAA columns of a day, in their order.
enum DayColumn {
  Day,
  Mean,
  High,
  HighTime,
  Low,
  LowTime,
  Heating,
  Cooling,
  Rain,
  Wind,
  Gust,
  GustTime,
  Direction,
  DayColumnCount
};

const Column DayColumns[DayColumnCount] = {
    {QT_TRANSLATE_NOOP("SummaryView", "Giorno")},
    {QT_TRANSLATE_NOOP("SummaryView", "Media"), ColumnUnit::Temperature},
    {QT_TRANSLATE_NOOP("SummaryView", "Max"), ColumnUnit::Temperature},
    {QT_TRANSLATE_NOOP("SummaryView", "Ora")},
    {QT_TRANSLATE_NOOP("SummaryView", "Min"), ColumnUnit::Temperature},
    {QT_TRANSLATE_NOOP("SummaryView", "Ora")},
    {QT_TRANSLATE_NOOP("SummaryView", "GG risc."), ColumnUnit::Temperature,
     QT_TRANSLATE_NOOP("SummaryView",
                       "Gradi giorno di riscaldamento: quanto la media del giorno sta sotto "
                       "18,3 \u00B0"
                       "C (65 \u00B0"
                       "F)")},
    {QT_TRANSLATE_NOOP("SummaryView", "GG raffr."), ColumnUnit::Temperature,
     QT_TRANSLATE_NOOP("SummaryView",
                       "Gradi giorno di raffrescamento: quanto la media del giorno sta sopra "
                       "18,3 \u00B0"
                       "C (65 \u00B0"
                       "F)")},
    {QT_TRANSLATE_NOOP("SummaryView", "Pioggia"), ColumnUnit::Rain},
    {QT_TRANSLATE_NOOP("SummaryView", "Vento medio"), ColumnUnit::Wind},
    {QT_TRANSLATE_NOOP("SummaryView", "Raffica"), ColumnUnit::Wind},
    {QT_TRANSLATE_NOOP("SummaryView", "Ora")},
    {QT_TRANSLATE_NOOP("SummaryView", "Dir. dom."), ColumnUnit::Degrees,
     QT_TRANSLATE_NOOP("SummaryView",
                       "Direzione dominante: quella della somma dei venti del giorno, ciascuno "
                       "pesato con la sua velocit\u00E0")},
};

enum RecordColumn {
  TempHigh,
  TempLow,
  GustHigh,
  RainDay,
  RainHour,
  PressureHigh,
  PressureLow,
  RecordColumnCount
};

const Column RecordColumns[RecordColumnCount] = {
    {QT_TRANSLATE_NOOP("SummaryView", "Massima"), ColumnUnit::Temperature},
    {QT_TRANSLATE_NOOP("SummaryView", "Minima"), ColumnUnit::Temperature},
    {QT_TRANSLATE_NOOP("SummaryView", "Raffica"), ColumnUnit::Wind},
    {QT_TRANSLATE_NOOP("SummaryView", "Pioggia in un giorno"), ColumnUnit::Rain},
    {QT_TRANSLATE_NOOP("SummaryView", "Pioggia in un'ora"), ColumnUnit::Rain},
    {QT_TRANSLATE_NOOP("SummaryView", "Pressione max"), ColumnUnit::Pressure},
    {QT_TRANSLATE_NOOP("SummaryView", "Pressione min"), ColumnUnit::Pressure},
};

const char* const RecordPeriods[] = {
    QT_TRANSLATE_NOOP("SummaryView", "Oggi"),        QT_TRANSLATE_NOOP("SummaryView", "Ieri"),
    QT_TRANSLATE_NOOP("SummaryView", "Questo mese"), QT_TRANSLATE_NOOP("SummaryView", "Quest'anno"),
    QT_TRANSLATE_NOOP("SummaryView", "Di sempre"),
};

QString Text(const char* text) {
  return QCoreApplication::translate("SummaryView", text);
}

HistoryQuantity ChartQuantity(ColumnUnit unit) {
  switch (unit) {
    case ColumnUnit::Wind:
      return HistoryQuantity::Wind;
    case ColumnUnit::Rain:
      return HistoryQuantity::Rain;
    case ColumnUnit::Pressure:
      return HistoryQuantity::Pressure;
    default:
      return HistoryQuantity::Temperature;
  }
}

// A column's name over its unit, as the charts name it in `system`.
QString Heading(const Column& column, UnitSystem system) {
  if (column.unit == ColumnUnit::None) return Text(column.name);
  const QString unit = column.unit == ColumnUnit::Degrees
                           ? QStringLiteral("\u00B0")
                           : ChartUnitOf(ChartQuantity(column.unit), system).symbol;
  return Text(column.name) + u'\n' + unit;
}

// `shown` in the user's format with `decimals`, never "-0".
QString Number(double shown, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const double rounded = std::round(shown * scale) / scale;
  return QLocale().toString(rounded == 0 ? 0.0 : rounded, 'f', decimals);
}

// A stored (metric) reading as the charts show it in `system`; empty when absent.
QString Reading(ColumnUnit unit, UnitSystem system, std::optional<double> metric) {
  if (!metric) return {};
  if (unit == ColumnUnit::Degrees) return Number(*metric, 0);
  const HistoryQuantity quantity = ChartQuantity(unit);
  return Number(ToShown(system, *ChartOf(quantity).measure, *metric),
                ChartUnitOf(quantity, system).decimals);
}

QTimeZone Zone() {
  return QTimeZone::systemTimeZone();
}

QDateTime Local(int64_t time) {
  return QDateTime::fromSecsSinceEpoch(time).toTimeZone(Zone());
}

QString TimeOf(const std::optional<Extreme>& extreme) {
  return extreme ? QLocale().toString(Local(extreme->time).time(), QLocale::ShortFormat)
                 : QString();
}

QString WhenOf(const std::optional<Extreme>& extreme) {
  return extreme ? QLocale().toString(Local(extreme->time), QLocale::ShortFormat) : QString();
}

std::optional<double> ValueOf(const std::optional<Extreme>& extreme) {
  return extreme ? std::optional<double>(extreme->value) : std::nullopt;
}

// The heating and cooling degree days of `days`, in `system`.
std::pair<double, double> DegreeDays(const std::vector<DaySummary>& days, UnitSystem system) {
  double heating = 0, cooling = 0;
  for (const DaySummary& day : days)
    if (day.tempMean) {
      heating += HeatingDegreeDays(system, *day.tempMean);
      cooling += CoolingDegreeDays(system, *day.tempMean);
    }
  return {heating, cooling};
}

QStringList DayCells(const DaySummary& day, UnitSystem system) {
  const auto reading = [&](DayColumn column, std::optional<double> metric) {
    return Reading(DayColumns[column].unit, system, metric);
  };
  const int decimals = ChartUnitOf(HistoryQuantity::Temperature, system).decimals;
  const auto degreeDays = [&](double (*rule)(UnitSystem, double)) {
    return day.tempMean ? Number(rule(system, *day.tempMean), decimals) : QString();
  };
  return {QLocale().toString(day.date.day()),
          reading(Mean, day.tempMean),
          reading(High, ValueOf(day.tempHigh)),
          TimeOf(day.tempHigh),
          reading(Low, ValueOf(day.tempLow)),
          TimeOf(day.tempLow),
          degreeDays(HeatingDegreeDays),
          degreeDays(CoolingDegreeDays),
          reading(Rain, day.rainMm),
          reading(Wind, day.windMean),
          reading(Gust, ValueOf(day.gustHigh)),
          TimeOf(day.gustHigh),
          reading(Direction, day.windDomDir)};
}

// A month's or a year's line under the days: its extremes with their dates and times.
QStringList TotalCells(const QString& name, const PeriodSummary& total,
                       const std::vector<DaySummary>& days, UnitSystem system) {
  const auto reading = [&](DayColumn column, std::optional<double> metric) {
    return Reading(DayColumns[column].unit, system, metric);
  };
  const int decimals = ChartUnitOf(HistoryQuantity::Temperature, system).decimals;
  const auto [heating, cooling] = DegreeDays(days, system);
  return {name,
          reading(Mean, total.tempMean),
          reading(High, ValueOf(total.tempHigh)),
          WhenOf(total.tempHigh),
          reading(Low, ValueOf(total.tempLow)),
          WhenOf(total.tempLow),
          Number(heating, decimals),
          Number(cooling, decimals),
          reading(Rain, total.rainMm),
          QString(),
          reading(Gust, ValueOf(total.gustHigh)),
          WhenOf(total.gustHigh),
          QString()};
}

QString RecordCell(ColumnUnit unit, UnitSystem system, const std::optional<Extreme>& extreme) {
  if (!extreme) return {};
  return Reading(unit, system, extreme->value) + u'\n' + WhenOf(extreme);
}

QStringList RecordCells(const RecordSet& set, UnitSystem system) {
  const auto cell = [&](RecordColumn column, const std::optional<Extreme>& extreme) {
    return RecordCell(RecordColumns[column].unit, system, extreme);
  };
  const QString rainDay = set.rainDayMm
                              ? Reading(ColumnUnit::Rain, system, set.rainDayMm) + u'\n' +
                                    QLocale().toString(set.rainDayDate, QLocale::ShortFormat)
                              : QString();
  return {cell(TempHigh, set.tempHigh),      cell(TempLow, set.tempLow),
          cell(GustHigh, set.gustHigh),      rainDay,
          cell(RainHour, set.rainHour),      cell(PressureHigh, set.pressureHigh),
          cell(PressureLow, set.pressureLow)};
}

QTableWidget* NewTable(const QString& name, QWidget* parent) {
  auto* table = new QTableWidget(parent);
  table->setObjectName(name);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setWordWrap(false);
  table->horizontalHeader()->setStretchLastSection(true);  // no blank beside the last column
  table->verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return table;
}

void SetHeadings(QTableWidget& table, const Column* columns, int count, UnitSystem system) {
  table.setColumnCount(count);
  for (int c = 0; c < count; ++c) {
    auto* heading = new QTableWidgetItem(Heading(columns[c], system));
    if (columns[c].tip) heading->setToolTip(Text(columns[c].tip));
    table.setHorizontalHeaderItem(c, heading);
  }
}

// Numbers right-aligned; a first cell that names its row (a total's period) at the left.
void SetRow(QTableWidget& table, int row, const QStringList& cells, bool named = false) {
  for (int c = 0; c < cells.size(); ++c) {
    auto* item = new QTableWidgetItem(cells[c]);
    item->setTextAlignment((named && c == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    table.setItem(row, c, item);
  }
}

// A table that shows all its rows without scrolling.
void FitHeight(QTableWidget& table) {
  table.resizeRowsToContents();
  int height = table.horizontalHeader()->height() + 2 * table.frameWidth();
  for (int r = 0; r < table.rowCount(); ++r) height += table.rowHeight(r);
  if (table.horizontalScrollBar()->isVisible()) height += table.horizontalScrollBar()->height();
  table.setFixedHeight(height);
  table.setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

}  // namespace

SummaryView::SummaryView(HistoryWorker& history, const Settings& settings, WindowSeams seams,
                         QWidget* parent)
    : QWidget(parent), history_(history), settings_(settings), seams_(std::move(seams)) {
  setObjectName(QStringLiteral("summaryView"));
  cboMonth_ = new QComboBox(this);
  cboMonth_->setObjectName(QStringLiteral("cboMonth"));
  for (int m = 1; m <= MonthsAYear; ++m) cboMonth_->addItem(QLocale().standaloneMonthName(m));
  spnYear_ = new QSpinBox(this);
  spnYear_->setObjectName(QStringLiteral("spnYear"));
  spnYear_->setRange(FirstYear, LastYear);
  cmdExport_ = new QPushButton(tr("Esporta\u2026"), this);
  cmdExport_->setObjectName(QStringLiteral("cmdSummaryExport"));
  cmdExport_->setEnabled(false);
  auto* formats = new QMenu(cmdExport_);
  formats->setObjectName(QStringLiteral("mnuSummaryExport"));
  formats->addAction(tr("Testo NOAA\u2026"), this, &SummaryView::ExportNoaa);
  formats->addAction(tr("CSV\u2026"), this, &SummaryView::ExportCsv);
  cmdExport_->setMenu(formats);
  lblNote_ = new QLabel(this);
  lblNote_->setObjectName(QStringLiteral("lblSummaryNote"));
  lblNote_->setWordWrap(true);
  lblNote_->hide();

  tblDays_ = NewTable(QStringLiteral("tblDays"), this);
  tblDays_->setColumnCount(DayColumnCount);
  tblDays_->verticalHeader()->hide();
  tblTotals_ = NewTable(QStringLiteral("tblTotals"), this);
  tblTotals_->setColumnCount(DayColumnCount);
  tblTotals_->horizontalHeader()->hide();
  tblTotals_->verticalHeader()->hide();
  tblTotals_->setRowCount(2);
  tblTotals_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The totals scroll sideways with the days, their columns under the days' columns.
  tblTotals_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(tblDays_->horizontalScrollBar(), &QScrollBar::valueChanged,
          tblTotals_->horizontalScrollBar(), &QScrollBar::setValue);
  lblRainDays_ = new QLabel(this);
  lblRainDays_->setObjectName(QStringLiteral("lblRainDays"));
  tblRecords_ = NewTable(QStringLiteral("tblRecords"), this);
  ShowHeadings();
  tblRecords_->setRowCount(int(std::size(RecordPeriods)));
  for (int r = 0; r < tblRecords_->rowCount(); ++r)
    tblRecords_->setVerticalHeaderItem(r, new QTableWidgetItem(Text(RecordPeriods[r])));
  tblRecords_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(tr("Mese:"), this));
  top->addWidget(cboMonth_);
  top->addWidget(spnYear_);
  top->addStretch();
  top->addWidget(cmdExport_);
  auto* records = new QGroupBox(tr("Record"), this);
  records->setObjectName(QStringLiteral("grpRecords"));
  records->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);  // the days take the rest
  auto* inRecords = new QVBoxLayout(records);
  inRecords->addWidget(tblRecords_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(top);
  layout->addWidget(lblNote_);
  layout->addWidget(tblDays_, 1);
  layout->addWidget(tblTotals_);
  layout->addWidget(lblRainDays_);
  layout->addWidget(records);

  const QDate today = QDate::currentDate();
  cboMonth_->setCurrentIndex(today.month() - 1);
  spnYear_->setValue(today.year());
  connect(cboMonth_, qOverload<int>(&QComboBox::currentIndexChanged), this, &SummaryView::Refresh);
  connect(spnYear_, qOverload<int>(&QSpinBox::valueChanged), this, &SummaryView::Refresh);
  stored_.setSingleShot(true);
  stored_.setInterval(StoredSettleMs);
  connect(&stored_, &QTimer::timeout, this, &SummaryView::Refresh);
  connect(&history_, &HistoryWorker::stored, this, [this](const HistoryRow& row) {
    if (row.station == Station() && isVisible() && !stored_.isActive()) stored_.start();
  });
  connect(&history_, &HistoryWorker::summarised, this, &SummaryView::Show);
}

int SummaryView::Year() const {
  return spnYear_->value();
}

int SummaryView::Month() const {
  return cboMonth_->currentIndex() + 1;
}

void SummaryView::ShowMonth(int year, int month) {
  const QSignalBlocker quietMonth(cboMonth_), quietYear(spnYear_);
  cboMonth_->setCurrentIndex(month - 1);
  spnYear_->setValue(year);
  Refresh();
}

void SummaryView::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();  // what was stored while hidden
}

void SummaryView::Refresh() {
  if (ticket_) {
    refreshAgain_ = true;  // asked again when the read under way comes back
    return;
  }
  ticket_ = history_.Summarise({Station(), Zone(), Year(), Month(), QDate::currentDate()});
}

void SummaryView::Show(quint64 ticket, const HistorySummaries& summaries) {
  if (ticket != ticket_) return;
  ticket_ = 0;
  if (std::exchange(refreshAgain_, false)) return Refresh();  // this one is out of date
  if (!summaries.opened)
    SayNote(
        tr("Lo storico non si pu\u00F2 aprire: %1").arg(QDir::toNativeSeparators(history_.Path())));
  else if (!summaries.month || !summaries.year || !summaries.records)
    SayNote(tr("Lo storico non si legge: %1").arg(summaries.error));
  else {
    lblNote_->hide();
    month_ = summaries.month;
    cmdExport_->setEnabled(true);
    ShowHeadings();  // the units may have changed since
    ShowDays(*summaries.month);
    ShowTotals(*summaries.month, *summaries.year);
    ShowRecords(*summaries.records);
    layout()->activate();  // the tables' new heights, before the next paint
  }
  emit refreshed();
}

void SummaryView::ShowHeadings() {
  const UnitSystem units = settings_.Units;
  SetHeadings(*tblDays_, DayColumns, DayColumnCount, units);
  SetHeadings(*tblTotals_, DayColumns, DayColumnCount, units);
  SetHeadings(*tblRecords_, RecordColumns, RecordColumnCount, units);
}

void SummaryView::ShowDays(const MonthSummary& month) {
  tblDays_->setRowCount(int(month.days.size()));
  for (size_t d = 0; d < month.days.size(); ++d)
    SetRow(*tblDays_, int(d), DayCells(month.days[d], settings_.Units));
}

void SummaryView::ShowTotals(const MonthSummary& month, const YearSummary& year) {
  const UnitSystem units = settings_.Units;
  std::vector<DaySummary> yearDays;
  for (const MonthSummary& m : year.months)
    yearDays.insert(yearDays.end(), m.days.begin(), m.days.end());
  const QString monthName =
      QLocale().standaloneMonthName(month.month) + u' ' + QString::number(month.year);
  SetRow(*tblTotals_, 0, TotalCells(monthName, month.total, month.days, units), true);
  SetRow(*tblTotals_, 1, TotalCells(QString::number(year.year), year.total, yearDays, units), true);
  // Each column as wide as the widest of the days and the totals, the totals under the days.
  tblDays_->resizeColumnsToContents();
  tblTotals_->resizeColumnsToContents();
  for (int c = 0; c < DayColumnCount; ++c) {
    const int width = std::max(tblDays_->columnWidth(c), tblTotals_->columnWidth(c));
    tblDays_->setColumnWidth(c, width);
    tblTotals_->setColumnWidth(c, width);
  }
  tblDays_->resizeRowsToContents();
  FitHeight(*tblTotals_);
  lblRainDays_->setText(tr("Giorni con almeno %1 %2 di pioggia: %3 nel mese, %4 nell'anno")
                            .arg(Reading(ColumnUnit::Rain, units, RainDayMm),
                                 ChartUnitOf(HistoryQuantity::Rain, units).symbol)
                            .arg(month.total.rainDays)
                            .arg(year.total.rainDays));
}

void SummaryView::ShowRecords(const WeatherRecords& records) {
  const RecordSet* sets[] = {&records.today, &records.yesterday, &records.month, &records.year,
                             &records.all};
  for (int r = 0; r < int(std::size(sets)); ++r)
    SetRow(*tblRecords_, r, RecordCells(*sets[r], settings_.Units));
  tblRecords_->resizeColumnsToContents();
  FitHeight(*tblRecords_);
}

void SummaryView::SayNote(const QString& text) {
  month_.reset();
  cmdExport_->setEnabled(false);
  lblNote_->setText(text);
  lblNote_->show();
}

void SummaryView::ExportNoaa() {
  if (month_)
    Export(tr("Esporta testo NOAA"), QStringLiteral(".txt"),
           NoaaMonthReport(*month_, settings_.Units, Zone()));
}

void SummaryView::ExportCsv() {
  if (month_)
    Export(tr("Esporta CSV"), QStringLiteral(".csv"), MonthCsv(*month_, settings_.Units, Zone()));
}

// A month's text is a few kilobytes: written here, whole or not at all.
void SummaryView::Export(const QString& title, const QString& suffix, const QByteArray& contents) {
  const QString month = QDate(month_->year, month_->month, 1).toString(QStringLiteral("yyyy-MM"));
  const QString suggested = tr("Riepilogo-%1-%2").arg(Station(), month) + suffix;
  const QString path = seams_.chooseSaveFile(this, title, suggested);
  if (path.isEmpty()) return;
  QSaveFile out(path);
  const bool saved =
      out.open(QIODevice::WriteOnly) && out.write(contents) == contents.size() && out.commit();
  const QString shown = QDir::toNativeSeparators(path);
  if (saved) {
    lblNote_->setText(tr("Riepilogo salvato in %1").arg(shown));
    lblNote_->show();
  } else
    seams_.showMessage(QMessageBox::Warning, HistoryRecorder::MessageTitle(),
                       tr("Impossibile salvare %1").arg(shown));
  emit exportFinished(saved);
}
