#include "cli/driver.h"

#include "catalog/case_fold.h"
#include "catalog/library_table.h"
#include "catalog/messages.h"
#include "cli/usage.h"
#include "cpu/best_command.h"
#include "settings/assign_command.h"
#include "settings/delete_command.h"
#include "settings/query_command.h"

namespace dllpick {

namespace {

struct Invocation {
  char** argv;
  const char* key_path;
  int row;
  RegistryStore& registry;
  ProcessorInfo& processor;
  std::FILE* out;
};

struct Command {
  char letter;
  int minimum_argc;  // counting the program's own name
  int (*run)(const Invocation&);
};

constexpr Command kCommands[] = {
    {'b', 3, [](const Invocation& in) { return RunBest(in.row, in.processor, in.out); }},
    {'d', 3, [](const Invocation& in) { return RunDelete(in.key_path, in.registry, in.out); }},
    {'o', 5,
     [](const Invocation& in) {
       return RunAssign(in.argv[3], in.argv[4], in.key_path, in.row, in.registry,
                        in.processor, in.out);
     }},
    {'q', 4,
     [](const Invocation& in) { return RunQuery(in.argv[3], in.key_path, in.registry, in.out); }},
};
constexpr int kMinimumArgc = 3;

const Command* FindCommand(char letter) {
  for (const Command& command : kCommands) {
    if (command.letter == letter) return &command;
  }
  return nullptr;
}

}  // namespace

int RunDllpick(int argc, char** argv, RegistryStore& registry,
               ProcessorInfo& processor, std::FILE* out) {
  if (argc < kMinimumArgc) return ShowUsage(kIllegalParameterCount, out);

  FoldToUpper(argv[2]);
  const int row = ResolveLibrary(argv[2]);
  if (row == kNoLibrary) return ShowUsage(kBadLibraryAbbreviation, out);
  KeyPath key_path;
  ComposeKeyPath(row, key_path);

  // Only the second character names the command, so -q, /q and -query all
  // query; an empty or one-character word has no letter ('\0' matches none).
  const char letter = argv[1][0] == '\0' ? '\0' : FoldToLower(argv[1][1]);
  const Command* command = FindCommand(letter);
  if (command == nullptr) return ShowUsage(kBadCommand, out);
  if (argc < command->minimum_argc) return ShowUsage(kIllegalParameterCount, out);

  return command->run({argv, key_path, row, registry, processor, out});
}

}  // namespace dllpick
