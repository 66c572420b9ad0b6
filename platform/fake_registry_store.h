// FakeRegistryStore: an in-memory RegistryStore for tests.
//
// Keys are paths compared case-insensitively; a test can make any operation
// fail with a chosen status and can read what the last calls passed.
#ifndef DLLPICK_PLATFORM_FAKE_REGISTRY_STORE_H_
#define DLLPICK_PLATFORM_FAKE_REGISTRY_STORE_H_

#include <map>
#include <string>
#include <vector>

#include "platform/registry_store.h"

namespace dllpick {

class FakeRegistryStore : public RegistryStore {
 public:
  struct Value {
    std::uint32_t type;
    std::string data;  // bytes as stored
  };

  RegStatus CreateKey(const char* path, std::uint32_t options,
                      std::uint32_t access, RegKey* key,
                      std::uint32_t* disposition) override;
  RegStatus SetValue(RegKey key, const char* name, std::uint32_t type,
                     const void* data, std::uint32_t size) override;
  RegStatus OpenKey(const char* path, std::uint32_t access,
                    RegKey* key) override;
  RegStatus QueryValue(RegKey key, const char* name, std::uint32_t* type,
                       void* data, std::uint32_t* size) override;
  RegStatus DeleteKey(const char* path) override;

  // Test side.
  void PutValue(const std::string& path, const std::string& name,
                std::string data, std::uint32_t type = kRegSz);
  bool HasKey(const std::string& path) const;
  // The value's bytes, or nullptr.
  const Value* Find(const std::string& path, const std::string& name) const;

  RegStatus fail_create = kErrorSuccess;
  RegStatus fail_set = kErrorSuccess;
  RegStatus fail_open = kErrorSuccess;
  RegStatus fail_query = kErrorSuccess;
  RegStatus fail_delete = kErrorSuccess;

  std::vector<std::string> calls;  // operation names, in order
  std::uint32_t last_options = 0;
  std::uint32_t last_access = 0;
  std::uint32_t last_size = 0;  // SetValue's size, QueryValue's room

 private:
  static std::string Fold(std::string text);
  std::map<std::string, std::map<std::string, Value>> keys_;  // folded names
  std::vector<std::string> handles_;
};

}  // namespace dllpick

#endif  // DLLPICK_PLATFORM_FAKE_REGISTRY_STORE_H_
