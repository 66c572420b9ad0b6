#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <utility>

#include "platform/registry_store.h"
#include "platform/sqlite_registry_store.h"

#ifndef DLLPICK_REGISTRY_DIR
#error "DLLPICK_REGISTRY_DIR must name the store's directory"
#endif

namespace dllpick {

namespace {

// Stamped in the file header so a foreign database is never taken for ours.
constexpr int kApplicationId = 0x646C6C70;  // "dllp"
constexpr int kLayoutVersion = 1;
constexpr std::int64_t kRootKeyId = 1;     // HKEY_LOCAL_MACHINE itself
constexpr std::size_t kMaxKeyNameLength = 255;
constexpr std::size_t kMaxValueNameLength = 16383;
constexpr std::uint32_t kMaxValueSize = 1u << 20;  // far past any file name
constexpr std::uint32_t kWriteAccess =
    kKeySetValue | kKeyCreateSubKey | 0x0020 /* KEY_CREATE_LINK */ |
    0x00010000 /* DELETE */ | 0x00040000 /* WRITE_DAC */ |
    0x00080000 /* WRITE_OWNER */;

constexpr char kCreateLayout[] =
    "PRAGMA application_id = 1684827248;"
    "PRAGMA user_version = 1;"
    "CREATE TABLE reg_keys("
    "  id INTEGER PRIMARY KEY AUTOINCREMENT,"
    "  parent INTEGER REFERENCES reg_keys(id) ON DELETE CASCADE,"
    "  name TEXT NOT NULL COLLATE NOCASE,"
    "  boot TEXT,"
    "  UNIQUE(parent, name));"
    "CREATE TABLE reg_values("
    "  key INTEGER NOT NULL REFERENCES reg_keys(id) ON DELETE CASCADE,"
    "  name TEXT NOT NULL COLLATE NOCASE,"
    "  type INTEGER NOT NULL,"
    "  data BLOB NOT NULL,"
    "  PRIMARY KEY(key, name)) WITHOUT ROWID;"
    "INSERT INTO reg_keys(id, parent, name, boot) VALUES(1, NULL, '', NULL);";
static_assert(kApplicationId == 1684827248, "kCreateLayout stamps this id");

// A key's child by name, skipping volatile keys of other boots.
constexpr char kLookupChild[] =
    "SELECT id, boot FROM reg_keys WHERE parent = ? AND name = ?"
    " AND (boot IS NULL OR boot = ?)";

RegStatus StatusOf(int sqlite_result) {
  switch (sqlite_result & 0xFF) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
      return kErrorSuccess;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return kErrorBusy;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
      return kErrorAccessDenied;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_FORMAT:
    case SQLITE_SCHEMA:
      return kErrorRegistryCorrupt;
    default:
      return kErrorRegistryIoFailed;
  }
}

// A prepared statement whose parameters are bound in order.
class Statement {
 public:
  Statement(sqlite3* db, const char* sql) {
    result_ = sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr);
  }
  ~Statement() { sqlite3_finalize(statement_); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(std::int64_t number) {
    if (result_ == SQLITE_OK) result_ = sqlite3_bind_int64(statement_, ++bound_, number);
    return *this;
  }
  Statement& Bind(std::string_view text) {
    if (result_ == SQLITE_OK) {
      result_ = sqlite3_bind_text(statement_, ++bound_, text.data(),
                                  static_cast<int>(text.size()), SQLITE_STATIC);
    }
    return *this;
  }
  Statement& BindNull() {
    if (result_ == SQLITE_OK) result_ = sqlite3_bind_null(statement_, ++bound_);
    return *this;
  }
  Statement& BindBlob(const void* data, std::uint32_t size) {
    // A zero-length blob still needs a non-null pointer to be a blob, not NULL.
    static const char kEmpty = 0;
    if (result_ == SQLITE_OK) {
      result_ = sqlite3_bind_blob(statement_, ++bound_, size ? data : &kEmpty,
                                  static_cast<int>(size), SQLITE_STATIC);
    }
    return *this;
  }

  // Makes the statement ready to be bound and run again.
  Statement& Reset() {
    if (result_ == SQLITE_ROW || result_ == SQLITE_DONE) result_ = SQLITE_OK;
    sqlite3_reset(statement_);
    bound_ = 0;
    return *this;
  }

  // SQLITE_ROW, SQLITE_DONE, or the first error met since preparing.
  int Step() {
    if (result_ == SQLITE_OK || result_ == SQLITE_ROW) result_ = sqlite3_step(statement_);
    return result_;
  }
  std::int64_t Integer(int column) const { return sqlite3_column_int64(statement_, column); }
  bool IsNull(int column) const {
    return sqlite3_column_type(statement_, column) == SQLITE_NULL;
  }
  const void* Blob(int column) const { return sqlite3_column_blob(statement_, column); }
  int Bytes(int column) const { return sqlite3_column_bytes(statement_, column); }

 private:
  sqlite3_stmt* statement_ = nullptr;
  int result_;
  int bound_ = 0;
};

// A transaction that rolls back unless committed.
class Transaction {
 public:
  Transaction(sqlite3* db, bool write) : db_(db) {
    result_ = sqlite3_exec(db, write ? "BEGIN IMMEDIATE" : "BEGIN", nullptr, nullptr, nullptr);
  }
  ~Transaction() {
    if (result_ == SQLITE_OK && !committed_) {
      sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    }
  }
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  RegStatus began() const { return StatusOf(result_); }
  RegStatus Commit() {
    const int result = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    committed_ = result == SQLITE_OK;
    return StatusOf(result);
  }

 private:
  sqlite3* db_;
  int result_;
  bool committed_ = false;
};

// Splits a backslash-separated key path; empty and over-long components are
// refused, as the registry refuses them.
class PathComponents {
 public:
  explicit PathComponents(const char* path) : rest_(path) {}
  // Sets `component` to the next one; false at the end or on a bad one.
  bool Next(std::string_view* component) {
    if (done_) return false;
    const std::size_t end = rest_.find('\\');
    *component = rest_.substr(0, end);
    if (end == std::string_view::npos) {
      done_ = true;
    } else {
      rest_.remove_prefix(end + 1);
    }
    if (component->empty() || component->size() > kMaxKeyNameLength) {
      bad_ = true;
      return false;
    }
    return true;
  }
  bool bad() const { return bad_; }

 private:
  std::string_view rest_;
  bool done_ = false;
  bool bad_ = false;
};

RegStatus StatusOfErrno(int error) {
  return (error == EACCES || error == EPERM || error == EROFS) ? kErrorAccessDenied
                                                               : kErrorRegistryIoFailed;
}

// Like the registry, the store is readable by every user, whatever the
// umask of whoever writes first; SQLite gives its journal the same mode.
// Finds the child `name` of key `parent` with the prepared kLookupChild.
RegStatus LookupChild(Statement& lookup, const std::string& boot_id, std::int64_t parent,
                      std::string_view name, std::int64_t* id, bool* is_volatile) {
  const int result = lookup.Reset().Bind(parent).Bind(name).Bind(boot_id).Step();
  if (result == SQLITE_DONE) return kErrorFileNotFound;
  if (result != SQLITE_ROW) return StatusOf(result);
  *id = lookup.Integer(0);
  *is_volatile = !lookup.IsNull(1);
  return kErrorSuccess;
}

// Runs `sql`, which must give one row, and reads its first column.
RegStatus QueryInteger(sqlite3* db, const char* sql, std::int64_t* value) {
  Statement query(db, sql);
  const int result = query.Step();
  if (result != SQLITE_ROW) return result == SQLITE_DONE ? kErrorRegistryCorrupt : StatusOf(result);
  *value = query.Integer(0);
  return kErrorSuccess;
}

RegStatus MakeDirectories(const std::string& directory) {
  std::string partial;
  std::size_t start = 0;
  while (start <= directory.size()) {
    std::size_t end = directory.find('/', start);
    if (end == std::string::npos) end = directory.size();
    partial.assign(directory, 0, end);
    if (!partial.empty()) {
      if (mkdir(partial.c_str(), 0755) == 0) {
        chmod(partial.c_str(), 0755);  // whatever the umask: readers must get in
      } else if (errno != EEXIST) {
        return StatusOfErrno(errno);
      }
    }
    start = end + 1;
  }
  return kErrorSuccess;
}

bool FileExists(const std::string& file) {
  struct stat info;
  return stat(file.c_str(), &info) == 0;
}

// An empty file is a store with no keys yet; laid out by the first write.
RegStatus MakeStoreFile(const std::string& file) {
  const int descriptor = open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (descriptor < 0) return errno == EEXIST ? kErrorSuccess : StatusOfErrno(errno);
  const bool readable = fchmod(descriptor, 0644) == 0;
  close(descriptor);
  return readable ? kErrorSuccess : kErrorRegistryIoFailed;
}

std::string ReadBootId() {
  char text[64] = {};
  if (std::FILE* file = std::fopen("/proc/sys/kernel/random/boot_id", "r")) {
    if (std::fgets(text, sizeof text, file) == nullptr) text[0] = '\0';
    std::fclose(file);
  }
  text[std::strcspn(text, "\n")] = '\0';
  // Without a boot id, volatile keys are scoped to this unknown boot alone.
  return text[0] != '\0' ? text : "unknown-boot";
}

}  // namespace

SqliteRegistryStore::SqliteRegistryStore(std::string directory, std::string boot_id)
    : directory_(std::move(directory)),
      file_(directory_ + "/" + kStoreFileName),
      boot_id_(std::move(boot_id)) {}

SqliteRegistryStore::~SqliteRegistryStore() { sqlite3_close(db_); }

RegStatus SqliteRegistryStore::Connect(Connection connection) {
  if (db_ == nullptr) {
    if (!FileExists(file_)) {
      if (connection != Connection::kWriteCreate) return kErrorFileNotFound;
      if (RegStatus status = MakeDirectories(directory_)) return status;
      if (RegStatus status = MakeStoreFile(file_)) return status;
    }
    // Opens read-only by itself when the file is not writable for us.
    int result = sqlite3_open_v2(file_.c_str(), &db_,
                                 SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (result == SQLITE_OK) {
      sqlite3_busy_timeout(db_, kBusyTimeoutMs);
      // Rollback journal, not WAL: WAL readers need write access to its
      // shared-memory file, and the suite's libraries may only read.
      result = sqlite3_exec(db_, "PRAGMA foreign_keys = ON; PRAGMA synchronous = FULL;",
                            nullptr, nullptr, nullptr);
    }
    if (result != SQLITE_OK) {
      const int error = sqlite3_system_errno(db_);
      sqlite3_close(db_);
      db_ = nullptr;
      return result == SQLITE_CANTOPEN ? StatusOfErrno(error) : StatusOf(result);
    }
  }
  if (connection != Connection::kRead && sqlite3_db_readonly(db_, "main") != 0) {
    return kErrorAccessDenied;
  }
  return kErrorSuccess;
}

// Inside a transaction: succeeds on a store of our layout; with `may_create`,
// lays it out in an empty file. An empty file without `may_create` reads as
// a store with no keys.
RegStatus SqliteRegistryStore::CheckLayout(bool may_create) {
  std::int64_t application = 0;
  if (RegStatus status = QueryInteger(db_, "PRAGMA application_id", &application)) return status;
  if (application == kApplicationId) {
    std::int64_t version = 0;
    if (RegStatus status = QueryInteger(db_, "PRAGMA user_version", &version)) return status;
    return version == kLayoutVersion ? kErrorSuccess : kErrorRegistryCorrupt;
  }
  std::int64_t objects = 0;
  if (RegStatus status = QueryInteger(db_, "SELECT count(*) FROM sqlite_master", &objects)) {
    return status;
  }
  if (application != 0 || objects != 0) return kErrorRegistryCorrupt;
  if (!may_create) return kErrorFileNotFound;
  return StatusOf(sqlite3_exec(db_, kCreateLayout, nullptr, nullptr, nullptr));
}

RegStatus SqliteRegistryStore::FindKey(const char* path, std::int64_t* id) {
  *id = kRootKeyId;
  if (*path == '\0') return kErrorSuccess;
  PathComponents components(path);
  std::string_view name;
  bool is_volatile = false;
  Statement lookup(db_, kLookupChild);
  while (components.Next(&name)) {
    if (RegStatus status = LookupChild(lookup, boot_id_, *id, name, id, &is_volatile)) return status;
  }
  return components.bad() ? kErrorInvalidParameter : kErrorSuccess;
}

// Volatile keys of earlier boots, with their subkeys and values.
RegStatus SqliteRegistryStore::Purge() {
  Statement purge(db_, "DELETE FROM reg_keys WHERE boot IS NOT NULL AND boot <> ?");
  return StatusOf(purge.Bind(boot_id_).Step());
}

const SqliteRegistryStore::Handle* SqliteRegistryStore::FindHandle(RegKey key) const {
  return key >= 1 && key <= handles_.size() ? &handles_[key - 1] : nullptr;
}

RegKey SqliteRegistryStore::AddHandle(std::int64_t id, std::uint32_t access) {
  handles_.push_back({id, access});
  return handles_.size();
}

RegStatus SqliteRegistryStore::CreateKey(const char* path, std::uint32_t options,
                                         std::uint32_t access, RegKey* key,
                                         std::uint32_t* disposition) {
  if (RegStatus status = Connect(Connection::kWriteCreate)) return status;
  Transaction transaction(db_, true);
  if (RegStatus status = transaction.began()) return status;
  if (RegStatus status = CheckLayout(true)) return status;
  if (RegStatus status = Purge()) return status;

  const bool make_volatile = (options & kRegOptionVolatile) != 0;
  std::int64_t id = kRootKeyId;
  bool parent_volatile = false;
  bool created = false;
  PathComponents components(path);
  std::string_view name;
  Statement lookup(db_, kLookupChild);
  Statement insert(db_, "INSERT INTO reg_keys(parent, name, boot) VALUES(?, ?, ?)");
  while (components.Next(&name)) {
    const RegStatus found = LookupChild(lookup, boot_id_, id, name, &id, &parent_volatile);
    if (found == kErrorSuccess) {
      created = false;
      continue;
    }
    if (found != kErrorFileNotFound) return found;
    if (parent_volatile && !make_volatile) return kErrorChildMustBeVolatile;
    insert.Reset().Bind(id).Bind(name);
    if (make_volatile) {
      insert.Bind(boot_id_);
    } else {
      insert.BindNull();
    }
    const int inserted = insert.Step();
    if (inserted != SQLITE_DONE) return StatusOf(inserted);
    id = sqlite3_last_insert_rowid(db_);
    parent_volatile = make_volatile;
    created = true;
  }
  if (components.bad()) return kErrorInvalidParameter;
  if (RegStatus status = transaction.Commit()) return status;
  *key = AddHandle(id, access);
  *disposition = created ? kRegCreatedNewKey : kRegOpenedExistingKey;
  return kErrorSuccess;
}

RegStatus SqliteRegistryStore::SetValue(RegKey key, const char* name, std::uint32_t type,
                                        const void* data, std::uint32_t size) {
  const Handle* handle = FindHandle(key);
  if (handle == nullptr) return kErrorInvalidHandle;
  if ((handle->access & kKeySetValue) == 0) return kErrorAccessDenied;
  if (std::strlen(name) > kMaxValueNameLength || size > kMaxValueSize) {
    return kErrorInvalidParameter;
  }
  if (RegStatus status = Connect(Connection::kWrite)) return status;
  Transaction transaction(db_, true);
  if (RegStatus status = transaction.began()) return status;
  if (RegStatus status = CheckLayout(false)) {
    return status == kErrorFileNotFound ? kErrorKeyDeleted : status;
  }
  if (RegStatus status = Purge()) return status;
  Statement alive(db_, "SELECT 1 FROM reg_keys WHERE id = ?");
  const int found = alive.Bind(handle->id).Step();
  if (found == SQLITE_DONE) return kErrorKeyDeleted;
  if (found != SQLITE_ROW) return StatusOf(found);
  // The name keeps the spelling of whoever wrote it first.
  Statement upsert(db_,
                   "INSERT INTO reg_values(key, name, type, data) VALUES(?, ?, ?, ?)"
                   " ON CONFLICT(key, name) DO UPDATE SET type = excluded.type,"
                   " data = excluded.data");
  const int written = upsert.Bind(handle->id).Bind(std::string_view(name))
                          .Bind(static_cast<std::int64_t>(type))
                          .BindBlob(data, size)
                          .Step();
  if (written != SQLITE_DONE) return StatusOf(written);
  return transaction.Commit();
}

RegStatus SqliteRegistryStore::OpenKey(const char* path, std::uint32_t access,
                                       RegKey* key) {
  if (RegStatus status = Connect(Connection::kRead)) return status;
  std::int64_t id = 0;
  {
    Transaction transaction(db_, false);
    if (RegStatus status = transaction.began()) return status;
    if (RegStatus status = CheckLayout(false)) return status;
    if (RegStatus status = FindKey(path, &id)) return status;
  }
  if ((access & kWriteAccess) != 0 && sqlite3_db_readonly(db_, "main") != 0) {
    return kErrorAccessDenied;
  }
  *key = AddHandle(id, access);
  return kErrorSuccess;
}

RegStatus SqliteRegistryStore::QueryValue(RegKey key, const char* name,
                                          std::uint32_t* type, void* data,
                                          std::uint32_t* size) {
  const Handle* handle = FindHandle(key);
  if (handle == nullptr) return kErrorInvalidHandle;
  if ((handle->access & kKeyQueryValue) == 0) return kErrorAccessDenied;
  if (RegStatus status = Connect(Connection::kRead)) return status;
  Statement value(db_,
                  "SELECT v.type, v.data FROM reg_values v JOIN reg_keys k ON k.id = v.key"
                  " WHERE v.key = ? AND v.name = ? AND (k.boot IS NULL OR k.boot = ?)");
  const int found = value.Bind(handle->id).Bind(std::string_view(name)).Bind(boot_id_).Step();
  if (found == SQLITE_DONE) return kErrorFileNotFound;
  if (found != SQLITE_ROW) return StatusOf(found);
  const auto stored = static_cast<std::uint32_t>(value.Bytes(1));
  if (type != nullptr) *type = static_cast<std::uint32_t>(value.Integer(0));
  if (size == nullptr) return data == nullptr ? kErrorSuccess : kErrorInvalidParameter;
  const std::uint32_t room = *size;
  *size = stored;
  if (data == nullptr) return kErrorSuccess;
  if (stored > room) return kErrorMoreData;
  if (stored > 0) std::memcpy(data, value.Blob(1), stored);
  return kErrorSuccess;
}

RegStatus SqliteRegistryStore::DeleteKey(const char* path) {
  if (RegStatus status = Connect(Connection::kWrite)) return status;
  Transaction transaction(db_, true);
  if (RegStatus status = transaction.began()) return status;
  if (RegStatus status = CheckLayout(false)) return status;
  if (RegStatus status = Purge()) return status;
  std::int64_t id = 0;
  if (RegStatus status = FindKey(path, &id)) return status;
  if (id == kRootKeyId) return kErrorAccessDenied;
  Statement children(db_, "SELECT 1 FROM reg_keys WHERE parent = ? LIMIT 1");
  const int child = children.Bind(id).Step();
  if (child == SQLITE_ROW) return kErrorAccessDenied;
  if (child != SQLITE_DONE) return StatusOf(child);
  Statement remove(db_, "DELETE FROM reg_keys WHERE id = ?");
  const int removed = remove.Bind(id).Step();
  if (removed != SQLITE_DONE) return StatusOf(removed);
  return transaction.Commit();
}

RegistryStore& SystemRegistryStore() {
  static SqliteRegistryStore store(DLLPICK_REGISTRY_DIR, ReadBootId());
  return store;
}

}  // namespace dllpick
