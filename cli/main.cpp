#include <cstdio>

#include "cli/driver.h"
#include "platform/processor_info.h"
#include "platform/registry_store.h"

int main(int argc, char** argv) {
  return dllpick::RunDllpick(argc, argv, dllpick::SystemRegistryStore(),
                             dllpick::SystemProcessorInfo(), stdout);
}
