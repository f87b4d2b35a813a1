#include "history_worker.h"

#include <QSqlDatabase>

#include <QCoreApplication>
#include <QSaveFile>

#include "history_csv.h"

namespace {

// An export says how far it has come every this many rows.
constexpr int64_t ExportProgressRows = 10'000;

}  // namespace

namespace {

// SQLite's driver is loaded from the window's thread, before the history's thread first needs it:
// a driver first loaded from a thread that has ended by then made the program's exit hang under
// Wine (seen in every test of the worker there).
void LoadDriverHere() {
  const QString probe = QStringLiteral("ventora-driver-probe");
  QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), probe);
  QSqlDatabase::removeDatabase(probe);
}

}  // namespace

HistoryWorker::HistoryWorker(QString path, HistoryOptions options, QObject* parent)
    : QObject(parent), path_(std::move(path)), home_(new QObject) {
  LoadDriverHere();
  thread_.setObjectName(QStringLiteral("history"));
  home_->moveToThread(&thread_);
  thread_.start();
  Post([this, options] {
    recorder_ = new HistoryRecorder(path_, options);
    connect(recorder_, &HistoryRecorder::stored, recorder_,
            [this](const HistoryRow& row) { Answer([this, row] { emit stored(row); }); });
  });
}

HistoryWorker::~HistoryWorker() {
  stopping_ = true;
  Post([this] {
    delete recorder_;
    recorder_ = nullptr;
    home_->deleteLater();  // when the thread ends
    QThread::currentThread()->quit();
  });
  thread_.wait();
}

void HistoryWorker::Post(std::function<void()> job) {
  QMetaObject::invokeMethod(home_, std::move(job), Qt::QueuedConnection);
}

void HistoryWorker::Answer(std::function<void()> answer) {
  QMetaObject::invokeMethod(this, std::move(answer), Qt::QueuedConnection);
}

void HistoryWorker::Say(const QStringList& messages) {
  if (!messages.isEmpty()) Answer([this, messages] { emit notices(messages); });
}

void HistoryWorker::Record(const HistoryRow& row) {
  Post([this, row] { Say(recorder_->Record(row)); });
}

quint64 HistoryWorker::Chart(const HistoryChartRequest& request) {
  const quint64 ticket = ++lastTicket_;
  Post([this, ticket, request] {
    QStringList messages;
    HistoryStore* store = recorder_->Store(messages);
    Say(messages);
    HistoryChart chart;
    chart.opened = store != nullptr;
    if (store)
      chart.series = store->Thin(request.station, request.from, request.to, request.columns,
                                 request.pixelColumns, chart.error);
    Answer([this, ticket, chart] { emit charted(ticket, chart); });
  });
  return ticket;
}

quint64 HistoryWorker::Summarise(const HistorySummaryRequest& request) {
  const quint64 ticket = ++lastTicket_;
  Post([this, ticket, request] {
    QStringList messages;
    HistoryStore* store = recorder_->Store(messages);
    Say(messages);
    HistorySummaries summaries;
    summaries.opened = store != nullptr;
    if (store) {
      const auto& [station, zone, year, month, today] = request;
      QString& error = summaries.error;
      summaries.month = SummariseMonth(*store, station, zone, year, month, error);
      if (summaries.month) summaries.year = SummariseYear(*store, station, zone, year, error);
      if (summaries.year) summaries.records = SummariseRecords(*store, station, zone, today, error);
      if (!summaries.records) summaries.month.reset();  // all or nothing: `error` says why
    }
    Answer([this, ticket, summaries] { emit summarised(ticket, summaries); });
  });
  return ticket;
}

quint64 HistoryWorker::Export(const HistoryRange& range, const QString& file, CsvCells cells) {
  const quint64 ticket = ++lastTicket_;
  Post([this, ticket, range, file, cells] {
    const HistoryExport result = WriteCsv(ticket, range, file, cells);
    Answer([this, ticket, result] { emit exported(ticket, result); });
  });
  return ticket;
}

HistoryExport HistoryWorker::WriteCsv(quint64 ticket, const HistoryRange& range,
                                      const QString& file, CsvCells cells) {
  QStringList messages;
  HistoryStore* store = recorder_->Store(messages);
  Say(messages);
  HistoryExport result;
  QSaveFile out(file);  // the file appears only when committed whole
  bool writing = store && out.open(QIODevice::WriteOnly) && out.write(CsvHeader()) >= 0;
  QString error;
  const bool read = writing && store->ForEach(
                                   range,
                                   [&](const HistoryRow& row) {
                                     if (!writing || Cancelled(ticket)) return;
                                     writing = out.write(CsvLine(row, cells)) >= 0;
                                     if (++result.rows % ExportProgressRows) return;
                                     Answer([this, ticket, rows = result.rows] {
                                       emit exportProgress(ticket, rows);
                                     });
                                   },
                                   error);
  result.saved = read && writing && !Cancelled(ticket) && out.commit();
  return result;
}

bool HistoryWorker::Cancelled(quint64 ticket) const {
  return stopping_ || cancelled_ == ticket;
}

void HistoryWorker::CancelExport(quint64 ticket) {
  cancelled_ = ticket;
}

void HistoryWorker::WaitUntilDone() {
  QMetaObject::invokeMethod(
      home_, [] {}, Qt::BlockingQueuedConnection);
  QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}
