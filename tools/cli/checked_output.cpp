#include "checked_output.h"

#include <cerrno>
#include <cstring>

bool CheckedOutput::Keep(bool ok) {
  if (!ok && error_ == 0) error_ = errno != 0 ? errno : EIO;
  return error_ == 0;
}

bool CheckedOutput::Write(std::string_view bytes) {
  if (error_ != 0) return false;
  errno = 0;
  return Keep(std::fwrite(bytes.data(), 1, bytes.size(), out_) == bytes.size());
}

bool CheckedOutput::Flush() {
  if (error_ != 0) return false;
  errno = 0;
  return Keep(std::fflush(out_) == 0);
}

const char* CheckedOutput::Error() const {
  return std::strerror(error_);
}

int FinishOutput(CheckedOutput& out, std::FILE* err) {
  if (out.Flush()) return 0;
  std::fprintf(err, "ventora-cli: cannot write the output: %s\n", out.Error());
  return 2;
}
