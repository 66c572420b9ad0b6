#include "catalog/output.h"

#include <gtest/gtest.h>

#include "tests/captured_output.h"

namespace dllpick {
namespace {

TEST(EmitTest, ArgumentsAreBytesNeverConversions) {
  CapturedOutput out;
  Emit(out.file(), "a%sb%sc%d%%\n", {"%s%n%x", std::string_view("xyz", 2)});
  EXPECT_EQ(out.text(), "a%s%n%xbxyc%d%%\n");
}

TEST(EmitTest, MissingArgumentWritesNothing) {
  CapturedOutput out;
  Emit(out.file(), "[%s][%s]", {"one"});
  EXPECT_EQ(out.text(), "[one][]");
}

}  // namespace
}  // namespace dllpick
