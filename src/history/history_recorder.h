// The history kept by the window and by `ventora-cli monitor`: the file opened when first needed
// (and tried again at a later report when it could not be), one row stored for each report (the
// copies of one transmission once), and what the user must be told about it, each fault once.
#pragma once

#include <QObject>
#include <QStringList>
#include <cstdint>
#include <memory>
#include <optional>

#include "history_copies.h"
#include "history_store.h"

// A file that could not be opened is tried again at the first report this many seconds later: a
// burst of reports does not wait each for a busy file, a freed disk or lock is soon used.
inline constexpr int64_t OpenRetrySeconds = 5;

class HistoryRecorder : public QObject {
  Q_OBJECT
 public:
  explicit HistoryRecorder(QString path, HistoryOptions options = {}, QObject* parent = nullptr);
  ~HistoryRecorder() override;

  // The title of the boxes that tell what the recorder says.
  static QString MessageTitle();

  // Stores one report, unless it is a copy of one just stored. Returns what the user must be told
  // now: that a damaged file was set aside, or that the history cannot be kept (a fault said
  // once, again only when it is another or after a report was stored); the caller goes on.
  QStringList Record(const HistoryRow& row);
  // The open store for reading, opened now if need be; nothing when the file cannot be used.
  // What the opening must tell the user is added to `messages`.
  HistoryStore* Store(QStringList& messages);
  const QString& Path() const { return path_; }

 signals:
  // A report has been stored: an open history window shows it.
  void stored(const HistoryRow& row);

 private:
  bool MayTryOpening(int64_t time) const;
  void SayFault(const QString& fault, const QString& text, QStringList& messages);

  QString path_;
  HistoryOptions options_;
  std::unique_ptr<HistoryStore> store_;
  std::optional<int64_t> failedOpeningAt_;  // the time of the report whose opening failed last
  QString faultSaid_;  // the fault last said, forgotten once a report is stored
  TransmissionCopies copies_;
};
