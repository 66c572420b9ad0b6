#include <windows.h>

#include "platform/registry_store.h"

namespace dllpick {

namespace {

static_assert(kErrorSuccess == ERROR_SUCCESS && kErrorMoreData == ERROR_MORE_DATA &&
                  kErrorFileNotFound == ERROR_FILE_NOT_FOUND,
              "status codes are Windows' own");
static_assert(kRegOptionVolatile == REG_OPTION_VOLATILE && kKeyAllAccess == KEY_ALL_ACCESS &&
                  kRegSz == REG_SZ && kRegCreatedNewKey == REG_CREATED_NEW_KEY,
              "constants are Windows' own");

HKEY ToHkey(RegKey key) { return reinterpret_cast<HKEY>(key); }

// Handles are never closed: each run opens at most one, and the process
// ends right after.
class Win32RegistryStore : public RegistryStore {
 public:
  RegStatus CreateKey(const char* path, std::uint32_t options, std::uint32_t access,
                      RegKey* key, std::uint32_t* disposition) override {
    HKEY opened = nullptr;
    DWORD how = 0;
    const LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path, 0, nullptr, options, access,
                                        nullptr, &opened, &how);
    if (status == ERROR_SUCCESS) {
      *key = reinterpret_cast<RegKey>(opened);
      *disposition = how;
    }
    return status;
  }

  RegStatus SetValue(RegKey key, const char* name, std::uint32_t type, const void* data,
                     std::uint32_t size) override {
    return RegSetValueExA(ToHkey(key), name, 0, type, static_cast<const BYTE*>(data), size);
  }

  RegStatus OpenKey(const char* path, std::uint32_t access, RegKey* key) override {
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, access, &opened);
    if (status == ERROR_SUCCESS) *key = reinterpret_cast<RegKey>(opened);
    return status;
  }

  RegStatus QueryValue(RegKey key, const char* name, std::uint32_t* type, void* data,
                       std::uint32_t* size) override {
    DWORD kind = 0;
    DWORD length = *size;
    const LONG status =
        RegQueryValueExA(ToHkey(key), name, nullptr, &kind, static_cast<BYTE*>(data), &length);
    *type = kind;
    *size = length;
    return status;
  }

  RegStatus DeleteKey(const char* path) override {
    return RegDeleteKeyA(HKEY_LOCAL_MACHINE, path);
  }
};

}  // namespace

RegistryStore& SystemRegistryStore() {
  static Win32RegistryStore store;
  return store;
}

}  // namespace dllpick
