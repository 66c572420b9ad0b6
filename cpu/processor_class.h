// Sorting the running processor into one of five classes.
#ifndef DLLPICK_CPU_PROCESSOR_CLASS_H_
#define DLLPICK_CPU_PROCESSOR_CLASS_H_

#include <cstdint>

#include "platform/processor_info.h"

namespace dllpick {

// Feature bit of the packed-integer SIMD extension.
inline constexpr std::uint32_t kSimdFeatureBit = 0x00800000;

//   class  family         SIMD bit
//     0    not 5 or 6     either
//     1    5              clear
//     2    6              clear
//     3    5              set
//     4    6              set
using ProcessorClass = int;
inline constexpr int kProcessorClassCount = 5;

// Asks `processor` for its features, then its family (nothing is cached).
ProcessorClass ClassifyProcessor(ProcessorInfo& processor);

}  // namespace dllpick

#endif  // DLLPICK_CPU_PROCESSOR_CLASS_H_
