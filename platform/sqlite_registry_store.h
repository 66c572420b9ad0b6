// SqliteRegistryStore: the registry stand-in on POSIX.
//
// One SQLite file, `directory`/hklm.db, is the HKEY_LOCAL_MACHINE hive; the
// suite's libraries read it too, so its layout (README, "The store") is a
// contract. It answers like the Windows registry, with its status codes:
//  - the directory and file are made by the first write; reads and deletes
//    with no store yet find no key (kErrorFileNotFound);
//  - every write is one IMMEDIATE transaction, durable (synchronous FULL),
//    waiting up to kBusyTimeoutMs for a concurrent writer;
//  - volatile keys belong to the boot that made them (`boot_id`): a volatile
//    key of another boot reads as absent and is purged by the next write;
//  - opening a key for writing when the process cannot write the file gives
//    kErrorAccessDenied, while read-only opens still work;
//  - a file that is not this store's, or is damaged, fails every operation
//    and is never written.
// Names are bound as parameters only; no name reaches a file path.
#ifndef DLLPICK_PLATFORM_SQLITE_REGISTRY_STORE_H_
#define DLLPICK_PLATFORM_SQLITE_REGISTRY_STORE_H_

#include <cstdint>
#include <string>
#include <vector>

#include "platform/registry_store.h"

struct sqlite3;

namespace dllpick {

inline constexpr char kStoreFileName[] = "hklm.db";
inline constexpr int kBusyTimeoutMs = 5000;

class SqliteRegistryStore final : public RegistryStore {
 public:
  SqliteRegistryStore(std::string directory, std::string boot_id);
  ~SqliteRegistryStore() override;
  SqliteRegistryStore(const SqliteRegistryStore&) = delete;
  SqliteRegistryStore& operator=(const SqliteRegistryStore&) = delete;

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

 private:
  enum class Connection { kRead, kWrite, kWriteCreate };
  struct Handle {
    std::int64_t id;
    std::uint32_t access;
  };

  RegStatus Connect(Connection connection);
  RegStatus CheckLayout(bool may_create);
  RegStatus FindKey(const char* path, std::int64_t* id);
  RegStatus Purge();
  const Handle* FindHandle(RegKey key) const;
  RegKey AddHandle(std::int64_t id, std::uint32_t access);

  std::string directory_;
  std::string file_;
  std::string boot_id_;
  sqlite3* db_ = nullptr;
  std::vector<Handle> handles_;
};

}  // namespace dllpick

#endif  // DLLPICK_PLATFORM_SQLITE_REGISTRY_STORE_H_
