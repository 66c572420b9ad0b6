// Both targets link chiprep the same way: libchiprep.so by symbol, and
// chiprep.dll through an import library whose entries are ordinals 2 and 4
// with no names (chiprep/chiprep.def). So one file serves both.
#include "chiprep/chiprep.h"
#include "platform/processor_info.h"

namespace dllpick {

namespace {

class ChiprepProcessorInfo : public ProcessorInfo {
 public:
  std::uint32_t QueryFeatures() override { return ::QueryFeatures(); }
  std::uint32_t QueryFamily() override { return ::QueryFamily(); }
};

}  // namespace

ProcessorInfo& SystemProcessorInfo() {
  static ChiprepProcessorInfo processor;
  return processor;
}

}  // namespace dllpick
