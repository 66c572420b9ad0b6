// ProcessorInfo: what the processor-information library (chiprep) says about
// the running processor. Each call asks the library anew.
#ifndef DLLPICK_PLATFORM_PROCESSOR_INFO_H_
#define DLLPICK_PLATFORM_PROCESSOR_INFO_H_

#include <cstdint>

namespace dllpick {

class ProcessorInfo {
 public:
  virtual ~ProcessorInfo() = default;
  // Feature word; bit 23 is the packed-integer SIMD extension.
  virtual std::uint32_t QueryFeatures() = 0;
  // Processor family in the low 16 bits.
  virtual std::uint32_t QueryFamily() = 0;
};

// The chiprep library the program was linked against.
ProcessorInfo& SystemProcessorInfo();

}  // namespace dllpick

#endif  // DLLPICK_PLATFORM_PROCESSOR_INFO_H_
