#include "catalog/library_table.h"

#include <cstring>

#include "catalog/case_fold.h"
#include "catalog/messages.h"
#include "catalog/output.h"

namespace dllpick {

namespace {

constexpr std::size_t kLongestSubkeyName = sizeof kLibraryTable[0].subkey_name - 1;
static_assert(sizeof kRegistryRoot - 1 + kLongestSubkeyName < kKeyPathSize,
              "every key path must fit its buffer");

}  // namespace

int ResolveLibrary(const char* identifier) {
  for (int row = 0; row < kLibraryCount; ++row) {
    if (std::strstr(identifier, kLibraryTable[row].abbreviation) != nullptr) return row;
  }
  return kNoLibrary;
}

void ComposeKeyPath(int row, KeyPath& key_path) {
  std::strcpy(key_path, kRegistryRoot);
  std::strcat(key_path, kLibraryTable[row].subkey_name);
}

const char* NoteValueName(char* argument, std::FILE* out) {
  FoldToUpper(argument);
  if (std::strcmp(argument, kValueName) != 0) {
    Emit(out, kValueNameNote, {argument, kValueName});
  }
  return argument;
}

}  // namespace dllpick
