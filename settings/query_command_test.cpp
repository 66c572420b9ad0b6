#include "settings/query_command.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/fake_registry_store.h"
#include "settings/delete_command.h"
#include "tests/captured_output.h"

namespace dllpick {
namespace {

constexpr char kFotek[] = "SOFTWARE\\Ombrix Corporation\\Kolvane\\Fotek";
const std::string kHasValue = std::string(kFotek) + ".USEDLL has value \"";
const std::string kProblem = std::string("--Problem to get ") + kFotek + ".USEDLL's value\n";

std::string Query(FakeRegistryStore& registry, std::string value_name = "usedll") {
  CapturedOutput out;
  EXPECT_EQ(RunQuery(value_name.data(), kFotek, registry, out.file()), 0);
  return out.text();
}

TEST(RunQueryTest, OpensWithFullAccessIntoA128ByteBuffer) {
  FakeRegistryStore registry;
  registry.PutValue(kFotek, "USEDLL", std::string("L:\\BIN\\FOTA2.DLL", 17));
  EXPECT_EQ(Query(registry), kHasValue + "L:\\BIN\\FOTA2.DLL\"\n");
  EXPECT_EQ(registry.last_access, kKeyAllAccess);
  EXPECT_EQ(registry.last_size, 128u);
}

TEST(RunQueryTest, ShowsNoBytePastTheReturnedLength) {
  const struct {
    std::string stored;
    std::string shown;
  } cases[] = {
      {std::string(127, 'A') + '\0', std::string(127, 'A')},
      {std::string(128, 'B'), std::string(128, 'B')},  // no NUL at all
      {std::string("AB\0CD", 5), "AB"},
      {"", ""},
  };
  for (const auto& c : cases) {
    FakeRegistryStore registry;
    registry.PutValue(kFotek, "USEDLL", c.stored);
    EXPECT_EQ(Query(registry), kHasValue + c.shown + "\"\n");
  }
}

TEST(RunQueryTest, EveryFailureIsTheOneProblemLine) {
  {
    FakeRegistryStore registry;  // no key
    EXPECT_EQ(Query(registry), kProblem);
  }
  {
    FakeRegistryStore registry;
    registry.PutValue(kFotek, "USEDLL", std::string(128, 'A') + '\0');  // 129 bytes
    EXPECT_EQ(Query(registry), kProblem);
  }
  {
    FakeRegistryStore registry;
    registry.PutValue(kFotek, "OTHER", "X");
    EXPECT_EQ(Query(registry), kProblem);
  }
  {
    FakeRegistryStore registry;
    registry.PutValue(kFotek, "USEDLL", "X");
    registry.fail_open = kErrorAccessDenied;
    EXPECT_EQ(Query(registry), kProblem);
    EXPECT_EQ(registry.calls, std::vector<std::string>{"OpenKey"});
  }
}

TEST(RunQueryTest, OtherValueNameIsNotedThenUsed) {
  FakeRegistryStore registry;
  registry.PutValue(kFotek, "OTHER", std::string("X.DLL", 6));
  EXPECT_EQ(Query(registry, "other"),
            "** Note that you use OTHER key instead of USEDLL assumed\n" + std::string(kFotek) +
                ".OTHER has value \"X.DLL\"\n");
}

TEST(RunDeleteTest, ReportsEitherOutcome) {
  FakeRegistryStore registry;
  registry.PutValue(kFotek, "USEDLL", "X");
  for (const char* expected : {"Subkey of %s was deleted\n", "--Problem to delete subkey of %s\n"}) {
    CapturedOutput out;
    EXPECT_EQ(RunDelete(kFotek, registry, out.file()), 0);
    std::string line = expected;
    line.replace(line.find("%s"), 2, kFotek);
    EXPECT_EQ(out.text(), line);
  }
  EXPECT_FALSE(registry.HasKey(kFotek));
}

}  // namespace
}  // namespace dllpick
