#include "line_reader.h"

#include <cstring>

bool LineReader::Refill() {
  if (start_ > 0) {  // keep the unfinished line at the front
    std::memmove(buffer_.data(), buffer_.data() + start_, end_ - start_);
    end_ -= start_;
    start_ = 0;
  }
  if (end_ == buffer_.size()) buffer_.resize(buffer_.size() * 2);  // a line longer than a chunk
  const size_t got = std::fread(buffer_.data() + end_, 1, buffer_.size() - end_, in_);
  end_ += got;
  return got > 0;
}

bool LineReader::Next(QByteArray& line) {
  std::string_view view;
  if (!Next(view)) return false;
  line = QByteArray(view.data(), qsizetype(view.size()));
  return true;
}

bool LineReader::Next(std::string_view& line) {
  size_t searched = start_;
  for (;;) {
    const auto* lf =
        static_cast<const char*>(std::memchr(buffer_.data() + searched, '\n', end_ - searched));
    if (lf) {
      const size_t at = size_t(lf - buffer_.data());
      size_t length = at - start_;
      if (length > 0 && buffer_[at - 1] == '\r') --length;
      line = std::string_view(buffer_.data() + start_, length);
      start_ = at + 1;
      return true;
    }
    const size_t pending = end_ - start_;
    if (!Refill()) break;
    searched = start_ + pending;
  }
  if (start_ == end_) return false;
  line = std::string_view(buffer_.data() + start_, end_ - start_);
  start_ = end_;
  return true;
}
