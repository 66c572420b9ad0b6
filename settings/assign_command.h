// The `o` command: records which DLL file a library must load.
#ifndef DLLPICK_SETTINGS_ASSIGN_COMMAND_H_
#define DLLPICK_SETTINGS_ASSIGN_COMMAND_H_

#include <cstdio>

#include "platform/processor_info.h"
#include "platform/registry_store.h"

namespace dllpick {

// Folds both arguments in place, checks and normalizes the file name, warns
// when this processor cannot run that build, creates or opens `key_path`
// (volatile, full access) and sets the value. Returns 0, or -1 after the
// usage error for a file name that is refused; then nothing is written.
int RunAssign(char* value_name_argument, char* file_name_argument,
              const char* key_path, int row, RegistryStore& registry,
              ProcessorInfo& processor, std::FILE* out);

}  // namespace dllpick

#endif  // DLLPICK_SETTINGS_ASSIGN_COMMAND_H_
