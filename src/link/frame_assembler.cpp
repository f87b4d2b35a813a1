#include "frame_assembler.h"

void FrameAssembler::Feed(const char* bytes, qsizetype size) {
  if (outOfStep_) return;  // nothing after a false header can be trusted
  // Drop what was handed back before it grows: the buffer never holds more than a frame or so.
  if (start_ > 0 && start_ >= buffer_.size() / 2) {
    buffer_.remove(0, start_);
    start_ = 0;
  }
  buffer_.append(bytes, size);
}

std::optional<AgwFrame> FrameAssembler::Next() {
  if (outOfStep_ || Pending() < AgwHeaderSize) return std::nullopt;
  const char* header = buffer_.constData() + start_;
  if (!IsPlausibleAgwHeader(header)) {
    outOfStep_ = true;
    return std::nullopt;
  }
  const qsizetype length = AgwDataLength(header);
  if (Pending() < AgwHeaderSize + length) return std::nullopt;
  AgwFrame frame = ReadAgwHeader(header);
  frame.data = QByteArray(header + AgwHeaderSize, length);
  start_ += AgwHeaderSize + length;
  if (start_ == buffer_.size()) {
    buffer_.truncate(0);
    start_ = 0;
  }
  return frame;
}
