#include "tests/captured_output.h"

#include <cstdlib>

namespace dllpick {

CapturedOutput::CapturedOutput() : file_(std::tmpfile()) {
  if (file_ == nullptr) std::abort();
}

CapturedOutput::~CapturedOutput() { std::fclose(file_); }

std::string CapturedOutput::text() const {
  std::fflush(file_);
  std::rewind(file_);
  std::string text;
  char chunk[512];
  std::size_t read;
  while ((read = std::fread(chunk, 1, sizeof chunk, file_)) > 0) text.append(chunk, read);
  std::fseek(file_, 0, SEEK_END);
  return text;
}

}  // namespace dllpick
