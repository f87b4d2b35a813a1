// frmStorico, the history window: one quantity's chart over the last day, week, month or year
// of the watched station, updated as reports are stored, and the range exported as CSV.
#pragma once

#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <optional>

#include "history_quantities.h"
#include "history_recorder.h"
#include "settings.h"
#include "window_seams.h"

class QChart;
class QChartView;
class QComboBox;
class QPushButton;
class QTabBar;
class QXYSeries;

inline constexpr char HistoryWindowTitle[] = "Storico meteo ";

class frmStorico : public QWidget {
  Q_OBJECT
 public:
  frmStorico(HistoryRecorder& history, const Settings& settings, WindowSeams seams,
             QWidget* parent = nullptr);

  void ShowQuantity(HistoryQuantity quantity);
  void ShowSpan(HistorySpan span);
  HistoryQuantity Quantity() const { return quantity_; }
  HistorySpan Span() const { return span_; }
  // Reads the range again from the file and redraws it.
  void Refresh();
  // The range shown, in Unix seconds: the last span up to now.
  std::pair<int64_t, int64_t> Range() const;
  QChart* Chart() const;
  // What hovering the point `x` (ms since the epoch), `y` of a line says.
  QString PointText(const HistoryLine& line, double x, double y) const;
  void ExportCsv();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QString Station() const { return settings_.StationCall; }
  int PixelColumns() const;
  void BuildChart();
  void Draw(const std::vector<std::vector<ChartPoint>>& series, int64_t from, int64_t to);
  void DrawLine(QXYSeries& whole, const HistoryLine& line, const std::vector<ChartPoint>& points,
                int64_t sliceSeconds);
  void SayPointsOf(QXYSeries* series, const HistoryLine& line);
  void AddPiece(QXYSeries& line, const HistoryLine& shown, const QList<QPointF>& points);
  void SayNoData(const QString& text);
  void ShowNotices(const QStringList& messages);

  HistoryRecorder& history_;
  const Settings& settings_;
  WindowSeams seams_;
  HistoryQuantity quantity_ = HistoryQuantity::Temperature;
  HistorySpan span_ = HistorySpan::Day;
  QTabBar* tabQuantity_;
  QComboBox* cboRange_;
  QPushButton* cmdExport_;
  QChartView* chartView_;
  QLabel* lblNoData_;
  QLabel* lblPoint_;
  QTimer resized_;
};
