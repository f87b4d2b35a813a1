#include "aprsis_line_splitter.h"

#include "aprsis_line.h"

std::optional<QByteArray> AprsIsLineSplitter::Next() {
  for (qsizetype lf; (lf = pending_.indexOf('\n', start_)) >= 0;) {
    QByteArray line = pending_.mid(start_, lf - start_);
    start_ = lf + 1;
    if (discarding_) {  // the rest of a line already counted as too long
      discarding_ = false;
      continue;
    }
    if (line.endsWith('\r')) line.chop(1);
    if (line.size() <= AprsIsMaxLine) return line;
    ++tooLong_;  // as when its end had come in a later read
  }
  pending_.remove(0, start_);
  start_ = 0;
  DropIfTooLong();
  return std::nullopt;
}

// No line end in sight: never hold more than a line. The line is measured without its
// ending, of which a CR may have come already.
void AprsIsLineSplitter::DropIfTooLong() {
  const qsizetype held = pending_.size() - (pending_.endsWith('\r') ? 1 : 0);
  if (held <= AprsIsMaxLine) return;
  if (!discarding_) ++tooLong_;
  discarding_ = true;
  pending_.clear();
}

bool AprsIsLineSplitter::Clear() {
  const bool half = pending_.size() > start_ && !discarding_;
  pending_.clear();
  start_ = 0;
  discarding_ = false;
  return half;
}
