// The usage screen.
#ifndef DLLPICK_CLI_USAGE_H_
#define DLLPICK_CLI_USAGE_H_

#include <cstdio>

namespace dllpick {

// Prints `message` framed by line feeds, then the usage text. Returns -1,
// the process result of every usage error.
int ShowUsage(const char* message, std::FILE* out);

}  // namespace dllpick

#endif  // DLLPICK_CLI_USAGE_H_
