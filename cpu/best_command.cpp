#include "cpu/best_command.h"

#include "catalog/library_table.h"
#include "catalog/messages.h"
#include "catalog/output.h"
#include "cpu/variants.h"

namespace dllpick {

int RunBest(int row, ProcessorInfo& processor, std::FILE* out) {
  BestName best;
  BestLibraryName(kLibraryTable[row].abbreviation, processor, best);
  Emit(out, kBestLibrary, {best});
  return 0;
}

}  // namespace dllpick
