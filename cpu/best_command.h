// The `b` command: names the best build of a library for this processor.
#ifndef DLLPICK_CPU_BEST_COMMAND_H_
#define DLLPICK_CPU_BEST_COMMAND_H_

#include <cstdio>

#include "platform/processor_info.h"

namespace dllpick {

// Prints the best build for library `row`; returns 0. Reads no registry.
int RunBest(int row, ProcessorInfo& processor, std::FILE* out);

}  // namespace dllpick

#endif  // DLLPICK_CPU_BEST_COMMAND_H_
