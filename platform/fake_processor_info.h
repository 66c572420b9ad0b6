// FakeProcessorInfo: a ProcessorInfo that answers what a test sets, and
// counts the questions in the order they came.
#ifndef DLLPICK_PLATFORM_FAKE_PROCESSOR_INFO_H_
#define DLLPICK_PLATFORM_FAKE_PROCESSOR_INFO_H_

#include <string>

#include "cpu/processor_class.h"
#include "platform/processor_info.h"

namespace dllpick {

class FakeProcessorInfo : public ProcessorInfo {
 public:
  FakeProcessorInfo(std::uint32_t family_result, std::uint32_t features_result)
      : family(family_result), features(features_result) {}

  // A processor of `processor_class` (0-4), as the classification table has it.
  static FakeProcessorInfo OfClass(ProcessorClass processor_class) {
    static constexpr std::uint32_t kFamily[] = {4, 5, 6, 5, 6};
    return {kFamily[processor_class], processor_class >= 3 ? kSimdFeatureBit : 0u};
  }

  std::uint32_t QueryFeatures() override {
    questions += 'F';
    return features;
  }
  std::uint32_t QueryFamily() override {
    questions += 'f';
    return family;
  }

  std::uint32_t family;
  std::uint32_t features;
  std::string questions;  // 'F' per QueryFeatures, 'f' per QueryFamily
};

}  // namespace dllpick

#endif  // DLLPICK_PLATFORM_FAKE_PROCESSOR_INFO_H_
