// The window's history: the file opened when first needed, one row stored for each report the
// window shows, and what the user must be told about it, each thing once.
#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

#include "history_store.h"

inline constexpr char HistoryMessageTitle[] = "Storico meteo";

class HistoryRecorder : public QObject {
  Q_OBJECT
 public:
  explicit HistoryRecorder(QString path, HistoryOptions options = {}, QObject* parent = nullptr);
  ~HistoryRecorder() override;

  // Stores one report. Returns what the user must be told now: that a damaged file was set
  // aside, or (the first time only) that the history cannot be kept; the window goes on.
  QStringList Record(const HistoryRow& row);
  // The open store for reading, opened now if need be; nothing when the file cannot be used.
  // What the opening must tell the user is added to `messages`.
  HistoryStore* Store(QStringList& messages);
  const QString& Path() const { return path_; }

 signals:
  // A report has been stored: an open history window shows it.
  void stored(const HistoryRow& row);

 private:
  void SayFailureOnce(const QString& text, QStringList& messages);

  QString path_;
  HistoryOptions options_;
  std::unique_ptr<HistoryStore> store_;
  bool openTried_ = false;
  bool failureSaid_ = false;
};
