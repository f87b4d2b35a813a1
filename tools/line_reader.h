// Reads a byte stream line by line, whatever bytes the lines hold (NUL and 0x1A included).
#pragma once

#include <QByteArray>
#include <cstdio>
#include <string_view>
#include <vector>

class LineReader {
 public:
  explicit LineReader(std::FILE* in) : in_(in), buffer_(ChunkBytes) {}

  // The next line without its LF or CR LF; false at the end of the input. A last line without
  // a line end is still a line.
  bool Next(QByteArray& line);
  // The same line read in place: valid until the next call.
  bool Next(std::string_view& line);

 private:
  static constexpr size_t ChunkBytes = 64 * 1024;
  bool Refill();

  std::FILE* in_;
  std::vector<char> buffer_;
  size_t start_ = 0, end_ = 0;
};
