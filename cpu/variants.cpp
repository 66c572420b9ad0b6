#include "cpu/variants.h"

#include <cstdio>
#include <cstring>

namespace dllpick {

namespace {

constexpr char kEchraPrefix[] = "TEQ";

}  // namespace

void BestLibraryName(const char* abbreviation, ProcessorInfo& processor,
                     BestName& name) {
  const char* prefix =
      std::strstr(abbreviation, "ECH") != nullptr ? kEchraPrefix : abbreviation;
  const int best = kClassVariants[ClassifyProcessor(processor)][0];
  std::snprintf(name, sizeof name, "%s%s", prefix, kVariantEndings[best]);
}

bool IsDllCompatible(const char* name, ProcessorInfo& processor) {
  for (const int* variant = kClassVariants[ClassifyProcessor(processor)];
       *variant != kVariantEnd; ++variant) {
    if (std::strstr(name, kVariantEndings[*variant]) != nullptr) return true;
  }
  return false;
}

}  // namespace dllpick
