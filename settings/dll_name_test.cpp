#include "settings/dll_name.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace dllpick {
namespace {

TEST(IsValidDllPathTest, Shapes) {
  const struct {
    const char* name;
    bool valid;
  } cases[] = {
      {"ABC", false},         {"A.DL", true},         {".\\X.DLL", false},
      {"..\\X.DLL", false},   {"TEQA2", true},        {"L:\\BIN\\FOTA2.DLL", true},
      {"C:\\LIBS\\", false},  {"C:/LIBS/", false},    {"\\\\HOST\\X.DLL", false},
      {"BIN\\X.DLL", false},  {"1:\\X.DLL", false},   {"C:X.DLL", true},
      {"\\X.DLL", false},     {"C:/X/Y.DLL", true},   {"\xC9:\\X.DLL", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsValidDllPath(c.name), c.valid) << c.name;
}

TEST(NormalizeDllNameTest, ExtensionOfTheFileNamePartOnly) {
  const struct {
    const char* name;
    const char* normalized;
  } cases[] = {
      {"A.DL", "A.DLL"},
      {"TEQA2", "TEQA2.DLL"},
      {"FOTA2.DLL", "FOTA2.DLL"},
      {"L:\\BIN\\FOTA2.DLL", "L:\\BIN\\FOTA2.DLL"},
      {"C:\\MY.DIR\\X", "C:\\MY.DIR\\X.DLL"},
      {"C:/MY.DIR/X", "C:/MY.DIR/X.DLL"},
      {"C:\\LIB.SO.1", "C:\\LIB.SO.DLL"},
      {"C:X.EXE", "C:X.DLL"},
      {"NAME.", "NAME.DLL"},
  };
  for (const auto& c : cases) {
    DllName name;
    std::strcpy(name, c.name);
    EXPECT_TRUE(NormalizeDllName(name)) << c.name;
    EXPECT_STREQ(name, c.normalized);
  }
}

TEST(NormalizeDllNameTest, RefusesWhatWouldNotFitAndLeavesTheNameAlone) {
  DllName name;
  const std::string fits = std::string(123, 'X');  // + ".DLL" = 127
  std::strcpy(name, fits.c_str());
  EXPECT_TRUE(NormalizeDllName(name));
  EXPECT_EQ(std::strlen(name), 127u);

  const std::string too_long = std::string(124, 'X');
  std::strcpy(name, too_long.c_str());
  EXPECT_FALSE(NormalizeDllName(name));
  EXPECT_EQ(name, too_long);

  // Replacing a long extension by a shorter one always fits.
  const std::string shrinks = std::string(120, 'X') + ".LONGX";
  std::strcpy(name, shrinks.c_str());
  EXPECT_TRUE(NormalizeDllName(name));
  EXPECT_EQ(name, std::string(120, 'X') + ".DLL");
}

}  // namespace
}  // namespace dllpick
