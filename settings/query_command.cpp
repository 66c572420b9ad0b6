#include "settings/query_command.h"

#include <cstring>
#include <string_view>

#include "catalog/library_table.h"
#include "catalog/messages.h"
#include "catalog/output.h"

namespace dllpick {

namespace {

constexpr std::uint32_t kDataSize = 128;

}  // namespace

int RunQuery(char* value_name_argument, const char* key_path,
             RegistryStore& registry, std::FILE* out) {
  const char* value_name = NoteValueName(value_name_argument, out);
  // Full access, not read access: a user who may not change the setting is
  // told so here rather than at the next assign.
  RegKey key = 0;
  RegStatus status = registry.OpenKey(key_path, kKeyAllAccess, &key);
  char data[kDataSize];
  std::uint32_t size = kDataSize;
  std::uint32_t type = 0;
  if (status == kErrorSuccess) {
    status = registry.QueryValue(key, value_name, &type, data, &size);
  }
  if (status != kErrorSuccess) {
    Emit(out, kQueryProblem, {key_path, value_name});
    return 0;
  }
  // Another program may have stored data with no NUL: show only what was
  // returned, up to the first NUL.
  const std::size_t shown = strnlen(data, size < kDataSize ? size : kDataSize);
  Emit(out, kQueryResult, {key_path, value_name, std::string_view(data, shown)});
  return 0;
}

}  // namespace dllpick
