// libFuzzer target: any command line, through the whole driver, against the
// in-memory registry. Arguments are the input split at NUL bytes.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/driver.h"
#include "platform/fake_processor_info.h"
#include "platform/fake_registry_store.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static std::FILE* sink = std::fopen("/dev/null", "w");
  if (size < 1) return 0;
  // The first byte picks the processor and whether the key exists already.
  const dllpick::ProcessorClass processor_class = data[0] % 5;
  const bool key_exists = (data[0] & 0x80) != 0;
  std::vector<std::string> arguments{"dllpick"};
  std::string current;
  for (std::size_t i = 1; i < size; ++i) {
    if (data[i] == 0) {
      arguments.push_back(current);
      current.clear();
    } else {
      current.push_back(static_cast<char>(data[i]));
    }
  }
  arguments.push_back(current);
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  dllpick::FakeRegistryStore registry;
  if (key_exists) {
    registry.PutValue("SOFTWARE\\Ombrix Corporation\\Kolvane\\Fotek", "USEDLL",
                      std::string(data + 1, data + size));
  }
  dllpick::FakeProcessorInfo processor = dllpick::FakeProcessorInfo::OfClass(processor_class);
  const int result = dllpick::RunDllpick(static_cast<int>(arguments.size()), argv.data(),
                                         registry, processor, sink);
  if (result != 0 && result != -1) __builtin_trap();
  return 0;
}
