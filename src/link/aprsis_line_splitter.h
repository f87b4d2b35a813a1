// Cuts the byte stream of an APRS-IS server into lines, whatever the reads: a line that grows
// past the longest APRS-IS sends is dropped whole (and counted) rather than held.
#pragma once

#include <QByteArray>
#include <optional>

class AprsIsLineSplitter {
 public:
  void Feed(const QByteArray& bytes) { pending_ += bytes; }
  // The next whole line without its LF or CR LF, never longer than AprsIsMaxLine; nothing
  // until its LF has come.
  std::optional<QByteArray> Next();
  // Forgets what is held, for a new connection; true when half a line was there.
  bool Clear();
  // Lines dropped for being too long.
  quint64 TooLong() const { return tooLong_; }

 private:
  void DropIfTooLong();

  QByteArray pending_;
  qsizetype start_ = 0;      // where the next line begins in pending_
  bool discarding_ = false;  // inside a line already too long: drop up to its end
  quint64 tooLong_ = 0;
};
