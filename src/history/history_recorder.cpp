#include "history_recorder.h"

#include <QDir>
#include <QFileInfo>

HistoryRecorder::HistoryRecorder(QString path, HistoryOptions options, QObject* parent)
    : QObject(parent), path_(std::move(path)), options_(options) {}

HistoryRecorder::~HistoryRecorder() = default;

HistoryStore* HistoryRecorder::Store(QStringList& messages) {
  if (openTried_) return store_.get();
  openTried_ = true;
  OpenedHistory opened = OpenHistory(path_, options_);
  if (!opened.keptAside.isEmpty())
    messages << QStringLiteral(
                    "Il file dello storico %1 era danneggiato o non era un database: "
                    "è stato messo da parte come %2 e ne è stato iniziato uno nuovo.")
                    .arg(QDir::toNativeSeparators(path_), QFileInfo(opened.keptAside).fileName());
  if (!opened.store) {
    SayFailureOnce(QStringLiteral("Lo storico %1 non si può aprire né creare (%2). Il programma "
                                  "continua senza registrare i dati.")
                       .arg(QDir::toNativeSeparators(path_), opened.error),
                   messages);
  }
  store_ = std::move(opened.store);
  return store_.get();
}

QStringList HistoryRecorder::Record(const HistoryRow& row) {
  QStringList messages;
  HistoryStore* store = Store(messages);
  if (!store) return messages;
  QString error;
  if (store->Store(row, error)) {
    emit stored(row);
    return messages;
  }
  // Later reports are still tried: a disk that was full may have room again.
  SayFailureOnce(QStringLiteral("Lo storico %1 non si può scrivere (%2). Il programma continua "
                                "senza registrare i dati.")
                     .arg(QDir::toNativeSeparators(path_), error),
                 messages);
  return messages;
}

void HistoryRecorder::SayFailureOnce(const QString& text, QStringList& messages) {
  if (failureSaid_) return;
  failureSaid_ = true;
  messages << text;
}
