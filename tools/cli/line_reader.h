// Reads a byte stream line by line, whatever bytes the lines hold (NUL and 0x1A included).
#pragma once

#include <QByteArray>
#include <cstdio>
#include <string_view>
#include <vector>

class LineReader {
 public:
  // Far longer than any packet or report: a longer line is damage, not data.
  static constexpr size_t LongestLineBytes = 8 * 1024;
  static constexpr size_t ChunkBytes = 64 * 1024;

  // Reads `chunkBytes` at a time and holds at most `longestLine` bytes of one line: the memory
  // never grows with the input.
  explicit LineReader(std::FILE* in, size_t chunkBytes = ChunkBytes,
                      size_t longestLine = LongestLineBytes)
      : in_(in), chunk_(chunkBytes), longest_(longestLine), buffer_(longestLine + chunkBytes) {}

  // The next line without its end (LF, CR LF or a lone CR: CR LF is one end even when the
  // reads split it); false at the end of the input. A last line without an end is still a
  // line. Lines longer than `longestLine` are skipped, and counted.
  bool Next(QByteArray& line);
  // The same line read in place: valid until the next call.
  bool Next(std::string_view& line);

  quint64 SkippedLines() const { return skipped_; }

 private:
  bool Refill();
  size_t NextLf();
  bool EndAt(size_t end, std::string_view& line);

  std::FILE* in_;
  const size_t chunk_, longest_;
  std::vector<char> buffer_;
  size_t start_ = 0, end_ = 0;
  size_t scanned_ = 0;  // no line end in [start_, scanned_)
  size_t lf_ = 0;       // the first LF at or after scanned_, or end_ when there is none
  bool lfKnown_ = false;
  bool afterCr_ = false;   // the last line ended with CR: an LF that comes next belongs to it
  bool skipping_ = false;  // inside a line too long to keep
  quint64 skipped_ = 0;
};
