// Joins the bytes of a TCP stream, however they were cut, into whole AGWPE frames in order.
#pragma once

#include <QByteArray>
#include <optional>

#include "agw_frame.h"

class FrameAssembler {
 public:
  void Feed(const char* bytes, qsizetype size);
  void Feed(const QByteArray& bytes) { Feed(bytes.constData(), bytes.size()); }

  // The next whole frame, header-only frames included; nothing until one is complete, and
  // nothing ever again once a header that cannot be one has come (the stream is out of step).
  std::optional<AgwFrame> Next();
  // The same frame read in place: its views stay valid until the next Feed.
  std::optional<AgwFrameView> NextView();

  // Whether the stream holds bytes that cannot be an AGWPE header where one must start.
  bool OutOfStep() const { return outOfStep_; }

  // Bytes received but not yet handed back as a frame.
  qsizetype Pending() const { return buffer_.size() - start_; }

 private:
  QByteArray buffer_;
  qsizetype start_ = 0;  // first byte not yet handed back
  bool outOfStep_ = false;
};
