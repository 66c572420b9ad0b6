// RegistryStore: the five registry operations dllpick uses, on keys under
// HKEY_LOCAL_MACHINE.
//
// Every operation answers with a Windows system status code: kErrorSuccess
// (0) on success, anything else on failure. Paths are relative to
// HKEY_LOCAL_MACHINE with backslash separators; key and value names compare
// case-insensitively. Handles returned by CreateKey/OpenKey stay valid for the
// life of the store.
//
// Implementations: the Windows registry (registry_store_win32.cpp), a SQLite
// file on POSIX (registry_store_posix.cpp), and an in-memory fake for tests.
#ifndef DLLPICK_PLATFORM_REGISTRY_STORE_H_
#define DLLPICK_PLATFORM_REGISTRY_STORE_H_

#include <cstdint>

namespace dllpick {

using RegStatus = long;
using RegKey = std::uintptr_t;

inline constexpr RegStatus kErrorSuccess = 0;
inline constexpr RegStatus kErrorFileNotFound = 2;
inline constexpr RegStatus kErrorAccessDenied = 5;
inline constexpr RegStatus kErrorInvalidHandle = 6;
inline constexpr RegStatus kErrorInvalidParameter = 87;
inline constexpr RegStatus kErrorBusy = 170;
inline constexpr RegStatus kErrorMoreData = 234;
inline constexpr RegStatus kErrorRegistryCorrupt = 1015;
inline constexpr RegStatus kErrorRegistryIoFailed = 1016;
inline constexpr RegStatus kErrorKeyDeleted = 1018;
inline constexpr RegStatus kErrorChildMustBeVolatile = 1021;

// Options of CreateKey.
inline constexpr std::uint32_t kRegOptionNonVolatile = 0;
inline constexpr std::uint32_t kRegOptionVolatile = 1;

// Access masks.
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyAllAccess = 0xF003F;

// Dispositions reported by CreateKey.
inline constexpr std::uint32_t kRegCreatedNewKey = 1;
inline constexpr std::uint32_t kRegOpenedExistingKey = 2;

// Value types.
inline constexpr std::uint32_t kRegSz = 1;

class RegistryStore {
 public:
  virtual ~RegistryStore() = default;

  // Opens `path`, creating it and any missing parents first. Keys this call
  // creates are volatile when `options` is kRegOptionVolatile; an existing
  // key keeps its own persistence. Sets *disposition to kRegCreatedNewKey or
  // kRegOpenedExistingKey.
  virtual RegStatus CreateKey(const char* path, std::uint32_t options,
                              std::uint32_t access, RegKey* key,
                              std::uint32_t* disposition) = 0;

  // Stores `size` bytes of `data`, exactly, as value `name` of type `type`.
  virtual RegStatus SetValue(RegKey key, const char* name, std::uint32_t type,
                             const void* data, std::uint32_t size) = 0;

  // Opens an existing key; kErrorFileNotFound when it does not exist.
  virtual RegStatus OpenKey(const char* path, std::uint32_t access,
                            RegKey* key) = 0;

  // Reads value `name`. *size is the buffer's size on entry and the data's
  // size on return; a buffer too small gives kErrorMoreData with the size
  // needed. The data is not NUL-terminated beyond what was stored.
  virtual RegStatus QueryValue(RegKey key, const char* name,
                               std::uint32_t* type, void* data,
                               std::uint32_t* size) = 0;

  // Deletes a key that has no subkeys, with its values.
  virtual RegStatus DeleteKey(const char* path) = 0;
};

// The machine's registry, for the program itself.
RegistryStore& SystemRegistryStore();

}  // namespace dllpick

#endif  // DLLPICK_PLATFORM_REGISTRY_STORE_H_
