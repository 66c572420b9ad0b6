#include "settings/assign_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake_processor_info.h"
#include "platform/fake_registry_store.h"
#include "tests/captured_output.h"

namespace dllpick {
namespace {

constexpr char kFotek[] = "SOFTWARE\\Ombrix Corporation\\Kolvane\\Fotek";

struct Assign {
  FakeRegistryStore registry;
  FakeProcessorInfo processor = FakeProcessorInfo::OfClass(4);
  CapturedOutput out;

  int Run(std::string value_name, std::string file_name) {
    return RunAssign(value_name.data(), file_name.data(), kFotek, 1, registry, processor,
                     out.file());
  }
};

TEST(RunAssignTest, CreatesVolatileWithFullAccessAndStoresTheNameWithItsNul) {
  Assign assign;
  EXPECT_EQ(assign.Run("usedll", "L:\\bin\\fota2"), 0);
  EXPECT_EQ(assign.registry.calls, (std::vector<std::string>{"CreateKey", "SetValue"}));
  EXPECT_EQ(assign.registry.last_options, kRegOptionVolatile);
  EXPECT_EQ(assign.registry.last_access, kKeyAllAccess);
  const FakeRegistryStore::Value* value = assign.registry.Find(kFotek, "USEDLL");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->type, kRegSz);
  EXPECT_EQ(value->data, std::string("L:\\BIN\\FOTA2.DLL", 17));  // NUL included
  EXPECT_EQ(assign.out.text(),
            "\"L:\\BIN\\FOTA2.DLL\" has been assigned to \"USEDLL\"\n"
            "Entry SOFTWARE\\Ombrix Corporation\\Kolvane\\Fotek has been created\n"
            "** Note that the best library for your cpu is FOTW2.DLL\n");
  // Once for the compatibility test, once for the best name.
  EXPECT_EQ(assign.processor.questions, "FfFf");
}

TEST(RunAssignTest, RefusedNamesTouchNoRegistry) {
  const std::string too_long(128, 'X');
  for (const std::string& name : {std::string("bin\\x.dll"), std::string("abc"), too_long,
                                  std::string(124, 'X') /* 128 with .DLL */}) {
    Assign assign;
    EXPECT_EQ(assign.Run("NAME", name), -1) << name;
    EXPECT_TRUE(assign.registry.calls.empty());
    const std::string text = assign.out.text();
    EXPECT_EQ(text.rfind("** Note that you use NAME key instead of USEDLL assumed\n"
                         "\n-Bad path name of the library was given\n\n dllpick creates",
                         0),
              0u)
        << text;
  }
}

TEST(RunAssignTest, FailuresPrintTheSetProblemLine) {
  const std::string problem =
      "--Problem to set USEDLL.SOFTWARE\\Ombrix Corporation\\Kolvane\\Fotek's value to "
      "\"MYLIB.DLL\"\n";
  const std::string warning = "=CPU and DLL you are going to use are incompatible\n";
  {
    Assign assign;
    assign.registry.fail_create = kErrorAccessDenied;
    EXPECT_EQ(assign.Run("USEDLL", "mylib.dll"), 0);
    EXPECT_EQ(assign.registry.calls, std::vector<std::string>{"CreateKey"});
    EXPECT_EQ(assign.out.text(), warning + problem);
  }
  {
    Assign assign;
    assign.registry.fail_set = kErrorAccessDenied;
    EXPECT_EQ(assign.Run("USEDLL", "mylib.dll"), 0);
    EXPECT_EQ(assign.out.text(), warning + problem);
  }
}

TEST(RunAssignTest, ExistingKeyIsModified) {
  Assign assign;
  assign.registry.PutValue(kFotek, "USEDLL", "OLD");
  EXPECT_EQ(assign.Run("USEDLL", "teqa2"), 0);
  EXPECT_NE(assign.out.text().find("Kolvane\\Fotek has been modified\n"), std::string::npos);
}

}  // namespace
}  // namespace dllpick
