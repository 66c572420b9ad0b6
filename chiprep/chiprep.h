/* chiprep: processor information for the Kolvane suite.
 *
 * Exported with C linkage. On Windows, chiprep.dll exports them by ordinal
 * only: QueryFamily is ordinal 2, QueryFeatures ordinal 4 (chiprep.def). */
#ifndef CHIPREP_CHIPREP_H_
#define CHIPREP_CHIPREP_H_

#include <stdint.h>

#if defined(_WIN32)
#define CHIPREP_API
#else
#define CHIPREP_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The processor's feature word (CPUID leaf 1, EDX); 0 off x86. */
CHIPREP_API uint32_t QueryFeatures(void);

/* The processor's base family (CPUID leaf 1, EAX bits 8-11) in the low 16
 * bits; 0 off x86. */
CHIPREP_API uint32_t QueryFamily(void);

#ifdef __cplusplus
}
#endif

#endif /* CHIPREP_CHIPREP_H_ */
