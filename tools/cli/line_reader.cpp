#include "line_reader.h"

#include <cstring>

bool LineReader::Refill() {
  if (start_ > 0) {  // keep the unfinished line at the front
    std::memmove(buffer_.data(), buffer_.data() + start_, end_ - start_);
    end_ -= start_;
    scanned_ -= start_;
    start_ = 0;
  }
  lfKnown_ = false;  // an LF may be among the new bytes
  const size_t got = std::fread(buffer_.data() + end_, 1, chunk_, in_);
  end_ += got;
  return got > 0;
}

bool LineReader::Next(QByteArray& line) {
  std::string_view view;
  if (!Next(view)) return false;
  line = QByteArray(view.data(), qsizetype(view.size()));
  return true;
}

// The next LF, remembered: a log of CR-ended lines is not searched to its end for each line.
size_t LineReader::NextLf() {
  if (!lfKnown_ || lf_ < scanned_) {
    const char* from = buffer_.data() + scanned_;
    const auto* lf = static_cast<const char*>(std::memchr(from, '\n', end_ - scanned_));
    lf_ = lf ? size_t(lf - buffer_.data()) : end_;
    lfKnown_ = true;
  }
  return lf_;
}

// The line ends with the byte at `end`; false when it was one too long to keep.
bool LineReader::EndAt(size_t end, std::string_view& line) {
  afterCr_ = buffer_[end] == '\r';
  const bool kept = !skipping_ && end - start_ <= longest_;
  if (kept) line = std::string_view(buffer_.data() + start_, end - start_);
  if (!kept) ++skipped_;
  skipping_ = false;
  start_ = scanned_ = end + 1;
  return kept;
}

bool LineReader::Next(std::string_view& line) {
  for (;;) {
    if (afterCr_ && start_ < end_) {
      if (buffer_[start_] == '\n') scanned_ = ++start_;
      afterCr_ = false;
    }
    const size_t lf = NextLf();
    const auto* cr =
        static_cast<const char*>(std::memchr(buffer_.data() + scanned_, '\r', lf - scanned_));
    const size_t end = cr ? size_t(cr - buffer_.data()) : lf;
    if (end < end_) {
      if (EndAt(end, line)) return true;
      continue;
    }
    scanned_ = end_;
    if (end_ - start_ > longest_) {  // too long already: drop what is held, look for its end
      skipping_ = true;
      start_ = scanned_ = end_ = 0;
    }
    if (!Refill()) break;
  }
  afterCr_ = false;
  if (start_ == end_ && !skipping_) return false;
  const bool kept = !skipping_;
  if (kept) line = std::string_view(buffer_.data() + start_, end_ - start_);
  if (!kept) ++skipped_;
  skipping_ = false;
  start_ = scanned_ = end_;
  return kept;
}
