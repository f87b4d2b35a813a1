#include "reconnect_notice.h"

namespace {

// The wait is at most five minutes: the hour and minute say which attempt is meant.
const QString StatusTime = QStringLiteral("hh:mm");
// An outage can last weeks: the story says on which day it began.
const QString SinceTime = QStringLiteral("dd/MM hh:mm");
const QString NextTime = QStringLiteral("hh:mm:ss");

}  // namespace

ReconnectNotice EngineOutage::OnWait(const QDateTime& now, qint64 inMs, const QString& reason,
                                     const QString& stationCall) {
  if (!since_) {
    since_ = now;
    reason_ = reason;
  }
  const QDateTime next = now.addMSecs(inMs);
  // The reason comes last: the tray of some systems cuts a long tooltip short.
  return {QStringLiteral("Senza AGWPE: riprovo ") + next.toString(StatusTime),
          stationCall + QStringLiteral(": AGWPE assente dal ") + since_->toString(SinceTime) +
              QStringLiteral("\nRiprovo alle ") + next.toString(NextTime) + u'\n' + reason_};
}
