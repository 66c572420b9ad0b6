#include "cpu/processor_class.h"

namespace dllpick {

ProcessorClass ClassifyProcessor(ProcessorInfo& processor) {
  const bool simd = (processor.QueryFeatures() & kSimdFeatureBit) != 0;
  const std::uint32_t family = processor.QueryFamily() & 0xFFFFu;
  if (family == 5) return simd ? 3 : 1;
  if (family == 6) return simd ? 4 : 2;
  return 0;
}

}  // namespace dllpick
