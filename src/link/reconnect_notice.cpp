#include "reconnect_notice.h"

#include <QCoreApplication>

namespace {

// The status line gives the clock time of the next attempt, to the second when it is near: the
// wait is at most five minutes, so the hour and minute say which attempt is meant.
const QString StatusTime = QStringLiteral("hh:mm");
const QString StatusTimeNear = QStringLiteral("hh:mm:ss");
constexpr qint64 NearWaitMs = 60 * 1000;
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
  const QString at = next.toString(inMs < NearWaitMs ? StatusTimeNear : StatusTime);
  return {
      QCoreApplication::translate("EngineOutage", "Riprovo AGWPE ore %1").arg(at),
      QCoreApplication::translate("EngineOutage", "%1: AGWPE assente dal %2\nRiprovo alle %3\n%4")
          .arg(stationCall, since_->toString(SinceTime), next.toString(NextTime), reason_)};
}

bool EngineOutage::OnConnected() {
  const bool wasAway = since_.has_value();
  since_.reset();
  return wasAway;
}
