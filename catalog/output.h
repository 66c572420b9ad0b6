// Writing message lines.
//
// Emit() is dllpick's only formatter. It copies `format` to `out`, putting the
// next argument in place of each "%s"; every other byte, '%' included, is
// written as it stands, and arguments are written as bytes, never parsed. A
// "%s" with no argument left writes nothing. Arguments are string_views so a
// caller can bound data that carries no terminating NUL.
#ifndef DLLPICK_CATALOG_OUTPUT_H_
#define DLLPICK_CATALOG_OUTPUT_H_

#include <cstdio>
#include <initializer_list>
#include <string_view>

namespace dllpick {

void Emit(std::FILE* out, const char* format,
          std::initializer_list<std::string_view> arguments = {});

}  // namespace dllpick

#endif  // DLLPICK_CATALOG_OUTPUT_H_
