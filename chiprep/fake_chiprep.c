/* A stand-in chiprep for tests: it poses as whatever processor the variables
 * FAKE_CHIPREP_FAMILY and FAKE_CHIPREP_FEATURES describe (numbers in any base
 * strtoul reads; 0 when unset). dllpick itself reads no environment: only
 * this test library does. */
#include <stdlib.h>

#include "chiprep/chiprep.h"

static uint32_t FromEnvironment(const char* name) {
  const char* text = getenv(name);
  return text != NULL ? (uint32_t)strtoul(text, NULL, 0) : 0;
}

uint32_t QueryFeatures(void) { return FromEnvironment("FAKE_CHIPREP_FEATURES"); }
uint32_t QueryFamily(void) { return FromEnvironment("FAKE_CHIPREP_FAMILY"); }
