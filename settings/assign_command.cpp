#include "settings/assign_command.h"

#include <cstring>

#include "catalog/case_fold.h"
#include "catalog/library_table.h"
#include "catalog/messages.h"
#include "catalog/output.h"
#include "cli/usage.h"
#include "cpu/variants.h"
#include "settings/dll_name.h"

namespace dllpick {

namespace {

// Copies `text` into `name` whole, or returns false when it does not fit.
bool CopyDllName(const char* text, DllName& name) {
  const std::size_t length = std::strlen(text);
  if (length >= sizeof name) return false;
  std::memcpy(name, text, length + 1);
  return true;
}

}  // namespace

int RunAssign(char* value_name_argument, char* file_name_argument,
              const char* key_path, int row, RegistryStore& registry,
              ProcessorInfo& processor, std::FILE* out) {
  const char* value_name = NoteValueName(value_name_argument, out);
  FoldToUpper(file_name_argument);
  // A name too long for the buffer is refused, never cut: a cut name would
  // be stored as a different, plausible-looking file.
  DllName file_name;
  if (!CopyDllName(file_name_argument, file_name) ||
      !IsValidDllPath(file_name) || !NormalizeDllName(file_name)) {
    return ShowUsage(kBadLibraryPath, out);
  }
  if (!IsDllCompatible(file_name, processor)) Emit(out, kIncompatibleWarning);

  RegKey key = 0;
  std::uint32_t disposition = 0;
  RegStatus status = registry.CreateKey(key_path, kRegOptionVolatile,
                                        kKeyAllAccess, &key, &disposition);
  if (status == kErrorSuccess) {
    const auto size = static_cast<std::uint32_t>(std::strlen(file_name) + 1);
    status = registry.SetValue(key, value_name, kRegSz, file_name, size);
  }
  if (status != kErrorSuccess) {
    Emit(out, kSetProblem, {value_name, key_path, file_name});
    return 0;
  }
  BestName best;
  BestLibraryName(kLibraryTable[row].abbreviation, processor, best);
  Emit(out, kAssigned, {file_name, value_name});
  Emit(out, kEntryState, {key_path, disposition == kRegCreatedNewKey
                                        ? kEntryCreated
                                        : kEntryModified});
  Emit(out, kBestLibraryNote, {best});
  return 0;
}

}  // namespace dllpick
