#include "chiprep/chiprep.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>

static uint32_t Leaf1(int want_eax) {
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return 0;
  return want_eax ? eax : edx;
}

uint32_t QueryFeatures(void) { return Leaf1(0); }
uint32_t QueryFamily(void) { return (Leaf1(1) >> 8) & 0xFu; }

#else

uint32_t QueryFeatures(void) { return 0; }
uint32_t QueryFamily(void) { return 0; }

#endif
