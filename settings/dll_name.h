// Checking and normalizing the DLL file name that the assign command stores.
// Both work on text only; neither looks at the file system.
#ifndef DLLPICK_SETTINGS_DLL_NAME_H_
#define DLLPICK_SETTINGS_DLL_NAME_H_

#include <cstddef>

namespace dllpick {

inline constexpr std::size_t kDllNameSize = 128;
using DllName = char[kDllNameSize];

// True for a name (already upper case) of an acceptable shape: at least four
// characters, not starting with '.', and either a bare name with no '\' or
// '/' or an absolute path on a drive ("X:" then a separator somewhere) that
// does not end in a separator.
bool IsValidDllPath(const char* name);

// Gives `name` the extension ".DLL": replaces the last '.' of its file-name
// part (after the last separator) and all after it, or appends ".DLL" when
// that part has none. Returns false, leaving `name` unchanged, when the
// result would not fit the buffer.
bool NormalizeDllName(DllName& name);

}  // namespace dllpick

#endif  // DLLPICK_SETTINGS_DLL_NAME_H_
