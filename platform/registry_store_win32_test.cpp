#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/registry_store.h"
#include "tests/read_value.h"

namespace dllpick {
namespace {

// Works in a scratch key of its own under HKEY_LOCAL_MACHINE.
class Win32RegistryStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = "SOFTWARE\\dllpick-test-" + std::to_string(GetCurrentProcessId());
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, root_.c_str());
  }
  void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, root_.c_str()); }

  std::string Path(const char* below) const { return root_ + "\\" + below; }

  RegStatus Create(const std::string& path, std::uint32_t options, std::uint32_t* disposition,
                   RegKey* key) {
    return store_.CreateKey(path.c_str(), options, kKeyAllAccess, key, disposition);
  }
  RegStatus Get(const std::string& path, const char* name, std::string* data,
                std::uint32_t room = 128) {
    return ReadValue(store_, path, kKeyAllAccess, name, data, room);
  }

  RegistryStore& store_ = SystemRegistryStore();
  std::string root_;
};

TEST_F(Win32RegistryStoreTest, AnswersWithTheRegistrysStatusCodes) {
  RegKey key = 0;
  std::uint32_t disposition = 0;
  std::string data;
  const std::string value("L:\\X.DLL\0", 9);
  const struct {
    const char* what;
    std::function<RegStatus()> operation;
    RegStatus expected;
  } cases[] = {
      {"open missing", [&] { return Get(Path("Lib"), "USEDLL", &data); }, kErrorFileNotFound},
      {"delete missing", [&] { return store_.DeleteKey(Path("Lib").c_str()); }, kErrorFileNotFound},
      {"create", [&] { return Create(Path("Lib"), kRegOptionVolatile, &disposition, &key); },
       kErrorSuccess},
      {"set", [&] { return store_.SetValue(key, "UseDll", kRegSz, value.data(), 9); },
       kErrorSuccess},
      {"get, other case", [&] { return Get(Path("LIB"), "USEDLL", &data); }, kErrorSuccess},
      {"get, room for 8 of 9", [&] { return Get(Path("Lib"), "USEDLL", &data, 8); },
       kErrorMoreData},
      {"get missing value", [&] { return Get(Path("Lib"), "OTHER", &data); }, kErrorFileNotFound},
      {"non-volatile under volatile",
       [&] { return Create(Path("Lib\\Sub"), kRegOptionNonVolatile, &disposition, &key); },
       kErrorChildMustBeVolatile},
      {"volatile under volatile",
       [&] { return Create(Path("Lib\\Sub"), kRegOptionVolatile, &disposition, &key); },
       kErrorSuccess},
      {"delete with subkeys", [&] { return store_.DeleteKey(Path("Lib").c_str()); },
       kErrorAccessDenied},
      {"delete leaf", [&] { return store_.DeleteKey(Path("Lib\\Sub").c_str()); }, kErrorSuccess},
      {"delete emptied", [&] { return store_.DeleteKey(Path("Lib").c_str()); }, kErrorSuccess},
      {"gone", [&] { return Get(Path("Lib"), "USEDLL", &data); }, kErrorFileNotFound},
  };
  for (const auto& c : cases) EXPECT_EQ(c.operation(), c.expected) << c.what;
}

TEST_F(Win32RegistryStoreTest, CreateReportsNewOrExisting) {
  RegKey key = 0;
  std::uint32_t disposition = 0;
  ASSERT_EQ(Create(Path("Lib"), kRegOptionVolatile, &disposition, &key), kErrorSuccess);
  EXPECT_EQ(disposition, kRegCreatedNewKey);
  ASSERT_EQ(Create(Path("lib"), kRegOptionVolatile, &disposition, &key), kErrorSuccess);
  EXPECT_EQ(disposition, kRegOpenedExistingKey);
  std::string data;
  // Stored with no NUL; the registry may add one when it reads it back.
  ASSERT_EQ(store_.SetValue(key, "V", kRegSz, "AB", 2), kErrorSuccess);
  ASSERT_EQ(Get(Path("Lib"), "V", &data), kErrorSuccess);
  EXPECT_TRUE(data == "AB" || data == std::string("AB", 3)) << data;
}

}  // namespace
}  // namespace dllpick
