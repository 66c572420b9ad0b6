#include "catalog/output.h"

#include <cstring>

namespace dllpick {

void Emit(std::FILE* out, const char* format,
          std::initializer_list<std::string_view> arguments) {
  const std::string_view* next = arguments.begin();
  const char* run = format;
  while (const char* conversion = std::strstr(run, "%s")) {
    std::fwrite(run, 1, static_cast<size_t>(conversion - run), out);
    if (next != arguments.end()) {
      std::fwrite(next->data(), 1, next->size(), out);
      ++next;
    }
    run = conversion + 2;
  }
  std::fputs(run, out);
}

}  // namespace dllpick
