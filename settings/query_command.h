// The `q` command: shows a library's value.
#ifndef DLLPICK_SETTINGS_QUERY_COMMAND_H_
#define DLLPICK_SETTINGS_QUERY_COMMAND_H_

#include <cstdio>

#include "platform/registry_store.h"

namespace dllpick {

// Opens `key_path` with full access and prints the value named by
// `value_name_argument` (folded in place), or the problem line. Returns 0.
int RunQuery(char* value_name_argument, const char* key_path,
             RegistryStore& registry, std::FILE* out);

}  // namespace dllpick

#endif  // DLLPICK_SETTINGS_QUERY_COMMAND_H_
