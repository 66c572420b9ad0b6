// ASCII case folding, done in place. Only a-z / A-Z change; every other byte,
// including those above 127, stays as it is.
#ifndef DLLPICK_CATALOG_CASE_FOLD_H_
#define DLLPICK_CATALOG_CASE_FOLD_H_

namespace dllpick {

void FoldToUpper(char* text);
char FoldToLower(char c);

}  // namespace dllpick

#endif  // DLLPICK_CATALOG_CASE_FOLD_H_
