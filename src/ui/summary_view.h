// The history window's summary: a month of the station, one row a day with the NOAA columns,
// the month's and the year's totals and the records, in the user's units and number format.
#pragma once

#include <QTimer>
#include <QWidget>
#include <optional>

#include "history_worker.h"
#include "settings.h"
#include "window_seams.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

class SummaryView : public QWidget {
  Q_OBJECT
 public:
  // `history` outlives the view.
  SummaryView(HistoryWorker& history, const Settings& settings, WindowSeams seams,
              QWidget* parent = nullptr);

  void ShowMonth(int year, int month);
  int Year() const;
  int Month() const;
  // Asks for the month, its year and the records again; they are shown when read (`refreshed`).
  void Refresh();
  // Ask where, then save the month shown as NOAA text or as CSV; a failure is told.
  void ExportNoaa();
  void ExportCsv();

 signals:
  // What was read last is shown (the tables, or why not said).
  void refreshed();
  void exportFinished(bool saved);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QString Station() const { return settings_.StationCall; }
  void Show(quint64 ticket, const HistorySummaries& summaries);
  // The columns' names with the units of the moment.
  void ShowHeadings();
  void ShowDays(const MonthSummary& month);
  void ShowTotals(const MonthSummary& month, const YearSummary& year);
  void ShowRecords(const WeatherRecords& records);
  void SayNote(const QString& text);
  void Export(const QString& title, const QString& suffix, const QByteArray& contents);

  HistoryWorker& history_;
  const Settings& settings_;
  WindowSeams seams_;
  QComboBox* cboMonth_;
  QSpinBox* spnYear_;
  QPushButton* cmdExport_;
  QLabel* lblNote_;
  QTableWidget* tblDays_;
  QTableWidget* tblTotals_;
  QLabel* lblRainDays_;
  QTableWidget* tblRecords_;
  QTimer stored_;       // reports stored in a burst are summarised once
  quint64 ticket_ = 0;  // the read under way
  bool refreshAgain_ = false;
  std::optional<MonthSummary> month_;  // the month shown
};
