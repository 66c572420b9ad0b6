// The libraries of the suite, where their settings live, and the value name.
//
// Each library has one key, HKEY_LOCAL_MACHINE\<kRegistryRoot><subkey name>,
// holding a string value (kValueName unless the user names another) with the
// DLL file the library must load. The suite's libraries read that layout.
#ifndef DLLPICK_CATALOG_LIBRARY_TABLE_H_
#define DLLPICK_CATALOG_LIBRARY_TABLE_H_

#include <cstddef>
#include <cstdio>

namespace dllpick {

struct LibraryEntry {
  char abbreviation[4];  // matched anywhere inside the library identifier
  char subkey_name[8];   // last component of the key path
};

// Order matters: it is the order of matching.
inline constexpr LibraryEntry kLibraryTable[] = {
    {"ECH", "Echra"}, {"FOT", "Fotek"}, {"KER", "Kernax"},
    {"GNO", "Gnoma"}, {"DAP", "Dapek"}, {"?", "Unknown"},
};
inline constexpr int kLibraryCount =
    static_cast<int>(sizeof kLibraryTable / sizeof kLibraryTable[0]);
inline constexpr int kNoLibrary = -1;

inline constexpr char kRegistryRoot[] =
    "SOFTWARE\\Ombrix Corporation\\Kolvane\\";
inline constexpr char kValueName[] = "USEDLL";

inline constexpr std::size_t kKeyPathSize = 256;
using KeyPath = char[kKeyPathSize];

// Row of the first library whose abbreviation occurs in `identifier` (already
// folded to upper case), or kNoLibrary.
int ResolveLibrary(const char* identifier);

// kRegistryRoot followed by the subkey name of `row` (0 .. kLibraryCount-1).
void ComposeKeyPath(int row, KeyPath& key_path);

// Folds `argument` to upper case in place and returns it as the value name to
// use; prints kValueNameNote to `out` when it is not kValueName.
const char* NoteValueName(char* argument, std::FILE* out);

}  // namespace dllpick

#endif  // DLLPICK_CATALOG_LIBRARY_TABLE_H_
