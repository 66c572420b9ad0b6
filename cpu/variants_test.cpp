#include "cpu/variants.h"

#include <gtest/gtest.h>

#include "cpu/best_command.h"
#include "platform/fake_processor_info.h"
#include "tests/captured_output.h"

namespace dllpick {
namespace {

TEST(ClassifyProcessorTest, FamilyAndSimdBit) {
  const struct {
    std::uint32_t family;
    std::uint32_t features;
    ProcessorClass expected;
  } cases[] = {
      {4, 0, 0},
      {4, kSimdFeatureBit, 0},
      {15, 0xFFFFFFFF, 0},
      {5, 0, 1},
      {6, ~kSimdFeatureBit, 2},
      {5, kSimdFeatureBit, 3},
      {6, kSimdFeatureBit, 4},
      {0x12340005, kSimdFeatureBit, 3},  // only the low 16 bits are the family
      {0x00010006, 0, 2},
  };
  for (const auto& c : cases) {
    FakeProcessorInfo processor(c.family, c.features);
    EXPECT_EQ(ClassifyProcessor(processor), c.expected) << c.family << " " << c.features;
    EXPECT_EQ(processor.questions, "Ff");  // features first, nothing cached
  }
}

TEST(BestLibraryNameTest, PrefixAndTheClassesBestEnding) {
  const struct {
    const char* abbreviation;
    ProcessorClass processor_class;
    const char* expected;
  } cases[] = {
      {"FOT", 4, "FOTW2.DLL"}, {"ECH", 0, "TEQA0.DLL"}, {"?", 1, "?A1.DLL"},
      {"ECH", 2, "TEQA2.DLL"}, {"GNO", 2, "GNOA2.DLL"}, {"DAP", 3, "DAPW1.DLL"},
  };
  for (const auto& c : cases) {
    FakeProcessorInfo processor = FakeProcessorInfo::OfClass(c.processor_class);
    BestName name;
    BestLibraryName(c.abbreviation, processor, name);
    EXPECT_STREQ(name, c.expected);
  }
}

TEST(IsDllCompatibleTest, AnyAcceptableEndingAnywhereInTheName) {
  const struct {
    ProcessorClass processor_class;
    const char* name;
    bool compatible;
  } cases[] = {
      {0, "FOTA0.DLL", true},  {0, "FOTA1.DLL", false},    {1, "FOTA1.DLL", true},
      {1, "FOTA2.DLL", false}, {2, "FOTA2.DLL", true},      {2, "FOTW1.DLL", false},
      {3, "FOTA2.DLL", false}, {3, "FOTA1.DLL", true},      {3, "FOTW1.DLL", true},
      {3, "FOTW2.DLL", false}, {4, "FOTW2.DLL", true},      {4, "FOTA0.DLL", true},
      {4, "MYLIB.DLL", false}, {2, "C:\\A2.DLLDIR\\X.DLL", true},
  };
  for (const auto& c : cases) {
    FakeProcessorInfo processor = FakeProcessorInfo::OfClass(c.processor_class);
    EXPECT_EQ(IsDllCompatible(c.name, processor), c.compatible)
        << "class " << c.processor_class << " " << c.name;
  }
}

TEST(RunBestTest, PrintsTheBestNameWithItsLeadingBlank) {
  FakeProcessorInfo processor = FakeProcessorInfo::OfClass(4);
  CapturedOutput out;
  EXPECT_EQ(RunBest(5, processor, out.file()), 0);
  EXPECT_EQ(out.text(), " The best library for your cpu is ?W2.DLL\n");
}

}  // namespace
}  // namespace dllpick
