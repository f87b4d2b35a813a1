// The main window's side of the history: a row stored for each report it shows, and the history
// window opened from the values (left double-click) and from the tray icon's menu.
#include <QDateTime>
#include <QMenu>
#include <QMouseEvent>

#include "history_file_place.h"
#include "main_window.h"

frmWx::~frmWx() {
  // The publisher, closing as it goes, would tell a window no longer there.
  mqtt_->disconnect(this);
  delete storico_;
  delete history_;
}

HistoryWorker& frmWx::History() {
  if (!history_) {
    const QString userFolder =
        seams_.userDataFolder.isEmpty() ? HistoryUserFolder() : seams_.userDataFolder;
    history_ = new HistoryWorker(ChooseHistoryFile(ProgramFolder(), userFolder), {}, this);
    connect(history_, &HistoryWorker::notices, this, [this](const QStringList& messages) {
      for (const QString& message : messages)
        seams_.showNotice(QMessageBox::Warning, HistoryRecorder::MessageTitle(), message);
    });
  }
  return *history_;
}

HistoryRow frmWx::ReportRow(const QString& text, const ReportOutcome& out) const {
  return RowFromReport(QDateTime::currentSecsSinceEpoch(), settings_.StationCall, text, out.values);
}

std::vector<std::pair<QWidget*, HistoryQuantity>> frmWx::HistoryOpeners() const {
  return {{c_.lblTemp, HistoryQuantity::Temperature}, {c_.picVar[0], HistoryQuantity::Temperature},
          {c_.lblUR, HistoryQuantity::Humidity},      {c_.picVar[1], HistoryQuantity::Humidity},
          {c_.lblPress, HistoryQuantity::Pressure},   {c_.picVar[2], HistoryQuantity::Pressure},
          {c_.lblRain, HistoryQuantity::Rain},        {c_.picWx, HistoryQuantity::Wind}};
}

void frmWx::SetUpHistoryCommands() {
  for (const auto& [widget, quantity] : HistoryOpeners()) {
    widget->installEventFilter(this);
    const QString hint =
        tr("Doppio clic per lo storico: %1").arg(QuantityText(ChartOf(quantity).title).toLower());
    widget->setToolTip(widget->toolTip().isEmpty() ? hint : widget->toolTip() + u'\n' + hint);
  }
  auto* menu = new QMenu(this);
  menu->setObjectName(QStringLiteral("mnuTray"));
  menu->addAction(tr("Ripristina"), this, &frmWx::RestoreFromTray);
  menu->addAction(tr("Storico"), this, [this] { OpenHistoryWindow(HistoryQuantity::Temperature); });
  menu->addAction(tr("Preferenze\u2026"), this, &frmWx::OpenPreferences);
  menu->addAction(tr("Esci"), this, &QWidget::close);
  tray_->setContextMenu(menu);
}

bool frmWx::OpenHistoryOnDoubleClick(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::MouseButtonDblClick ||
      static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
    return false;
  for (const auto& [widget, quantity] : HistoryOpeners()) {
    if (watched != widget) continue;
    OpenHistoryWindow(quantity);
    return true;
  }
  return false;
}

void frmWx::OpenHistoryWindow(HistoryQuantity quantity) {
  if (!storico_) {
    storico_ = new frmStorico(History(), settings_, seams_);
    storico_->setAttribute(Qt::WA_DeleteOnClose);
  }
  storico_->ShowQuantity(quantity);
  storico_->show();
  storico_->raise();
  storico_->activateWindow();
}
