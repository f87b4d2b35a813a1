#include "history_window.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QCursor>
#include <QDateTime>
#include <QDir>
#include <QGraphicsLayout>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolTip>
#include <QtCharts/QCategoryAxis>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QLegendMarker>
#include <QtCharts/QLineSeries>
#include <QtCharts/QScatterSeries>
#include <QtCharts/QValueAxis>
#include <cmath>
#include <utility>

#include "app_icon.h"
#include "chart_gaps.h"

namespace {

constexpr int StartWidth = 820, StartHeight = 520;
// The summary's tables want this much room at least, where the screen has it.
constexpr int SummaryWidth = 1000, SummaryHeight = 760;
// The plot's margins and axis labels take about this much of the view's width.
constexpr int AxesWidth = 130;
constexpr int FewestColumns = 100;
constexpr int ResizeSettleMs = 150;
constexpr int ValueTicks = 6;
constexpr qreal DirectionDotSize = 3;
constexpr double DegreesRound = 360;

double Ms(int64_t seconds) {
  return double(seconds) * 1000.0;
}

QList<QPointF> Points(const std::vector<ChartPoint>& points) {
  QList<QPointF> drawn;
  drawn.reserve(qsizetype(points.size()));
  for (const ChartPoint& p : points) drawn.append(QPointF(Ms(p.time), p.value));
  return drawn;
}

QValueAxis* ValueAxis(const QString& title) {
  auto* axis = new QValueAxis;
  axis->setTitleText(title);
  axis->setTickCount(ValueTicks);
  return axis;
}

// The lowest and highest value of the lines on one axis, a little apart when they are one.
std::pair<double, double> Bounds(const std::vector<std::vector<ChartPoint>>& series,
                                 const QuantityChart& chart, bool right) {
  double low = INFINITY, high = -INFINITY;
  for (size_t i = 0; i < series.size(); ++i) {
    if (chart.lines[i].rightAxis != right) continue;
    for (const ChartPoint& p : series[i]) {
      low = std::min(low, p.value);
      high = std::max(high, p.value);
    }
  }
  if (!std::isfinite(low)) return {0, 1};
  if (high - low < 1) return {low - 0.5, high + 0.5};
  return {low, high};
}

// Round ticks (1, 2, 2.5 or 5 times a power of ten apart) over [low, high], labelled in the
// user's format.
void SetValueTicks(QCategoryAxis& axis, double low, double high, int decimals) {
  for (const QString& label : axis.categoriesLabels()) axis.remove(label);
  const double raw = (high - low) / (ValueTicks - 1);
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  double step = power;
  for (double times : {1.0, 2.0, 2.5, 5.0, 10.0})
    if (times * power >= raw) {
      step = times * power;
      break;
    }
  const double start = std::floor(low / step) * step, end = std::ceil(high / step) * step;
  axis.setRange(start, end);
  axis.setStartValue(start);
  const QLocale locale;
  for (int i = 0; start + i * step <= end + step / 2; ++i)
    axis.append(locale.toString(start + i * step, 'f', decimals), start + i * step);
}

void SetTimeTicks(QCategoryAxis& axis, HistorySpan span, int64_t from, int64_t to) {
  for (const QString& label : axis.categoriesLabels()) axis.remove(label);
  axis.setRange(Ms(from), Ms(to));
  axis.setStartValue(Ms(from));
  const QLocale locale;
  const QString format = QString::fromLatin1(SpanOf(span).axisFormat);
  for (int64_t at : SpanTicks(span, from, to))
    axis.append(locale.toString(QDateTime::fromSecsSinceEpoch(at), format), Ms(at));
}

}  // namespace

QString frmStorico::ExportText() {
  return tr("Esporta CSV\u2026");
}

frmStorico::frmStorico(HistoryWorker& history, const Settings& settings, WindowSeams seams,
                       QWidget* parent)
    : QWidget(parent), history_(history), settings_(settings), seams_(std::move(seams)) {
  setObjectName(QStringLiteral("frmStorico"));
  setWindowIcon(VentoraIcon());
  tabQuantity_ = new QTabBar(this);
  tabQuantity_->setObjectName(QStringLiteral("tabQuantity"));
  for (int q = 0; q < HistoryQuantityCount; ++q)
    tabQuantity_->addTab(QuantityText(ChartOf(HistoryQuantity(q)).title));
  tabQuantity_->addTab(tr("Riepilogo"));
  cboRange_ = new QComboBox(this);
  cboRange_->setObjectName(QStringLiteral("cboRange"));
  for (int s = 0; s < HistorySpanCount; ++s)
    cboRange_->addItem(QuantityText(SpanOf(HistorySpan(s)).name));
  cmdExport_ = new QPushButton(ExportText(), this);
  cmdExport_->setObjectName(QStringLiteral("cmdExport"));
  chartView_ = new QChartView(this);
  chartView_->setObjectName(QStringLiteral("chartView"));
  chartView_->setRenderHint(QPainter::Antialiasing);
  lblNoData_ = new QLabel(this);
  lblNoData_->setObjectName(QStringLiteral("lblNoData"));
  lblNoData_->setAlignment(Qt::AlignCenter);
  lblNoData_->setWordWrap(true);
  lblPoint_ = new QLabel(QStringLiteral(" "), this);
  lblPoint_->setObjectName(QStringLiteral("lblPoint"));

  chartControls_ = new QWidget(this);
  auto* controls = new QHBoxLayout(chartControls_);
  controls->setContentsMargins(0, 0, 0, 0);
  controls->addWidget(new QLabel(tr("Intervallo:"), this));
  controls->addWidget(cboRange_);
  controls->addWidget(cmdExport_);
  auto* top = new QHBoxLayout;
  top->addWidget(tabQuantity_);
  top->addStretch();
  top->addWidget(chartControls_);
  auto* charts = new QWidget(this);
  auto* inCharts = new QVBoxLayout(charts);
  inCharts->setContentsMargins(0, 0, 0, 0);
  inCharts->addWidget(chartView_, 1);
  inCharts->addWidget(lblNoData_, 1);
  inCharts->addWidget(lblPoint_);
  pages_ = new QStackedWidget(this);
  pages_->addWidget(charts);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(pages_, 1);
  resize(StartWidth, StartHeight);

  connect(tabQuantity_, &QTabBar::currentChanged, this, [this](int tab) {
    if (tab < HistoryQuantityCount)
      ShowQuantity(HistoryQuantity(tab));
    else
      ShowSummary();
  });
  connect(cboRange_, qOverload<int>(&QComboBox::currentIndexChanged), this,
          [this](int s) { ShowSpan(HistorySpan(s)); });
  connect(cmdExport_, &QPushButton::clicked, this, &frmStorico::ExportCsv);
  connect(&history_, &HistoryWorker::stored, this, [this](const HistoryRow& row) {
    if (row.station == Station()) Refresh();
  });
  connect(&history_, &HistoryWorker::charted, this, &frmStorico::ShowChart);
  connect(&history_, &HistoryWorker::exportProgress, this, &frmStorico::ShowExportProgress);
  connect(&history_, &HistoryWorker::exported, this, &frmStorico::EndExport);
  resized_.setSingleShot(true);
  resized_.setInterval(ResizeSettleMs);
  connect(&resized_, &QTimer::timeout, this, &frmStorico::Refresh);
  BuildChart();
}

frmStorico::~frmStorico() {
  if (exportTicket_) history_.CancelExport(exportTicket_);
}

void frmStorico::ShowQuantity(HistoryQuantity quantity) {
  const bool changed = quantity != quantity_;
  quantity_ = quantity;
  tabQuantity_->setCurrentIndex(int(quantity));
  pages_->setCurrentIndex(0);
  chartControls_->show();
  if (changed) BuildChart();
  Refresh();
}

void frmStorico::ShowSummary() {
  tabQuantity_->setCurrentIndex(HistoryQuantityCount);
  chartControls_->hide();
  if (!summary_) {  // made when first asked for: until then it neither reads nor is laid out
    summary_ = new SummaryView(history_, settings_, seams_, this);
    pages_->addWidget(summary_);
  }
  pages_->setCurrentWidget(summary_);
  if (QScreen* shown = screen())
    resize(size().expandedTo(
        QSize(SummaryWidth, SummaryHeight).boundedTo(shown->availableGeometry().size())));
}

void frmStorico::ShowSpan(HistorySpan span) {
  span_ = span;
  cboRange_->setCurrentIndex(int(span));
  Refresh();
}

QChart* frmStorico::Chart() const {
  return chartView_->chart();
}

std::pair<int64_t, int64_t> frmStorico::Range() const {
  const int64_t now = QDateTime::currentSecsSinceEpoch();
  return {now - SpanOf(span_).seconds, now};
}

int frmStorico::PixelColumns() const {
  return std::max(FewestColumns, chartView_->width() - AxesWidth);
}

// The chart of the quantity: its lines, a time axis below and a value axis (or two) beside.
void frmStorico::BuildChart() {
  const QuantityChart& shown = ChartOf(quantity_);
  auto* chart = new QChart;
  chart->setLocalizeNumbers(true);
  chart->setLocale(QLocale());
  chart->legend()->setAlignment(Qt::AlignBottom);
  // Time labelled at the local boundaries its labels name (midnights, whole hours).
  auto* time = new QCategoryAxis;
  time->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  chart->addAxis(time, Qt::AlignBottom);
  // The values' labels are written here in the user's format and units, and measured as
  // written; the unit is its title.
  auto* left = new QCategoryAxis;
  left->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
  chart->addAxis(left, Qt::AlignLeft);
  QValueAxis* right = nullptr;
  for (const HistoryLine& line : shown.lines) {
    QXYSeries* series = line.rightAxis ? static_cast<QXYSeries*>(new QScatterSeries)
                                       : static_cast<QXYSeries*>(new QLineSeries);
    series->setName(QuantityText(line.name));
    series->setColor(QColor::fromRgb(line.rgb));
    if (auto* dots = qobject_cast<QScatterSeries*>(series)) {
      dots->setMarkerSize(DirectionDotSize);
      dots->setBorderColor(Qt::transparent);
    }
    chart->addSeries(series);
    series->attachAxis(time);
    if (line.rightAxis && !right) {
      right = ValueAxis(QStringLiteral("\u00B0"));
      right->setRange(0, DegreesRound);
      right->setTickCount(5);
      right->setLabelFormat(QStringLiteral("%.0f"));
      chart->addAxis(right, Qt::AlignRight);
    }
    series->attachAxis(line.rightAxis ? right : left);
    SayPointsOf(series, line);
  }
  QChart* old = chartView_->chart();
  chartView_->setChart(chart);
  delete old;
}

void frmStorico::SayPointsOf(QXYSeries* series, const HistoryLine& line) {
  connect(series, &QXYSeries::hovered, this, [this, line](const QPointF& p, bool on) {
    if (!on) return;
    lblPoint_->setText(PointText(line, p.x(), p.y()));
    QToolTip::showText(QCursor::pos(), lblPoint_->text(), chartView_);
  });
}

QString frmStorico::PointText(const HistoryLine& line, double x, double y) const {
  const ChartUnit unit = ChartUnitOf(quantity_, settings_.Units);
  const QLocale locale;
  const QString when =
      locale.toString(QDateTime::fromMSecsSinceEpoch(qint64(x)), QLocale::ShortFormat);
  const QString value = line.rightAxis
                            ? locale.toString(qRound(y)) + QStringLiteral("\u00B0")
                            : locale.toString(y, 'f', unit.decimals) + u' ' + unit.symbol;
  return when + QStringLiteral("  ") + QuantityText(line.name) + QStringLiteral(": ") + value;
}

void frmStorico::Refresh() {
  setWindowTitle(tr(HistoryWindowTitle).arg(Station()));
  if (chartTicket_) {
    refreshAgain_ = true;  // asked again when the read under way comes back
    return;
  }
  chartRange_ = Range();
  HistoryChartRequest request{
      Station(), chartRange_.first, chartRange_.second + 1, {}, PixelColumns()};
  for (const HistoryLine& line : ChartOf(quantity_).lines) request.columns.push_back(line.column);
  chartTicket_ = history_.Chart(request);
}

void frmStorico::ShowChart(quint64 ticket, const HistoryChart& chart) {
  if (ticket != chartTicket_) return;
  chartTicket_ = 0;
  if (std::exchange(refreshAgain_, false)) return Refresh();  // this one is out of date
  const auto& series = chart.series;
  const bool none =
      series && std::all_of(series->begin(), series->end(),
                            [](const std::vector<ChartPoint>& s) { return s.empty(); });
  if (!chart.opened)
    SayNoData(
        tr("Lo storico non si può aprire: %1").arg(QDir::toNativeSeparators(history_.Path())));
  else if (!series)
    SayNoData(tr("Lo storico non si legge: %1").arg(chart.error));
  else if (none)
    SayNoData(tr("Nessun dato registrato per %1").arg(Station()));
  else
    Draw(*series, chartRange_.first, chartRange_.second);
  emit refreshed();
}

void frmStorico::Draw(std::vector<std::vector<ChartPoint>> series, int64_t from, int64_t to) {
  lblNoData_->hide();
  chartView_->show();
  QChart* chart = chartView_->chart();
  const std::vector<HistoryLine>& lines = ChartOf(quantity_).lines;
  for (size_t i = 0; i < series.size() && i < lines.size(); ++i)
    for (ChartPoint& p : series[i])
      p.value = ShownValue(quantity_, lines[i], settings_.Units, p.value);
  for (QAbstractSeries* earlier : chart->series().mid(qsizetype(lines.size()))) {
    chart->removeSeries(earlier);  // the pieces of the last drawing's broken lines
    delete earlier;
  }
  const QList<QAbstractSeries*> shown = chart->series();
  const int64_t slice = std::max<int64_t>(1, (to - from) / PixelColumns());
  for (size_t i = 0; i < series.size() && i < size_t(shown.size()); ++i)
    DrawLine(*static_cast<QXYSeries*>(shown[qsizetype(i)]), lines[i], series[i], slice);
  SetTimeTicks(*static_cast<QCategoryAxis*>(chart->axes(Qt::Horizontal).first()), span_, from, to);
  QCategoryAxis* left = nullptr;
  for (QAbstractAxis* axis : chart->axes(Qt::Vertical))
    if (axis->alignment() == Qt::AlignLeft) left = static_cast<QCategoryAxis*>(axis);
  const auto [low, high] = Bounds(series, ChartOf(quantity_), false);
  const ChartUnit unit = ChartUnitOf(quantity_, settings_.Units);
  left->setTitleText(unit.symbol);
  SetValueTicks(*left, low, high, unit.decimals);
  chart->layout()->invalidate();  // the labels just written are measured before the next paint
  chart->layout()->activate();
}

// The line's latest stretch in its own series, the earlier ones (before silences) in pieces.
void frmStorico::DrawLine(QXYSeries& whole, const HistoryLine& line,
                          const std::vector<ChartPoint>& points, int64_t sliceSeconds) {
  if (line.rightAxis) {  // dots: nothing joins them
    whole.replace(Points(points));
    return;
  }
  auto runs = JoinedRuns(points, sliceSeconds);
  whole.replace(runs.empty() ? QList<QPointF>() : Points(runs.back()));
  if (!runs.empty()) runs.pop_back();
  for (const std::vector<ChartPoint>& run : runs) AddPiece(whole, line, Points(run));
}

// One more stretch of a line broken by silences: drawn like the line, without a legend entry.
void frmStorico::AddPiece(QXYSeries& line, const HistoryLine& shown, const QList<QPointF>& points) {
  QChart* chart = chartView_->chart();
  auto* piece = new QLineSeries;
  piece->setName(line.name());
  piece->setPen(line.pen());
  piece->replace(points);
  chart->addSeries(piece);
  for (QAbstractAxis* axis : line.attachedAxes()) piece->attachAxis(axis);
  for (QLegendMarker* marker : chart->legend()->markers())
    if (marker->series() == piece) marker->setVisible(false);
  SayPointsOf(piece, shown);
}

void frmStorico::SayNoData(const QString& text) {
  chartView_->hide();
  lblNoData_->setText(text);
  lblNoData_->show();
}

void frmStorico::ExportCsv() {
  const auto [from, to] = Range();
  const QString suggested =
      tr("Storico-%1-%2.csv").arg(Station(), QuantityText(SpanOf(span_).name)).replace(u' ', u'-');
  const QString path = seams_.chooseSaveFile(this, tr("Esporta CSV"), suggested);
  if (path.isEmpty()) return;
  exportFile_ = path;
  exportTicket_ = history_.Export({Station(), from, to}, path, CsvCells::ForSpreadsheets);
  cmdExport_->setEnabled(false);
  cmdExport_->setText(tr("Esportazione in corso\u2026"));
}

void frmStorico::ShowExportProgress(quint64 ticket, qint64 rows) {
  if (ticket == exportTicket_) cmdExport_->setText(tr("Esportate %L1 righe\u2026").arg(rows));
}

void frmStorico::EndExport(quint64 ticket, const HistoryExport& result) {
  if (ticket != exportTicket_) return;
  exportTicket_ = 0;
  cmdExport_->setText(ExportText());
  cmdExport_->setEnabled(true);
  if (result.saved)
    lblPoint_->setText(tr("%L1 righe esportate in %2")
                           .arg(result.rows)
                           .arg(QDir::toNativeSeparators(exportFile_)));
  else
    seams_.showMessage(QMessageBox::Warning, HistoryRecorder::MessageTitle(),
                       tr("Impossibile salvare %1").arg(QDir::toNativeSeparators(exportFile_)));
  emit exportFinished(result.saved);
}

void frmStorico::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (isVisible()) resized_.start();
}
