// ReadValue: opens a key and reads one value, for the store tests.
#ifndef DLLPICK_TESTS_READ_VALUE_H_
#define DLLPICK_TESTS_READ_VALUE_H_

#include <string>

#include "platform/registry_store.h"

namespace dllpick {

// Opens `path` with `access` and reads `name` into a buffer of `room` bytes;
// on success *data holds the bytes returned, otherwise it is empty.
inline RegStatus ReadValue(RegistryStore& store, const std::string& path, std::uint32_t access,
                           const char* name, std::string* data, std::uint32_t room = 128) {
  data->clear();
  RegKey key = 0;
  if (RegStatus status = store.OpenKey(path.c_str(), access, &key)) return status;
  std::string buffer(room, '\0');
  std::uint32_t type = 0;
  std::uint32_t size = room;
  const RegStatus status = store.QueryValue(key, name, &type, buffer.data(), &size);
  if (status == kErrorSuccess) *data = buffer.substr(0, size);
  return status;
}

}  // namespace dllpick

#endif  // DLLPICK_TESTS_READ_VALUE_H_
