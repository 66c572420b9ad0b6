#include "platform/fake_registry_store.h"

#include <algorithm>
#include <cstring>

#include "catalog/case_fold.h"

namespace dllpick {

std::string FakeRegistryStore::Fold(std::string text) {
  FoldToUpper(text.data());
  return text;
}

RegStatus FakeRegistryStore::CreateKey(const char* path, std::uint32_t options,
                                       std::uint32_t access, RegKey* key,
                                       std::uint32_t* disposition) {
  calls.push_back("CreateKey");
  last_options = options;
  last_access = access;
  if (fail_create != kErrorSuccess) return fail_create;
  const bool created = keys_.emplace(Fold(path), std::map<std::string, Value>()).second;
  handles_.push_back(Fold(path));
  *key = handles_.size();
  *disposition = created ? kRegCreatedNewKey : kRegOpenedExistingKey;
  return kErrorSuccess;
}

RegStatus FakeRegistryStore::SetValue(RegKey key, const char* name, std::uint32_t type,
                                      const void* data, std::uint32_t size) {
  calls.push_back("SetValue");
  last_size = size;
  if (fail_set != kErrorSuccess) return fail_set;
  keys_[handles_.at(key - 1)][Fold(name)] =
      Value{type, std::string(static_cast<const char*>(data), size)};
  return kErrorSuccess;
}

RegStatus FakeRegistryStore::OpenKey(const char* path, std::uint32_t access, RegKey* key) {
  calls.push_back("OpenKey");
  last_access = access;
  if (fail_open != kErrorSuccess) return fail_open;
  if (!HasKey(path)) return kErrorFileNotFound;
  handles_.push_back(Fold(path));
  *key = handles_.size();
  return kErrorSuccess;
}

RegStatus FakeRegistryStore::QueryValue(RegKey key, const char* name, std::uint32_t* type,
                                        void* data, std::uint32_t* size) {
  calls.push_back("QueryValue");
  last_size = *size;
  if (fail_query != kErrorSuccess) return fail_query;
  const Value* value = Find(handles_.at(key - 1), name);
  if (value == nullptr) return kErrorFileNotFound;
  const auto stored = static_cast<std::uint32_t>(value->data.size());
  const std::uint32_t room = *size;
  *size = stored;
  if (stored > room) return kErrorMoreData;
  *type = value->type;
  std::memcpy(data, value->data.data(), stored);
  return kErrorSuccess;
}

RegStatus FakeRegistryStore::DeleteKey(const char* path) {
  calls.push_back("DeleteKey");
  if (fail_delete != kErrorSuccess) return fail_delete;
  return keys_.erase(Fold(path)) == 1 ? kErrorSuccess : kErrorFileNotFound;
}

void FakeRegistryStore::PutValue(const std::string& path, const std::string& name,
                                 std::string data, std::uint32_t type) {
  keys_[Fold(path)][Fold(name)] = Value{type, std::move(data)};
}

bool FakeRegistryStore::HasKey(const std::string& path) const {
  return keys_.count(Fold(path)) == 1;
}

const FakeRegistryStore::Value* FakeRegistryStore::Find(const std::string& path,
                                                        const std::string& name) const {
  const auto key = keys_.find(Fold(path));
  if (key == keys_.end()) return nullptr;
  const auto value = key->second.find(Fold(name));
  return value == key->second.end() ? nullptr : &value->second;
}

}  // namespace dllpick
