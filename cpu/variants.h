// The processor-tuned builds of a library and which classes can run them.
//
// A build's file name ends in one of kVariantEndings; kClassVariants lists,
// per ProcessorClass, the variants that class runs, best first, closed by
// kVariantEnd.
#ifndef DLLPICK_CPU_VARIANTS_H_
#define DLLPICK_CPU_VARIANTS_H_

#include <cstddef>

#include "cpu/processor_class.h"
#include "platform/processor_info.h"

namespace dllpick {

inline constexpr int kVariantCount = 5;
inline constexpr int kVariantEnd = kVariantCount;

inline constexpr char kVariantEndings[kVariantCount][7] = {
    "A0.DLL",  // any processor
    "A1.DLL",  // family 5 without SIMD
    "A2.DLL",  // family 6 without SIMD
    "W1.DLL",  // family 5 with SIMD
    "W2.DLL",  // family 6 with SIMD
};

inline constexpr int kClassVariants[kProcessorClassCount][6] = {
    {0, kVariantEnd},
    {1, 0, kVariantEnd},
    {2, 1, 0, kVariantEnd},
    {3, 1, 0, kVariantEnd},
    {4, 3, 2, 1, 0, kVariantEnd},
};

// Room for the longest prefix (3) and ending (6) with the NUL.
inline constexpr std::size_t kBestNameSize = 10;
using BestName = char[kBestNameSize];

// The file name of the best build of the library with `abbreviation` for
// this processor: the prefix ("TEQ" for the "ECH" library, else the
// abbreviation) and the class's best ending.
void BestLibraryName(const char* abbreviation, ProcessorInfo& processor,
                     BestName& name);

// True when `name` (upper case) contains, anywhere, the ending of a build
// this processor can run.
bool IsDllCompatible(const char* name, ProcessorInfo& processor);

}  // namespace dllpick

#endif  // DLLPICK_CPU_VARIANTS_H_
