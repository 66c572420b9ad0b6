// Every text dllpick prints, in one place.
//
// Formats use "%s" as their only conversion and are expanded by Emit()
// (catalog/output.h), never by printf: user text is only ever an argument.
#ifndef DLLPICK_CATALOG_MESSAGES_H_
#define DLLPICK_CATALOG_MESSAGES_H_

namespace dllpick {

// Usage errors: shown inside the usage screen, process result -1.
inline constexpr char kIllegalParameterCount[] =
    "-Illegal number of parameters in command line.";
inline constexpr char kBadLibraryAbbreviation[] =
    "-Bad abbreviation of the library name was given.";
inline constexpr char kBadLibraryPath[] =
    "-Bad path name of the library was given";
inline constexpr char kBadCommand[] = "-Please check the command line";

// The usage screen: the message framed by line feeds, then kUsageText as is.
inline constexpr char kUsageMessageFormat[] = "\n%s\n";
inline constexpr char kUsageText[] =
    "\n"
    " dllpick creates or modifies registry key for Ombrix DLL dispatching\n"
    " Usage: dllpick -Command Lib Name Value \n"
    "   Lib is a library identifier ECHRA, FOTEK, GNOMA, KERNAX, DAPEK \n"
    "   Name is a name of variable, USEDLL \n"
    "   Value is a value of variable, DLL file name \n"
    "   Command is o[pen] or q[uery] or d[elete] or b[est]\n"
    "   Examples:\n"
    "     dllpick -q ECHRA USEDLL \n"
    "     dllpick -b KERNAX \n"
    "     dllpick -d GNOMA \n"
    "     dllpick -o FOTEK USEDLL L:\\bin\\fota2.dll \n"
    "     dllpick -o ECHRA USEDLL teqa2.dll \n"
    "\n";

// Value name other than the assumed one: given name, assumed name.
inline constexpr char kValueNameNote[] =
    "** Note that you use %s key instead of %s assumed\n";

// Query: key path, value name, data.
inline constexpr char kQueryResult[] = "%s.%s has value \"%s\"\n";
// Query failed: key path, value name.
inline constexpr char kQueryProblem[] = "--Problem to get %s.%s's value\n";

// Delete: key path.
inline constexpr char kDeleted[] = "Subkey of %s was deleted\n";
inline constexpr char kDeleteProblem[] = "--Problem to delete subkey of %s\n";

// Assign: file name, value name.
inline constexpr char kAssigned[] = "\"%s\" has been assigned to \"%s\"\n";
// Assign: key path, kEntryCreated or kEntryModified.
inline constexpr char kEntryState[] = "Entry %s has been %s\n";
inline constexpr char kEntryCreated[] = "created";
inline constexpr char kEntryModified[] = "modified";
// Assign: best build's file name.
inline constexpr char kBestLibraryNote[] =
    "** Note that the best library for your cpu is %s\n";
// Assign failed: value name, key path, file name (note the order).
inline constexpr char kSetProblem[] =
    "--Problem to set %s.%s's value to \"%s\"\n";
inline constexpr char kIncompatibleWarning[] =
    "=CPU and DLL you are going to use are incompatible\n";

// Best command: best build's file name.
inline constexpr char kBestLibrary[] = " The best library for your cpu is %s\n";

}  // namespace dllpick

#endif  // DLLPICK_CATALOG_MESSAGES_H_
