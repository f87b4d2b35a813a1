#include "history_recorder.h"

#include <QDir>
#include <QFileInfo>

HistoryRecorder::HistoryRecorder(QString path, HistoryOptions options, QObject* parent)
    : QObject(parent), path_(std::move(path)), options_(options) {}

HistoryRecorder::~HistoryRecorder() = default;

QString HistoryRecorder::MessageTitle() {
  return tr("Storico meteo");
}

HistoryStore* HistoryRecorder::Store(QStringList& messages) {
  if (store_) return store_.get();
  OpenedHistory opened = OpenHistory(path_, options_);
  if (!opened.keptAside.isEmpty())
    messages << tr("Il file dello storico %1 era danneggiato o non era un database: "
                   "è stato messo da parte come %2 e ne è stato iniziato uno nuovo.")
                    .arg(QDir::toNativeSeparators(path_), QFileInfo(opened.keptAside).fileName());
  if (!opened.store) {
    SayFault(opened.error,
             tr("Lo storico %1 non si può aprire né creare (%2). Il programma "
                "continua senza registrare i dati.")
                 .arg(QDir::toNativeSeparators(path_), opened.error),
             messages);
  }
  store_ = std::move(opened.store);
  return store_.get();
}

bool HistoryRecorder::MayTryOpening(int64_t time) const {
  if (store_ || !failedOpeningAt_) return true;
  // A clock set back counts as time gone by.
  return time < *failedOpeningAt_ || time - *failedOpeningAt_ >= OpenRetrySeconds;
}

QStringList HistoryRecorder::Record(const HistoryRow& row) {
  QStringList messages;
  if (copies_.IsCopy(row) || !MayTryOpening(row.time)) return messages;
  HistoryStore* store = Store(messages);
  if (!store) {
    failedOpeningAt_ = row.time;
    return messages;
  }
  QString error;
  if (store->Store(row, error)) {
    copies_.Stored(row);
    faultSaid_.clear();
    emit stored(row);
    return messages;
  }
  // Later reports are still tried: a disk that was full may have room again.
  SayFault(error,
           tr("Lo storico %1 non si può scrivere (%2). Il programma continua "
              "senza registrare i dati.")
               .arg(QDir::toNativeSeparators(path_), error),
           messages);
  return messages;
}

void HistoryRecorder::SayFault(const QString& fault, const QString& text, QStringList& messages) {
  if (fault == faultSaid_) return;
  faultSaid_ = fault;
  messages << text;
}
