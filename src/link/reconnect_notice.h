// What the window tells while the engine is away: a status line short enough for its one line,
// and the tray tooltip's whole story (since when, why, the next attempt).
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// The status line holds 26 characters of its font on Windows: Terminal at 9 points draws
// 8-pixel cells, and the line is 212 pixels wide less its sunken frame.
inline constexpr int StatusLineChars = 26;

struct ReconnectNotice {
  QString statusLine;  // e.g. "Riprovo AGWPE ore 14:05:20", at most StatusLineChars
  QString tooltip;
};

// One outage of the engine, from the loss of an established connection to the next connection.
class EngineOutage {
 public:
  // A wait for the next attempt begins at `now`. The first wait of an outage records when and
  // why the connection was lost; later ones (failed retries) only move the next attempt.
  ReconnectNotice OnWait(const QDateTime& now, qint64 inMs, const QString& reason,
                         const QString& stationCall);
  // A connection is open again: the next loss starts a new outage. Whether one was under way.
  bool OnConnected();

 private:
  std::optional<QDateTime> since_;
  QString reason_;
};
