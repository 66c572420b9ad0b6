#include "settings/dll_name.h"

#include <cstring>

namespace dllpick {

namespace {

constexpr char kDllExtension[] = ".DLL";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

bool IsValidDllPath(const char* name) {
  const std::size_t length = std::strlen(name);
  if (length < 4 || name[0] == '.') return false;
  if (std::strpbrk(name, "\\/") == nullptr) return true;
  if (IsSeparator(name[length - 1])) return false;
  return name[1] == ':' && name[0] >= 'A' && name[0] <= 'Z';
}

// Only the file-name part is searched for the extension's full stop: a stop
// in a directory name (C:\MY.DIR\X) must not cut the path short.
bool NormalizeDllName(DllName& name) {
  const std::size_t length = std::strlen(name);
  std::size_t file_part = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (IsSeparator(name[i])) file_part = i + 1;
  }
  std::size_t stem = length;
  for (std::size_t i = file_part; i < length; ++i) {
    if (name[i] == '.') stem = i;
  }
  if (stem + sizeof kDllExtension > sizeof name) return false;
  std::memcpy(name + stem, kDllExtension, sizeof kDllExtension);
  return true;
}

}  // namespace dllpick
