#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "platform/sqlite_registry_store.h"
#include "tests/read_value.h"

namespace dllpick {
namespace {

namespace fs = std::filesystem;

constexpr char kFotek[] = "SOFTWARE\\Ombrix Corporation\\Kolvane\\Fotek";
constexpr char kKolvane[] = "SOFTWARE\\Ombrix Corporation\\Kolvane";

class SqliteRegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/dllpick-store-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    chmod(root_.c_str(), 0755);  // a non-writer must still reach the store
    directory_ = root_ + "/registry";
  }
  void TearDown() override { fs::remove_all(root_); }

  SqliteRegistryStore Store(const char* boot_id = "boot-1") {
    return SqliteRegistryStore(directory_, boot_id);
  }
  std::string file() const { return directory_ + "/" + kStoreFileName; }

  static RegStatus Create(SqliteRegistryStore& store, const char* path,
                          std::uint32_t options = kRegOptionVolatile,
                          std::uint32_t* disposition = nullptr, RegKey* key = nullptr) {
    RegKey ignored_key;
    std::uint32_t ignored_disposition;
    return store.CreateKey(path, options, kKeyAllAccess, key ? key : &ignored_key,
                           disposition ? disposition : &ignored_disposition);
  }
  static RegStatus Set(SqliteRegistryStore& store, const char* path, const char* name,
                       const std::string& data) {
    RegKey key;
    std::uint32_t disposition;
    if (RegStatus status =
            store.CreateKey(path, kRegOptionVolatile, kKeyAllAccess, &key, &disposition)) {
      return status;
    }
    return store.SetValue(key, name, kRegSz, data.data(), static_cast<std::uint32_t>(data.size()));
  }
  // Reads a value through a fresh read-only open; `room` is the buffer size.
  static RegStatus Get(SqliteRegistryStore& store, const char* path, const char* name,
                       std::string* data, std::uint32_t room = 128) {
    return ReadValue(store, path, kKeyRead, name, data, room);
  }
  static RegStatus Open(SqliteRegistryStore& store, const char* path,
                        std::uint32_t access = kKeyAllAccess) {
    RegKey key;
    return store.OpenKey(path, access, &key);
  }

  std::string root_;
  std::string directory_;
};

TEST_F(SqliteRegistryStoreTest, NoStoreYetMeansNoKeyAndNothingIsMade) {
  SqliteRegistryStore store = Store();
  std::string data;
  EXPECT_EQ(Open(store, kFotek), kErrorFileNotFound);
  EXPECT_EQ(store.DeleteKey(kFotek), kErrorFileNotFound);
  EXPECT_EQ(Get(store, kFotek, "USEDLL", &data), kErrorFileNotFound);
  EXPECT_FALSE(fs::exists(directory_));
}

TEST_F(SqliteRegistryStoreTest, FirstWriteMakesAStoreEveryoneCanRead) {
  const mode_t umask_before = umask(077);
  SqliteRegistryStore store = Store();
  const RegStatus status = Set(store, kFotek, "USEDLL", "X");
  umask(umask_before);
  ASSERT_EQ(status, kErrorSuccess);
  struct stat info;
  ASSERT_EQ(stat(directory_.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0755u);
  ASSERT_EQ(stat(file().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST_F(SqliteRegistryStoreTest, AnswersLikeTheRegistry) {
  SqliteRegistryStore store = Store();
  std::uint32_t disposition = 0;
  std::string data;
  ASSERT_EQ(Create(store, kFotek, kRegOptionVolatile, &disposition), kErrorSuccess);
  EXPECT_EQ(disposition, kRegCreatedNewKey);
  EXPECT_EQ(Create(store, "software\\OMBRIX corporation\\kolvane\\FOTEK",
                   kRegOptionVolatile, &disposition),
            kErrorSuccess);
  EXPECT_EQ(disposition, kRegOpenedExistingKey);

  const std::string stored("L:\\X.DLL\0", 9);
  const std::string no_nul = "AB";
  const std::string longest(127, 'Z');
  const struct {
    const char* what;
    std::function<RegStatus()> operation;
    RegStatus expected;
  } cases[] = {
      {"set", [&] { return Set(store, kFotek, "UseDll", stored); }, kErrorSuccess},
      {"get, other case", [&] { return Get(store, kFotek, "usedll", &data); }, kErrorSuccess},
      {"get, room for 8 of 9", [&] { return Get(store, kFotek, "USEDLL", &data, 8); },
       kErrorMoreData},
      {"get missing value", [&] { return Get(store, kFotek, "OTHER", &data); }, kErrorFileNotFound},
      {"open missing key", [&] { return Open(store, "SOFTWARE\\Nothing"); }, kErrorFileNotFound},
      {"open root", [&] { return Open(store, kKolvane); }, kErrorSuccess},
      {"empty component", [&] { return Open(store, "SOFTWARE\\\\Kolvane"); }, kErrorInvalidParameter},
      {"create empty component", [&] { return Create(store, "A\\\\B"); }, kErrorInvalidParameter},
      {"delete with subkeys", [&] { return store.DeleteKey(kKolvane); }, kErrorAccessDenied},
      {"non-volatile under volatile",
       [&] { return Create(store, "SOFTWARE\\Ombrix Corporation\\Kolvane\\Fotek\\Sub",
                           kRegOptionNonVolatile); },
       kErrorChildMustBeVolatile},
      {"never created", [&] { return Open(store, "SOFTWARE\\Ombrix Corporation\\Kolvane\\Fotek\\Sub"); },
       kErrorFileNotFound},
      {"quotes and slashes are data", [&] { return Set(store, "K'\"/..;--", "v'--", no_nul); },
       kErrorSuccess},
      {"bytes without NUL", [&] { return Get(store, "k'\"/..;--", "V'--", &data); }, kErrorSuccess},
      {"delete leaf", [&] { return store.DeleteKey(kFotek); }, kErrorSuccess},
      {"deleted", [&] { return Open(store, kFotek); }, kErrorFileNotFound},
      {"delete again", [&] { return store.DeleteKey(kFotek); }, kErrorFileNotFound},
      {"kolvane stays", [&] { return Open(store, kKolvane); }, kErrorSuccess},
      {"set 127 chars", [&] { return Set(store, kFotek, "USEDLL", longest); }, kErrorSuccess},
  };
  for (const auto& c : cases) EXPECT_EQ(c.operation(), c.expected) << c.what;

  RegKey key;
  ASSERT_EQ(store.OpenKey(kFotek, kKeyRead, &key), kErrorSuccess);
  char small[8];
  std::uint32_t size = sizeof small;
  std::uint32_t type = 0;
  EXPECT_EQ(store.QueryValue(key, "USEDLL", &type, small, &size), kErrorMoreData);
  EXPECT_EQ(size, 127u) << "the size needed";

  EXPECT_EQ(Get(store, "k'\"/..;--", "V'--", &data), kErrorSuccess);
  EXPECT_EQ(data, no_nul);
  EXPECT_EQ(Get(store, kFotek, "USEDLL", &data), kErrorSuccess);
  EXPECT_EQ(data, longest);
  EXPECT_EQ(fs::directory_entry(directory_).exists(), true);
  EXPECT_EQ(std::distance(fs::directory_iterator(directory_), fs::directory_iterator()), 1)
      << "only the store file, no journal left behind";
}

TEST_F(SqliteRegistryStoreTest, NamesKeepTheSpellingOfTheirFirstWriter) {
  {
    SqliteRegistryStore store = Store();
    ASSERT_EQ(Set(store, "Soft\\MiXed", "VaLue", "1"), kErrorSuccess);
    ASSERT_EQ(Set(store, "SOFT\\MIXED", "VALUE", "2"), kErrorSuccess);
  }
  const std::string query = "sqlite3 -readonly '" + file() +
                            "' \"SELECT k.name || '=' || v.name || '=' || v.data FROM reg_values v"
                            " JOIN reg_keys k ON k.id = v.key\"";
  FILE* pipe = popen(query.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  char line[64] = {};
  ASSERT_NE(fgets(line, sizeof line, pipe), nullptr);
  pclose(pipe);
  EXPECT_STREQ(line, "MiXed=VaLue=2\n");
}

TEST_F(SqliteRegistryStoreTest, VolatileKeysLastOneBoot) {
  {
    SqliteRegistryStore before = Store("boot-1");
    ASSERT_EQ(Create(before, "Lasting", kRegOptionNonVolatile), kErrorSuccess);
    ASSERT_EQ(Set(before, "Lasting", "V", "kept"), kErrorSuccess);  // volatile open: stays lasting
    ASSERT_EQ(Set(before, "Fleeting\\Child", "V", "gone"), kErrorSuccess);
    EXPECT_EQ(Create(before, "Fleeting\\Child\\Lasting", kRegOptionNonVolatile),
              kErrorChildMustBeVolatile);
  }
  SqliteRegistryStore after = Store("boot-2");
  std::string data;
  EXPECT_EQ(Get(after, "Lasting", "V", &data), kErrorSuccess);
  EXPECT_EQ(data, "kept");
  EXPECT_EQ(Open(after, "Fleeting"), kErrorFileNotFound);
  EXPECT_EQ(Open(after, "Fleeting\\Child"), kErrorFileNotFound);
  std::uint32_t disposition = 0;
  ASSERT_EQ(Create(after, "Fleeting\\Child", kRegOptionNonVolatile, &disposition), kErrorSuccess);
  EXPECT_EQ(disposition, kRegCreatedNewKey);
  EXPECT_EQ(Get(after, "Fleeting\\Child", "V", &data), kErrorFileNotFound)
      << "values of the purged key must not come back";
}

TEST_F(SqliteRegistryStoreTest, RacingCreatorsCreateOnce) {
  constexpr int kRacers = 8;
  pid_t racers[kRacers];
  for (pid_t& racer : racers) {
    racer = fork();
    ASSERT_GE(racer, 0);
    if (racer == 0) {
      SqliteRegistryStore store(directory_, "boot-1");
      std::uint32_t disposition = 0;
      const RegStatus status = Create(store, kFotek, kRegOptionVolatile, &disposition);
      _exit(status != kErrorSuccess ? 2 : disposition == kRegCreatedNewKey ? 1 : 0);
    }
  }
  int created = 0;
  for (pid_t racer : racers) {
    int status = 0;
    ASSERT_EQ(waitpid(racer, &status, 0), racer);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_NE(WEXITSTATUS(status), 2);
    created += WEXITSTATUS(status);
  }
  EXPECT_EQ(created, 1);
}

std::string Contents(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(SqliteRegistryStoreTest, ForeignOrDamagedFileIsNeverWritten) {
  const std::string garbage = std::string("not a registry\n") + std::string(5000, '\x5A');
  const std::string foreign_setup = "CREATE TABLE notes(text); INSERT INTO notes VALUES('mine');";
  for (int kind = 0; kind < 3; ++kind) {
    fs::remove_all(directory_);
    fs::create_directories(directory_);
    if (kind == 0) {
      std::ofstream(file(), std::ios::binary) << garbage;
    } else if (kind == 1) {
      ASSERT_EQ(std::system(("sqlite3 '" + file() + "' \"" + foreign_setup + "\"").c_str()), 0);
    } else {
      SqliteRegistryStore store = Store();
      ASSERT_EQ(Set(store, kFotek, "USEDLL", "X"), kErrorSuccess);
      // Cut the file in the middle of its pages.
      fs::resize_file(file(), fs::file_size(file()) / 2 + 100);
    }
    const std::string before = Contents(file());
    SqliteRegistryStore store = Store();
    std::string data;
    EXPECT_NE(Set(store, kFotek, "USEDLL", "Y"), kErrorSuccess) << kind;
    EXPECT_NE(Get(store, kFotek, "USEDLL", &data), kErrorSuccess) << kind;
    EXPECT_NE(store.DeleteKey(kFotek), kErrorSuccess) << kind;
    EXPECT_EQ(Contents(file()), before) << kind;
  }
}

// Runs `check` as a process that cannot write the store, and returns its
// exit status: as root by taking the identity of nobody, otherwise by
// making the file read-only.
int AsNonWriter(const std::string& file, const std::function<int()>& check) {
  if (geteuid() != 0) chmod(file.c_str(), 0444);
  const pid_t child = fork();
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(100);
    _exit(check());
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 101;
}

TEST_F(SqliteRegistryStoreTest, NonWriterReadsButIsRefusedFullAccess) {
  {
    SqliteRegistryStore store = Store();
    ASSERT_EQ(Set(store, kFotek, "USEDLL", "X.DLL"), kErrorSuccess);
  }
  const int failures = AsNonWriter(file(), [&] {
    SqliteRegistryStore store(directory_, "boot-1");
    std::string data;
    int failed = 0;
    failed |= Open(store, kFotek, kKeyAllAccess) != kErrorAccessDenied;
    failed |= (Get(store, kFotek, "USEDLL", &data) != kErrorSuccess || data != "X.DLL") << 1;
    failed |= (Create(store, kFotek) != kErrorAccessDenied) << 2;
    failed |= (store.DeleteKey(kFotek) != kErrorAccessDenied) << 3;
    return failed;
  });
  EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace dllpick
