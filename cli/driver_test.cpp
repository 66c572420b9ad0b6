#include "cli/driver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake_processor_info.h"
#include "platform/fake_registry_store.h"
#include "tests/captured_output.h"

namespace dllpick {
namespace {

struct Outcome {
  int result;
  std::string text;
  std::vector<std::string> calls;
};

Outcome RunLine(std::vector<std::string> arguments) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  FakeRegistryStore registry;
  FakeProcessorInfo processor = FakeProcessorInfo::OfClass(4);
  CapturedOutput out;
  const int result = RunDllpick(static_cast<int>(arguments.size()), argv.data(), registry,
                                processor, out.file());
  return {result, out.text(), registry.calls};
}

std::string UsageLine(const Outcome& outcome) {
  // "\n" + message + "\n" + usage text
  const std::size_t end = outcome.text.find('\n', 1);
  return outcome.text.substr(1, end == std::string::npos ? end : end - 1);
}

TEST(RunDllpickTest, OrderOfChecks) {
  const struct {
    std::vector<std::string> argv;
    const char* message;
  } cases[] = {
      {{"dllpick"}, "-Illegal number of parameters in command line."},
      {{"dllpick", "-q"}, "-Illegal number of parameters in command line."},
      {{"dllpick", "-q", "FOTEK"}, "-Illegal number of parameters in command line."},
      {{"dllpick", "-o", "FOTEK", "USEDLL"}, "-Illegal number of parameters in command line."},
      {{"dllpick", "-z", "FOTEK"}, "-Please check the command line"},
      {{"dllpick", "-z", "NOTHING"}, "-Bad abbreviation of the library name was given."},
      {{"dllpick", "-o", "NOTHING"}, "-Bad abbreviation of the library name was given."},
      {{"dllpick", "q", "FOTEK", "USEDLL"}, "-Please check the command line"},
      {{"dllpick", "", "FOTEK", "USEDLL"}, "-Please check the command line"},
      {{"dllpick", "-", "FOTEK"}, "-Please check the command line"},
      {{"dllpick", "-\xE2", "FOTEK"}, "-Please check the command line"},
      {{"dllpick", "-b", ""}, "-Bad abbreviation of the library name was given."},
  };
  for (const auto& c : cases) {
    const Outcome outcome = RunLine(c.argv);
    EXPECT_EQ(outcome.result, -1);
    EXPECT_EQ(UsageLine(outcome), c.message);
    EXPECT_TRUE(outcome.calls.empty());
  }
}

TEST(RunDllpickTest, SecondCharacterSelectsTheCommandAndArgumentsFold) {
  const struct {
    std::vector<std::string> argv;
    std::vector<std::string> calls;
  } cases[] = {
      {{"dllpick", "/D", "gnoma"}, {"DeleteKey"}},
      {{"dllpick", "-d", "FOTEK", "extra", "words"}, {"DeleteKey"}},
      {{"dllpick", "xq", "fot", "usedll"}, {"OpenKey"}},
      {{"dllpick", "-query", "Fotek", "usedll"}, {"OpenKey"}},
      {{"dllpick", "-Open", "myfotlib", "usedll", "a.dll"}, {"CreateKey", "SetValue"}},
      {{"dllpick", "-b", "?"}, {}},
  };
  for (const auto& c : cases) {
    const Outcome outcome = RunLine(c.argv);
    EXPECT_EQ(outcome.result, 0) << outcome.text;
    EXPECT_EQ(outcome.calls, c.calls) << c.argv[1];
  }
}

TEST(RunDllpickTest, UsageScreenIsFramedByEmptyLines) {
  const Outcome outcome = RunLine({"dllpick"});
  const std::string head = "\n-Illegal number of parameters in command line.\n\n dllpick creates";
  EXPECT_EQ(outcome.text.compare(0, head.size(), head), 0);
  EXPECT_EQ(outcome.text.substr(outcome.text.size() - 3), " \n\n");
}

}  // namespace
}  // namespace dllpick
