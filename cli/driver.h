// The command driver: checks the arguments, resolves the library, selects
// the command and runs it.
#ifndef DLLPICK_CLI_DRIVER_H_
#define DLLPICK_CLI_DRIVER_H_

#include <cstdio>

#include "platform/processor_info.h"
#include "platform/registry_store.h"

namespace dllpick {

// Runs one dllpick command line. `argv` is argc entries (argv[0] is never
// read); arguments 1-4 are case-folded in place. Everything is printed to
// `out`. Returns the process result: 0 when a command ran, whatever the
// registry answered; -1 after a usage error, which always comes before any
// registry operation.
int RunDllpick(int argc, char** argv, RegistryStore& registry,
               ProcessorInfo& processor, std::FILE* out);

}  // namespace dllpick

#endif  // DLLPICK_CLI_DRIVER_H_
