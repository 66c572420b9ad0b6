#include "settings/delete_command.h"

#include "catalog/messages.h"
#include "catalog/output.h"

namespace dllpick {

int RunDelete(const char* key_path, RegistryStore& registry, std::FILE* out) {
  const bool deleted = registry.DeleteKey(key_path) == kErrorSuccess;
  Emit(out, deleted ? kDeleted : kDeleteProblem, {key_path});
  return 0;
}

}  // namespace dllpick
