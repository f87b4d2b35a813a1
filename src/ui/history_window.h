// frmStorico, the history window: one quantity's chart over the last day, week, month or year
// of the watched station, updated as reports are stored, and the range exported as CSV; beside
// the charts, the summary of a month with its year and the records.
#pragma once

#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <optional>

#include "history_quantities.h"
#include "history_worker.h"
#include "settings.h"
#include "summary_view.h"
#include "window_seams.h"

class QChart;
class QChartView;
class QComboBox;
class QPushButton;
class QStackedWidget;
class QTabBar;
class QXYSeries;

inline constexpr const char* HistoryWindowTitle =
    QT_TRANSLATE_NOOP("frmStorico", "Storico meteo %1");

class frmStorico : public QWidget {
  Q_OBJECT
 public:
  // `history` outlives the window.
  frmStorico(HistoryWorker& history, const Settings& settings, WindowSeams seams,
             QWidget* parent = nullptr);
  // An export under way is given up: no file is left.
  ~frmStorico() override;

  void ShowQuantity(HistoryQuantity quantity);
  void ShowSpan(HistorySpan span);
  // The summary in place of the charts, on the tab after theirs.
  void ShowSummary();
  // Nothing until the summary is first shown.
  SummaryView* Summary() const { return summary_; }
  HistoryQuantity Quantity() const { return quantity_; }
  HistorySpan Span() const { return span_; }
  // Asks for the range again from the file; it is drawn when read (`refreshed`).
  void Refresh();
  // The range shown, in Unix seconds: the last span up to now.
  std::pair<int64_t, int64_t> Range() const;
  QChart* Chart() const;
  // What hovering the point `x` (ms since the epoch), `y` of a line says.
  QString PointText(const HistoryLine& line, double x, double y) const;
  // Asks where, then writes the range shown there as CSV away from the window's thread; the
  // button says how far it has come, and a failure is told (`exportFinished`).
  void ExportCsv();

 signals:
  // The range read last is shown (drawn, or why not said).
  void refreshed();
  void exportFinished(bool saved);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  static QString ExportText();
  QString Station() const { return settings_.StationCall; }
  int PixelColumns() const;
  void BuildChart();
  // Draws the stored (metric) values in the user's units.
  void Draw(std::vector<std::vector<ChartPoint>> series, int64_t from, int64_t to);
  void ShowChart(quint64 ticket, const HistoryChart& chart);
  void DrawLine(QXYSeries& whole, const HistoryLine& line, const std::vector<ChartPoint>& points,
                int64_t sliceSeconds);
  void SayPointsOf(QXYSeries* series, const HistoryLine& line);
  void AddPiece(QXYSeries& line, const HistoryLine& shown, const QList<QPointF>& points);
  void SayNoData(const QString& text);
  void ShowExportProgress(quint64 ticket, qint64 rows);
  void EndExport(quint64 ticket, const HistoryExport& result);

  HistoryWorker& history_;
  const Settings& settings_;
  WindowSeams seams_;
  HistoryQuantity quantity_ = HistoryQuantity::Temperature;
  HistorySpan span_ = HistorySpan::Day;
  QTabBar* tabQuantity_;
  QWidget* chartControls_;
  QComboBox* cboRange_;
  QPushButton* cmdExport_;
  QStackedWidget* pages_;
  SummaryView* summary_ = nullptr;
  QChartView* chartView_;
  QLabel* lblNoData_;
  QLabel* lblPoint_;
  QTimer resized_;
  quint64 chartTicket_ = 0;  // the chart read under way
  bool refreshAgain_ = false;
  std::pair<int64_t, int64_t> chartRange_;
  quint64 exportTicket_ = 0;  // the export under way
  QString exportFile_;
};
