#include "cli/usage.h"

#include "catalog/messages.h"
#include "catalog/output.h"

namespace dllpick {

int ShowUsage(const char* message, std::FILE* out) {
  Emit(out, kUsageMessageFormat, {message});
  std::fputs(kUsageText, out);
  return -1;
}

}  // namespace dllpick
