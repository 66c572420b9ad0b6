// The `d` command: deletes a library's key.
#ifndef DLLPICK_SETTINGS_DELETE_COMMAND_H_
#define DLLPICK_SETTINGS_DELETE_COMMAND_H_

#include <cstdio>

#include "platform/registry_store.h"

namespace dllpick {

// Deletes `key_path` and prints the outcome. Returns 0.
int RunDelete(const char* key_path, RegistryStore& registry, std::FILE* out);

}  // namespace dllpick

#endif  // DLLPICK_SETTINGS_DELETE_COMMAND_H_
