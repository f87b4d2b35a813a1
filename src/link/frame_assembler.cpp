#include "frame_assembler.h"

void FrameAssembler::Feed(const char* bytes, qsizetype size) {
  if (outOfStep_) return;  // nothing after a false header can be trusted
  // Drop what was handed back before it grows: the buffer never holds more than a frame or so.
  // (Only here: the frames handed back read the buffer in place until the next Feed.)
  if (start_ == buffer_.size()) {
    buffer_.resize(0);
    start_ = 0;
  } else if (start_ > 0 && start_ >= buffer_.size() / 2) {
    buffer_.remove(0, start_);
    start_ = 0;
  }
  buffer_.append(bytes, size);
}

std::optional<AgwFrame> FrameAssembler::Next() {
  const auto view = NextView();
  if (!view) return std::nullopt;
  return ToAgwFrame(*view);
}

std::optional<AgwFrameView> FrameAssembler::NextView() {
  if (outOfStep_ || Pending() < AgwHeaderSize) return std::nullopt;
  const char* header = buffer_.constData() + start_;
  if (!IsPlausibleAgwHeader(header)) {
    outOfStep_ = true;
    return std::nullopt;
  }
  const qsizetype length = AgwDataLength(header);
  if (Pending() < AgwHeaderSize + length) return std::nullopt;
  AgwFrameView frame = ViewAgwHeader(header);
  frame.data = std::string_view(header + AgwHeaderSize, size_t(length));
  start_ += AgwHeaderSize + length;
  return frame;
}
