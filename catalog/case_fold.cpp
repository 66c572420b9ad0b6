#include "catalog/case_fold.h"

namespace dllpick {

// Not toupper(): its answer depends on the locale and on the signedness of
// char, and bytes above 127 must never change.
void FoldToUpper(char* text) {
  for (; *text != '\0'; ++text) {
    if (*text >= 'a' && *text <= 'z') *text = static_cast<char>(*text - 'a' + 'A');
  }
}

char FoldToLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace dllpick
