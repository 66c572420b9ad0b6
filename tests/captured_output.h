// CapturedOutput: a FILE* for code under test, and what was written to it.
#ifndef DLLPICK_TESTS_CAPTURED_OUTPUT_H_
#define DLLPICK_TESTS_CAPTURED_OUTPUT_H_

#include <cstdio>
#include <string>

namespace dllpick {

class CapturedOutput {
 public:
  CapturedOutput();
  ~CapturedOutput();
  CapturedOutput(const CapturedOutput&) = delete;
  CapturedOutput& operator=(const CapturedOutput&) = delete;

  std::FILE* file() const { return file_; }
  std::string text() const;

 private:
  std::FILE* file_;
};

}  // namespace dllpick

#endif  // DLLPICK_TESTS_CAPTURED_OUTPUT_H_
