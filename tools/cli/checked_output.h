// The decoders' output file with every write checked, so that lost output ends the run with a
// message instead of passing for success.
#pragma once

#include <cstdio>
#include <string_view>

class CheckedOutput {
 public:
  explicit CheckedOutput(std::FILE* out) : out_(out) {}

  // False once any write has failed; nothing more is written after a failure.
  [[nodiscard]] bool Write(std::string_view bytes);
  // Hands what is buffered to the system; false when that or any earlier write failed.
  [[nodiscard]] bool Flush();
  // The system's words for the first failure.
  const char* Error() const;

 private:
  bool Keep(bool ok);

  std::FILE* out_;
  int error_ = 0;  // errno of the first failure; 0: none
};

// Hands what is written to the system: 0, or 2 with the system's words said on `err` when that
// or any earlier write failed.
int FinishOutput(CheckedOutput& out, std::FILE* err);
